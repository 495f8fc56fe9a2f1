// The whole program: start-up, the main loop with the harness around it, shut-down.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "shell/options.h"

using PlatformFactory = std::function<std::unique_ptr<Platform>(const PlatformOptions&)>;

// Returns the process exit code.
int RunProgram(const Options& options, const std::string& executableFolder, const PlatformFactory& makePlatform);
