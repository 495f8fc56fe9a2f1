// The frame dispatcher's own rules: the play clock, leaving a level, click edges, the pointer.
#include <gtest/gtest.h>

#include "test_support.h"

TEST(PlayClock, CountsOneSecondPerFrameAndCatchesUpAfterAStall) {
  TestGame t;
  Game& g = *t;
  g.ClockLastTick = 0;
  g.Progress.PlayTime = {0, 0, 0};
  t.Plat.Ticks = 999;
  AdvancePlayClock(g);
  EXPECT_EQ(g.Progress.PlayTime[2], 0);
  // A 2.5 s stall: one second now, the rest on the following frames, one per frame.
  t.Plat.Ticks = 2500;
  AdvancePlayClock(g);
  EXPECT_EQ(g.Progress.PlayTime[2], 1);
  EXPECT_EQ(g.ClockLastTick, 1000);
  AdvancePlayClock(g);
  EXPECT_EQ(g.Progress.PlayTime[2], 2);
  AdvancePlayClock(g);
  EXPECT_EQ(g.Progress.PlayTime[2], 2);
  EXPECT_EQ(g.ClockLastTick, 2000);
}

TEST(PlayClock, CarriesSecondsIntoMinutesAndHours) {
  TestGame t;
  Game& g = *t;
  g.ClockLastTick = 0;
  g.Progress.PlayTime = {3, 59, 59};
  t.Plat.Ticks = 1000;
  AdvancePlayClock(g);
  EXPECT_EQ(g.Progress.PlayTime, (std::array<Integer, 3>{4, 0, 0}));
}

TEST(LeavingALevel, EscapeFoldsTheCountersRoundingHalvesToEven) {
  TestGame t;
  Game& g = *t;
  g.InMenu = false;
  g.Keys[KeyEscape] = true;
  g.Progress.Stats = {};
  g.Progress.Stats[StatDamageTaken] = 10;
  g.Level.DamageTaken = 2.5f;     // 12.5 -> 12
  g.Level.DamageDealt = 3.5f;     // 3.5 -> 4
  g.Level.KillCount = 7;
  g.Level.PotionsUsedLevel = 2;
  g.Level.DistanceMoved = 100.25f;
  LeaveLevelOnEscape(g);
  EXPECT_TRUE(g.InMenu);
  EXPECT_EQ(g.Progress.Stats[StatDamageTaken], 12);
  EXPECT_EQ(g.Progress.Stats[StatDamageDealt], 4);
  EXPECT_EQ(g.Progress.Stats[StatKills], 7);
  EXPECT_EQ(g.Progress.Stats[StatPotionsUsed], 2);
  EXPECT_EQ(g.Progress.Stats[StatDistance], 100);
  EXPECT_EQ(g.Progress.Stats[StatLevelsPlayed], 0);
  // In the menus Escape does nothing.
  LeaveLevelOnEscape(g);
  EXPECT_EQ(g.Progress.Stats[StatKills], 7);
}

TEST(LeavingALevel, ReadsTheKeysThePreviousFrameLeft) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 0);
  ASSERT_FALSE(g.InMenu);
  g.Keys[KeyEscape] = true;  // as the spawner sets it after the ship is lost
  RunFrame(g);               // the keyboard itself has nothing held
  EXPECT_TRUE(g.InMenu);
  EXPECT_FALSE(g.Keys[KeyEscape]);
}

TEST(ClickEdges, AHeldButtonClicksOnlyOnItsFirstMenuFrame) {
  TestGame t;
  Game& g = *t;
  t.Plat.MouseLeft = true;
  t.Plat.MouseRight = true;
  std::vector<bool> left, right;
  for (int i = 0; i < 3; ++i) {
    PollMouse(g);
    ClickEdges(g);
    left.push_back(g.MouseLeft);
    right.push_back(g.MouseRight);
  }
  t.Plat.MouseLeft = false;
  PollMouse(g);
  ClickEdges(g);
  left.push_back(g.MouseLeft);
  t.Plat.MouseLeft = true;
  PollMouse(g);
  ClickEdges(g);
  left.push_back(g.MouseLeft);
  EXPECT_EQ(left, (std::vector<bool>{true, false, false, false, true}));
  EXPECT_EQ(right, (std::vector<bool>{true, false, false}));
}

TEST(Pointer, IsClampedNotAccumulatedBeyondTheEdges) {
  TestGame t;
  Game& g = *t;
  t.Plat.MouseDx = -500;
  t.Plat.MouseDy = -20;
  PollMouse(g);
  EXPECT_EQ(g.MouseX, 0);
  EXPECT_EQ(g.MouseY, 0);
  t.Plat.MouseDx = 5;
  PollMouse(g);
  EXPECT_EQ(g.MouseX, 5);
  t.Plat.MouseDx = 5000;
  t.Plat.MouseDy = 5000;
  PollMouse(g);
  EXPECT_EQ(g.MouseX, 780);
  EXPECT_EQ(g.MouseY, 570);
}

TEST(Keyboard, TwoKeysHeldTogetherAreBothSeen) {
  TestGame t;
  Game& g = *t;
  t.Plat.KeyState[KeyQ] = true;
  t.Plat.KeyState[KeyZ] = true;
  t.Plat.KeyState[212] = true;  // codes above 211 are not tracked
  PollKeyboard(g);
  EXPECT_TRUE(g.Keys[KeyQ]);
  EXPECT_TRUE(g.Keys[KeyZ]);
  EXPECT_FALSE(g.Keys[0]);
}

TEST(Dispatcher, ShotEraserFloodsThePlayAreaWhite) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 0);
  g.Level.ChargeOn[AbilityShotEraser] = true;
  t.Plat.ClearRecords();
  RunFrame(g);
  ASSERT_FALSE(t.Plat.Boxes.empty());
  EXPECT_EQ(t.Plat.Boxes.back(), (std::array<int, 5>{100, 0, 700, 600, 0xFFFFFF}));
}
