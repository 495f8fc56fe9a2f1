// The player's settings file.
#include "shell/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/game.h"
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
  int lineNo = 0;
  auto warn = [&](const std::string& why, const std::string& fallback) {
    warnings << "zorvane2: " << fileName << " line " << lineNo << ": " << why
             << (fallback.empty() ? "" : "; using " + fallback) << "\n";
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    line = Trim(line);
    if (line.empty()) continue;
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
  // One key for two actions plays both at once: said, and left as written.
  for (size_t i = 0; i < s.Keys.size(); ++i)
    for (size_t j = i + 1; j < s.Keys.size(); ++j)
      if (s.Keys[i] == s.Keys[j])
        warnings << "zorvane2: " << fileName << ": " << KeyActions[i].Name << " and " << KeyActions[j].Name
                 << " both have the key " << NameForScanCode(s.Keys[i]) << "; it plays both\n";
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
  namespace fs = std::filesystem;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  // Only an absolute XDG_CONFIG_HOME counts, as the convention says.
  if (xdg && *xdg && fs::path(xdg).is_absolute()) base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home) base = fs::path(home) / ".config";
  else base = ".config";
  return (base / "zorvane2" / "settings.ini").string();
}

bool LoadSettings(const std::string& path, Settings& s, std::ostream& warnings) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  s = ParseSettings(text.str(), std::filesystem::path(path).filename().string(), warnings);
  return true;
}

bool SaveSettings(const std::string& path, const Settings& s, std::string* why) {
  namespace fs = std::filesystem;
  auto fail = [&](const std::string& reason) {
    if (why) *why = reason;
    return false;
  };
  fs::path folder = fs::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (ec) return fail("cannot make the folder " + folder.string() + ": " + ec.message());
  std::string temp = path + ".tmpXXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(std::strerror(errno));
  ::fchmod(fd, 0644);
  const std::string text = SettingsText(s);
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  int err = done < text.size() ? (errno ? errno : EIO) : (::fsync(fd) != 0 ? errno : 0);
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(temp.c_str());
    return fail(std::strerror(err));
  }
  return true;
}
