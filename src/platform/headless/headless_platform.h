// The platform of the headless harness: no window, no devices, no sound, no waiting. Its clock
// follows the steps (frame n at floor(n * 1000 / 60) ms, paused steps left out), so a run gives
// the same trace on any machine; its pictures are written only when a screenshot is asked for.
// Sound and music files are still looked up, so a missing one is said here too.
#pragma once

#include <memory>
#include <string>

#include "platform/data_files.h"
#include "platform/platform.h"
#include "platform/sdl/music_player.h"
#include "platform/stop_signals.h"

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(const std::string& dataFolder) : Files(dataFolder) {}
  ~HeadlessPlatform() override { Files.ReportMissing(); }

  void LoadSound(int, const std::string& name) override { Files.Sound(name); }
  void Present(Renderer&) override {}
  FrameCommand ReadCommand(bool) override;
  void PlaySound(int) override {}
  void LoadMusic(const std::string& name) override { Files.Music(name, MusicFileExtension); }
  void PlayMusic() override {}
  void StopMusic() override {}
  void SetMusicVolume(int) override {}
  int32_t TickCount() override { return Ticks; }
  void BeginFrame(long long frameNumber) override;
  bool SaveScreenshot(const std::string& path, Renderer& screen) override;
  void SetPaused(bool paused) override;

 private:
  DataFiles Files;
  StopSignals Signals;
  int32_t Ticks = 0;
  bool Paused = false;
  long long LastFrame = 0, PausedFromFrame = 0, PausedFrames = 0;
};
