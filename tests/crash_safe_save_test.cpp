// Saving survives being killed at any moment: a process saves over and over and is killed
// with SIGKILL at a random moment; the file on disk is then always a whole, valid block holding
// the last progress saved or the one before it, never a torn or half-written one; and the next
// start tidies away what the killed save left. The settings file, written the same way, too.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "save/save_file.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

// The player's progress as the saving process leaves it: each save one point richer, with
// the play time and the statistics moving along, so torn blocks cannot pass for whole ones.
ProgressBlock Saved(Long points) {
  ProgressBlock p = NewPlayerProgress();
  p.Points = points;
  p.Stats[StatKills] = points * 3;
  p.PlayTime[2] = static_cast<Integer>(points % 60);
  p.GoalDone[points % 14][points % 5] = true;
  p.ShotLevel[19] = static_cast<Integer>(points % 10);
  return p;
}

// The settings as the writing process leaves them: each write a pixel further right.
Settings Written(int n) {
  Settings s;
  s.Window.X = n;
  s.EffectsVolume = n % 101;
  return s;
}

// Starts a process that writes (`write` returns false when it cannot) over and over, kills it with
// SIGKILL after a few writes or none and a random moment more, and calls `check` with the round.
// ZORVANE_KILL_ROUNDS sets the number of rounds (40 unless set), for a longer try by hand.
void KillWhileWriting(const std::function<bool()>& write, const std::function<void(int)>& check) {
  const char* many = std::getenv("ZORVANE_KILL_ROUNDS");
  const int rounds = many ? std::atoi(many) : 40;
  std::mt19937 rng(20261206);
  for (int round = 0; round < rounds; ++round) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Telling the parent through the pipe each time a write is done.
      close(pipeFds[0]);
      for (const char done = 1;;)
        if (!write()) _exit(3);
        else if (::write(pipeFds[1], &done, 1) != 1) _exit(4);
    }
    close(pipeFds[1]);
    // A few writes done (or none), then the kill somewhere in the middle of the next one: a
    // write takes from well under a millisecond to tens of them, as the disk syncs.
    const int writes = std::uniform_int_distribution<int>(0, 2)(rng);
    char done = 0;
    for (int i = 0; i < writes; ++i) ASSERT_EQ(read(pipeFds[0], &done, 1), 1);
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 25000)(rng)));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writing process stopped by itself, status " << status;
    check(round);
    if (testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace

TEST(CrashSafeSave, KilledWhileSavingLeavesTheOldOrTheNewProgress) {
  TempDir dir;
  const std::string path = dir.File("Game Save.gsv");
  TestGame saver(false);  // each child starts its own copy from what is on the disk
  saver.H.Save.Path = path;
  saver->Progress = Saved(0);
  ASSERT_TRUE(saver.H.Save.Save(saver->Progress));
  Long points = -1, last = 0;
  int moved = 0;
  KillWhileWriting(
      [&] {
        if (points < 0) (saver->Progress = saver.H.Save.Load()), points = saver->Progress.Points;
        saver->Progress = Saved(++points);
        return saver.H.Save.Save(saver->Progress);
      },
      [&](int round) {
        std::string bytes = ReadFile(path);
        ASSERT_EQ(bytes.size(), size_t(SaveBlockSize)) << "round " << round;
        SaveBlock block{};
        std::copy(bytes.begin(), bytes.end(), block.begin());
        int clamped = 0;
        ProgressBlock p = DecodeProgress(block, &clamped);
        EXPECT_EQ(clamped, 0) << "round " << round;
        // Whole: exactly one of the blocks the child saved. Never older than the last one seen.
        ASSERT_EQ(p, Saved(p.Points)) << "round " << round << ": a torn block";
        ASSERT_GE(p.Points, last) << "round " << round << ": saved progress was lost";
        if (p.Points > last) ++moved;
        last = p.Points;
      });
  // The children did get to save: the test is not merely looking at the first file.
  EXPECT_GT(moved, 15);
  // What a killed save leaves behind is only its temporary file, never in the file's place; the
  // next start removes those, and nothing else that only looks like one.
  WriteFile(dir.File("Game Save.gsv.tmpAb3dE9"), "half a save");
  std::vector<std::string> kept = {"Game Save.gsv", "Game Save.gsv.lock", "Game Save.gsv.bad",
                                   "Game Save.gsv.tmp12345", "Game Save.gsv.tmp1234567", "Game Save.gsv.tmpab-cde",
                                   "Other.gsv.tmpABCDEF"};
  for (const std::string& name : kept)
    if (!std::filesystem::exists(dir.File(name))) WriteFile(dir.File(name), "not ours");
  std::filesystem::create_directory(dir.File("Game Save.gsv.tmpFOLDER"));
  kept.push_back("Game Save.gsv.tmpFOLDER");
  TestGame t(false);
  t.H.Save.Path = path;
  (t->Progress = t.H.Save.Load());
  EXPECT_EQ(t->Progress.Points, last);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
}

TEST(CrashSafeSettings, KilledWhileWritingLeavesTheOldOrTheNewFile) {
  TempDir dir;
  SettingsFile f;  // each child starts its own copy from what is on the disk
  f.Path = dir.File("settings.ini");
  std::ostringstream said;
  ASSERT_TRUE(SaveSettings(f, Written(0), said));
  int n = -1, last = 0, moved = 0;
  KillWhileWriting(
      [&] {
        if (n < 0) n = LoadSettings(f, said).Window.X;
        return SaveSettings(f, Written(++n), said);
      },
      [&](int round) {
        // Whole: exactly one of the files the child wrote, read without a word. Never an older one.
        const std::string text = ReadFile(f.Path);
        std::ostringstream warnings;
        const Settings s = ParseSettings(text, "settings.ini", warnings);
        ASSERT_EQ(warnings.str(), "") << "round " << round;
        ASSERT_EQ(text, SettingsText(Written(s.Window.X))) << "round " << round << ": a torn file";
        ASSERT_GE(s.Window.X, last) << "round " << round << ": settings written were lost";
        if (s.Window.X > last) ++moved;
        last = s.Window.X;
      });
  EXPECT_GT(moved, 15);
  // The next start takes away every temporary file the kills left.
  LoadSettings(f, said);
  EXPECT_EQ(f.NoWriting, "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path), {}), 1);
}
