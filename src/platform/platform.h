// The one door between the game and the machine: a window for the renderer's picture, the
// keyboard, mouse and gamepads, sound and music, and the millisecond clock. The game never sees
// it: the main loop reads a command from it each step and hands it what the frame asked for.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/renderer.h"
#include "world/command.h"

// Which key plays each of the game's keys: game key k reads key Source[k]. Every key plays
// itself until the player moves an action to another key.
struct KeyBindings {
  std::array<uint8_t, 256> Source{};
  KeyBindings() {
    for (size_t k = 0; k < Source.size(); ++k) Source[k] = uint8_t(k);
  }
  std::array<bool, 256> Apply(const std::array<bool, 256>& held) const {
    std::array<bool, 256> keys{};
    for (size_t k = 0; k < keys.size(); ++k) keys[k] = held[Source[k]];
    return keys;
  }
};

// How the platform is brought up.
struct PlatformOptions {
  bool Headless = false;   // the headless platform: no window, no devices, no waiting, clock from the steps
  bool Windowed = false;   // a window instead of full screen
  std::string DataFolder;  // where Sound/ and Music/ are looked up first (the executable's folder)
  // The player's settings: the window (x, y < 0: centred) and the volumes, 0..100 on top of the game's own.
  int WindowX = -1, WindowY = -1, WindowWidth = 800, WindowHeight = 600;
  int EffectsVolume = 100, MusicVolume = 100;
  KeyBindings Keys;  // applies to the keyboard; a gamepad's buttons play the game's keys directly
};

// Where the window is, to be remembered for the next start.
struct WindowPlace {
  bool FullScreen = true;
  int X = -1, Y = -1, Width = 800, Height = 600;  // the window as it was last seen in window mode
};

// What the game needs of the machine: a window to show the renderer's picture in, the devices
// read into one command a step, sound and music, and the clock.
class Platform {
 public:
  virtual ~Platform() = default;

  // A sound slot from Sound/NAME.wav.
  virtual void LoadSound(int slot, const std::string& name) = 0;

  // Shows the finished frame (only what changed, where the window allows) and paces the loop
  // to 60 frames a second.
  virtual void Present(Renderer& screen) = 0;

  // What the player does with the devices in this step: the keys after the bindings, the
  // pointer's motion since the last step and its buttons, the window losing the focus (reported
  // once) or hidden, and a request to close (the window, SIGINT, SIGTERM). The clock is left to
  // the caller. `pointerInUse`: the game reads the pointer now (the menu), so a gamepad's stick
  // moves it; in play the stick only steers.
  virtual FrameCommand ReadCommand(bool pointerInUse) = 0;

  // Sound and music. Volume is in hundredths of a decibel.
  virtual void PlaySound(int slot) = 0;
  virtual void LoadMusic(const std::string& name) = 0;
  virtual void PlayMusic() = 0;
  virtual void StopMusic() = 0;
  virtual void SetMusicVolume(int hundredthsOfDb) = 0;

  // Milliseconds, monotonic (32-bit, wraps like the old tick count).
  virtual int32_t TickCount() = 0;

  // Called once a step before its command is read: the events are taken, and the headless
  // clock moves to the step.
  virtual void BeginFrame(long long /*frameNumber*/) {}
  // Writes the picture as it is now (finished first) to a PNG file; false when it cannot.
  virtual bool SaveScreenshot(const std::string& /*path*/, Renderer& /*screen*/) { return false; }

  // The desktop around the game. While paused the clock stands still and the platform waits
  // for events instead of frames.
  virtual void SetPaused(bool /*paused*/) {}
  // The display mode and window, when there is a window.
  virtual bool GetWindowPlace(WindowPlace& /*place*/) { return false; }
};
