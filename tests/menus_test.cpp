// The menu screen: completion and unlocks, the hover table, erase, the level buttons,
// the options, the panel layout, quitting, and the status bars of play frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "menus/menus.h"
#include "platform/audio.h"
#include "platform/blit.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

void Hover(Game& g, int x, int y) { MenuAt(g, x, y); }
void Click(Game& g, int x, int y) { MenuAt(g, x, y, true); }

// The text written at (x, y), or "(none)".
std::string TextAt(const NullPlatform& p, int x, int y) {
  for (const auto& t : p.Texts)
    if (t.X == x && t.Y == y) return t.Text;
  return "(none)";
}

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
  // Completion, then: the mini game open, shots 15 and 17, gems 16 and 17. Unlocks never lock again.
  const std::tuple<Long, bool, Integer, Integer, bool, bool> steps[] = {
      {14, false, -1, -1, false, false}, {15, true, -1, -1, false, false}, {79, true, 0, -1, false, false},
      {98, true, 0, 0, true, false},     {0, true, 0, 0, true, false}};
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

TEST(HoverTable, RowsFollowTheShopLayoutAndTheGroupsOrder) {
  for (int shot : {0, 7, 19}) {
    const HoverRow& row = HoverTable[2 + shot];
    EXPECT_STREQ(row.Lines[0], ShotNames[shot]);
    EXPECT_EQ(std::tuple(row.Left, row.Top, row.Bottom),
              std::tuple(167 + 49 * (shot % 5), 107 + 49 * (shot / 5), 119 + 49 * (shot / 5)));
  }
  EXPECT_STREQ(HoverTable[22 + 8].Lines[0], ChargeNames[8]);
  EXPECT_EQ(HoverTable[30].Bottom, 579);  // the last ability row runs to the panel's foot
  EXPECT_EQ(std::tuple(HoverTable[48].Top, HoverTable[48].Bottom), std::tuple(558, 578));
  EXPECT_STREQ(HoverTable[59].Lines[0], "WARNING! THIS WILL ERASE DATA FOR GOOD!");
  // Every line is written in capitals (the two ability names keep their small x).
  for (const HoverRow& row : HoverTable)
    for (const char* line : row.Lines) {
      std::string rest = line ? line : "";
      if (rest.ends_with(" x2")) rest.resize(rest.size() - 3);
      EXPECT_TRUE(std::none_of(rest.begin(), rest.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << line;
    }
}

TEST(HoverTable, LaterRowsWinLineByLineAndGemRowsLeaveAGap) {
  TestGame t;
  Game& g = *t;
  const HoverRow rows[2] = {{0, 100, 0, 100, {"A0", "A1", "A2", "A3"}},
                            {50, 150, 50, 150, {"B0", nullptr, "B2", nullptr}}};
  g.MouseX = g.MouseY = 75;
  ApplyHoverRows(g, rows, 2);
  EXPECT_EQ(std::vector<std::string>(g.Menu.HelpLines.begin(), g.Menu.HelpLines.begin() + 4),
            (std::vector<std::string>{"B0", "A1", "B2", "A3"}));

  // Every gem is owned so the shop adds no conditions.
  g.Progress.GemOwned.fill(true);
  Hover(g, 400, 363);
  EXPECT_EQ(g.Menu.HelpLines[0], "THIS GEM WILL INCREASE YOUR ACCELERATION MAKING");
  for (int y = 364; y <= 368; ++y) {
    for (int x : {400, 440}) {
      Hover(g, x, y);
      EXPECT_EQ(g.Menu.HelpLines[0], "") << x << "," << y;
    }
  }
  Hover(g, 440, 369);  // gem 10
  EXPECT_EQ(g.Menu.HelpLines[0], "THIS GEM WILL AUTOMATICALLY USE A HEALTH");
  Hover(g, 420, 369);  // between the columns
  EXPECT_EQ(g.Menu.HelpLines[0], "");
}

TEST(HoverTable, ShopHintsReplaceTheHoverLines) {
  TestGame t;
  Game& g = *t;
  g.Progress.ChargeOwned[7] = true;
  // Where the pointer rests, then a line of the panel: a locked shot's equip band offers the unlock
  // instead of its description, an unlocked one describes itself; a locked ability shows only its
  // condition, an owned one its name; a part, the hover's lines with the shop's price below them.
  const std::tuple<int, int, int, const char*> cases[] = {
      {238, 110, 0, "IT COSTS 100 POINTS TO UNLOCK THE"},     {238, 110, 1, "BOOMERANG SHOT. CLICK HERE TO SPEND"},
      {238, 110, 2, "POINTS AND OPEN UP THIS FOR USE."},      {238, 110, 3, ""},
      {190, 110, 0, "POWER BEAM"},                            {190, 110, 3, "THIS IS AN OVERALL GOOD SHOT"},
      {300, 345, 0, "COMPLETE LEVEL 1'S GOAL TO UNLOCK."},    {300, 345, 1, ""},
      {300, 341 + 27 * 7, 0, "MATRIX"},                       {740, 150, 0, "YOUR SHIPS SPEED. THE HIGHER THIS IS,"},
      {740, 150, 2, "IT COSTS 100 TO LEVEL THIS PART UP"}};
  for (auto [x, y, line, text] : cases) {
    Hover(g, x, y);
    EXPECT_EQ(g.Menu.HelpLines[line], text) << x << "," << y << " line " << line;
  }
}

TEST(Erase, NeedsQAndZWithTheClick) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 777;
  for (auto keys : {std::pair{false, false}, std::pair{true, false}, std::pair{false, true}}) {
    g.Keys[KeyQ] = keys.first;
    g.Keys[KeyZ] = keys.second;
    Click(g, 740, 570);
    EXPECT_EQ(g.Progress.Points, 777);
    EXPECT_EQ(g.Menu.HelpLines[0], "WARNING! THIS WILL ERASE DATA FOR GOOD!");
    EXPECT_EQ(g.Menu.HelpLines[2], "BUTTON TO DELETE DATA.");
  }
  // Both keys but no click: still nothing.
  g.Keys[KeyQ] = g.Keys[KeyZ] = true;
  Hover(g, 740, 570);
  EXPECT_EQ(g.Progress.Points, 777);
}

TEST(Erase, WipesProgressButKeepsAchievementsSwitchesAndLoadout) {
  TempDir dir;
  TestGame t;
  Game& g = *t;
  g.SavePath = dir.File("save.gsv");
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
  Click(g, 779, 555);
  EXPECT_EQ(Saved(g.SavePath), p);  // and saved at once
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
  Click(g, 50, 143);  // level 2, locked
  EXPECT_TRUE(g.InMenu);
  EXPECT_TRUE(t.Plat.SoundsPlayed.empty());
  EXPECT_EQ(g.Menu.HelpLines[0], "         BEAT LEVEL 1 TO PROCEDE TO THIS LEVEL.");
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 167, 147, 194, 9, 135));
  for (auto [y, line] : {std::pair(470, " HAVE 15% COMPLETION TO UNLOCK THIS LEVEL"),
                         {540, " BEAT LEVEL 10 TO UNLOCK THIS LEVEL"}}) {
    Hover(g, 50, y);
    EXPECT_EQ(g.Menu.HelpLines[0], line);
  }
  t.Plat.ClearRecords();
  Click(g, 50, 110);  // level 1
  EXPECT_FALSE(g.InMenu);
  EXPECT_EQ(t.Plat.SoundsPlayed.front(), SoundLevelSelect);
}

TEST(LevelButtons, GoalsTablesStrikeOutMetGoalsInTheCompactLayout) {
  TestGame t;
  Game& g = *t;
  g.Progress.LevelOpen[2] = g.Progress.GoalDone[2][1] = g.Progress.GoalDone[2][4] = true;
  t.Plat.ClearRecords();
  Hover(g, 10, 169);  // level 3
  EXPECT_TRUE(g.Menu.GoalsShown);
  EXPECT_EQ(g.Menu.HelpLines[0], "LEVEL GOALS                                   POINTS GIVEN");
  EXPECT_EQ(g.Menu.HelpLines[2], "TRAVEL LESS THAN 1000                          200");
  EXPECT_EQ(g.Menu.HelpLines[6], "KILL ONE ENEMY                                 NEW GEM");
  EXPECT_EQ(g.Menu.HelpLines[4], "              YOU HAVE 0 POINTS TO SPEND");
  EXPECT_EQ(TextAt(t.Plat, 500, 338 + 12 * 3), g.Menu.HelpLines[3]);
  EXPECT_EQ(TextAt(t.Plat, 500, 338 + 12 * 6), g.Menu.HelpLines[7]);
  EXPECT_EQ(TextAt(t.Plat, 500, 425), g.Menu.HelpLines[4]);
  // Met goals are struck out (goal 2 is line 3, goal 5 line 6).
  EXPECT_EQ(t.Plat.Boxes, (std::vector<std::array<int, 5>>{{498, 379, 712, 380, 0}, {498, 415, 712, 416, 0}}));
  // Shared lines: level 8 takes level 5's gem goal and level 3's charge goal.
  EXPECT_EQ(GoalsTable(7)[6], GoalsTable(4)[6]);
  EXPECT_EQ(GoalsTable(7)[7], GoalsTable(2)[7]);
  EXPECT_EQ(GoalsTable(9)[5], "");

  // Moving away restores the plain layout.
  t.Plat.ClearRecords();
  Hover(g, 300, 20);
  EXPECT_FALSE(g.Menu.GoalsShown);
  EXPECT_TRUE(t.Plat.Boxes.empty());
  EXPECT_EQ(TextAt(t.Plat, 500, 338 + 20 * 3), "THE MOST POWERFUL SPACE FIGHTER EVER!");
}

TEST(LevelButtons, ModeDescriptions) {
  TestGame t;
  Game& g = *t;
  g.Progress.LevelOpen[10] = g.Progress.LevelOpen[11] = true;
  g.Progress.GoalDone[10][0] = true;
  t.Plat.ClearRecords();
  Hover(g, 100, 470);
  EXPECT_TRUE(g.Menu.GoalsShown);
  EXPECT_EQ(g.Menu.HelpLines[5], "LONGER YOU STAY ALIVE, THE MORE POINTS YOU GET.");
  EXPECT_EQ(TextAt(t.Plat, 500, 386), g.Menu.HelpLines[5]);
  EXPECT_EQ(t.Plat.Boxes.size(), 1u);
  Hover(g, 100, 500);
  EXPECT_FALSE(g.Menu.GoalsShown);
  EXPECT_EQ(g.Menu.HelpLines[2], "YOU DONT HAVE TO FACE THE BOSS OF EACH LEVEL.");
  EXPECT_EQ(g.Menu.HelpLines[3], "");
}

TEST(MenuScreen, MusicStartsOnceAndTheSwitchesWork) {
  TestGame t;
  Game& g = *t;
  Hover(g, 0, 0);
  Hover(g, 0, 0);
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
    Click(g, x, y);
    EXPECT_EQ(std::tuple(g.Progress.SoundOn, g.Progress.MusicOn, t.Plat.MusicCalls, t.Plat.SoundsPlayed),
              std::tuple(sound, music, calls, sounds))
        << x << "," << y;
    EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, sound ? 702 : 742, 489));
    EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 102, 44, 140, 69, music ? 702 : 742, 529));
  }
  EXPECT_TRUE(g.Harness.Music.Playing);
}

TEST(MenuScreen, TabsStatisticsClockAndPointer) {
  TestGame t;
  Game& g = *t;
  g.Progress.Stats = {10, 20, 30, 40, 50, 60, 70, 80, 90, 0};
  g.Progress.PlayTime = {1, 2, 3};
  g.Progress.SoundOn = true;
  Click(g, 627, 107);  // tab 2
  EXPECT_EQ(g.Menu.MenuTab, 2);
  EXPECT_EQ(t.Plat.SoundsPlayed, (std::vector<int>{SoundSelect}));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 68, 0, 147, 18, 626, 106));
  EXPECT_TRUE(HasCopy(t.Plat, SheetMenuHelp, 0, 352, 288, 524, 417, 126));
  EXPECT_TRUE(HasCopy(t.Plat, SheetTitle, 0, 0, 800, 600, 0, 0));
  EXPECT_TRUE(HasCopy(t.Plat, SheetMouse, 0, 0, 20, 30, 627, 107));
  EXPECT_EQ(TextAt(t.Plat, 168, 556), "1:2:3");
  EXPECT_EQ(TextAt(t.Plat, 168, 337), "10");
  EXPECT_EQ(TextAt(t.Plat, 168, 337 + 22 * 7), "80");
  EXPECT_EQ(TextAt(t.Plat, 168, 535), "2%");
  // Panel text is black; Stats(8) is never shown.
  for (const auto& text : t.Plat.Texts) {
    EXPECT_EQ(text.Colour, 0u);
    EXPECT_NE(text.Text, "90");
  }
  EXPECT_EQ(g.Level.MarathonStage, 1);
}

TEST(MenuScreen, QuitSavesAndEndsTheLoop) {
  TempDir dir;
  TestGame t;
  Game& g = *t;
  g.SavePath = dir.File("quit.gsv");
  g.Progress.Points = 4321;
  Click(g, 154, 57);
  EXPECT_FALSE(g.GameRunning);
  EXPECT_EQ(Saved(g.SavePath).Points, 4321);
  TestGame other;
  Click(*other, 155, 57);  // just outside
  EXPECT_TRUE(other->GameRunning);
}

TEST(StatusDisplay, BarsShowLifeChargeAndTheBoss) {
  TestGame t;
  Game& g = *t;
  auto show = [&](bool exists, Single life, Single charge, bool boss, Single bossLife) {
    g.Ship.Exists = exists, g.Ship.Life = life, g.Ship.Charge = charge;
    g.Level.BossPhase = boss, g.Level.BossMaxLife = 1000, g.Level.BossLife = bossLife;
    t.Plat.ClearRecords();
    StatusDisplay(g);
    return t.Plat.Copies.size();
  };
  EXPECT_EQ(show(true, 200, 0, false, 0), 3u);  // the frame, life and charge; no boss bar
  EXPECT_TRUE(HasCopy(t.Plat, SheetBackround, 0, 0, 800, 600, 0, 0));
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 0, 0, 51, 201, 35, 75));      // the whole life bar
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 51, 200, 102, 201, 35, 524));  // empty charge: one row
  show(true, 0, 99.5f, false, 0);                                        // 100.5 rounds to 100
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 0, 200, 51, 201, 35, 275));
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 51, 100, 102, 201, 35, 424));
  ASSERT_EQ(show(false, 0, 0, true, 500), 4u);  // the ship gone: frame, charge, boss case, boss fill
  EXPECT_EQ(t.Plat.Copies[1].SrcLeft, 51);
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 152, 0, 204, 451, 715, 75));
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 102, 226, 152, 451, 715, 301));  // 225.5 -> 226
  show(false, 0, 0, true, 1000);
  EXPECT_TRUE(HasCopy(t.Plat, SheetBars, 102, 0, 152, 451, 715, 75));
}

