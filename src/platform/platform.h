// The one door between the game and the machine: the back buffer and its sheets,
// the keyboard and mouse, sound and music, and the millisecond clock.
// Game code never sees SDL; it talks to an implementation of this interface.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// How the platform is brought up.
struct PlatformOptions {
  bool Headless = false;   // no window, no audio device, no waiting, clock from the frame count
  bool Windowed = false;   // a window instead of full screen
  std::string DataFolder;  // where Sound/ and Music/ are looked up first (the executable's folder)
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Content load: a sheet by resource name (any case) with its colour key; a sound slot from Sound/NAME.wav.
  virtual void LoadSheet(int index, const std::string& name, uint32_t colourKey) = 0;
  virtual void LoadSound(int slot, const std::string& name) = 0;

  // The back buffer. Rectangles are left/top inclusive, right/bottom exclusive.
  // Copies a sheet rectangle, colour-keyed; scaled when the destination size differs.
  virtual void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                        int destRight, int destBottom, bool scaled) = 0;
  virtual void DrawText(int x, int y, const std::string& text, uint32_t colour) = 0;
  virtual void FillBox(int left, int top, int right, int bottom, uint32_t colour) = 0;
  virtual void ClearBuffer() = 0;
  // Shows the finished frame and paces the loop to 60 frames a second.
  virtual void Present() = 0;

  // Input: the raw state of the moment.
  virtual void ReadKeyboard(std::array<bool, 256>& keys) = 0;
  virtual void ReadMouse(int& dx, int& dy, bool& left, bool& right) = 0;
  // The user closed the window (or the process was asked to stop).
  virtual bool CloseRequested() = 0;

  // Sound and music. Volume is in hundredths of a decibel.
  virtual void PlaySound(int slot) = 0;
  virtual void LoadMusic(const std::string& name) = 0;
  virtual void PlayMusic() = 0;
  virtual void StopMusic() = 0;
  virtual void SetMusicVolume(int hundredthsOfDb) = 0;

  // Milliseconds, monotonic (32-bit, wraps like the old tick count).
  virtual int32_t TickCount() = 0;

  // Called once per frame by the shell before the frame runs (the headless clock uses it).
  virtual void BeginFrame(long long /*frameNumber*/) {}
  // Writes the back buffer as it is now to a PNG file; false when it cannot.
  virtual bool SaveScreenshot(const std::string& /*path*/) { return false; }
};
