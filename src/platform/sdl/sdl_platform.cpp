// Placeholder until the SDL platform lands: a silent, windowless platform.
#include "platform/sdl/sdl_platform.h"

#include "platform/null_platform.h"

namespace {
class HeadlessClock : public NullPlatform {
 public:
  void BeginFrame(long long frame) override { Ticks = static_cast<int32_t>(frame * 1000 / 60); }
};
}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(const PlatformOptions&) {
  auto p = std::make_unique<HeadlessClock>();
  p->RecordDrawing = false;
  return p;
}
