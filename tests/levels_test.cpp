// The level director on crafted states: each boss phase's start test and the level's end.
#include <gtest/gtest.h>

#include <cmath>

#include "enemies/data_tables.h"
#include "levels/level_director.h"
#include "test_support.h"

namespace {

// A live craft with its top-left at (left, top), moving along heading (radians) at speed.
EnemyClass& Put(Game& g, int slot, Integer kind, Single top, Single left, Single width, Single height,
                Single heading = 0, Single speed = 0, Single life = 100) {
  EnemyClass& e = g.Enemies[slot];
  e.Exists = true;
  e.Initialize(top, top + height, left, left + width, speed, 0, Integer(width), Integer(height), 0, Integer(height), 0,
               Integer(width), heading, 0, life, -1, 50, 3, 0, kind);
  return e;
}

// A game in play of the given level, nothing on the field.
void InPlay(Game& g, Integer level, Single clock) {
  CreatePools(g);
  g.InMenu = false;
  g.CurrentLevel = level;
  g.Level.FrameClock = clock;
  g.Level.BossArena = false;
  g.Level.ArenaBoss = 0;
  g.Level.BossPhase = false;
  g.LevelOver = false;
}

const Single H90 = DegToRad(90), H0 = DegToRad(0), H180 = DegToRad(180);

struct PhaseCase {
  int Level;
  Single Start;
  int Slot;
};
const PhaseCase Phases[] = {{1, 4800, 0}, {2, 4100, 7}, {3, 5200, 0}, {4, 4300, 0}, {5, 6000, 0},
                            {6, 4700, 0}, {7, 5600, 0}, {8, 6100, 0}, {9, 3500, 0}, {10, 100, 0}};

}  // namespace

// Each phase begins only after its boss's spawn time, reads the boss's life from its own slot,
// and declares the level won the first frame its slot is empty.
TEST(BossPhase, StartTestsBossSlotsAndWinning) {
  TestGame tg;
  Game& g = *tg;
  for (const PhaseCase& c : Phases) {
    SCOPED_TRACE(c.Level);
    InPlay(g, Integer(c.Level), c.Start);
    Put(g, c.Slot, Integer(19 + c.Level), -300, 350, 50, 50, H90, 0, 123.5f);
    LevelDirector(g);
    EXPECT_FALSE(g.Level.BossPhase) << "at the boss's own spawn time the phase has not begun";

    g.Level.FrameClock = c.Start + 1;
    LevelDirector(g);
    EXPECT_TRUE(g.Level.BossPhase);
    EXPECT_EQ(g.Level.BossLife, 124) << "the boss's life, rounded half to even";
    EXPECT_FALSE(g.LevelOver);

    // In the arena the stage number alone starts the phase, whatever the clock.
    InPlay(g, 13, 0);
    g.Level.BossArena = true;
    g.Level.ArenaBoss = Integer(c.Level);
    Put(g, c.Slot, Integer(19 + c.Level), -300, 350, 50, 50, H90, 0, 99);
    LevelDirector(g);
    EXPECT_TRUE(g.Level.BossPhase);
    EXPECT_EQ(g.Level.BossLife, 99);

    InPlay(g, Integer(c.Level), c.Start + 1);
    g.Enemies[c.Slot == 0 ? 7 : 0].Exists = true;  // some other craft does not count as the boss
    LevelDirector(g);
    EXPECT_EQ(g.Level.BossLife, 0);
    EXPECT_TRUE(g.LevelOver) << "the boss is gone: the level is won";
  }
}
