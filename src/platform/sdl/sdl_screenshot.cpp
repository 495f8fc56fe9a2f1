// F12: the finished frame as a dated PNG in the player's pictures folder.
#include <SDL_image.h>

#include <ctime>
#include <filesystem>
#include <iostream>

#include "platform/data_folders.h"
#include "platform/sdl/sdl_platform_impl.h"

void SdlPlatform::TakeScreenshot() {
  namespace fs = std::filesystem;
  std::string folder = ScreenshotFolder();
  if (folder.empty()) {
    std::cerr << "zorvane2: no folder for screenshots (neither HOME nor XDG_PICTURES_DIR is set)\n";
    return;
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    std::cerr << "zorvane2: could not save a screenshot: cannot make the folder " << folder << " (" << ec.message()
              << ")\n";
    return;
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::string name =
      ScreenshotName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  // Two in the same second get a number rather than replacing the first.
  fs::path path = fs::path(folder) / name;
  for (int n = 2; fs::exists(path, ec) && n < 100; ++n)
    path = fs::path(folder) / (name.substr(0, name.size() - 4) + "-" + std::to_string(n) + ".png");
  if (fs::exists(path, ec)) {
    std::cerr << "zorvane2: could not save a screenshot: too many taken this second in " << folder << "\n";
    return;
  }
  if (!SaveScreenshot(path.string())) {
    std::cerr << "zorvane2: could not save a screenshot to " << path.string() << " (" << IMG_GetError() << ")\n";
    fs::remove(path, ec);  // no half-written picture left behind
    return;
  }
  std::cerr << "zorvane2: screenshot saved to " << path.string() << "\n";
}
