// zorvane2: the game, and the harness that drives it for tests.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/options.h"
#include "shell/run.h"

// The program once the system's own start is done: the arguments as UTF-8 text, and the folder
// the executable is in.
int ZorvaneMain(const std::vector<std::string>& args, const std::string& executableFolder) {
  std::string error;
  auto options = ParseOptions(args, &error);
  if (!options) {
    std::cerr << "zorvane2: " << error << "\n";
    return 2;
  }
  if (options->ShowHelp) {
    std::cout << HelpText();
    return 0;
  }
  if (options->ShowVersion) {
    std::cout << "zorvane2 " << ZORVANE_VERSION << "\n";
    return 0;
  }
  return RunProgram(*options, executableFolder, [](const PlatformOptions& po) -> std::unique_ptr<Platform> {
    if (po.Headless) return std::make_unique<HeadlessPlatform>(po.DataFolder);
    return CreateSdlPlatform(po);
  });
}

// Windows starts the game in src/windows/main_windows.cpp instead, with its arguments in UTF-16.
#ifndef _WIN32
static std::string ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  return self.parent_path().string();
}

int main(int argc, char** argv) {
  return ZorvaneMain(std::vector<std::string>(argv + 1, argv + argc), ExecutableFolder(argv[0]));
}
#endif
