// The browser platform: the back buffer drawn to a canvas, the keyboard, mouse and gamepads from
// DOM events and the Gamepad API, sound and music through Web Audio. Built with Emscripten only;
// the page's script (web/glue.js) does the browser's half of every call.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/web/soft_buffer.h"
#include "platform/web/web_pads.h"

class WebPlatform : public Platform {
 public:
  WebPlatform();

  void LoadSheet(int index, const std::string& name, uint32_t colourKey) override;
  void LoadSound(int slot, const std::string& name) override;
  void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                int destRight, int destBottom, bool scaled) override;
  void DrawText(int x, int y, const std::string& text, uint32_t colour) override;
  void FillBox(int left, int top, int right, int bottom, uint32_t colour) override;
  void ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) override;
  void ClearBuffer() override;
  void Present() override;
  FrameCommand ReadCommand(bool pointerInUse) override;  // a page is never "closed" mid-frame
  void PlaySound(int slot) override;
  void LoadMusic(const std::string& name) override;
  void PlayMusic() override;
  void StopMusic() override;
  void SetMusicVolume(int hundredthsOfDb) override;
  int32_t TickCount() override { return Ticks; }
  void BeginFrame(long long frameNumber) override;
  void SetPaused(bool paused) override;

 private:
  SoftBuffer Buffer;
  std::vector<uint8_t> Rgba;  // the back buffer as the canvas wants it, 800 x 600 x 4
  int32_t Ticks = 0;
  bool Paused = false;
  long long LastStep = 0, PausedFromStep = 0, PausedSteps = 0;

  // Input as read at the start of the frame.
  std::array<uint8_t, 256> Keys{};
  int PointerX = 0, PointerY = 0;    // the game's pointer after the motion reported last
  int AbsoluteX = 0, AbsoluteY = 0;  // the system pointer in picture coordinates
  bool HaveAbsolute = false;
  bool LeftHeld = false, RightHeld = false;
  bool LostFocus = false, PageHidden = false;
  WebPads Pads;
  void ReadMouse(int& dx, int& dy, bool& left, bool& right, bool pointerInUse);
};
