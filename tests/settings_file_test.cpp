// The settings file on the disk: whatever is at its path, the game starts, plays, and never writes
// over a file it could not read; bindings that would put the erase chord on one key are refused;
// a file of garbage is reported briefly and safely; and without a home folder nothing is written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>

#include "save/safe_file.h"
#include "save/save_file.h"
#include "shell/script.h"
#include "shell/settings.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

int Lines(const std::string& s) { return int(std::count(s.begin(), s.end(), '\n')); }

size_t Action(const std::string& name) {
  for (size_t i = 0; i < KeyActions.size(); ++i)
    if (name == KeyActions[i].Name) return i;
  return KeyActions.size();
}

// The temporary files of writes left in a folder and below.
int Leftovers(const fs::path& folder) {
  int n = 0;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.path().filename().string().find(".tmp") != std::string::npos) ++n;
  return n;
}

}  // namespace

// Each thing that can be at the settings path, read at start-up and written at quit with a changed
// volume. Faults the system will not make for root (who may read anything) come through the fault
// seam, as for the save.
TEST(SettingsFile, NothingAtThePathIsReplacedOrLost) {
  enum Outcome { Replaced, Kept, FailsToWrite };
  const std::string player = "[keys]\nfire_1 = W\n";  // the player's own binding
  auto file = [&](const TempDir&, const std::string& path) { WriteFile(path, player); };
  struct Case {
    const char* Name;
    std::function<void(const TempDir&, const std::string&)> Make;
    std::vector<std::pair<SaveStep, int>> Faults;
    Outcome Result;
    bool Loads;   // the player's binding comes back
    bool Linked;  // the path is a link (which stays one) to dotfiles/target.ini
  };
  const Case cases[] = {
      {"the player's file", file, {}, Replaced, true, false},
      {"unreadable file", file, {{SaveStep::Open, EACCES}}, Kept, false, false},
      {"read error", file, {{SaveStep::Read, EIO}}, Kept, false, false},
      {"named pipe", [](const TempDir&, const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, {}, Kept,
       false, false},
      {"link to an endless device", [](const TempDir&, const std::string& p) { fs::create_symlink("/dev/zero", p); },
       {}, Kept, false, false},
      {"folder", [](const TempDir&, const std::string& p) { fs::create_directories(p + "/keep"); }, {}, Kept, false,
       false},
      {"loop of links",
       [](const TempDir& d, const std::string& p) {
         fs::create_symlink(p, d.File("loop"));
         fs::create_symlink(d.File("loop"), p);
       },
       {}, Kept, false, false},
      {"link to a file in a dotfiles folder",
       [&](const TempDir& d, const std::string& p) {
         fs::create_directory(d.File("dotfiles"));
         WriteFile(d.File("dotfiles/target.ini"), player);
         fs::create_symlink("dotfiles/target.ini", p);
       },
       {}, Replaced, true, true},
      {"dangling link: its file is made",
       [](const TempDir& d, const std::string& p) {
         fs::create_directory(d.File("dotfiles"));
         fs::create_symlink(d.File("dotfiles/target.ini"), p);
       },
       {}, Replaced, false, true},
      {"larger than is ever read",
       [&](const TempDir&, const std::string& p) {
         WriteFile(p, player + std::string(SettingsFileLimit, '#') + "\n[sound]\neffects_volume = 7\n");
       },
       {}, Kept, true, false},
      {"disk error while writing", file, {{SaveStep::Sync, EIO}}, FailsToWrite, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir;
    const std::string path = dir.File("settings.ini");
    c.Make(dir, path);
    const fs::file_type was = fs::symlink_status(path).type();
    const std::string linkedTo = was == fs::file_type::symlink ? fs::read_symlink(path).string() : "";
    const std::string real = c.Linked ? dir.File("dotfiles/target.ini") : path;
    std::error_code loop;
    const std::string before = fs::is_regular_file(real, loop) ? ReadFile(real) : "";

    SettingsFile f;
    f.Path = path;
    f.Fault = [&](SaveStep step) {
      for (auto [at, err] : c.Faults)
        if (at == step) return err;
      return 0;
    };
    std::ostringstream said;
    Settings s = LoadSettings(f, said);  // (a pipe or a device would never return)
    EXPECT_EQ(s.Keys[Action("fire_1")], c.Loads ? ScanCodeForName("W") : KeyX) << said.str();
    EXPECT_EQ(s.EffectsVolume, 100) << "only the file's start is read";
    EXPECT_LE(Lines(said.str()), 1) << said.str();
    EXPECT_EQ(said.str().find("left as it is") != std::string::npos, c.Result == Kept) << said.str();

    s.EffectsVolume = 12;
    said.str("");
    EXPECT_EQ(SaveSettings(f, s, said), c.Result == Replaced);
    EXPECT_EQ(Lines(said.str()), c.Result == Replaced ? 0 : 1) << said.str();
    // A link is still the same link, and anything else at the path is what it was.
    EXPECT_EQ(fs::symlink_status(path).type(), was);
    if (!linkedTo.empty()) {
      EXPECT_EQ(fs::read_symlink(path).string(), linkedTo);
    }
    if (c.Result == Replaced) {
      EXPECT_EQ(ReadFile(real), SettingsText(s));
    } else if (!before.empty()) {
      EXPECT_EQ(ReadFile(real), before);
    }
    EXPECT_EQ(Leftovers(dir.Path), 0);
  }
}

// What killed writes leave is removed at the next start, unless a running write still holds it.
TEST(SettingsFile, LeftoversOfKilledWritesGoAtTheNextStart) {
  TempDir dir;
  const std::string path = dir.File("settings.ini");
  WriteFile(dir.File("settings.ini.tmpAb3dE9"), "half a file");
  std::vector<std::string> kept = {"settings.ini.tmpab-cde", "settings.ini.tmp1234567", "other.ini.tmpABCDEF",
                                   "settings.ini.tmpHELD01"};
  for (const std::string& name : kept) WriteFile(dir.File(name), "not ours");
  const int held = open(dir.File("settings.ini.tmpHELD01").c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  SettingsFile f;
  f.Path = path;
  std::ostringstream said;
  LoadSettings(f, said);
  close(held);
  kept.push_back("settings.ini");  // made with the defaults
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir.Path)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
}

// The erase chord (erase's key held with charge_1's while clicking the erase button) wipes all
// progress: it stays on two keys that no other action has, whatever the file says.
TEST(Settings, TheEraseChordKeepsTwoKeysOfItsOwn) {
  struct Case {
    const char* Lines;
    std::vector<std::pair<const char*, const char*>> Keys;  // action, key it ends with
    int Refused;
  };
  const Case cases[] = {
      {"erase = Z", {{"erase", "Q"}, {"charge_1", "Z"}}, 1},
      {"charge_1 = Q", {{"erase", "Q"}, {"charge_1", "Z"}}, 1},
      {"erase = X", {{"erase", "Q"}, {"fire_1", "X"}}, 1},          // fire_1's key
      {"pause = Z", {{"pause", "P"}, {"charge_1", "Z"}}, 1},        // the chord's other key
      {"erase = W\nfire_1 = W", {{"erase", "Q"}, {"fire_1", "W"}}, 1},
      {"erase = Z\npause = Q", {{"erase", "Q"}, {"pause", "P"}}, 2},  // refusing one brings the next
      {"erase = Z\ncharge_1 = Q", {{"erase", "Z"}, {"charge_1", "Q"}}, 0},  // swapped: still two keys
      {"erase = W\ncharge_1 = 2", {{"erase", "W"}, {"charge_1", "2"}}, 0},
      {"fire_1 = C", {{"fire_1", "C"}, {"erase", "Q"}}, 0},  // other actions may share, as before
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Lines);
    std::ostringstream warnings;
    Settings s = ParseSettings(std::string("[keys]\n") + c.Lines + "\n", "settings.ini", warnings);
    const std::string w = warnings.str();
    for (auto [action, key] : c.Keys) EXPECT_EQ(NameForScanCode(s.Keys[Action(action)]), key) << action << "\n" << w;
    int refused = 0;
    for (size_t at = w.find("is refused"); at != std::string::npos; at = w.find("is refused", at + 1)) ++refused;
    EXPECT_EQ(refused, c.Refused) << w;
    const KeyBindings b = s.Bindings();
    EXPECT_NE(b.Source[KeyQ], b.Source[KeyZ]);
  }
}

// A file of garbage: a screenful of lines at most, each short, with no byte that a terminal would
// take as a command; the count of the rest is said.
TEST(Settings, AFileOfGarbageIsReportedBrieflyAndSafely) {
  std::string text = "[keys]\nfire_1 = \x1b[2J\x1b]0;owned\x07\n" + std::string(1 << 20, 'x') + "\n";
  for (int i = 0; i < 5000; ++i) text += "junk " + std::to_string(i) + "\n";
  text += "pause = \xff\xfe\nfire_2 = " + std::string(100, '\x9b') + "\n";  // 0x9B: a terminal's CSI
  std::ostringstream warnings;
  ParseSettings(text, "settings.ini", warnings);
  const std::string w = warnings.str();
  EXPECT_EQ(Lines(w), SettingsWarningsShown + 1);
  EXPECT_NE(w.find("settings.ini: 4984 more problems not shown\n"), std::string::npos) << w.substr(w.size() - 200);
  EXPECT_NE(w.find("'fire_1 = \\x1B[2J\\x1B]0;owned\\x07' is not a key name"), std::string::npos) << w;
  EXPECT_NE(w.find("a line of 1048576 characters ('xxxx"), std::string::npos);
  std::istringstream lines(w);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size(), 300u);
    for (unsigned char ch : line) ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << line;
  }
}

// Without HOME (a service, env -i) the account's home from the password database is used; with no
// home at all the game says so and plays without writing a save or settings anywhere.
TEST(SettingsFile, WithoutHomeTheAccountsHomeOrNothingAtAll) {
  struct Env {
    std::string Name;
    std::optional<std::string> Was;
  };
  std::vector<Env> env;
  for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
    const char* v = std::getenv(name);
    env.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
    unsetenv(name);
  }
  const passwd* pw = getpwuid(getuid());
  ASSERT_TRUE(pw && pw->pw_dir && *pw->pw_dir);
  const std::string home = pw->pw_dir;
  EXPECT_EQ(DefaultSavePath(), home + "/.local/share/zorvane2/Game Save.gsv");
  EXPECT_EQ(DefaultSettingsPath(), home + "/.config/zorvane2/settings.ini");
  for (const Env& e : env)
    if (e.Was) setenv(e.Name.c_str(), e.Was->c_str(), 1);

  // An account the password database does not know, started from a folder of its own.
  if (geteuid() != 0) GTEST_SKIP() << "only root can start the game as an unknown user";
  TempDir dir;
  fs::permissions(dir.Path, fs::perms::all);
  WriteFile(dir.File("close.txt"), "3 close\n");
  const std::string cmd = "cd '" + dir.Path.string() +
                          "' && env -u HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME SDL_AUDIODRIVER=dummy "
                          "SDL_VIDEODRIVER=dummy setpriv --reuid=54321 --regid=54321 --clear-groups '" +
                          ZorvaneExe() + "' --windowed --frames 20 --input close.txt 2>err.txt";
  ASSERT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 0) << ReadFile(dir.File("err.txt"));
  const std::string err = ReadFile(dir.File("err.txt"));
  EXPECT_NE(err.find("no home folder (HOME is not set and the password database has none for user 54321); "
                     "playing with the default settings, which are not written"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("no home folder (HOME is not set and the password database has none for user 54321); "
                     "playing without saving"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("progress not saved: there is no home folder"), std::string::npos) << err;
  std::vector<std::string> left;
  for (const auto& e : fs::recursive_directory_iterator(dir.Path)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"close.txt", "err.txt"}));
}
