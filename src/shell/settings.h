// The player's settings file: display mode and window, volumes and key bindings, kept in
// $XDG_CONFIG_HOME/zorvane2/settings.ini as "name = value" lines with comments.
#pragma once

#include <array>
#include <functional>
#include <ostream>
#include <string>

#include "platform/platform.h"
#include "save/save_session.h"

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

// Settings take a few kilobytes: no more than this is read of the file.
inline constexpr size_t SettingsFileLimit = 64 * 1024;
// Of the problems found in a file, no more than this many are said, one line each (then how many
// more there were), and no more than this many characters of a line are shown.
inline constexpr int SettingsWarningsShown = 20;
inline constexpr size_t SettingsLineLimit = 200;

// Reads the file's text. A damaged or unknown entry is reported as one line on `warnings`
// and the entry keeps its default. A binding that would put the erase chord on one key, or give
// one of its keys to another action, is refused the same way.
Settings ParseSettings(const std::string& text, const std::string& fileName, std::ostream& warnings);
// The file's text, with a comment before every entry.
std::string SettingsText(const Settings& s);
// $XDG_CONFIG_HOME/zorvane2/settings.ini (~/.config/zorvane2/ when unset); empty when there is
// no home folder to put it in.
std::string DefaultSettingsPath();

// The settings file of a run, and what the game knows about it.
struct SettingsFile {
  std::string Path;       // as given; empty: none (the defaults, nothing read or written)
  std::string NoWriting;  // not empty: the file is never written this run, for this reason
  std::string Text;       // the settings as the start left them: unchanged, they are not written again
  std::function<int(SaveStep)> Fault;  // for tests: the error a step meets, as for the save
};

// Start-up: the settings in f.Path (a link is followed to the file it leads to), or the defaults,
// with which the file is made when there is none. What is wrong is said on `say`, one line each.
// A file that cannot be read (no permission, a disk error, a loop of links) or is not a file at
// all (a folder, a pipe, a device) is left as it is for the whole run, as is one larger than
// SettingsFileLimit (of which the first whole lines are read); leftovers of killed writes go.
Settings LoadSettings(SettingsFile& f, std::ostream& say);
// Writes s where f.Path leads, through a temporary file renamed over the old one (so a failed or
// killed write never loses it), when it differs from what the file holds. False (said on `say`)
// when it could not or may not be written.
bool SaveSettings(SettingsFile& f, const Settings& s, std::ostream& say);
