// The menu screen: completion and unlocks, erase, the level buttons and the sound and music
// switches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "menus/menus.h"
#include "world/sound.h"
#include "world/draw.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

void Hover(TestGame& t, int x, int y) { MenuAt(t, x, y); }
void Click(TestGame& t, int x, int y) { MenuAt(t, x, y, true); }

// The progress in a save file.
ProgressBlock Saved(const std::string& path) {
  std::string bytes = ReadFile(path);
  SaveBlock block{};
  if (bytes.size() >= size_t(SaveBlockSize)) std::memcpy(block.data(), bytes.data(), SaveBlockSize);
  return DecodeProgress(block);
}

// Every goal, ability, gem 0..16, shot and part at its top: the most a player can own
// before the ultimate gem.
ProgressBlock EverythingButTheLastGem() {
  ProgressBlock p = NewPlayerProgress();
  for (int level = 0; level <= 8; ++level) {
    p.ChargeOwned[level] = true;
    p.GoalDone[level].fill(true);
  }
  for (int gem = 0; gem <= 16; ++gem) p.GemOwned[gem] = true;
  p.GoalDone[9][0] = true;
  p.PartLevel.fill(10);
  p.ShotLevel.fill(9);
  return p;
}

// Ten shots at level 9, nine goals, some abilities and gems: sums that land exactly on a half.
ProgressBlock HalfwayPlayer(int abilities) {
  ProgressBlock p = NewPlayerProgress();
  p.ShotLevel.fill(-1);
  for (int shot = 0; shot <= 9; ++shot) p.ShotLevel[shot] = 9;
  p.GoalDone[0].fill(true);
  for (int goal = 0; goal <= 3; ++goal) p.GoalDone[1][goal] = true;
  for (int a = 0; a < abilities; ++a) p.ChargeOwned[a] = true;
  for (int gem = 0; gem <= 15; ++gem) p.GemOwned[gem] = true;
  p.GoalDone[9][0] = true;
  p.PartLevel.fill(8);
  return p;
}

}  // namespace

TEST(Completion, SumsRoundHalvesToEvenAndTheUltimateGemMakesItWhole) {
  TestGame t;
  Game& g = *t;
  // A new player: parts at level 1 give 1.0, the power beam 0.5 + 0.1945.
  EXPECT_NEAR(CompletionSum(g.Progress), 1.6945f, 1e-6);
  CompletionUpdate(g);
  EXPECT_EQ(g.Progress.Stats[StatCompletion], 2);

  g.Progress = HalfwayPlayer(3);
  ASSERT_EQ(CompletionSum(g.Progress), 49.5f);
  MenuFrame(g);
  EXPECT_EQ(g.Progress.Stats[StatCompletion], 50);
  EXPECT_EQ(g.Progress.ShotLevel[15], 0);  // unlocked at 50 %

  g.Progress = HalfwayPlayer(2);
  ASSERT_EQ(CompletionSum(g.Progress), 48.5f);
  MenuFrame(g);
  EXPECT_EQ(g.Progress.Stats[StatCompletion], 48);
  EXPECT_EQ(g.Progress.ShotLevel[15], -1);

  g.Progress = EverythingButTheLastGem();
  EXPECT_NEAR(CompletionSum(g.Progress), 98.65f, 1e-4);
  MenuFrame(g);
  EXPECT_EQ(g.Progress.Stats[StatCompletion], 99);
  EXPECT_TRUE(g.Progress.GemOwned[17]);  // given in the same frame
  MenuFrame(g);
  EXPECT_EQ(g.Progress.Stats[StatCompletion], 100);
}

TEST(Unlocks, CompletionThresholdsOpenTheMiniGameGemsAndRareShots) {
  TestGame t;
  Game& g = *t;
  ProgressBlock& p = g.Progress;
  p.ShotLevel[16] = 4;  // already open: left as it is
  // Completion, then: the mini game open, shots 15 and 17, gems 16 and 17. Each threshold is
  // reached exactly at its value; unlocks never lock again.
  const std::tuple<Long, bool, Integer, Integer, bool, bool> steps[] = {
      {14, false, -1, -1, false, false}, {15, true, -1, -1, false, false}, {49, true, -1, -1, false, false},
      {50, true, 0, -1, false, false},   {79, true, 0, -1, false, false},  {80, true, 0, 0, false, false},
      {89, true, 0, 0, false, false},    {90, true, 0, 0, true, false},    {98, true, 0, 0, true, false},
      {99, true, 0, 0, true, true},      {0, true, 0, 0, true, true}};
  for (auto [completion, mini, shot15, shot17, gem16, gem17] : steps) {
    p.Stats[StatCompletion] = completion;
    UnlockUpdate(g);
    EXPECT_EQ(std::tuple(p.LevelOpen[10], p.ShotLevel[15], p.ShotLevel[16], p.ShotLevel[17], p.GemOwned[16],
                         p.GemOwned[17]),
              std::tuple(mini, shot15, Integer(4), shot17, gem16, gem17))
        << completion;
  }
}

TEST(Unlocks, StatisticsAndGoalsGiveTheAchievementGems) {
  TestGame t;
  Game& g = *t;
  ProgressBlock& p = g.Progress;
  // Each gem: not given while one condition is missing, given once it is met.
  auto gives = [&](int gem, auto&& almost, auto&& last) {
    almost();
    UnlockUpdate(g);
    EXPECT_FALSE(p.GemOwned[gem]) << gem;
    last();
    UnlockUpdate(g);
    EXPECT_TRUE(p.GemOwned[gem]) << gem;
  };
  gives(10, [&] { p.Stats[StatPotionsUsed] = 14; }, [&] { p.Stats[StatPotionsUsed] = 15; });
  gives(11, [&] { p.Stats[StatLevelsPlayed] = 49; }, [&] { p.Stats[StatLevelsPlayed] = 50; });
  // Goal 2 of levels 1 to 9.
  gives(12, [&] { for (int l = 0; l <= 7; ++l) p.GoalDone[l][2] = true; }, [&] { p.GoalDone[8][2] = true; });
  // The kill goals: goal 4 of levels 1, 2, 4, 6 and goal 3 of levels 3, 5, 7, 8, 9.
  gives(13, [&] {
        for (int l : {0, 1, 3, 5}) p.GoalDone[l][4] = true;
        for (int l : {2, 4, 6, 7}) p.GoalDone[l][3] = true;
      }, [&] { p.GoalDone[8][3] = true; });
  EXPECT_FALSE(p.GemOwned[15]);  // the other column of the same levels is still open
  // The no-damage goals: goal 3 of levels 1, 2, 4, 6 and goal 4 of levels 3, 5, 7, 8, 9.
  gives(15, [&] {
        for (int l : {0, 1, 3, 5}) p.GoalDone[l][3] = true;
        for (int l : {2, 4, 6, 7}) p.GoalDone[l][4] = true;
      }, [&] { p.GoalDone[8][4] = true; });
  gives(14, [&] { for (int a = 0; a <= 7; ++a) p.ChargeOwned[a] = true; }, [&] { p.ChargeOwned[8] = true; });
}

TEST(Erase, WipesProgressButKeepsAchievementsSwitchesAndLoadout) {
  TempDir dir;
  TestGame t;
  Game& g = *t;
  t.H.Save.Path = dir.File("save.gsv");
  ProgressBlock& p = g.Progress;
  p = EverythingButTheLastGem();
  p.GemOwned[17] = true;
  p.ChargeOwned[12] = true;
  p.Points = 12345;
  p.LevelOpen.fill(true);
  p.Potions = {5, 4, 3};
  p.Stats = {1, 2, 3, 4, 5, 6, 7, 8, 9, 100};
  p.PlayTime = {1, 2, 3};
  p.GoalDone[11][2] = true;
  p.SoundOn = false;
  p.MusicOn = true;
  g.Ship.CurShot1 = 7;
  g.Ship.CurShot2 = 0;
  g.Ship.Special1 = 3;
  g.Ship.GemType2 = 5;

  g.Keys[KeyQ] = g.Keys[KeyZ] = true;
  Click(t, 779, 555);
  EXPECT_EQ(Saved(t.H.Save.Path), p);  // and saved at once
  // Wiped to the new player's: points, shots, parts, levels, abilities and gems 0 to 8, the goals
  // of levels 1 to 10, statistics, potions and the play clock.
  ProgressBlock fresh = NewPlayerProgress();
  EXPECT_EQ(std::tie(p.Points, p.ShotLevel, p.PartLevel, p.LevelOpen, p.Stats, p.Potions, p.PlayTime),
            std::tie(fresh.Points, fresh.ShotLevel, fresh.PartLevel, fresh.LevelOpen, fresh.Stats, fresh.Potions,
                     fresh.PlayTime));
  EXPECT_EQ(std::count(p.ChargeOwned.begin(), p.ChargeOwned.begin() + 9, true), 0);
  EXPECT_EQ(std::count(p.GemOwned.begin(), p.GemOwned.begin() + 9, true), 0);
  for (int l = 0; l <= 9; ++l) EXPECT_EQ(p.GoalDone[l], (std::array<bool, 5>{}));
  // Kept: the achievement gems, the spare ability flags, the goals of the modes, the switches.
  EXPECT_EQ(std::count(p.GemOwned.begin() + 9, p.GemOwned.end(), true), 9);
  EXPECT_TRUE(p.ChargeOwned[12] && p.GoalDone[11][2] && !p.SoundOn && p.MusicOn);
  // Abilities and gems stay on the ship; a shot that is locked now comes off it.
  EXPECT_EQ(std::tuple(g.Ship.Special1, g.Ship.GemType2, g.Ship.CurShot2, g.Ship.CurShot1), std::tuple(3, 5, 0, -1));
  // The frame that erased still shows the old figure; the next one recomputes it.
  MenuFrame(g);
  EXPECT_EQ(p.Stats[StatCompletion], 100);  // gem 17 survives an erase
  p.GemOwned[17] = false;
  MenuFrame(g);
  EXPECT_EQ(p.Stats[StatCompletion], RoundToLong(CompletionSum(p)));

}

TEST(Erase, ALockedFirstSlotFallsBackToThePowerBeam) {
  TestGame t;
  Game& g = *t;
  g.Ship.CurShot1 = 12;
  g.Ship.CurShot2 = 3;
  EraseProgress(g);
  EXPECT_EQ(g.Ship.CurShot1, 0);
  EXPECT_EQ(g.Ship.CurShot2, -1);
}

TEST(LevelButtons, OpenLevelsStartOnAClickLockedOnesStaySilent) {
  TestGame t;
  Game& g = *t;
  Click(t, 50, 143);  // level 2, locked
  EXPECT_TRUE(g.InMenu);
  EXPECT_TRUE(t.Plat.SoundsPlayed.empty());
  EXPECT_EQ(g.Menu.HelpLines[0], "         BEAT LEVEL 1 TO PROCEDE TO THIS LEVEL.");
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 167, 147, 194, 9, 135));
  for (auto [y, line] : {std::pair(470, " HAVE 15% COMPLETION TO UNLOCK THIS LEVEL"),
                         {540, " BEAT LEVEL 10 TO UNLOCK THIS LEVEL"}}) {
    Hover(t, 50, y);
    EXPECT_EQ(g.Menu.HelpLines[0], line);
  }
  t.Plat.ClearRecords();
  Click(t, 50, 110);  // level 1
  EXPECT_FALSE(g.InMenu);
  EXPECT_EQ(t.Plat.SoundsPlayed.front(), SoundLevelSelect);
}

TEST(MenuScreen, MusicStartsOnceAndTheSwitchesWork) {
  TestGame t;
  Game& g = *t;
  Hover(t, 0, 0);
  Hover(t, 0, 0);
  EXPECT_EQ(t.Plat.MusicCalls, (std::vector<std::string>{"volume -800", "load Menu", "play"}));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, 702, 489));  // the marks on "on"
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, 702, 529));
  t.Plat.ClearRecords();
  // Sound off (silent, the mark moves), music off, sound on (heard), music on (the loaded track again).
  const std::tuple<int, int, bool, bool, std::vector<std::string>, std::vector<int>> clicks[] = {
      {742, 489, false, true, {}, {}},
      {779, 553, false, false, {"stop"}, {}},
      {702, 513, true, false, {"stop"}, {SoundSelect}},
      {739, 529, true, true, {"stop", "play"}, {SoundSelect, SoundSelect}}};
  for (const auto& [x, y, sound, music, calls, sounds] : clicks) {
    Click(t, x, y);
    EXPECT_EQ(std::tuple(g.Progress.SoundOn, g.Progress.MusicOn, t.Plat.MusicCalls, t.Plat.SoundsPlayed),
              std::tuple(sound, music, calls, sounds))
        << x << "," << y;
    EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, sound ? 702 : 742, 489));
    EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, music ? 702 : 742, 529));
  }
  EXPECT_TRUE(g.Harness.Music.Playing);
}

