// The desktop platform: SDL2's window, input and audio, each a part of its own, with the clock
// that stands still while the game does.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/data_files.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "platform/stop_signals.h"

class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(const PlatformOptions& options);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // False when no window could be opened.
  bool Usable() const { return Usable_; }

  void LoadSound(int slot, const std::string& name) override;
  void Present(Renderer& screen) override { Window_.Present(screen); }
  FrameCommand ReadCommand(bool pointerInUse) override { return Input_.Read(pointerInUse); }
  void PlaySound(int slot) override;
  void LoadMusic(const std::string& name) override;
  void PlayMusic() override;
  void StopMusic() override;
  void SetMusicVolume(int hundredthsOfDb) override;
  int32_t TickCount() override;
  void BeginFrame(long long frameNumber) override;
  bool SaveScreenshot(const std::string& path, Renderer& screen) override;
  void SetPaused(bool paused) override;
  bool GetWindowPlace(WindowPlace& place) override;

  // For tests.
  SdlWindow& Window() { return Window_; }
  SdlInput& Input() { return Input_; }

 private:
  // SDL's video and events, up before the window and input parts and down after them.
  struct VideoSystem {
    bool Up = false;
    ~VideoSystem() {
      if (Up) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
  };
  bool Usable_ = true;
  VideoSystem Video;
  StopSignals Signals;
  DataFiles Files;
  SdlWindow Window_;
  SdlInput Input_;
  std::optional<SdlAudio> Audio;
  bool Paused = false;                      // the game stands still: wait for events, not frames
  Uint64 PausedSince = 0, PausedTicks = 0;  // the clock stands still while paused
};

// Without audio it reports one line on standard error and stays silent. Without a display it
// says so on standard error and returns null.
std::unique_ptr<Platform> CreateSdlPlatform(const PlatformOptions& options);
