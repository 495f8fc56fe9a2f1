// The browser platform: the renderer's picture shown on a canvas, the keyboard, mouse and gamepads from
// DOM events and the Gamepad API, sound and music through Web Audio. Built with Emscripten only;
// the page's script (web/glue.js) does the browser's half of every call.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/web/web_pads.h"

class WebPlatform : public Platform {
 public:
  WebPlatform();

  // The sheets and the glyph atlas the page fetched before the game started, into the renderer.
  // A sheet that cannot be had draws nothing; the page has said which one.
  void LoadArt(Renderer& screen);
  void LoadSound(int slot, const std::string& name) override;
  void Present(Renderer& screen) override;
  FrameCommand ReadCommand(bool pointerInUse) override;  // a page is never "closed" mid-frame
  void PlaySound(int slot) override;
  void LoadMusic(const std::string& name) override;
  void PlayMusic() override;
  void StopMusic() override;
  void SetMusicVolume(int hundredthsOfDb) override;
  int32_t TickCount() override { return Ticks; }
  void BeginFrame(long long frameNumber) override;
  void SetPaused(bool paused) override;

  // The player's settings: the keyboard's keys (the touch controls and gamepads play the game's
  // own keys), and the volumes from 0 to 100.
  void SetBindings(const KeyBindings& keys) { Bindings = keys; }
  void SetVolumes(int effects, int music);

 private:
  // The picture as the canvas wants it: a pixel's bytes red, green, blue and an opaque alpha.
  std::vector<uint32_t> Rgba;
  int32_t Ticks = 0;
  bool Paused = false;
  long long LastStep = 0, PausedFromStep = 0, PausedSteps = 0;

  KeyBindings Bindings;

  // Input as read at the start of the frame: the keyboard by scan code, the touch controls by
  // the game's keys.
  std::array<uint8_t, 256> Keys{}, TouchKeys{};
  int PointerX = 0, PointerY = 0;    // the game's pointer after the motion reported last
  int AbsoluteX = 0, AbsoluteY = 0;  // the system pointer in picture coordinates
  bool HaveAbsolute = false;
  bool LeftHeld = false, RightHeld = false;
  bool LostFocus = false, PageHidden = false;
  WebPads Pads;
  void ReadMouse(int& dx, int& dy, bool& left, bool& right, bool pointerInUse);
};
