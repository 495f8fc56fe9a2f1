// Where the game's data and the player's screenshots live on the disk.
#include "platform/data_folders.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "save/safe_file.h"

namespace fs = std::filesystem;

#ifndef ZORVANE_BIN_TO_DATA
#define ZORVANE_BIN_TO_DATA "../share/zorvane2"
#endif
#ifndef ZORVANE_DATA_DIR
#define ZORVANE_DATA_DIR ""
#endif

std::vector<std::string> DataSearchPath(const std::string& executableFolder) {
  std::vector<std::string> folders;
  auto add = [&](const std::string& folder) {
    if (folder.empty()) return;
    std::string normal = TextOf(PathOf(folder).lexically_normal());
    while (normal.size() > 1 && (normal.back() == '/' || normal.back() == fs::path::preferred_separator))
      normal.pop_back();
    if (std::find(folders.begin(), folders.end(), normal) == folders.end()) folders.push_back(normal);
  };
  add(executableFolder);
  if (!executableFolder.empty()) add(TextOf(PathOf(executableFolder) / ZORVANE_BIN_TO_DATA));
  add(ZORVANE_DATA_DIR);
  return folders;
}

std::string ScreenshotName(int year, int month, int day, int hour, int minute, int second) {
  char name[64];
  std::snprintf(name, sizeof name, "zorvane2-%04d-%02d-%02d-%02d%02d%02d.png", year, month, day, hour, minute,
                second);
  return name;
}
