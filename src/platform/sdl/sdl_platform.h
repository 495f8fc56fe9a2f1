// The SDL2 implementation of the platform, for play and for the headless harness.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

// Without audio it reports one line on standard error and stays silent. Without a display
// (outside headless mode) it says so on standard error and returns null.
std::unique_ptr<Platform> CreateSdlPlatform(const PlatformOptions& options);
