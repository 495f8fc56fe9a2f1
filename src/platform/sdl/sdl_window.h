// The desktop's window: opened full screen or as a window, the renderer's picture shown in it at
// 60 frames a second (only what changed, where the window's pixels are plain memory), Alt+Enter
// between the two modes, the player's screenshots (F12), and the window's place remembered.
#pragma once

#include <SDL.h>

#include <array>
#include <string>
#include <vector>

#include "platform/platform.h"

class SdlWindow {
 public:
  SdlWindow(const PlatformOptions& options);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // False when no window could be opened (said on standard error).
  bool Open();
  // Shows the finished frame and paces the loop (without vertical sync, by sleeping).
  void Present(Renderer& screen);
  // What the window's events mean for it: a change of display, hidden or shown, uncovered or
  // resized (the last picture is shown again while the game stands still), moved.
  void HandleEvent(const SDL_WindowEvent& e, bool paused);
  void ToggleFullScreen();
  // The next frame shown is saved as a dated PNG in the player's pictures folder.
  void WantScreenshot() { ScreenshotWanted = true; }
  // Pacing starts afresh (after a pause).
  void RestartPacing() { LimiterBase = 0; }

  bool FullScreen() const { return FullScreen_; }
  // Hidden or minimised, once it has been shown.
  bool Away() const { return Away_ && Shown; }
  SDL_Window* Handle() const { return Window; }
  // A point of the 800 x 600 picture in window pixels.
  void PictureToWindow(int x, int y, int& wx, int& wy) const;
  // How frames reach the window: "software" (SDL's own, no OpenGL) or the accelerated renderer's name.
  const char* PresentPath() const { return PresentName; }
  WindowPlace Place() const;
  // For tests: the rectangles of the window the last presentation sent.
  std::vector<SDL_Rect> Sent() const { return {SentBands.begin(), SentBands.begin() + SentCount}; }

 private:
  bool SoftwareGl();
  void ChoosePacing();
  void WaitForNextFrame();
  void Show(const Renderer& screen);
  void SendChanged(const Renderer& screen, SDL_Surface* target, const SDL_Rect& picture);
  void TakeScreenshot(Renderer& screen);

  PlatformOptions Options;
  SDL_Window* Window = nullptr;
  SDL_Renderer* Drawer = nullptr;
  SDL_Texture* Screen = nullptr;
  SDL_Surface* Picture = nullptr;  // the renderer's pixels as a surface, for scaled copies
  const Renderer* LastShown = nullptr;
  bool FullScreen_ = true;
  bool VSync = false;
  bool Shown = false;  // the first frame has been shown (the window starts hidden)
  bool Away_ = false;
  bool ScreenshotWanted = false;
  const char* PresentName = "";
  int ClearFrames = 2;  // presentations that still send the whole window, cleared first
  void* SentPixels = nullptr;  // the window's pixels the picture was last copied into
  int SentPitch = 0;
  std::array<SDL_Rect, 64> SentBands{};  // the parts of the window the last presentation sent
  int SentCount = 0;
  // ZORVANE_FRAME_LOG=FILE: when each frame was shown (ns, monotonic), one a line, written at exit.
  const char* FrameLog = nullptr;
  std::vector<long long> FrameTimes;
  long long LimiterBase = 0;   // frame limiter: monotonic time of its frame 0, in nanoseconds
  long long LimiterFrames = 0;  // frames paced since then
  WindowPlace LastWindow;       // the window as last seen in window mode
  Uint64 VSyncCheckStart = 0;   // when the vsync check began
  int VSyncCheckFrames = 0;     // frames presented since then
};
