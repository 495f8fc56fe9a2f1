// Level set-up and the level timelines: each level's shape, one digest of all its rows, the random
// rows, the bosses' hit points, and every level played through to its boss time to find the boss
// group in its slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
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

// The rows drawn at random when a level is set up: level 3's turret fire rates and level 8's
// fighter headings and columns.
bool DrawnField(int level, int row, int column) {
  if (level == 3) return row >= 37 && row <= 44 && column == 7;
  if (level == 8) return row >= 17 && row <= 36 && (column == 1 || column == 4);
  return false;
}

// Every field of every row but the drawn ones.
uint64_t TimelineDigest(int level, const std::vector<SpawnRec>& table) {
  Digest d;
  for (int i = 0; i < int(table.size()); ++i) {
    const SpawnRec& r = table[i];
    const Single cells[12] = {Single(r.Kind),     r.Heading,          r.Speed,           Single(r.SpawnTime),
                              r.CenterX,          Single(r.Shottype), Single(r.ShotPat), Single(r.ShootRate),
                              r.Accel,            r.AccelHeading,     r.ShotSpeed,       r.StartY};
    for (int c = 0; c < 12; ++c) d.Add(DrawnField(level, i, c) ? Single(0) : cells[c]);
  }
  return d.Value;
}

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

// Every value of every row, level by level. A changed row must change its digest here on purpose.
TEST(Timelines, EveryRowStandsAsWritten) {
  const uint64_t digests[13] = {
      8271679511675490709ull, 7891620318143667961ull, 13424087312224206191ull,
      6609858544732397194ull, 1610787731222872456ull, 10915810340307991522ull,
      13046115687831309818ull, 10593609111509715614ull, 15565204568677251220ull,
      11430031073037646610ull, 13658354566982445497ull, 18317249188301547989ull,
      1374335819252521267ull,
  };
  for (int level = 1; level <= 13; ++level) {
    SetUpGame t(level);
    EXPECT_EQ(TimelineDigest(level, t->Level.SpawnTable), digests[level - 1]) << "level " << level;
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
    PlayFrame(t);
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
