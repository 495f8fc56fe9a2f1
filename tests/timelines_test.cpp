// Level set-up and the level timelines: each level's fixed rows and shape, the random rows, the modes'
// start states, and every level played through to its boss time to find the boss group in its slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "enemies/data_tables.h"
#include "test_support.h"

namespace {

struct LevelShape {
  int Level, Count;
  std::vector<int> Unwritten;
  int FirstTime, LastTime;
  std::map<int, int> Kinds;  // kind -> rows
};

const std::vector<LevelShape> Shapes = {
    {1, 63, {}, 100, 4800, {{0, 12}, {1, 8}, {4, 1}, {15, 35}, {19, 1}, {2, 3}, {18, 2}, {20, 1}}},
    {2, 62, {}, 100, 4100, {{2, 6}, {1, 3}, {15, 29}, {0, 11}, {16, 5}, {18, 2}, {19, 1}, {3, 4}, {21, 1}}},
    {3, 51, {14}, 100, 5201, {{4, 5}, {7, 2}, {5, 7}, {15, 17}, {6, 5}, {18, 8}, {17, 4}, {19, 1}, {22, 1}}},
    {4, 64, {48}, 100, 4302, {{6, 9}, {5, 10}, {15, 31}, {19, 1}, {18, 4}, {16, 7}, {23, 1}}},
    {5, 119, {}, 100, 6000, {{7, 2}, {2, 26}, {9, 7}, {8, 1}, {15, 81}, {19, 1}, {24, 1}}},
    {6, 86, {}, 100, 4700, {{8, 1}, {3, 16}, {7, 2}, {1, 10}, {15, 47}, {19, 1}, {18, 8}, {25, 1}}},
    {7, 86, {}, 100, 5600, {{7, 5}, {3, 20}, {10, 5}, {15, 2}, {0, 10}, {19, 1}, {16, 30}, {4, 12}, {26, 1}}},
    {8, 71, {58}, 100, 6100, {{9, 8}, {4, 9}, {2, 20}, {15, 23}, {19, 1}, {11, 8}, {27, 1}}},
    {9, 66, {12}, 100, 3500, {{13, 4}, {14, 1}, {8, 7}, {15, 21}, {19, 1}, {5, 10}, {3, 20}, {28, 1}}},
    {10, 1, {}, 100, 100, {{29, 1}}},
    {11, 4, {}, 100, 103, {{18, 4}}},
    {12, 1, {}, 100, 100, {{18, 1}}},
    {13, 23, {}, 1, 4799, {{15, 8}, {16, 1}, {17, 2}, {18, 2}, {20, 1}, {21, 1}, {22, 1}, {23, 1}, {24, 1},
                           {25, 1}, {26, 1}, {27, 1}, {28, 1}, {29, 1}}},
};

// Rows as a level designer reads them: kind, heading, speed, time, x, shot, pattern, rate, accel,
// accel heading, shot speed, start y. A "*" is a value drawn at random.
struct FixedRow {
  int Level, Index;
  const char* Values;
  bool FirstOfKind;  // also the level's first row of its kind
};

const std::vector<FixedRow> FixedRows = {
    {1, 59, "2 0 2 4000 50 0 26 30 0 0 5 100", false},
    {1, 62, "20 90 2 4800 400 1 24 50 0 0 7 0", true},
    {1, 0, "0 90 2 100 500 0 0 100 0 0 6 0", true},
    {1, 12, "1 70 2 1200 150 0 0 50 0 0 6 0", true},
    {1, 20, "4 90 2 1900 400 0 8 50 0 0 6 0", true},
    {1, 21, "15 90 1 2200 150 -1 8 50 0 0 6 0", true},
    {1, 50, "19 90 1 2750 150 -1 8 50 0 0 6 0", true},
    {1, 57, "2 90 1 3500 650 0 4 30 0 0 3 0", true},
    {1, 60, "18 90 2 4200 150 0 8 80 0 0 5 0", true},
    {2, 54, "15 90 4 4100 100 -1 8 90 0 0 8 0", false},
    {2, 55, "15 90 4 4100 200 -1 8 50 0 0 6 0", false},
    {2, 56, "15 90 4 4100 300 -1 8 50 0 0 6 0", false},
    {2, 57, "16 90 4 4100 400 -1 8 50 0 0 6 0", false},
    {2, 58, "15 90 4 4100 500 -1 8 50 0 0 6 0", false},
    {2, 59, "15 90 4 4100 600 -1 8 50 0 0 6 0", false},
    {2, 60, "15 90 4 4100 700 -1 8 90 0 0 8 0", false},
    {2, 61, "21 90 4 4100 400 0 10 30 0 0 0.3 -100", true},
    {2, 0, "2 70 2 100 150 0 19 70 0.01 270 2 0", true},
    {2, 6, "1 70 2 550 150 0 14 70 0.008 130 10 0", true},
    {2, 9, "15 90 3 1000 450 -1 8 50 0 0 6 0", true},
    {2, 14, "0 90 3 980 250 0 0 30 0 0 8 0", true},
    {2, 22, "16 90 1 1400 350 -1 8 50 0 0 6 0", true},
    {2, 24, "18 90 1 1400 150 4 8 90 0 0 8 0", true},
    {2, 39, "19 90 4 2260 150 -1 8 50 0 0 6 0", true},
    {2, 40, "3 80 1 2500 130 0 29 70 0 0 3 0", true},
    {3, 50, "22 90 2 5200 400 0 30 25 0 0 10 0", true},
    {3, 0, "4 45 2 100 100 0 25 50 0 0 5 0", true},
    {3, 5, "7 255 4 750 700 0 21 50 0.015 90 5 650", true},
    {3, 7, "5 90 1 1300 250 0 26 90 0 0 5 0", true},
    {3, 15, "15 90 0.5 1800 300 -1 8 50 0 0 6 0", true},
    {3, 22, "6 90 0.5 2000 200 0 8 70 0 0 6 0", true},
    {3, 37, "18 90 2 3800 150 0 8 * 0 0 5 0", true},
    {3, 45, "17 90 2.5 4800 400 -1 8 0 0 0 5 0", true},
    {3, 47, "19 90 15 1000 650 -1 8 50 0 0 6 0", true},
    {4, 63, "23 90 2 4300 400 1 8 70 0 0 5 -100", true},
    {4, 0, "6 90 0.4 100 150 0 8 50 0.001 270 5 0", true},
    {4, 6, "5 135 2 1000 600 0 17 30 0 0 8 0", true},
    {4, 19, "15 90 1 2800 150 -1 8 50 0 0 6 0", true},
    {4, 25, "19 90 1 3450 650 -1 8 50 0 0 6 0", true},
    {4, 45, "18 90 1 3200 450 1 0 40 0 0 6 0", true},
    {4, 52, "16 90 1 3600 650 -1 8 50 0 0 6 0", true},
    {5, 118, "24 90 2 6000 400 1 8 40 0 0 8 0", true},
    {5, 0, "7 90 1 100 150 0 9 60 0 0 8 0", true},
    {5, 2, "2 110 0.5 700 200 0 8 45 0.015 0 8 0", true},
    {5, 28, "9 90 1 2000 250 0 8 90 0 0 5 0", true},
    {5, 35, "8 155 1 3500 680 0 32 45 0 0 7 0", true},
    {5, 36, "15 90 5 4000 400 -1 8 50 0 0 6 0", true},
    {5, 117, "19 90 5 5705 650 -1 8 50 0 0 6 0", true},
    {6, 85, "25 90 2 4700 330 0 36 0 0 0 5 0", true},
    {6, 0, "8 0 2 100 50 0 35 4 0 0 8 150", true},
    {6, 1, "3 90 2 500 400 0 8 90 0 0 8 0", true},
    {6, 9, "7 30 3 1300 100 0 8 30 0.01 180 8 0", true},
    {6, 11, "1 90 5 1700 400 0 20 3 0 0 8 0", true},
    {6, 21, "15 90 5 2600 520 -1 20 3 0 0 8 0", true},
    {6, 68, "19 90 5 2580 120 -1 20 3 0 0 8 0", true},
    {6, 69, "18 90 2 3300 150 0 3 30 0 0 4 0", true},
    {7, 85, "26 90 2 5600 400 0 37 35 0 0 1 0", true},
    {7, 0, "7 90 0.8 100 200 0 35 25 0.003 270 8 0", true},
    {7, 5, "3 0 1.75 800 50 0 35 35 0.01 165 8 20", true},
    {7, 25, "10 90 0.75 1600 250 0 35 10 0 0 5 0", true},
    {7, 27, "15 0 2 2000 50 -1 35 10 0 0 5 100", true},
    {7, 28, "0 180 4 2175 400 0 35 30 0 0 8 50", true},
    {7, 84, "19 90 2 2625 650 -1 35 10 0 0 5 0", true},
    {7, 39, "16 90 2 2500 150 -1 35 10 0 0 5 0", true},
    {7, 69, "4 20 2 3100 50 0 9 30 0 0 8 0", true},
    {8, 70, "27 90 2 6100 400 1 17 1 0 0 8 0", true},
    {8, 0, "9 45 1 100 100 0 9 55 0 0 10 0", true},
    {8, 8, "4 65 2.5 1600 200 0 8 55 0.025 270 10 0", true},
    {8, 17, "2 * 5 2100 * 0 8 55 0.035 270 10 0", true},
    {8, 36, "2 * 5 2385 * 0 8 55 0.035 270 10 0", false},
    {8, 37, "15 90 3 2800 470 -1 8 55 0 0 10 0", true},
    {8, 69, "19 90 3 3260 373 -1 8 55 0 0 10 0", true},
    {8, 61, "11 170 0.9 3500 700 1 0 1 0 0 10 0", true},
    {9, 65, "28 35 5 3500 400 0 30 10 0 0 2 0", true},
    {9, 0, "13 55 1 100 200 0 8 50 0 0 4 0", true},
    {9, 4, "14 90 1 550 150 0 8 20 0 0 8 0", true},
    {9, 5, "8 180 1.5 750 850 0 19 50 0 0 2 100", true},
    {9, 13, "15 90 1 1600 250 -1 0 50 0 0 1 0", true},
    {9, 34, "19 135 2 2493 750 -1 0 50 0 0 1 475", true},
    {9, 35, "5 270 7 2700 150 0 0 30 0.05 65 4 650", true},
    {9, 45, "3 270 7 2800 150 0 0 30 0.05 65 4 650", true},
    {9, 57, "3 270 7 2860 150 0 0 30 0.05 83 4 650", false},
    {9, 58, "3 270 7 2865 150 0 0 30 0.05 80 4 650", false},
    {9, 59, "3 270 7 2870 150 0 0 30 0.05 77 4 650", false},
    {9, 60, "3 270 7 2875 150 0 0 30 0.05 74 4 650", false},
    {9, 61, "3 270 7 2880 150 0 0 30 0.05 71 4 650", false},
    {9, 62, "3 270 7 2885 150 0 0 30 0.05 68 4 650", false},
    {9, 63, "3 270 7 2890 150 0 0 30 0.05 65 4 650", false},
    {9, 64, "3 270 7 2895 150 0 0 30 0.05 62 4 650", false},
    {10, 0, "29 90 1 100 400 0 9 7 0 0 10 0", true},
    {11, 0, "18 90 1 100 150 0 8 70 0 0 5 0", true},
    {11, 1, "18 90 1 101 650 0 9 70 0 0 5 0", false},
    {11, 2, "18 270 1 102 150 0 8 70 0 0 5 700", false},
    {11, 3, "18 270 1 103 650 0 9 70 0 0 5 700", false},
    {12, 0, "18 90 1 100 150 0 8 70 0 0 5 0", true},
    {13, 0, "20 90 2 4799 400 1 24 50 0 0 7 0", true},
    {13, 1, "15 90 4 1 100 -1 8 90 0 0 8 0", true},
    {13, 4, "16 90 4 1 400 -1 8 50 0 0 6 0", true},
    {13, 7, "15 90 4 1 700 -1 8 90 0 0 8 0", false},
    {13, 8, "21 90 4 1 400 0 10 30 0 0 0.3 -100", true},
    {13, 10, "17 90 2 1 650 -1 8 0 0 0 5 0", false},
    {13, 11, "22 90 2 1 400 0 30 12 0 0 10 0", true},
    {13, 13, "18 90 2 1 650 3 9 60 0 0 12 0", false},
    {13, 15, "15 90 2 1 450 -1 9 10 0 0 8 0", false},
    {13, 16, "23 90 2 1 400 1 8 50 0 0 5 -100", true},
    {13, 17, "24 90 2 1 400 1 8 40 0 0 8 0", true},
    {13, 18, "25 90 2 1 330 0 36 0 0 0 5 0", true},
    {13, 19, "26 90 2 1 400 0 37 35 0 0 1 0", true},
    {13, 20, "27 90 2 1 400 1 17 1 0 0 8 0", true},
    {13, 21, "28 35 5 1 400 0 30 10 0 0 2 0", true},
    {13, 22, "29 90 1 100 400 0 9 7 0 0 10 0", true},
};

std::vector<double> RowValues(const SpawnRec& r) {
  return {double(r.Kind),  double(r.Heading),      double(r.Speed),    double(r.SpawnTime),
          double(r.CenterX), double(r.Shottype),   double(r.ShotPat),  double(r.ShootRate),
          double(r.Accel), double(r.AccelHeading), double(r.ShotSpeed), double(r.StartY)};
}

// A game in the menu, with a level set up as the level buttons do it.
struct SetUpGame : TestGame {
  explicit SetUpGame(int level) { LevelSetup(**this, static_cast<Integer>(level)); }
};

}  // namespace

TEST(Timelines, EachLevelHasItsShape) {
  for (const LevelShape& s : Shapes) {
    SCOPED_TRACE("level " + std::to_string(s.Level));
    SetUpGame t(s.Level);
    Game& g = *t;
    ASSERT_EQ(g.Level.SpawnCount, s.Count);
    ASSERT_EQ(int(g.Level.SpawnTable.size()), s.Count);
    std::map<int, int> kinds;
    std::vector<int> unwritten;
    int first = 1 << 30, last = -1;
    for (int i = 0; i < s.Count; ++i) {
      const SpawnRec& r = g.Level.SpawnTable[i];
      if (r.SpawnTime == 0) {
        unwritten.push_back(i);
        EXPECT_EQ(RowValues(r), RowValues(SpawnRec{})) << "row " << i << " is left all zero";
        continue;
      }
      ++kinds[r.Kind];
      first = std::min<int>(first, r.SpawnTime);
      last = std::max<int>(last, r.SpawnTime);
      const EnemyKindRec& k = g.Tables.EnemyKinds[r.Kind];
      // Every craft starts inside the field, so none is dropped on its first move.
      EXPECT_LE(r.CenterX + k.Width / 2.0, 900) << "row " << i;
      EXPECT_GE(r.CenterX - k.Width / 2.0, -100) << "row " << i;
      EXPECT_LE(r.StartY, 800) << "row " << i;
    }
    EXPECT_EQ(unwritten, s.Unwritten);
    EXPECT_EQ(kinds, s.Kinds);
    EXPECT_EQ(first, s.FirstTime);
    EXPECT_EQ(last, s.LastTime);
    // Each level ends with its boss, the one boss row the kinds above allow.
    if (s.Level <= 10) {
      EXPECT_EQ(g.Level.SpawnTable.back().Kind, 19 + s.Level);
    }
  }
}

TEST(Timelines, FixedRowsStandAsWritten) {
  for (const FixedRow& f : FixedRows) {
    SCOPED_TRACE("level " + std::to_string(f.Level) + " row " + std::to_string(f.Index));
    SetUpGame t(f.Level);
    const Game& g = *t;
    ASSERT_LT(f.Index, g.Level.SpawnCount);
    std::istringstream in(f.Values);
    std::vector<double> got = RowValues(g.Level.SpawnTable[f.Index]);
    for (int c = 0; c < 12; ++c) {
      std::string cell;
      in >> cell;
      if (cell == "*") continue;
      double want = std::stod(cell);
      if (c == 1 || c == 9) want = DegToRad(static_cast<Single>(want));
      EXPECT_EQ(got[c], double(static_cast<Single>(want))) << "column " << c;
    }
    for (int i = 0; f.FirstOfKind && i < f.Index; ++i) {
      EXPECT_FALSE(g.Level.SpawnTable[i].SpawnTime != 0 && g.Level.SpawnTable[i].Kind == g.Level.SpawnTable[f.Index].Kind)
          << "row " << i << " comes before the first of its kind";
    }
  }
}

TEST(LevelSetup, BossKindsCarryTheLastSetUpsHitPoints) {
  const int normal[10] = {200, 200, 400, 300, 600, 800, 2000, 2500, 2000, 10000};
  TestGame t;
  Game& g = *t;
  for (int level : {13, 1, 13, 12}) {
    LevelSetup(g, static_cast<Integer>(level));
    const int factor = level == 13 ? 2 : 1;
    for (int k = 0; k < 10; ++k) EXPECT_EQ(g.Tables.EnemyKinds[20 + k].HitPoints, normal[k] * factor) << level << " " << k;
    EXPECT_EQ(g.Level.BossArena, level == 13);
    EXPECT_EQ(g.Level.ArenaBoss, level == 13 ? 1 : 0);
    EXPECT_EQ(g.CurrentLevel, level);
  }
  // The biggest and smallest boss sprites sit where the sheet has them.
  EXPECT_EQ(g.Tables.EnemyKinds[29].Width, 250);
  EXPECT_EQ(g.Tables.EnemyKinds[29].SrcTop, 174);
  EXPECT_EQ(g.Tables.EnemyKinds[20].Height, 127);
  EXPECT_EQ(g.Tables.EnemyKinds[26].SrcLeft, 494);
}

TEST(LevelSetup, ArenaStartsOneFrameBeforeTheFirstBoss) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 12);
  EXPECT_EQ(g.Level.FrameClock, 4798.0f);
  EXPECT_EQ(g.Level.BossLife, 400);
  EXPECT_EQ(g.Level.BossMaxLife, 400);
  EXPECT_EQ(g.Level.SpawnCount, 23);
  RunFrame(g);
  EXPECT_EQ(g.Level.FrameClock, 4799.0f);
  ASSERT_TRUE(g.Enemies[0].Exists);
  EXPECT_EQ(g.Enemies[0].Kind, 20);
  EXPECT_EQ(g.Enemies[0].Life, 400);
  for (int i = 1; i < EnemyCountMax; ++i) EXPECT_FALSE(g.Enemies[i].Exists) << "slot " << i;
  // Ordinary play starts its clock at zero again.
  StartLevel(g, 0);
  EXPECT_EQ(g.Level.FrameClock, 0.0f);
  EXPECT_FALSE(g.Level.BossArena);
}

TEST(LevelSetup, MarathonStageRestartsOnlyTheFireTimers) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 11);
  EXPECT_EQ(g.CurrentLevel, 12);
  g.Level.FrameClock = 4701;
  g.Ship.Life = 123;
  g.Ship.Charge = 45;
  g.Ship.Left = 250;
  g.Ship.LastShot1 = 4600;
  g.Ship.LastShot2 = 4650;
  g.Shots[7].AnimationCount = 4690;
  g.Level.BossTimer = 9;
  g.Level.MarathonStageLoaded = true;
  LevelSetup(g, 2);
  EXPECT_EQ(g.CurrentLevel, 12);
  EXPECT_EQ(g.Level.SpawnCount, 62);
  EXPECT_EQ(g.Level.FrameClock, 0.0f);
  EXPECT_EQ(g.Ship.LastShot1, 0);
  EXPECT_EQ(g.Ship.LastShot2, 0);
  EXPECT_EQ(g.Shots[7].AnimationCount, 0);
  EXPECT_EQ(g.Level.BossTimer, 0);
  EXPECT_EQ(g.Ship.Life, 123.0f);
  EXPECT_EQ(g.Ship.Charge, 45.0f);
  EXPECT_EQ(g.Ship.Left, 250.0f);
  EXPECT_EQ(g.Tables.EnemyKinds[21].HitPoints, 200);
}

TEST(LevelSetup, RowsBeyondTheTableAreLeftOut) {
  SetUpGame t(10);
  Game& g = *t;
  AddSpawn(g, 1, 5, 90, 1, 200, 400, 0, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, -1, 5, 90, 1, 200, 400, 0, 8, 50, 0, 0, 6, 0);
  ASSERT_EQ(g.Level.SpawnTable.size(), 1u);
  EXPECT_EQ(g.Level.SpawnTable[0].Kind, 29);
}

// The random rows come from the game's one generator, in row order (and in level 8 the heading
// before the x of each fighter); two set-ups differ in those fields only.
TEST(Timelines, RandomRowsDifferOnlyInTheirDrawnFields) {
  struct RandomRows {
    int Level, First, Last;
  };
  for (const RandomRows& rr : {RandomRows{3, 37, 44}, RandomRows{8, 17, 36}}) {
    SCOPED_TRACE("level " + std::to_string(rr.Level));
    TestGame t;
    Game& g = *t;
    RandomGenerator draws = g.Rng;
    LevelSetup(g, static_cast<Integer>(rr.Level));
    const std::vector<SpawnRec> first = g.Level.SpawnTable;
    LevelSetup(g, static_cast<Integer>(rr.Level));
    int differing = 0;
    for (int i = 0; i < int(first.size()); ++i) {
      SpawnRec a = first[i], b = g.Level.SpawnTable[i];
      if (i < rr.First || i > rr.Last) {
        EXPECT_EQ(RowValues(a), RowValues(b)) << "row " << i;
        continue;
      }
      if (rr.Level == 3) {
        EXPECT_EQ(a.ShootRate, Integer(std::floor(draws.Next() * 40.0f) + 40)) << "row " << i;
        differing += a.ShootRate != b.ShootRate;
        a.ShootRate = b.ShootRate = 0;
      } else {
        EXPECT_EQ(a.Heading, DegToRad(std::floor(draws.Next() * 50.0f) + 65)) << "row " << i;
        EXPECT_EQ(a.CenterX, std::floor(draws.Next() * 50.0f) + 375) << "row " << i;
        EXPECT_EQ(a.SpawnTime, 2100 + 15 * (i - rr.First));
        differing += a.Heading != b.Heading || a.CenterX != b.CenterX;
        a.Heading = b.Heading = a.CenterX = b.CenterX = 0;
      }
      EXPECT_EQ(RowValues(a), RowValues(b)) << "row " << i;
    }
    EXPECT_GT(differing, 0);
  }
}

namespace {

// Where each boss phase looks for its boss group, by slot: the kinds it expects there.
struct BossGroup {
  int Level, BossTime, CheckTime;
  std::vector<int> SlotKinds;
  std::vector<int> Stragglers = {};  // kinds still flying above the group's slots
};

const std::vector<BossGroup> BossGroups = {
    {1, 4800, 4801, {20}},
    {2, 4100, 4101, {15, 15, 15, 16, 15, 15, 15, 21}},
    {3, 5200, 5201, {22, 17, 17}},
    // The slow crate of row 52 cannot cross the screen before the boss time; it keeps a higher slot.
    {4, 4300, 4302, {23, 18, 18, 15, 15}, {16}},
    {5, 6000, 6001, {24}},
    {6, 4700, 4701, {25}},
    {7, 5600, 5601, {26}},
    {8, 6100, 6101, {27}},
    {9, 3500, 3501, {28}},
    {10, 100, 101, {29}},
};

void PrintTo(const BossGroup& b, std::ostream* os) { *os << "level " << b.Level; }

}  // namespace

// The level is played frame by frame with the game's own frame steps, the ship kept alive and never
// firing, so that every craft leaves only by flying off the field. Just after the boss time the
// boss and its escorts must stand in the slots the boss phase reads, with no one else on the field;
// and the pool never fills on the way, so no row is lost.
class TimelineToBoss : public ::testing::TestWithParam<BossGroup> {};

TEST_P(TimelineToBoss, BossGroupEntersAnEmptyField) {
  const BossGroup& b = GetParam();
  TestGame t;
  Game& g = *t;
  StartLevel(g, b.Level - 1);
  int mostAlive = 0;
  while (g.Level.FrameClock < b.CheckTime && !g.InMenu) {
    g.Ship.Life = 1e6f;  // rams and shots take it down, but never to zero
    // In level 4 the clock is slowed around the slow crate's entry, which moves the hulks' exits
    // off whole clock values; the hulks holding the low slots still outlast it.
    if (b.Level == 4) g.Level.ChargeOn[AbilityMatrix] = g.Level.FrameClock >= 3590 && g.Level.FrameClock < 3610;
    RunFrame(g);
    int alive = 0;
    for (const EnemyClass& e : g.Enemies) alive += e.Exists;
    mostAlive = std::max(mostAlive, alive);
  }
  ASSERT_EQ(g.Level.FrameClock, float(b.CheckTime));
  ASSERT_FALSE(g.InMenu);
  EXPECT_LT(mostAlive, EnemyCountMax);
  const int group = int(b.SlotKinds.size());
  std::vector<int> others;
  for (int s = 0; s < EnemyCountMax; ++s) {
    if (s < group) {
      ASSERT_TRUE(g.Enemies[s].Exists) << "slot " << s;
      EXPECT_EQ(g.Enemies[s].Kind, b.SlotKinds[s]) << "slot " << s;
    } else if (g.Enemies[s].Exists) {
      others.push_back(g.Enemies[s].Kind);
    }
  }
  EXPECT_EQ(others, b.Stragglers);
}

INSTANTIATE_TEST_SUITE_P(Levels, TimelineToBoss, ::testing::ValuesIn(BossGroups),
                         [](const ::testing::TestParamInfo<BossGroup>& info) {
                           return "Level" + std::to_string(info.param.Level);
                         });

// The arena's table played with the director: each boss destroyed brings the next from its row,
// with the arena's doubled hit points, until the tenth is down.
TEST(TimelinePlay, ArenaBringsTheTenBossesInTurn) {
  const int normal[10] = {200, 200, 400, 300, 600, 800, 2000, 2500, 2000, 10000};
  TestGame t;
  Game& g = *t;
  StartLevel(g, 12);
  for (int boss = 0; boss < 10; ++boss) {
    SCOPED_TRACE("boss " + std::to_string(boss + 1));
    g.Ship.Life = 1e6f;
    RunFrame(g);
    const int slot = boss == 1 ? 7 : 0;  // the second boss comes behind seven escorts
    ASSERT_TRUE(g.Enemies[slot].Exists);
    EXPECT_EQ(g.Enemies[slot].Kind, 20 + boss);
    EXPECT_EQ(g.Enemies[slot].Life, 2 * normal[boss]);
    EXPECT_EQ(g.Level.BossMaxLife, 2 * normal[boss]);
    EXPECT_FALSE(g.LevelOver);
    g.Enemies[slot].Exists = false;
  }
  RunFrame(g);
  EXPECT_TRUE(g.LevelOver);
}

// The marathon chains the nine timelines without their bosses; craft left over from one stage fly
// on into the next, and the pool still never fills.
TEST(TimelinePlay, MarathonRunsTheNineStagesWithoutFillingThePool) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 11);
  int mostAlive = 0, frames = 0;
  while (!g.LevelOver && !g.InMenu && frames < 50000) {
    g.Ship.Life = 1e6f;
    RunFrame(g);
    ++frames;
    int alive = 0;
    for (const EnemyClass& e : g.Enemies) {
      alive += e.Exists;
      ASSERT_FALSE(e.Exists && e.Kind >= 20) << "no boss enters in stage " << g.Level.MarathonStage;
    }
    mostAlive = std::max(mostAlive, alive);
  }
  EXPECT_TRUE(g.LevelOver) << "after stage 9";
  EXPECT_EQ(g.Level.MarathonStage, 9);
  EXPECT_LT(mostAlive, EnemyCountMax);
}
