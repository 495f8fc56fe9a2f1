#include "platform/headless/headless_platform.h"

#include "platform/sdl/png_file.h"

FrameCommand HeadlessPlatform::ReadCommand(bool) {
  FrameCommand c;
  c.Close = StopSignals::Asked();  // SIGINT and SIGTERM save and quit, headless too
  return c;
}

void HeadlessPlatform::BeginFrame(long long frameNumber) {
  Files.ReportMissing();
  LastFrame = frameNumber;
  // Wraps after 2^32 ms like the real clock.
  Ticks = static_cast<int32_t>(static_cast<uint32_t>((frameNumber - PausedFrames) * 1000 / 60));
}

void HeadlessPlatform::SetPaused(bool paused) {
  if (paused == Paused) return;
  Paused = paused;
  if (paused) {
    PausedFromFrame = LastFrame;
    return;
  }
  PausedFrames += LastFrame - PausedFromFrame;
  BeginFrame(LastFrame);
}

bool HeadlessPlatform::SaveScreenshot(const std::string& path, Renderer& screen) {
  screen.Finish();
  std::string why;
  return WritePng(path, screen.Pixels(), Renderer::Width, Renderer::Height, why);
}
