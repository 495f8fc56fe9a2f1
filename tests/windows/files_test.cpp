// The player's files on Windows: where they live, folders named in any language, the atomic
// replace, one copy of the game per save, damaged saves set aside, and the executable itself
// started with such paths. Run under Wine in CI.
#include <gtest/gtest.h>

#include <windows.h>
#undef ReplaceFile  // the game's own, not windows.h's ReplaceFileW

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <sstream>

#include "platform/data_folders.h"
#include "save/safe_file.h"
#include "save/save_file.h"
#include "shell/settings.h"
#include "test_support.h"
#include "windows/wide_text.h"

namespace fs = std::filesystem;

namespace {

// A folder name no code page holds whole: Latin, Greek, Cyrillic and Han letters.
const std::string Unicode = "Spielstände Ελληνικά Сохранения 存档";

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = wchar_t(std::towlower(c));
  return s;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(PathOf(path), ec);
}

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(PathOf(folder))) names.push_back(TextOf(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

struct StderrCapture {
  StderrCapture() { testing::internal::CaptureStderr(); }
  std::string Lines() { return testing::internal::GetCapturedStderr(); }
};

ProgressBlock Progress(Long points) {
  ProgressBlock p = NewPlayerProgress();
  p.Points = points;
  p.LevelOpen[3] = true;
  p.PlayTime = {2, 30, 15};
  return p;
}

}  // namespace

TEST(WindowsFiles, ThePlayersFilesLiveWhereWindowsSays) {
  // The roaming application data folder, as the system names it (Wine sets APPDATA to it too).
  const std::string folder = PlayerFolder("XDG_DATA_HOME", ".local/share");
  ASSERT_FALSE(folder.empty());
  const wchar_t* appData = _wgetenv(L"APPDATA");
  ASSERT_NE(appData, nullptr);
  EXPECT_EQ(Lower(WideOf(folder)), Lower(std::wstring(appData) + L"\\zorvane2"));
  EXPECT_EQ(TextOf(PathOf(folder).filename()), "Zorvane2");
  EXPECT_EQ(DefaultSavePath(), folder + "\\Game Save.gsv");
  EXPECT_EQ(DefaultSettingsPath(), folder + "\\settings.ini");
  // The settings go beside the save whatever kind of file is asked for.
  EXPECT_EQ(PlayerFolder("XDG_CONFIG_HOME", ".config"), folder);
  // Screenshots go to a folder that is there (the pictures folder, else the game's own).
  std::error_code ec;
  const std::string pictures = ScreenshotFolder();
  EXPECT_TRUE(pictures == folder || fs::is_directory(PathOf(pictures), ec)) << pictures;
}

TEST(WindowsFiles, SaveAndSettingsWorkInFoldersNamedInAnyLanguage) {
  TempDir dir;
  const std::string folder = TextOf(dir.Path / PathOf(Unicode));
  const std::string path = TextOf(PathOf(folder) / "Game Save.gsv");
  {
    SaveStore store;
    store.Path = path;
    StderrCapture quiet;
    EXPECT_EQ(store.Load().Points, NewPlayerProgress().Points);  // nothing there yet: a new player
    EXPECT_TRUE(store.Save(Progress(123456)));
    EXPECT_EQ(quiet.Lines(), "");
  }
  // The folder was made, the file is the 350-byte block, and no temporary file is left.
  EXPECT_EQ(ReadFile(path).size(), size_t(SaveBlockSize));
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"Game Save.gsv", "Game Save.gsv.lock"}));
  SaveStore again;
  again.Path = path;
  const ProgressBlock loaded = again.Load();
  EXPECT_EQ(loaded.Points, 123456);
  EXPECT_TRUE(loaded.LevelOpen[3]);
  EXPECT_EQ(loaded.PlayTime, (std::array<Integer, 3>{2, 30, 15}));

  // The settings: made with the defaults at the first start, then read back as changed.
  SettingsFile f;
  f.Path = TextOf(PathOf(folder) / "settings.ini");
  std::ostringstream said;
  Settings s = LoadSettings(f, said);
  EXPECT_EQ(said.str(), "");
  ASSERT_TRUE(Exists(f.Path));
  s.MusicVolume = 35;
  s.Window.FullScreen = false;
  EXPECT_TRUE(SaveSettings(f, s, said));
  SettingsFile g;
  g.Path = f.Path;
  const Settings read = LoadSettings(g, said);
  EXPECT_EQ(read.MusicVolume, 35);
  EXPECT_FALSE(read.Window.FullScreen);
  EXPECT_EQ(said.str(), "");
}

TEST(WindowsFiles, AFailedReplaceKeepsTheOldFile) {
  TempDir dir;
  const std::string file = TextOf(dir.Path / PathOf(Unicode + ".ini"));
  ASSERT_EQ(ReplaceFile(file, "old", 0644), 0);
  ASSERT_EQ(ReplaceFile(file, "new and longer", 0644), 0);
  EXPECT_EQ(ReadFile(file), "new and longer");
  // A write that fails before the move leaves the old file and nothing else.
  EXPECT_EQ(ReplaceFile(file, "lost", 0644, [](SaveStep s) { return s == SaveStep::Sync ? EIO : 0; }), EIO);
  EXPECT_EQ(ReplaceFile(file, "lost", 0644, [](SaveStep s) { return s == SaveStep::CreateTemp ? ENOSPC : 0; }),
            ENOSPC);
  EXPECT_EQ(ReadFile(file), "new and longer");
  EXPECT_EQ(Names(TextOf(dir.Path)).size(), 1u);
  // A file the player made read-only is not replaced behind their back.
  ASSERT_TRUE(SetFileAttributesW(WideOf(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_NE(ReplaceFile(file, "refused", 0644), 0);
  EXPECT_EQ(ReadFile(file), "new and longer");
  EXPECT_EQ(Names(TextOf(dir.Path)).size(), 1u);
  SetFileAttributesW(WideOf(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFiles, OneCopyOfTheGameWritesTheSave) {
  TempDir dir;
  const std::string path = dir.File("Game Save.gsv");
  auto first = std::make_unique<SaveStore>();
  first->Path = path;
  first->Load();
  EXPECT_TRUE(first->Session.NoSaving.empty());
  {
    // A second copy plays from what is saved, and never writes it.
    SaveStore second;
    second.Path = path;
    StderrCapture said;
    second.Load();
    EXPECT_NE(second.Session.NoSaving.find("another copy of the game is using"), std::string::npos);
    EXPECT_FALSE(second.Save(Progress(1)));
    EXPECT_NE(said.Lines().find("playing without saving"), std::string::npos);
  }
  EXPECT_FALSE(Exists(path));
  // Once the first copy is gone, the lock is free again.
  first.reset();
  SaveStore third;
  third.Path = path;
  third.Load();
  EXPECT_TRUE(third.Session.NoSaving.empty());
  EXPECT_TRUE(third.Save(Progress(7)));
}

TEST(WindowsFiles, DamagedSavesAreSetAsideAndKilledWritesTidied) {
  TempDir dir;
  const std::string path = dir.File("Game Save.gsv");
  for (const char* aside : {"Game Save.gsv.bad", "Game Save.gsv.bad.2"}) {
    WriteFile(path, std::string(100, 'x'));
    SaveStore store;
    store.Path = path;
    StderrCapture said;
    EXPECT_EQ(store.Load().Points, 0);
    EXPECT_NE(said.Lines().find("holds only 100 of 350 bytes"), std::string::npos);
    EXPECT_TRUE(Exists(dir.File(aside))) << aside;
    EXPECT_FALSE(Exists(path));
  }
  EXPECT_EQ(ReadFile(dir.File("Game Save.gsv.bad")), std::string(100, 'x'));

  // What a killed write left goes at the next start; one a running write holds stays.
  WriteFile(dir.File("Game Save.gsv.tmpAb12Cd"), "half");
  WriteFile(dir.File("Game Save.gsv.tmpHeld01"), "writing");
  WriteFile(dir.File("Game Save.gsv.tmp-not-ours"), "kept");
  HANDLE held = CreateFileW(WideOf(dir.File("Game Save.gsv.tmpHeld01")).c_str(), GENERIC_WRITE | DELETE,
                            FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SaveStore store;
  store.Path = path;
  store.Load();
  CloseHandle(held);
  EXPECT_FALSE(Exists(dir.File("Game Save.gsv.tmpAb12Cd")));
  EXPECT_TRUE(Exists(dir.File("Game Save.gsv.tmpHeld01")));
  EXPECT_TRUE(Exists(dir.File("Game Save.gsv.tmp-not-ours")));

  // A folder where the save should be is never touched: the game plays without saving.
  TempDir other;
  fs::create_directory(other.Path / "Game Save.gsv");
  SaveStore folder;
  folder.Path = other.File("Game Save.gsv");
  StderrCapture said;
  folder.Load();
  EXPECT_NE(folder.Session.NoSaving.find("is a folder, not a file"), std::string::npos);
  EXPECT_FALSE(folder.Save(Progress(1)));
  said.Lines();
  EXPECT_TRUE(fs::is_directory(other.Path / "Game Save.gsv"));
}

TEST(WindowsProgram, StartsFromAnyFolderWithItsArgumentsWhole) {
  std::string out, err;
  ASSERT_EQ(RunZorvane("--version", &out, &err), 0) << err;
  EXPECT_EQ(out, "zorvane2 " ZORVANE_VERSION "\n");
  // The help names the files where this system keeps them.
  ASSERT_EQ(RunZorvane("--help", &out, &err), 0) << err;
  EXPECT_NE(out.find("%APPDATA%\\Zorvane2\\Game Save.gsv"), std::string::npos) << out;
  EXPECT_EQ(out.find("XDG_"), std::string::npos) << out;
  EXPECT_EQ(RunZorvane("--no-such-option", &out, &err), 2);
  EXPECT_NE(err.find("--no-such-option"), std::string::npos) << err;

  // A headless run whose save and script are in a folder named in several scripts: the window
  // is closed in frame 3, which saves the progress there.
  TempDir dir;
  const fs::path folder = dir.Path / PathOf(Unicode);
  fs::create_directory(folder);
  const std::string script = TextOf(folder / "close.txt"), save = TextOf(folder / "Game Save.gsv");
  WriteFile(script, "3 close\n");
  ASSERT_EQ(RunZorvane("--headless --frames 10 --input '" + script + "' --save-file '" + save + "'", &out, &err), 0)
      << err;
  EXPECT_EQ(ReadFile(save).size(), size_t(SaveBlockSize)) << err;
}
