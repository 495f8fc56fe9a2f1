// The save file: the block's byte layout, validation on load, and the safe write.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <random>
#include <tuple>

#include "save/save_file.h"
#include "test_support.h"

namespace {

int Read16(const SaveBlock& b, int at) { return int16_t(uint16_t(b[at] | b[at + 1] << 8)); }
long Read32(const SaveBlock& b, int at) {
  return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24);
}
void Write16(SaveBlock& b, int at, int v) {
  b[at] = uint8_t(v & 0xFF);
  b[at + 1] = uint8_t((v >> 8) & 0xFF);
}
std::string Bytes(const SaveBlock& b) { return std::string(b.begin(), b.end()); }

// A legal block with a different value in every field.
ProgressBlock DistinctProgress() {
  ProgressBlock p;
  p.Points = 0x12345678;
  for (int i = 0; i < 20; ++i) p.ShotLevel[i] = Integer(i % 11 - 1);
  for (int i = 0; i < 5; ++i) p.PartLevel[i] = Integer(10 - i);
  for (int i = 0; i < 18; ++i) p.ChargeOwned[i] = i % 3 == 0;
  for (int i = 0; i < 18; ++i) p.GemOwned[i] = i % 4 == 1;
  for (int i = 0; i < 14; ++i) p.LevelOpen[i] = i % 2 == 0;
  p.Potions = {1, 4, 5};
  p.GoalDone[3][2] = true;
  p.GoalDone[13][4] = true;
  for (int i = 0; i < 10; ++i) p.Stats[i] = Long(1000003L * i - 7);
  p.Stats[StatCompletion] = 73;
  p.PlayTime = {1234, 59, 7};
  p.SoundOn = false;
  p.MusicOn = true;
  return p;
}

struct StderrCapture {
  StderrCapture() { testing::internal::CaptureStderr(); }
  std::string Lines() { return testing::internal::GetCapturedStderr(); }
};

int CountLines(const std::string& s) { return int(std::count(s.begin(), s.end(), '\n')); }

// A game with no progress loaded yet and its save file in a fresh folder.
struct SaveGame {
  TempDir Dir;
  TestGame T{false};
  explicit SaveGame(const std::string& name = "Game Save.gsv") { T.H.Save.Path = Dir.File(name); }
  Game& G() { return *T; }
  const std::string& Path() { return T.H.Save.Path; }
};

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(SaveBlockLayout, EveryFieldSitsAtItsOffsetLittleEndian) {
  ProgressBlock p = DistinctProgress();
  SaveBlock b = EncodeProgress(p);
  EXPECT_EQ(Read32(b, 0), 0x12345678);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Read16(b, 4 + 2 * i), p.ShotLevel[i]) << "shot " << i;  // -1 is FF FF
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Read16(b, 44 + 2 * i), p.PartLevel[i]) << "part " << i;
  for (int i = 0; i < 18; ++i) EXPECT_EQ(Read16(b, 54 + 2 * i), p.ChargeOwned[i] ? -1 : 0) << "charge " << i;
  for (int i = 0; i < 18; ++i) EXPECT_EQ(Read16(b, 90 + 2 * i), p.GemOwned[i] ? -1 : 0) << "gem " << i;
  for (int i = 0; i < 14; ++i) EXPECT_EQ(Read16(b, 126 + 2 * i), p.LevelOpen[i] ? -1 : 0) << "level " << i;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Read16(b, 154 + 2 * i), p.Potions[i]) << "potion " << i;
  // The goal index varies fastest: goal g of level index L at 160 + 2 (g + 5 L).
  for (int at = 160; at < 300; at += 2) {
    bool expected = at == 160 + 2 * (2 + 5 * 3) || at == 160 + 2 * (4 + 5 * 13);
    EXPECT_EQ(Read16(b, at), expected ? -1 : 0) << "offset " << at;
  }
  EXPECT_EQ(Read16(b, 298), -1);  // the very last goal ends right before the statistics
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Read32(b, 300 + 4 * i), p.Stats[i]) << "stat " << i;
  EXPECT_EQ((std::array{Read16(b, 340), Read16(b, 342), Read16(b, 344), Read16(b, 346), Read16(b, 348)}),
            (std::array{1234, 59, 7, 0, -1}));
}

TEST(SaveBlockLayout, RoundTripsEveryFieldBitForBit) {
  ProgressBlock p = DistinctProgress();
  int clamped = -1;
  EXPECT_EQ(DecodeProgress(EncodeProgress(p), &clamped), p);
  EXPECT_EQ(clamped, 0);
  // The extremes of every unchecked field, and random legal blocks.
  p.Points = INT32_MIN;
  p.Stats = {INT32_MAX, INT32_MIN, -1, 0, 1, INT32_MAX, 65536, -65536, 12345, 100};
  p.PlayTime = {-32768, 0, 59};
  EXPECT_EQ(DecodeProgress(EncodeProgress(p)), p);
  std::mt19937 rng(42);
  for (int round = 0; round < 200; ++round) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    ProgressBlock q;
    q.Points = Long(rng());
    for (auto& v : q.ShotLevel) v = Integer(pick(-1, 9));
    for (auto& v : q.PartLevel) v = Integer(pick(1, 10));
    for (auto& v : q.ChargeOwned) v = pick(0, 1);
    for (auto& v : q.GemOwned) v = pick(0, 1);
    for (auto& v : q.LevelOpen) v = pick(0, 1);
    for (auto& v : q.Potions) v = Integer(pick(0, 5));
    for (auto& level : q.GoalDone)
      for (auto& v : level) v = pick(0, 1);
    for (auto& v : q.Stats) v = Long(rng());
    q.Stats[StatCompletion] = pick(0, 100);
    q.PlayTime = {Integer(pick(-32768, 32767)), Integer(pick(0, 59)), Integer(pick(0, 59))};
    q.SoundOn = pick(0, 1), q.MusicOn = pick(0, 1);
    SaveBlock bytes = EncodeProgress(q);
    ASSERT_EQ(DecodeProgress(bytes), q) << "round " << round;
    ASSERT_EQ(EncodeProgress(DecodeProgress(bytes)), bytes) << "round " << round;
  }
}

TEST(SaveBlockValidation, OutOfRangeValuesAreClampedAndNonZeroIsTrue) {
  SaveBlock b = EncodeProgress(NewPlayerProgress());
  Write16(b, 4 + 2 * 3, 10);      // shot level 10 -> 9
  Write16(b, 4 + 2 * 4, -2);      // shot level -2 -> -1
  Write16(b, 44 + 2 * 0, 0);      // part level 0 -> 1
  Write16(b, 44 + 2 * 4, 11);     // part level 11 -> 10
  Write16(b, 154 + 2 * 0, -1);    // potions -1 -> 0
  Write16(b, 154 + 2 * 2, 6);     // potions 6 -> 5
  Write16(b, 340, -3);            // hours are left as they are
  Write16(b, 342, 60);            // minutes 60 -> 59
  Write16(b, 344, -1);            // seconds -1 -> 0
  b[300 + 4 * 9] = 101;           // completion 101 -> 100
  Write16(b, 54 + 2 * 5, 1);      // Booleans: any non-zero value reads true
  Write16(b, 90 + 2 * 7, 0x0100);
  Write16(b, 160 + 2 * (1 + 5 * 2), 0x8000);
  Write16(b, 346, 0);
  int clamped = 0;
  ProgressBlock p = DecodeProgress(b, &clamped);
  EXPECT_EQ(clamped, 9);
  EXPECT_EQ((std::array{p.ShotLevel[3], p.ShotLevel[4], p.PartLevel[0], p.PartLevel[4], p.Potions[0], p.Potions[2]}),
            (std::array<Integer, 6>{9, -1, 1, 10, 0, 5}));
  EXPECT_EQ(p.PlayTime, (std::array<Integer, 3>{-3, 59, 0}));
  EXPECT_EQ(p.Stats[StatCompletion], 100);
  EXPECT_TRUE(p.ChargeOwned[5] && p.GemOwned[7] && p.GoalDone[2][1]);
  EXPECT_FALSE(p.SoundOn);
  // Written back, a true is always -1.
  EXPECT_EQ(Read16(EncodeProgress(p), 54 + 2 * 5), -1);

  b[300 + 4 * 9] = 0xFF;  // completion -1 -> 0
  b[301 + 4 * 9] = b[302 + 4 * 9] = b[303 + 4 * 9] = 0xFF;
  EXPECT_EQ(DecodeProgress(b).Stats[StatCompletion], 0);
}

TEST(SaveFileLoad, ReadsOnlyTheFirst350BytesAndWarnsOnceAboutClamps) {
  SaveGame s;
  ProgressBlock p = DistinctProgress();
  WriteFile(s.Path(), Bytes(EncodeProgress(p)) + std::string(50, '\x7f'));
  {
    StderrCapture err;
    s.G().Progress = s.T.H.Save.Load();
    EXPECT_EQ(err.Lines(), "");
  }
  EXPECT_EQ(s.G().Progress, p);
  EXPECT_EQ(ReadFile(s.Path()).size(), 400u);  // the file itself is left alone
  SaveBlock bad = EncodeProgress(p);
  Write16(bad, 44, 99);
  Write16(bad, 154, 99);
  WriteFile(s.Path(), Bytes(bad));
  StderrCapture err;
  s.G().Progress = s.T.H.Save.Load();
  std::string lines = err.Lines();
  EXPECT_EQ(CountLines(lines), 1) << lines;
  EXPECT_EQ(s.G().Progress.PartLevel[0], 10);
  EXPECT_EQ(s.G().Progress.Potions[0], 5);
}

TEST(SaveFileLoad, AShortOrEmptyFileIsKeptAsBadAndTheGameStartsNew) {
  SaveGame s;
  const std::string contents[] = {Bytes(EncodeProgress(DistinctProgress())).substr(0, 349), std::string()};
  for (int i = 0; i < 2; ++i) {
    WriteFile(s.Path(), contents[i]);
    s.G().Progress = DistinctProgress();
    StderrCapture err;
    s.G().Progress = s.T.H.Save.Load();
    std::string lines = err.Lines();
    EXPECT_EQ(CountLines(lines), 1) << lines;
    EXPECT_NE(lines.find(".bad"), std::string::npos) << lines;
    EXPECT_EQ(s.G().Progress, NewPlayerProgress());
    EXPECT_FALSE(std::filesystem::exists(s.Path()));
  }
  // The second one set aside does not replace the first.
  EXPECT_EQ(ReadFile(s.Path() + ".bad"), contents[0]);
  EXPECT_EQ(ReadFile(s.Path() + ".bad.2"), contents[1]);
}

#ifndef _WIN32
// The faults below are made with POSIX links, pipes and file-size limits; on Windows the same
// promises are checked in windows/files_test.cpp.

// Whatever is at the save path, the game starts, and no progress is ever written over: a file it
// cannot read is moved aside first (where that fails, nothing is saved at all), a link is followed
// and stays a link, and a folder, pipe or device is never touched. Faults the system will not make
// for root (who may read anything) are made through the loader's and saver's fault seam.
TEST(SaveFileFaults, NothingAtThePathIsReplacedOrLost) {
  namespace fs = std::filesystem;
  enum Outcome { Saved, SavedAfterSettingAside, NeverSaved, SaveFails };
  const std::string old = Bytes(EncodeProgress(DistinctProgress()));
  auto file = [&](SaveGame& s) { WriteFile(s.Path(), old); };
  auto linkTo = [](const std::string& to) { return [to](SaveGame& s) { fs::create_symlink(to, s.Path()); }; };
  struct Case {
    const char* Name;
    std::function<void(SaveGame&)> Make;
    std::vector<std::pair<SaveStep, int>> Faults;
    Outcome Result;
    bool Loads;  // the old progress comes back
  };
  const Case cases[] = {
      {"unreadable file", file, {{SaveStep::Open, EACCES}}, SavedAfterSettingAside, false},
      {"read error", file, {{SaveStep::Read, EIO}}, SavedAfterSettingAside, false},
      {"unreadable, cannot be set aside", file, {{SaveStep::Open, EACCES}, {SaveStep::SetAside, EIO}}, NeverSaved,
       false},
      {"folder", [](SaveGame& s) { fs::create_directories(s.Path() + "/keep"); }, {}, NeverSaved, false},
      {"loop of links",
       [](SaveGame& s) {
         fs::create_symlink(s.Path(), s.Dir.File("loop"));
         fs::create_symlink(s.Dir.File("loop"), s.Path());
       },
       {}, NeverSaved, false},
      {"dangling link", linkTo("kept.gsv"), {}, Saved, false},
      {"link to a save in another folder",
       [&](SaveGame& s) {
         fs::create_directory(s.Dir.File("other"));
         WriteFile(s.Dir.File("other/real.gsv"), old);
         fs::create_symlink(s.Dir.File("other/real.gsv"), s.Path());
       },
       {}, Saved, true},
      {"named pipe", [](SaveGame& s) { ASSERT_EQ(mkfifo(s.Path().c_str(), 0600), 0); }, {}, NeverSaved, false},
      {"link to a device", linkTo("/dev/null"), {}, NeverSaved, false},
      {"disk error while saving", file, {{SaveStep::Sync, EIO}}, SaveFails, true},
      {"folder not writable while saving", file, {{SaveStep::CreateTemp, EACCES}}, SaveFails, true},
      {"a file where its folder should be",
       [](SaveGame& s) {
         WriteFile(s.Dir.File("plain"), "not a folder");
         s.T.H.Save.Path = s.Dir.File("plain/Game Save.gsv");
       },
       {}, NeverSaved, false},
      // A lock that cannot be taken, whatever the reason, may be another copy's: the file is read
      // but never written.
      {"lock file is a folder",
       [&](SaveGame& s) {
         file(s);
         fs::create_directory(s.Path() + ".lock");
       },
       {}, NeverSaved, true},
      {"lock file is a named pipe",
       [&](SaveGame& s) {
         file(s);
         ASSERT_EQ(mkfifo((s.Path() + ".lock").c_str(), 0600), 0);
       },
       {}, NeverSaved, true},
      {"lock file is a link",
       [&](SaveGame& s) {
         file(s);
         WriteFile(s.Dir.File("elsewhere"), "");
         fs::create_symlink(s.Dir.File("elsewhere"), s.Path() + ".lock");
       },
       {}, NeverSaved, true},
      {"lock cannot be made", file, {{SaveStep::Lock, EACCES}}, NeverSaved, true},
      // Said at the start, before any progress is made that could not be kept.
      {"read-only folder", file, {{SaveStep::CheckFolder, EROFS}}, NeverSaved, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SaveGame s;
    c.Make(s);
    s.T.H.Save.Session.Fault = [&](SaveStep step) {
      for (auto [at, err] : c.Faults)
        if (at == step) return err;
      return 0;
    };
    const fs::file_status was = fs::symlink_status(s.Path());
    const std::string linkedTo = fs::is_symlink(was) ? fs::read_symlink(s.Path()).string() : "";
    StderrCapture startUp;
    s.G().Progress = s.T.H.Save.Load();
    std::string said = startUp.Lines();
    EXPECT_EQ(s.G().Progress, c.Loads ? DistinctProgress() : NewPlayerProgress()) << said;
    EXPECT_LE(CountLines(said), 1) << said;
    EXPECT_EQ(said.find("without saving") != std::string::npos, c.Result == NeverSaved) << said;

    s.G().Progress.Points = 4500;
    StderrCapture saving;
    EXPECT_EQ(s.T.H.Save.Save(s.G().Progress), c.Result == Saved || c.Result == SavedAfterSettingAside);
    said = saving.Lines();
    EXPECT_EQ(CountLines(said), c.Result == NeverSaved || c.Result == SaveFails) << said;
    EXPECT_EQ(said.find("not saved") != std::string::npos, c.Result == NeverSaved) << said;

    // A link is still the same link, and anything else at the path is what it was.
    EXPECT_EQ(fs::symlink_status(s.Path()).type(), c.Result == SavedAfterSettingAside ? fs::file_type::regular
                                                                                      : was.type());
    if (!linkedTo.empty()) {
      std::error_code notALink;
      EXPECT_EQ(fs::read_symlink(s.Path(), notALink).string(), linkedTo);
    }
    const bool saved = c.Result == Saved || c.Result == SavedAfterSettingAside;
    if (saved || fs::is_regular_file(fs::symlink_status(s.Path()))) {
      EXPECT_EQ(ReadFile(s.Path()), saved ? Bytes(EncodeProgress(s.G().Progress)) : old);
    }
    if (c.Result == SavedAfterSettingAside) {
      EXPECT_EQ(ReadFile(s.Path() + ".bad"), old);
    }
    for (const auto& e : fs::recursive_directory_iterator(s.Dir.Path))
      EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
  }
}
#endif

// Two copies of the game on one save file: the second plays from the progress saved but never
// writes the file, and says so; the file is free again once the first copy is gone.
TEST(SaveFileLock, ASecondCopyPlaysWithoutSavingOverTheFirst) {
  SaveGame first;
  const std::string old = Bytes(EncodeProgress(DistinctProgress()));
  WriteFile(first.Path(), old);
  first.G().Progress = first.T.H.Save.Load();
  TestGame second(false);
  second.H.Save.Path = first.Path();
  StderrCapture err;
  (second->Progress = second.H.Save.Load());
  EXPECT_EQ(second->Progress, DistinctProgress());
  EXPECT_FALSE(second.H.Save.Save(second->Progress));
  std::string said = err.Lines();
  EXPECT_EQ(CountLines(said), 2) << said;
  EXPECT_NE(said.find("another copy of the game is using the save file " + first.Path()), std::string::npos);

  // A second process of the game, closed at once, which saves like the quit button.
  WriteFile(first.Dir.File("close.txt"), "0 close\n");
  std::string errors;
  EXPECT_EQ(RunZorvane("--headless --frames 5 --input '" + first.Dir.File("close.txt") + "' --save-file '" +
                           first.Path() + "'",
                       nullptr, &errors),
            0);
  EXPECT_NE(errors.find("another copy"), std::string::npos) << errors;
  EXPECT_EQ(ReadFile(first.Path()), old);

  first.G().Progress.Points = 777777;
  EXPECT_TRUE(first.T.H.Save.Save(first.G().Progress));
  first.T.H.Save = {};  // the first copy is gone, and its lock with it
  (second->Progress = second.H.Save.Load());
  EXPECT_EQ(second->Progress.Points, 777777);
  EXPECT_TRUE(second.H.Save.Save(second->Progress));
}

TEST(SaveFileWrite, WritesTheBlockThroughATemporaryFileThatIsGoneAfterwards) {
  SaveGame s("deep/er/Game Save.gsv");  // folders are made as needed
  s.G().Progress = DistinctProgress();
  for (Long points : {0x12345678, 5}) {
    s.G().Progress.Points = points;
    EXPECT_TRUE(s.T.H.Save.Save(s.G().Progress));
    EXPECT_EQ(ReadFile(s.Path()), Bytes(EncodeProgress(s.G().Progress)));
  }
  EXPECT_EQ(FolderEntries(s.Dir.Path / "deep/er"), std::vector<std::string>{"Game Save.gsv"});
  TestGame again(false);
  again.H.Save.Path = s.Path();
  (again->Progress = again.H.Save.Load());
  EXPECT_EQ(again->Progress, s.G().Progress);
}

#ifndef _WIN32
TEST(SaveFileWrite, AFailedWriteLeavesThePreviousProgressIntact) {
  SaveGame s;
  Game& g = s.G();
  g.Progress = DistinctProgress();
  ASSERT_TRUE(s.T.H.Save.Save(g.Progress));
  std::string good = ReadFile(s.Path());

  // A disk that fills up in the middle of the write: files may not grow past 100 bytes.
  struct rlimit old {};
  getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  g.Progress = NewPlayerProgress();
  StderrCapture err;
  bool saved = s.T.H.Save.Save(g.Progress);
  std::string lines = err.Lines();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved);
  // (The captured message is cut short by the same limit.)
  EXPECT_NE(lines.find("could not save"), std::string::npos) << lines;
  EXPECT_EQ(ReadFile(s.Path()), good);
  EXPECT_EQ(FolderEntries(s.Dir.Path), std::vector<std::string>{"Game Save.gsv"});
}
#endif
