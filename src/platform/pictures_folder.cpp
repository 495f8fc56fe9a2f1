// The pictures folder on POSIX desktops, where F12's screenshots go.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/data_folders.h"
#include "save/safe_file.h"

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool IsFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// XDG_PICTURES_DIR from the user's user-dirs.dirs: a line XDG_PICTURES_DIR="$HOME/Pictures"
// (the file's own format: a double-quoted path, absolute or starting with $HOME/).
std::string PicturesFromUserDirs(const std::string& home) {
  std::string config = Env("XDG_CONFIG_HOME");
  fs::path file = (!config.empty() && fs::path(config).is_absolute()) ? fs::path(config) / "user-dirs.dirs"
                  : !home.empty() ? fs::path(home) / ".config" / "user-dirs.dirs"
                                  : fs::path();
  if (file.empty()) return "";
  std::ifstream in(file);
  std::string line;
  const std::string key = "XDG_PICTURES_DIR=\"";
  while (std::getline(in, line)) {
    if (line.compare(0, key.size(), key) != 0) continue;
    size_t end = line.find('"', key.size());
    if (end == std::string::npos) return "";
    std::string value = line.substr(key.size(), end - key.size());
    if (value.compare(0, 6, "$HOME/") == 0) return home.empty() ? "" : home + value.substr(5);
    if (value == "$HOME") return "";  // the convention: pictures "in the home folder" means none set
    return fs::path(value).is_absolute() ? value : "";
  }
  return "";
}

}  // namespace

std::string ScreenshotFolder() {
  const std::string home = HomeFolder();
  // The first pictures folder that exists: the environment's, the user's setting, ~/Pictures.
  std::vector<std::string> pictures = {Env("XDG_PICTURES_DIR"), PicturesFromUserDirs(home)};
  if (!home.empty()) pictures.push_back((fs::path(home) / "Pictures").string());
  for (const std::string& p : pictures)
    if (!p.empty() && fs::path(p).is_absolute() && IsFolder(p)) return p;
  // Else beside the save, in the game's own data folder.
  return PlayerFolder("XDG_DATA_HOME", ".local/share");
}
