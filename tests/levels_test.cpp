// The level director on crafted states: each boss phase's start test, escorts and movement,
// the boss arena's chain of stages, the mini game's gunners and the marathon's chain.
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

// Park stops a boss that has come down into view on its exact entry heading; sweep turns it at
// the edges. A parked boss flying back and forth for a long time keeps its headings exactly, so
// the comparisons keep matching.
TEST(BossPhase, ParkAndSweepKeepExactHeadings) {
  TestGame tg;
  Game& g = *tg;
  InPlay(g, 2, 5000);
  EnemyClass& b = Put(g, 7, 21, -1, 350, 101, 49, H90, 4);
  ParkBoss(b, 1);
  EXPECT_EQ(b.Top, -1) << "not yet in view";
  b.Top = 0.5f;
  b.Heading = std::nextafter(H90, 0.0f);
  ParkBoss(b, 1);
  EXPECT_EQ(b.Top, 0.5f) << "only the exact entry heading parks";
  b.Heading = H90;
  ParkBoss(b, 1);
  EXPECT_EQ(b.Top, 0);
  EXPECT_EQ(b.Heading, H0);
  EXPECT_EQ(b.Speed, 1);

  int turns = 0;
  Single lastHeading = b.Heading;
  for (int frame = 0; frame < 2000; ++frame) {
    b.EnemyMove(g);
    SweepBoss(b, 100, 700);
    ASSERT_TRUE(b.Heading == H0 || b.Heading == H180) << "frame " << frame << " heading " << b.Heading;
    ASSERT_GE(b.Left, 99);
    ASSERT_LE(b.Right, 701);
    turns += b.Heading != lastHeading;
    lastHeading = b.Heading;
  }
  EXPECT_GE(turns, 4) << "it sweeps from edge to edge";
  b.Heading = 1;
  b.Left = 50;
  SweepBoss(b, 100, 700);
  EXPECT_EQ(b.Heading, 1) << "a boss on any other heading is left alone";
}

// Escorts are held on their lines (levels 3 and 4 refill their life); dead slots are untouched.
TEST(BossPhase, EscortsAreHeldOnTheirLines) {
  TestGame tg;
  Game& g = *tg;
  struct Case {
    int Level;
    int Slot;
    Single Line;
    bool Refill;
  } cases[] = {{2, 0, 55, false}, {2, 6, 55, false}, {3, 1, 0, true}, {3, 2, 0, true},
               {4, 2, 0, true},    {4, 3, 100, true}, {4, 4, 100, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.Level << " slot " << c.Slot);
    InPlay(g, Integer(c.Level), Phases[c.Level - 1].Start + 1);
    Put(g, Phases[c.Level - 1].Slot, 22, -200, 350, 60, 60);
    EnemyClass& e = Put(g, c.Slot, 15, c.Line + 3, 200, 30, 30, H90, 1, 7);
    LevelDirector(g);
    EXPECT_EQ(e.Top, c.Line);
    EXPECT_EQ(e.Life, c.Refill ? 500 : 7);
    e.Top = c.Line - 3;
    e.Life = 7;
    LevelDirector(g);
    EXPECT_EQ(e.Top, c.Line - 3) << "above its line it flies on";
    EXPECT_EQ(e.Life, 7);
  }
}

// The movement rules of the bosses without park and sweep, and the level-5 dive.
TEST(BossPhase, MovementRules) {
  TestGame tg;
  Game& g = *tg;
  auto boss = [&](int level, Single top, Single left, Single life = 1000) -> EnemyClass& {
    InPlay(g, Integer(level), Phases[level - 1].Start + 1);
    return Put(g, 0, Integer(19 + level), top, left, 90, 80, H90, 2, life);
  };
  for (int level : {1, 7}) {
    EnemyClass& b = boss(level, 5, 300);
    LevelDirector(g);
    EXPECT_EQ(b.Top, 0);
    EXPECT_EQ(b.Heading, H90) << "it keeps heading down and is pulled back every frame";
  }

  // Level 5: dives onto a ship beneath it, climbs back otherwise; MATRIX slows both.
  EnemyClass& b5 = boss(5, 10, 300);
  g.Ship.Exists = true;
  g.Ship.Left = 320, g.Ship.Right = 365, g.Ship.Top = 400, g.Ship.Bottom = 456;
  LevelDirector(g);  // parks first (top 0, heading 0), then dives from there
  EXPECT_EQ(b5.Top, 20);
  EXPECT_EQ(b5.Speed, 2);
  g.Level.ChargeOn[AbilityMatrix] = true;
  LevelDirector(g);
  EXPECT_EQ(b5.Top, 25);
  g.Ship.Left = 500, g.Ship.Right = 545;  // no longer beneath
  LevelDirector(g);
  EXPECT_EQ(b5.Top, 24);
  g.Level.ChargeOn[AbilityMatrix] = false;
  LevelDirector(g);
  EXPECT_EQ(b5.Top, 20);
  b5.Top = -1.5f;
  g.Ship.Left = 320, g.Ship.Right = 365;
  LevelDirector(g);
  EXPECT_EQ(b5.Top, -1.5f) << "no dive before it is (almost) in view";
  b5.Top = 0, b5.Bottom = 590;
  g.Ship.Bottom = 700;
  LevelDirector(g);
  EXPECT_EQ(b5.Top, 20) << "bottom still above 600";
  b5.Bottom = 600;
  LevelDirector(g);
  EXPECT_EQ(b5.Top, 16) << "at the screen's bottom it climbs";

  // Level 6: the circling latch, for good.
  EnemyClass& b6 = boss(6, 220, 300);
  LevelDirector(g);
  EXPECT_FALSE(g.Level.BossCircling);
  EXPECT_EQ(b6.Heading, H90);
  b6.Top = 220.5f;
  LevelDirector(g);
  EXPECT_TRUE(g.Level.BossCircling);
  EXPECT_EQ(b6.Heading, H90 - DegToRad(1.8f));
  b6.Top = 0;
  LevelDirector(g);
  EXPECT_EQ(b6.Heading, H90 - DegToRad(1.8f) - DegToRad(1.8f));

  // Level 8: 150 frames of fire, then a rest of about 15 + life / 200 frames.
  EnemyClass& b8 = boss(8, -10, 300, 2000);
  g.Level.BossTimer = 0;
  b8.ShootRate = 1;
  int silentFrames = 0;
  for (int frame = 1; frame <= 176; ++frame) {
    LevelDirector(g);
    silentFrames += b8.ShootRate == 8000;
    if (frame == 150) {
      EXPECT_EQ(b8.ShootRate, 1);
    }
    if (frame == 151) {
      EXPECT_EQ(b8.ShootRate, 8000);
    }
  }
  EXPECT_EQ(silentFrames, 25) << "frames 151 to 175 are silent; frame 176 passes 10 + 165";
  EXPECT_EQ(g.Level.BossTimer, 0);
  EXPECT_EQ(b8.ShootRate, 1);

  // Level 9: bounces only after 3540; beyond two walls at once it reflects on both.
  EnemyClass& b9 = boss(9, -5, 90, 1000);
  b9.Heading = DegToRad(200);
  g.Level.FrameClock = 3540;
  LevelDirector(g);
  EXPECT_EQ(b9.Heading, DegToRad(200));
  g.Level.FrameClock = 3541;
  LevelDirector(g);
  EXPECT_EQ(b9.Heading, DegToRad(540) - (DegToRad(360) - DegToRad(200)));
  b9.Top = 300, b9.Bottom = 610, b9.Left = 650, b9.Right = 710;
  b9.Heading = DegToRad(35);
  LevelDirector(g);
  EXPECT_EQ(b9.Heading, DegToRad(540) - (DegToRad(360) - DegToRad(35)));
  // In the arena the bounce waits 40 clock units from the stage's start.
  b9.Heading = DegToRad(35);
  g.CurrentLevel = 13, g.Level.BossArena = true, g.Level.ArenaBoss = 9, g.Level.ArenaStageTime = 9000, g.Level.FrameClock = 9040;
  LevelDirector(g);
  EXPECT_EQ(b9.Heading, DegToRad(35));
  g.Level.FrameClock = 9041;
  LevelDirector(g);
  EXPECT_NE(b9.Heading, DegToRad(35));
}

// The final boss: kept inside the play column at the top, then its ways by its life.
TEST(BossPhase, FinalBossBehavesByLife) {
  TestGame tg;
  Game& g = *tg;
  g.Ship.Left = 400;
  struct Case {
    Single Life;
    Single Left;         // the boss's left before the frame
    Single ExpectLeft;   // after
    Single ExpectRate;   // ShootRate after (initial 7)
    Integer ExpectPat;   // ShotPattern after (initial 9)
    Single ExpectTop;    // Top after (from 3)
  } cases[] = {
      {9000, 200, 203, 9, 9, 0},      // follows 105 to the ship's left: 400 - 105 > 200
      {9000, 300, 297, 9, 9, 0},      // 295 < 300
      {8000, 200, 200, 7, 9, 0},      // exactly 8000: neither above nor below
      {7000, 200, 200, 6, 9, 0},
      {5000, 200, 203, 6, 35, 0},     // follows 125: 275 > 200
      {3000, 200, 200, 5, 24, 0},
      {4000, 200, 200, 6, 9, 0},      // both bands exclusive
      {1000, 200, 200, 6, 9, 100},    // hangs (2000 - 1000) / 10 lower
      {9000, 50, 103, 9, 9, 0},       // pulled into the column at 100, then follows
      {9000, 500, 447, 9, 9, 0},      // 700 - 250, then follows back toward 295
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "life " << c.Life << " left " << c.Left);
    InPlay(g, 10, 101);
    EnemyClass& b = Put(g, 0, 29, 3, c.Left, 250, 149, H90, 1, c.Life);
    b.ShootRate = 7;
    b.ShotPattern = 9;
    LevelDirector(g);
    EXPECT_EQ(b.Left, c.ExpectLeft);
    EXPECT_EQ(b.ShootRate, c.ExpectRate);
    EXPECT_EQ(b.ShotPattern, c.ExpectPat);
    EXPECT_EQ(b.Top, c.ExpectTop);
  }
}

// The boss arena: each destroyed boss starts the next stage's records in their fixed slots
// (whatever stood there), clears leftovers and rescales the boss bar; after boss 10 it is won.
TEST(BossArena, StageChain) {
  TestGame tg;
  Game& g = *tg;
  InPlay(g, 13, 4800);
  g.Level.BossArena = true;
  g.Level.ArenaBoss = 1;
  // A crafted arena table: record i carries kind (i % 20) but the bosses their boss kinds, so
  // every started craft tells which record it came from.
  g.Level.SpawnTable.assign(23, SpawnRec{});
  g.Level.SpawnCount = 23;
  const int bossRecord[10] = {0, 8, 11, 16, 17, 18, 19, 20, 21, 22};
  for (int i = 0; i < 23; ++i) {
    SpawnRec& r = g.Level.SpawnTable[i];
    r.Kind = Integer(i % 15);
    r.CenterX = Single(100 + 10 * i);
    r.StartY = 0;
    r.Heading = H90;
    r.Speed = 2;
    r.ShootRate = Integer(30 + i);
    r.SpawnTime = 1;
  }
  for (int s = 0; s < 10; ++s) g.Level.SpawnTable[bossRecord[s]].Kind = Integer(20 + s);
  for (int k = 20; k <= 29; ++k) g.Tables.EnemyKinds[k].HitPoints = Single(1000 * (k - 19) + 0.5);
  g.Level.EnemyCount = 1;
  g.Ship.GemType1 = 4;  // the boss-weakening gem does not touch stage bosses started here

  struct Stage {
    std::vector<int> Records;  // started into slots 0, 1, ...
    std::vector<int> Cleared;
    int BossSlot;
  } stages[] = {{{1, 2, 3, 4, 5, 6, 7, 8}, {}, 7}, {{11, 10, 9}, {3, 4, 5, 6, 7}, 0}, {{16, 12, 13, 14, 15}, {}, 0},
                {{17}, {1, 2, 3, 4}, 0},          {{18}, {}, 0},                    {{19}, {}, 0},
                {{20}, {}, 0},                    {{21}, {}, 0},                    {{22}, {}, 0}};
  Put(g, 0, 20, -100, 370, 59, 127);
  for (int s = 0; s < 9; ++s) {
    SCOPED_TRACE(testing::Message() << "boss " << s + 1 << " destroyed");
    // Leftovers everywhere, so the stage's own slots and cleared slots show.
    for (int slot = 0; slot < 10; ++slot) Put(g, slot, 14, -150, 100, 10, 10);
    const int bossSlot = s == 1 ? 7 : 0;
    g.Enemies[bossSlot].Exists = false;
    g.Level.FrameClock = Single(5000 + 100 * s) + 0.5f;
    LevelDirector(g);
    EXPECT_EQ(g.Level.ArenaBoss, s + 2);
    EXPECT_FALSE(g.LevelOver);
    for (size_t i = 0; i < stages[s].Records.size(); ++i) {
      const EnemyClass& e = g.Enemies[i];
      const SpawnRec& r = g.Level.SpawnTable[stages[s].Records[i]];
      EXPECT_TRUE(e.Exists);
      EXPECT_EQ(e.Kind, r.Kind) << "slot " << i;
      EXPECT_EQ(e.Bottom, r.StartY);
      if (s == 8) continue;  // the final boss's own phase has already taken hold of it
      EXPECT_EQ(e.ShootRate, r.ShootRate) << "slot " << i;
      EXPECT_EQ(e.Left, r.CenterX - g.Tables.EnemyKinds[r.Kind].Width / 2.0f);
    }
    for (int slot : stages[s].Cleared) EXPECT_FALSE(g.Enemies[slot].Exists) << "slot " << slot;
    EXPECT_TRUE(g.Enemies[9].Exists) << "slots beyond the stage are left alone";
    const EnemyClass& boss = g.Enemies[stages[s].BossSlot];
    EXPECT_EQ(boss.Kind, 21 + s);
    EXPECT_EQ(boss.Life, g.Tables.EnemyKinds[21 + s].HitPoints) << "no weakening";
    EXPECT_EQ(g.Level.BossMaxLife, RoundToInteger(boss.Life));
    EXPECT_EQ(g.Level.BossLife, RoundToInteger(boss.Life)) << "the next phase runs in the same frame";
    EXPECT_EQ(g.Level.EnemyCount, 1) << "stage craft are not counted";
    if (s == 7) {
      EXPECT_EQ(g.Level.ArenaStageTime, 5700);
    }
  }
  g.Enemies[0].Exists = false;
  g.Keys[KeyEscape] = false;
  LevelDirector(g);
  EXPECT_EQ(g.Level.ArenaBoss, 10);
  EXPECT_TRUE(g.LevelOver) << "the tenth boss destroyed wins the arena";
}

// The mini game's corner gunners settle at their lines and fire ever faster once the clock
// passes 100.
TEST(GameModes, MiniGameGunners) {
  TestGame tg;
  Game& g = *tg;
  InPlay(g, 11, 100);
  Put(g, 0, 18, 10, 100, 40, 40, H90, 1).ShootRate = 70;
  Put(g, 1, 18, -10, 600, 40, 40, H90, 1).ShootRate = 70;
  Put(g, 2, 18, 600, 100, 40, 40, DegToRad(270), 1).ShootRate = 70;
  Put(g, 3, 18, 499, 600, 40, 40, DegToRad(270), 1).ShootRate = 2.01f;
  g.Ship.Exists = true;
  LevelDirector(g);
  EXPECT_EQ(g.Enemies[0].Top, 10) << "not before the clock passes 100";
  g.Level.FrameClock = 101;
  LevelDirector(g);
  EXPECT_EQ(g.Enemies[0].Top, 0);
  EXPECT_EQ(g.Enemies[1].Top, -10);
  EXPECT_EQ(g.Enemies[2].Top, 600);
  EXPECT_EQ(g.Enemies[3].Top, 500);
  EXPECT_EQ(g.Enemies[0].ShootRate, 70 - 0.02f);
  EXPECT_EQ(g.Enemies[0].ShotSpeed, 3 + 0.0003f);
  EXPECT_EQ(g.Enemies[3].ShootRate, 2.01f - 0.02f);
  LevelDirector(g);
  EXPECT_EQ(g.Enemies[3].ShootRate, 2.01f - 0.02f) << "no faster than every 2 units";
  EXPECT_FALSE(g.LevelOver);
  EXPECT_FALSE(g.Level.BossPhase);
  // From 70, 3400 frames bring the gunners down to 2.
  for (int i = 0; i < 3400; ++i) MiniGameGunners(g);
  EXPECT_NEAR(g.Enemies[0].ShootRate, 2, 0.03);
}

// The marathon: each stage's timeline is loaded once, handed over past its end time with
// the clock restarted, and the ninth stage's end wins the mode.
TEST(GameModes, MarathonChain) {
  TestGame tg;
  Game& g = *tg;
  InPlay(g, 12, 1);
  g.Level.MarathonStage = 1;
  g.Level.MarathonStageLoaded = false;
  Put(g, 5, 3, 100, 300, 30, 30);
  g.Ship.LastShot1 = 77;
  const Single ends[9] = {4700, 4000, 5100, 4200, 5900, 4600, 5500, 6000, 3400};
  for (int stage = 1; stage <= 9; ++stage) {
    SCOPED_TRACE(stage);
    g.Level.FrameClock = 1;
    LevelDirector(g);
    EXPECT_TRUE(g.Level.MarathonStageLoaded);
    EXPECT_EQ(g.CurrentLevel, 12) << "a stage's set-up keeps the marathon's level number";
    EXPECT_EQ(g.Level.FrameClock, 0) << "the stage's set-up restarts the clock";
    EXPECT_EQ(g.Level.SpawnCount, g.Level.SpawnTable.size());
    EXPECT_GT(g.Level.SpawnCount, 1) << "the stage's own timeline";
    g.Level.FrameClock = ends[stage - 1];
    LevelDirector(g);
    EXPECT_EQ(g.Level.MarathonStage, stage);
    EXPECT_FALSE(g.LevelOver);
    g.Level.FrameClock = ends[stage - 1] + 1;
    LevelDirector(g);
    if (stage < 9) {
      EXPECT_EQ(g.Level.MarathonStage, stage + 1);
      EXPECT_FALSE(g.Level.MarathonStageLoaded);
      EXPECT_EQ(g.Level.FrameClock, 0);
      EXPECT_FALSE(g.LevelOver);
    } else {
      EXPECT_EQ(g.Level.MarathonStage, 9);
      EXPECT_TRUE(g.LevelOver) << "past the last stage's end the marathon is won";
    }
  }
  EXPECT_FALSE(g.Level.BossPhase) << "no boss phase runs in the marathon";
  EXPECT_TRUE(g.Enemies[5].Exists) << "craft on the field stay into the next stage";
  EXPECT_EQ(g.Ship.LastShot1, 0) << "the ship's fire timers restart with the clock";
}
