// The pictures folder on Windows, where F12's screenshots go: the one the shell names for the
// player (it may have been moved to another drive), else the game's own folder beside the save.
#include <windows.h>
#include <shlobj.h>

#include <filesystem>

#include "platform/data_folders.h"
#include "save/safe_file.h"
#include "windows/wide_text.h"

std::string ScreenshotFolder() {
  PWSTR wide = nullptr;
  std::string pictures;
  if (SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_DEFAULT, nullptr, &wide) == S_OK && wide) pictures = Utf8Of(wide);
  CoTaskMemFree(wide);
  std::error_code ec;
  if (!pictures.empty() && std::filesystem::is_directory(PathOf(pictures), ec)) return pictures;
  return PlayerFolder("APPDATA", "");
}
