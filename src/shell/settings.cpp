// The player's settings file.
#include "shell/settings.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "save/safe_file.h"
#include "world/game.h"
#include "shell/script.h"

const std::array<KeyAction, KeyActionCount> KeyActions = {{
    {"up", KeyUp, "steer up"},
    {"down", KeyDown, "steer down"},
    {"left", KeyLeft, "steer left"},
    {"right", KeyRight, "steer right"},
    {"half_speed", KeySpace, "fly at half speed while held"},
    {"fire_1", KeyX, "fire the shots in slot 1"},
    {"fire_2", KeyC, "fire the shots in slot 2"},
    {"charge_1", KeyZ, "use the charge ability in slot 1 (also the second key of the erase chord)"},
    {"charge_2", KeyV, "use the charge ability in slot 2"},
    {"health_potion", KeyA, "drink a health potion"},
    {"charge_potion", KeyS, "drink a charge potion"},
    {"full_potion", KeyD, "drink a full potion"},
    {"leave", KeyEscape, "leave the level; on the results screen, collect the rewards"},
    {"pause", KeyP, "pause the level and go on again"},
    {"erase", KeyQ, "held with charge_1 while clicking the erase button, wipes all progress"},
}};

Settings::Settings() {
  for (size_t i = 0; i < Keys.size(); ++i) Keys[i] = KeyActions[i].DefaultKey;
}

KeyBindings Settings::Bindings() const {
  KeyBindings b;
  for (size_t i = 0; i < Keys.size(); ++i) b.Source[size_t(KeyActions[i].DefaultKey)] = uint8_t(Keys[i]);
  return b;
}

namespace {

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A line of the file as it may be shown on a terminal: bytes other than printable ASCII as \xHH,
// so nothing in the file can move the cursor, change colours or clear the screen.
std::string Printable(const std::string& s) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F) out += char(c);
    else out += std::string("\\x") + hex[c >> 4] + hex[c & 15];
  }
  return out;
}

size_t ActionIndex(const char* name) {
  size_t i = 0;
  while (i < KeyActions.size() && std::strcmp(KeyActions[i].Name, name) != 0) ++i;
  return i;
}

bool WholeNumber(const std::string& s, int low, int high, int& out) {
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || p != s.data() + s.size() || v < low || v > high) return false;
  out = v;
  return true;
}

}  // namespace

Settings ParseSettings(const std::string& text, const std::string& fileName, std::ostream& warnings) {
  Settings s;
  std::istringstream in(text);
  std::string line, section;
  int lineNo = 0, problems = 0;
  // A file of garbage must not flood the terminal: the first problems are said, the rest counted.
  auto say = [&](const std::string& what) {
    if (++problems <= SettingsWarningsShown) warnings << "zorvane2: " << Printable(what) << "\n";
  };
  auto warn = [&](const std::string& why, const std::string& fallback) {
    say(fileName + " line " + std::to_string(lineNo) + ": " + why + (fallback.empty() ? "" : "; using " + fallback));
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    line = Trim(line);
    if (line.empty()) continue;
    // No entry is anywhere near this long, even shown with its odd bytes escaped; such a line is
    // not shown whole.
    if (Printable(line).size() > SettingsLineLimit) {
      warn("a line of " + std::to_string(line.size()) + " characters ('" + line.substr(0, 30) +
               "...') is too long to be an entry",
           "");
      continue;
    }
    if (line.front() == '[') {
      section = Lower(Trim(line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1)));
      if (line.back() != ']' || (section != "display" && section != "sound" && section != "keys"))
        warn("unknown section '" + line + "'", ""), section = "?";
      continue;
    }
    if (section == "?") continue;  // inside a section already reported
    auto eq = line.find('=');
    if (eq == std::string::npos) {
      warn("'" + line + "' is not 'name = value'", "");
      continue;
    }
    const std::string name = Lower(Trim(line.substr(0, eq))), value = Trim(line.substr(eq + 1));
    const std::string entry = "'" + name + " = " + value + "'";
    auto number = [&](int low, int high, int& field) {
      if (!WholeNumber(value, low, high, field))
        warn(entry + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high),
             std::to_string(field));
    };
    auto place = [&](int& field) {
      if (Lower(value) == "centre" || Lower(value) == "center") field = -1;
      else number(-1, 16384, field);
    };
    auto yesNo = [&](bool& field) {
      const std::string v = Lower(value);
      if (v == "yes" || v == "true" || v == "1") field = true;
      else if (v == "no" || v == "false" || v == "0") field = false;
      else warn(entry + " needs yes or no", field ? "yes" : "no");
    };
    if (section == "display" && name == "fullscreen") {
      yesNo(s.Window.FullScreen);
    } else if (section == "display" && name == "screen_shake") {
      yesNo(s.ScreenShake);
    } else if (section == "display" && name == "window_width") {
      number(400, 16384, s.Window.Width);
    } else if (section == "display" && name == "window_height") {
      number(300, 16384, s.Window.Height);
    } else if (section == "display" && name == "window_x") {
      place(s.Window.X);
    } else if (section == "display" && name == "window_y") {
      place(s.Window.Y);
    } else if (section == "sound" && name == "effects_volume") {
      number(0, 100, s.EffectsVolume);
    } else if (section == "sound" && name == "music_volume") {
      number(0, 100, s.MusicVolume);
    } else if (section == "keys") {
      size_t i = 0;
      while (i < KeyActions.size() && name != KeyActions[i].Name) ++i;
      if (i == KeyActions.size()) {
        warn("unknown action '" + name + "'", "");
      } else if (int code = ScanCodeForName(value); code == 0) {
        warn(entry + " is not a key name", NameForScanCode(s.Keys[i]));
      } else {
        s.Keys[i] = code;
      }
    } else {
      warn("unknown entry '" + name + "'" + (section.empty() ? " outside a section" : " in [" + section + "]"), "");
    }
  }
  // Held together while clicking the erase button, the erase key and charge_1's key wipe all
  // progress: the chord must stay two keys that nothing else plays, or one key (or a key held
  // for something else) and a click would do it. A binding that breaks this is refused and its
  // action keeps its own key: the chord key's when it was moved, else the other action's. Each
  // refusal moves a key back home, so this ends.
  const size_t chord[] = {ActionIndex("erase"), ActionIndex("charge_1")};
  for (bool refused = true; refused;) {
    refused = false;
    for (size_t c : chord)
      for (size_t i = 0; i < s.Keys.size() && !refused; ++i) {
        if (i == c || s.Keys[i] != s.Keys[c]) continue;
        const size_t back = s.Keys[c] != KeyActions[c].DefaultKey ? c : i, other = back == c ? i : c;
        say(fileName + ": '" + KeyActions[back].Name + " = " + NameForScanCode(s.Keys[back]) +
            "' is refused: the erase chord (erase held with charge_1) needs two keys of its own, and " +
            KeyActions[other].Name + " has " + NameForScanCode(s.Keys[back]) + "; using " +
            NameForScanCode(KeyActions[back].DefaultKey));
        s.Keys[back] = KeyActions[back].DefaultKey;
        refused = true;
      }
  }
  // One key for two other actions plays both at once: said, and left as written.
  for (size_t i = 0; i < s.Keys.size(); ++i)
    for (size_t j = i + 1; j < s.Keys.size(); ++j)
      if (s.Keys[i] == s.Keys[j])
        say(fileName + ": " + KeyActions[i].Name + " and " + KeyActions[j].Name + " both have the key " +
            NameForScanCode(s.Keys[i]) + "; it plays both");
  if (problems > SettingsWarningsShown)
    warnings << "zorvane2: " << Printable(fileName) << ": " << problems - SettingsWarningsShown
             << " more problems not shown\n";
  return s;
}

std::string SettingsText(const Settings& s) {
  auto place = [](int v) { return v < 0 ? std::string("centre") : std::to_string(v); };
  std::ostringstream out;
  out << "# Zorvane 2 settings. Each entry is \"name = value\"; '#' starts a comment.\n"
         "# The game writes this file when it quits (keeping the display mode and the window as\n"
         "# they were); a damaged entry is reported on standard error and its default used.\n"
         "\n[display]\n"
         "# yes: full screen (the picture scaled up, its shape kept); no: a window. Alt+Enter switches.\n"
         "fullscreen = "
      << (s.Window.FullScreen ? "yes" : "no")
      << "\n# The window's size in pixels (at least 400 x 300) and its place on the desktop\n"
         "# (pixels from the left and top, or centre).\n"
         "window_width = "
      << s.Window.Width << "\nwindow_height = " << s.Window.Height << "\nwindow_x = " << place(s.Window.X)
      << "\nwindow_y = " << place(s.Window.Y)
      << "\n# yes: a heavy hit shakes the picture of the play column for a moment; no: it stays still.\n"
         "screen_shake = "
      << (s.ScreenShake ? "yes" : "no") << "\n\n[sound]\n"
         "# 0 (silent) to 100 (as loud as the game plays them), on top of the game's own sound and\n"
         "# music switches and the music's fades.\n"
         "effects_volume = "
      << s.EffectsVolume << "\nmusic_volume = " << s.MusicVolume
      << "\n\n[keys]\n"
         "# The key of each action, named by its place on a US keyboard: a letter A to Z, a digit,\n"
         "# ESCAPE, SPACE, ENTER, UP, DOWN, LEFT, RIGHT, or a PC scan code from 1 to 211 (so on an\n"
         "# AZERTY keyboard the key marked W is Z here). Gamepad buttons keep their actions.\n";
  for (size_t i = 0; i < KeyActions.size(); ++i)
    out << "# " << KeyActions[i].What << " (" << NameForScanCode(KeyActions[i].DefaultKey) << " unless moved)\n"
        << KeyActions[i].Name << " = " << NameForScanCode(s.Keys[i]) << "\n";
  return out.str();
}

std::string DefaultSettingsPath() {
  const std::string folder = PlayerFolder("XDG_CONFIG_HOME", ".config");
  return folder.empty() ? "" : TextOf(PathOf(folder) / "settings.ini");
}

namespace {

// "the settings PATH", naming the link's target too.
std::string Named(const std::string& path, const PathTarget& t) {
  return "the settings " + path + (t.Link && !t.Error ? " (a link to " + t.File + ")" : "");
}

}  // namespace

Settings LoadSettings(SettingsFile& f, std::ostream& say) {
  f.NoWriting.clear();
  f.Text.clear();
  if (f.Path.empty()) return Settings{};
  const PathTarget t = FollowLinks(f.Path);
  const std::string named = Named(f.Path, t);
  // Whatever cannot be read whole is the player's and stays as it is; the game plays with the
  // defaults meanwhile.
  auto keep = [&](const std::string& why) {
    f.NoWriting = why;
    f.Text = SettingsText(Settings{});  // said again at quit only if the player changed something
    say << "zorvane2: " << why << "; playing with the default settings, and the file is left as it is\n";
    return Settings{};
  };
  if (t.Error) return keep(named + " cannot be followed (" + std::strerror(t.Error) + ")");
  // A pipe would hang the start, a device be read for ever: only a regular file is opened.
  if (t.Exists && !S_ISREG(t.Mode)) return keep(named + " is " + KindOf(t.Mode) + ", not a file");
  RemoveLeftovers(t.File);

  // One byte more than is ever read tells a file that is larger.
  const FileStart read = ReadFileStart(t.File, SettingsFileLimit + 1, f.Fault);
  if (read.OpenError == ENOENT || read.OpenError == ENOTDIR) {
    // The first start: the file is made with the defaults, to be found and edited.
    Settings s;
    SaveSettings(f, s, say);
    return s;
  }
  if (read.OpenError) return keep(named + " cannot be read (" + std::strerror(read.OpenError) + ")");
  if (!S_ISREG(read.Mode)) return keep(named + " is " + KindOf(read.Mode) + ", not a file");
  if (read.ReadError) return keep(named + " cannot be read (" + std::strerror(read.ReadError) + ")");
  std::string text = read.Bytes;
  const size_t got = text.size();
  if (got > SettingsFileLimit) {
    // Far more than settings take (a few kilobytes): something else was saved there. Its first
    // whole lines are read; it is never written over.
    text.resize(text.rfind('\n', SettingsFileLimit - 1) + 1);
    f.NoWriting = named + " is larger than " + std::to_string(SettingsFileLimit / 1024) +
                  " KiB, which no settings file is; only its start was read";
    say << "zorvane2: " << f.NoWriting << ", and the file is left as it is\n";
  }
  Settings s = ParseSettings(text, TextOf(PathOf(f.Path).filename()), say);
  f.Text = SettingsText(s);
  return s;
}

bool SaveSettings(SettingsFile& f, const Settings& s, std::ostream& say) {
  if (f.Path.empty()) return true;
  const std::string text = SettingsText(s);
  if (text == f.Text) return true;  // the file holds these already
  if (!f.NoWriting.empty()) {
    say << "zorvane2: the settings were not written: " << f.NoWriting << "\n";
    return false;
  }
  // Looked at again: what is at the path may have changed since the start.
  const PathTarget t = FollowLinks(f.Path);
  auto fail = [&](const std::string& why) {
    say << "zorvane2: could not write the settings "
        << (t.Link && !t.Error ? t.File + " through the link " + f.Path : f.Path) << " (" << why << ")\n";
    return false;
  };
  if (t.Error) return fail(std::string("the path cannot be followed: ") + std::strerror(t.Error));
  if (t.Exists && !S_ISREG(t.Mode)) return fail(std::string("it is ") + KindOf(t.Mode) + ", which is never replaced");
  std::error_code ec;
  if (!t.Link) std::filesystem::create_directories(PathOf(FolderOf(t.File)), ec);  // a link's target folder is never made
  if (ec) return fail("cannot make the folder " + FolderOf(t.File) + ": " + ec.message());
  if (int err = ReplaceFile(t.File, text, t.Exists ? t.Mode : 0644, f.Fault)) return fail(std::strerror(err));
  f.Text = text;
  return true;
}
