// The frame dispatcher's own rules: the play clock, leaving a level, the pointer.
#include <gtest/gtest.h>

#include "test_support.h"

TEST(PlayClock, CountsOneSecondPerFrameAndCatchesUpAfterAStall) {
  TestGame t;
  Game& g = *t;
  g.ClockLastTick = 0;
  g.Progress.PlayTime = {0, 0, 0};
  t.Plat.Ticks = 999;
  AdvancePlayClock(g, t.Plat.Ticks);
  EXPECT_EQ(g.Progress.PlayTime[2], 0);
  // A 2.5 s stall: one second now, the rest on the following frames, one per frame.
  t.Plat.Ticks = 2500;
  AdvancePlayClock(g, t.Plat.Ticks);
  EXPECT_EQ(g.Progress.PlayTime[2], 1);
  EXPECT_EQ(g.ClockLastTick, 1000);
  AdvancePlayClock(g, t.Plat.Ticks);
  EXPECT_EQ(g.Progress.PlayTime[2], 2);
  AdvancePlayClock(g, t.Plat.Ticks);
  EXPECT_EQ(g.Progress.PlayTime[2], 2);
  EXPECT_EQ(g.ClockLastTick, 2000);
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

TEST(Pointer, IsClampedNotAccumulatedBeyondTheEdges) {
  TestGame t;
  Game& g = *t;
  t.Plat.MouseDx = -500;
  t.Plat.MouseDy = -20;
  PollPointer(t);
  EXPECT_EQ(g.MouseX, 0);
  EXPECT_EQ(g.MouseY, 0);
  t.Plat.MouseDx = 5;
  PollPointer(t);
  EXPECT_EQ(g.MouseX, 5);
  t.Plat.MouseDx = 5000;
  t.Plat.MouseDy = 5000;
  PollPointer(t);
  EXPECT_EQ(g.MouseX, 780);
  EXPECT_EQ(g.MouseY, 570);
}
