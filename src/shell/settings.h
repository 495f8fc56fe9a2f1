// The player's settings file: display mode and window, volumes and key bindings, kept in
// $XDG_CONFIG_HOME/zorvane2/settings.ini as "name = value" lines with comments.
#pragma once

#include <array>
#include <ostream>
#include <string>

#include "platform/platform.h"

// An action the keyboard plays, with the key it listens to unless the player moves it.
struct KeyAction {
  const char* Name;
  int DefaultKey;  // the game's own scan code for it
  const char* What;
};
inline constexpr int KeyActionCount = 15;
extern const std::array<KeyAction, KeyActionCount> KeyActions;

struct Settings {
  WindowPlace Window;  // full screen or a window, and the window's size and place
  int EffectsVolume = 100, MusicVolume = 100;
  bool ScreenShake = true;  // a heavy hit shakes the picture of the play column
  std::array<int, KeyActionCount> Keys{};  // the key of each action, by scan code
  Settings();
  KeyBindings Bindings() const;
};

// Reads the file's text. A damaged or unknown entry is reported as one line on `warnings`
// and the entry keeps its default.
Settings ParseSettings(const std::string& text, const std::string& fileName, std::ostream& warnings);
// The file's text, with a comment before every entry.
std::string SettingsText(const Settings& s);
// $XDG_CONFIG_HOME/zorvane2/settings.ini (~/.config/zorvane2/ when unset).
std::string DefaultSettingsPath();
// Reads the file; false when there is none (the defaults are kept).
bool LoadSettings(const std::string& path, Settings& s, std::ostream& warnings);
// Writes the file through a temporary file renamed over it, so a failed write never loses the
// old one. False (with the reason in *why) when it could not be written.
bool SaveSettings(const std::string& path, const Settings& s, std::string* why);
