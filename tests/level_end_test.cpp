// The level end on crafted states: grades, goals, bonuses, the results screen, the pay-out
// and the mini game's score.
#include <gtest/gtest.h>

#include <cmath>

#include "levels/level_director.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

// A level just won: the boss gone, the counters as given, nothing met before.
struct WonLevel {
  TestGame T;
  Game& G = *T;
  explicit WonLevel(Integer level) {
    CreatePools(G);
    G.InMenu = false;
    G.CurrentLevel = level;
    G.Level.BossArena = level == 13;
    G.Level.ArenaBoss = level == 13 ? 10 : 0;
    G.Level.FrameClock = 9000;  // past every boss time
    G.Level.EnemyCount = 10;
    G.Level.KillCount = 10;
    G.Level.DamageDealt = 100;
    G.Level.DamageTaken = 0;
    G.Ship.Exists = true;
    G.Ship.GemType1 = G.Ship.GemType2 = -1;
  }
  // One results frame of the level director.
  void Frame() {
    T.Plat.ClearRecords();
    LevelDirector(G);
    DeliverOutputs(T.H, G, true);
  }
  std::string TextAt(int x, int y) const {
    std::string found;
    for (const TextRecord& t : T.Plat.Texts)
      if (t.X == x && t.Y == y) found = t.Text;
    return found;
  }
  std::string Points() const { return TextAt(440, 358); }
};

ProgressBlock ReadSave(const std::string& path) {
  std::string bytes = ReadFile(path);
  SaveBlock b{};
  EXPECT_EQ(bytes.size(), b.size());
  std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
  return DecodeProgress(b);
}

}  // namespace

// Every grade boundary belongs to the higher grade; just below it is the lower one.
TEST(LevelEnd, GradeTableBoundaries) {
  struct Row {
    double From;
    const char* Text;
    int Value;
    const char* Below;
  } rows[] = {{1.95, "SS", 100, "S"}, {1.7, "S", 90, "A"}, {1.5, "A", 80, "B"}, {1.3, "B", 70, "C"},
              {1.1, "C", 60, "D"},    {0.9, "D", 50, "F"}};
  for (const Row& r : rows) {
    EXPECT_STREQ(GradeFromScore(r.From).Text, r.Text) << r.From;
    EXPECT_EQ(GradeFromScore(r.From).Value, r.Value);
    EXPECT_STREQ(GradeFromScore(std::nextafter(r.From, 0.0)).Text, r.Below) << r.From;
  }
  EXPECT_EQ(GradeFromScore(-5).Value, 10);

  // The score: damage ratio capped at 1, kills per enemy, a fifth off per potion.
  WonLevel w(3);
  w.G.Level.DamageDealt = 50, w.G.Level.DamageTaken = 1;  // 50 / 2 / 10 = 2.5, capped at 1
  w.G.Level.KillCount = 19, w.G.Level.EnemyCount = 20, w.G.Level.PotionsUsedLevel = 0;
  EXPECT_EQ(GradeScore(w.G), 1 + 19.0 / 20);
  EXPECT_STREQ(GradeFromScore(GradeScore(w.G)).Text, "SS");
  w.G.Level.DamageDealt = 15, w.G.Level.DamageTaken = 2, w.G.Level.PotionsUsedLevel = 1;  // 0.5 + 0.95 - 0.2
  EXPECT_EQ(GradeScore(w.G), 0.5 + 0.95 - 0.2);
  EXPECT_STREQ(GradeFromScore(GradeScore(w.G)).Text, "C");
  // No counted enemy at all (only uncounted craft): nobody got away, the ratio reads 1.
  w.G.Level.EnemyCount = 0, w.G.Level.KillCount = 3, w.G.Level.PotionsUsedLevel = 0;
  EXPECT_EQ(KillRatio(w.G), 1.0);
  EXPECT_EQ(GradeScore(w.G), 1.5);
}

// The results of a level: grade and points; gem 11 makes any grade SS; gems 6 and 9 multiply
// by 1.25 (rounded half to even), then by 2; the pickup adds 50 per level number.
TEST(LevelEnd, PointsGradeAndGems) {
  WonLevel w(7);
  w.G.Level.KillCount = 5;  // 0 + 5/10 - 1/5 = 0.3: F
  w.G.Level.PotionsUsedLevel = 1;
  w.G.Level.DamageDealt = 0;
  w.G.Level.ChargeUsed = 1;
  w.Frame();
  EXPECT_EQ(w.TextAt(342, 358), "F");
  EXPECT_EQ(w.Points(), "70") << "7 x 10; of the goals only the ability's (no damage) is met";
  EXPECT_EQ(w.TextAt(303, 395), "SHOT ERASER ABILITY");
  EXPECT_EQ(w.TextAt(430, 176), "5");
  EXPECT_EQ(w.TextAt(430, 228), "1");
  EXPECT_EQ(w.TextAt(429, 267), "False");

  w.G.Ship.GemType2 = 11;
  w.Frame();
  EXPECT_EQ(w.TextAt(342, 358), "SS");
  EXPECT_EQ(w.Points(), "700") << "gem 11: level 7 pays at least 700 before goals";

  w.G.Ship.GemType1 = 6, w.G.Ship.GemType2 = 9, w.G.Level.PickupTaken = true;
  w.G.Level.KillCount = 10;  // 0 + 1 - 0.2 = 0.8: still F; goal 3 (all killed) gives its gem now
  w.Frame();
  EXPECT_EQ(w.TextAt(342, 358), "F");
  EXPECT_EQ(w.Points(), "1050") << "(70 + pickup 350) x 1.25 = 525, x 2";
  EXPECT_EQ(w.TextAt(303, 383), "EXPERIENCE UP GEM");
  EXPECT_EQ(w.TextAt(429, 267), "True");

  // Half to even on the 1.25: 10 x 1.25 = 12.5 gives 12, 30 x 1.25 = 37.5 gives 38.
  WonLevel h(1);
  h.G.Progress.GoalDone[0] = {true, true, true, true, true};
  h.G.Level.KillCount = 0, h.G.Level.DamageDealt = 0, h.G.Ship.GemType1 = 6;
  h.Frame();
  EXPECT_EQ(h.Points(), "12");
  h.G.CurrentLevel = 3;
  h.G.Progress.GoalDone[2] = {true, true, true, true, true};
  h.Frame();
  EXPECT_EQ(h.Points(), "38");
}

// Goals: newly met ones pay and show COMPLETED!, goals 3 and 4 hand out their gem and ability
// on the first results frame; after the pay-out the same play shows DONE and pays nothing again.
TEST(LevelEnd, GoalsPayOnceAndRewardAtOnce) {
  TempDir dir;
  WonLevel w(1);
  w.T.H.Save.Path = dir.File("save.gsv");
  w.G.Progress.GoalDone[0][1] = true;  // met in an earlier play
  w.Frame();
  EXPECT_TRUE(w.G.LevelOver);
  EXPECT_TRUE(w.G.Progress.GemOwned[0]) << "the gem is given before Escape";
  EXPECT_TRUE(w.G.Progress.ChargeOwned[0]);
  EXPECT_FALSE(w.G.Progress.GoalDone[0][0]) << "goal flags wait for the pay-out";
  const char* lines[5] = {"COMPLETED!", "DONE", "COMPLETED!", "COMPLETED!", "COMPLETED!"};
  for (int goal = 0; goal < 5; ++goal) EXPECT_EQ(w.TextAt(429, 280 + 13 * goal), lines[goal]);
  EXPECT_EQ(w.TextAt(303, 383), "ACCEL RATE UP GEM");
  EXPECT_EQ(w.TextAt(303, 395), "BOOSTER ABILITY");
  EXPECT_EQ(w.TextAt(342, 358), "SS");
  EXPECT_EQ(w.Points(), "300") << "100 for SS + 50 + 150; goal 1 was met before";
  for (const TextRecord& t : w.T.Plat.Texts) EXPECT_EQ(t.Colour, 0u) << "results are black on the panel";
  EXPECT_FALSE(std::filesystem::exists(w.T.H.Save.Path)) << "nothing is saved before Escape";

  w.G.Progress.Points = 1000;
  w.G.Keys[KeyEscape] = true;
  w.Frame();
  const ProgressBlock& p = w.G.Progress;
  for (int goal = 0; goal < 5; ++goal) EXPECT_TRUE(p.GoalDone[0][goal]) << goal;
  EXPECT_EQ(p.Points, 1300);
  EXPECT_TRUE(p.LevelOpen[1]) << "level 2 opens";
  EXPECT_EQ(p.Stats[StatLevelsPlayed], 1);
  EXPECT_EQ(p.Stats[StatPointsEarned], 300);
  EXPECT_FALSE(w.G.Menu.MusicStarted);
  EXPECT_EQ(ReadSave(w.T.H.Save.Path), p);

  // Played again: everything DONE, only the grade pays, no reward names.
  w.G.Keys[KeyEscape] = false;
  w.Frame();
  for (int goal = 0; goal < 5; ++goal) EXPECT_EQ(w.TextAt(429, 280 + 13 * goal), "DONE");
  EXPECT_EQ(w.Points(), "100");
  EXPECT_EQ(w.TextAt(303, 383), "");
  EXPECT_EQ(w.TextAt(303, 395), "");
}

// Each level's goal conditions at their edges ("over" and "less than" are strict).
TEST(LevelEnd, GoalConditions) {
  struct Case {
    Integer Level;
    void (*Set)(Game&);
    std::array<bool, 5> Met;
  } cases[] = {
      {2, [](Game& g) { g.Level.DamageDealt = 500, g.Level.DamageTaken = 300.5f, g.Level.KillCount = 9; }, {0, 1, 1, 0, 0}},
      {3, [](Game& g) { g.Level.DistanceMoved = 999.9f, g.Level.ChargeUsed = 500.5f, g.Level.KillCount = 1; }, {1, 1, 0, 1, 1}},
      {4, [](Game& g) { g.Level.DistanceMoved = 3000, g.Level.DamageDealt = 1000.5f, g.Level.DamageTaken = 1; }, {0, 1, 1, 0, 1}},
      {5, [](Game& g) { g.Level.DamageTaken = 200, g.Level.DamageDealt = 2001, g.Level.KillCount = 11; }, {0, 1, 1, 1, 0}},
      {6, [](Game& g) { g.Level.DamageTaken = 349, g.Level.DamageDealt = 1500; }, {1, 0, 1, 0, 1}},
      {7, [](Game& g) { g.Level.DamageTaken = 400.5f, g.Level.DamageDealt = 3500; }, {1, 0, 1, 1, 0}},
      {8, [](Game& g) { g.Level.DistanceMoved = 3501, g.Level.DamageDealt = 3501, g.Level.ChargeUsed = 2; }, {1, 1, 0, 1, 1}},
      {9, [](Game& g) { g.Level.DistanceMoved = 3001, g.Level.DamageDealt = 4500, g.Level.KillCount = 9; }, {1, 0, 1, 0, 1}},
      {9, [](Game& g) { g.Level.KillCount = 91, g.Level.EnemyCount = 100, g.Level.DamageTaken = 2; }, {0, 0, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.Level);
    WonLevel w(c.Level);
    w.G.Level.DamageDealt = 0;
    c.Set(w.G);
    const ProgressBlock before = w.G.Progress;
    const LevelResults r = ComputeLevelResults(w.G);
    for (int goal = 0; goal < 5; ++goal) EXPECT_EQ(r.NewGoal[goal], c.Met[goal]) << "goal " << goal;
    EXPECT_EQ(w.G.Progress, before);  // working the results out changes nothing
    // The results frame hands out the gem and the ability at once, before any pay-out.
    w.G.Keys[KeyEscape] = false;
    LevelWonFrame(w.G);
    EXPECT_EQ(w.G.Progress.GemOwned[c.Level - 1], c.Met[3]);
    EXPECT_EQ(w.G.Progress.ChargeOwned[c.Level - 1], c.Met[4]);
  }
}

// Level 10, the marathon and the arena: their points, what they show and what they unlock.
TEST(LevelEnd, FinalLevelMarathonAndArena) {
  {
    WonLevel w(10);
    w.G.Level.PickupTaken = true;
    w.Frame();
    EXPECT_EQ(w.Points(), "6500") << "10 x SS 100 + 5000 + pickup 500";
    EXPECT_EQ(w.TextAt(429, 280), "COMPLETED!");
    EXPECT_EQ(w.TextAt(429, 293), "") << "one goal line only";
    w.G.Keys[KeyEscape] = true;
    w.Frame();
    const ProgressBlock& p = w.G.Progress;
    EXPECT_TRUE(p.GoalDone[9][0]);
    EXPECT_TRUE(p.LevelOpen[11] && p.LevelOpen[12] && p.GemOwned[9]);
    EXPECT_FALSE(p.LevelOpen[10]) << "the mini game opens by completion, not here";
    EXPECT_EQ(p.Points, 6500);
  }
  struct Mode {
    Integer Level;
    bool Pickup;
    int Gem1, Gem2;
    int Points;
    int UnlockedShot;
  } modes[] = {{12, true, -1, -1, 10600, 19}, {12, true, 6, 9, 26500, 19}, {13, false, -1, -1, 10000, 18},
               {13, false, 9, -1, 20000, 18}};
  for (const Mode& m : modes) {
    SCOPED_TRACE(testing::Message() << "level " << m.Level << " gems " << m.Gem1 << "," << m.Gem2);
    WonLevel w(m.Level);
    w.G.Level.MarathonStage = 9;
    w.G.Level.FrameClock = 3401;
    w.G.Level.MarathonStageLoaded = true;
    w.G.Level.PickupTaken = m.Pickup;
    w.G.Ship.GemType1 = Integer(m.Gem1), w.G.Ship.GemType2 = Integer(m.Gem2);
    w.G.Progress.ShotLevel[18] = w.G.Progress.ShotLevel[19] = -1;
    const auto openBefore = w.G.Progress.LevelOpen;
    w.Frame();
    ASSERT_TRUE(w.G.LevelOver);
    EXPECT_EQ(w.Points(), std::to_string(m.Points));
    EXPECT_EQ(w.TextAt(342, 358), "") << "no grade";
    EXPECT_EQ(w.TextAt(430, 176), "") << "no counters";
    EXPECT_EQ(w.TextAt(429, 280), "") << "no goal lines";
    w.G.Keys[KeyEscape] = true;
    w.Frame();
    EXPECT_EQ(w.G.Progress.ShotLevel[m.UnlockedShot], 0);
    EXPECT_EQ(w.G.Progress.ShotLevel[18 + 19 - m.UnlockedShot], -1);
    EXPECT_EQ(w.G.Progress.LevelOpen, openBefore);
    EXPECT_EQ(w.G.Progress.Points, m.Points);
  }
  // A crafted state beyond any real pay-out: the 16-bit points counter holds at its limit.
  WonLevel big(12);
  big.G.Level.BossArena = true, big.G.Level.MarathonStage = 9, big.G.Level.FrameClock = 3401, big.G.Level.MarathonStageLoaded = true;
  big.G.Level.PickupTaken = true, big.G.Ship.GemType1 = 6, big.G.Ship.GemType2 = 9;
  big.Frame();
  EXPECT_EQ(big.Points(), "32767");
}

// The mini game pays by survival time once the ship is lost: a death at 3000 pays 225.
TEST(LevelEnd, MiniGameScore) {
  EXPECT_EQ(MiniGameScore(3000), 225);
  EXPECT_EQ(MiniGameScore(3099), 225);
  EXPECT_EQ(MiniGameScore(3100), 240);
  EXPECT_EQ(MiniGameScore(99), 0);
  EXPECT_EQ(MiniGameScore(std::numeric_limits<Long>::max()), std::numeric_limits<Long>::max());

  TempDir dir;
  WonLevel w(11);
  w.T.H.Save.Path = dir.File("save.gsv");
  w.G.Progress.Points = 5;
  w.G.Level.MiniGameTime = 3000;
  w.Frame();
  EXPECT_EQ(w.Points(), "") << "nothing while the ship lives";
  w.G.Ship.Exists = false;
  w.G.Pen.TextColour = 0xFFFFFF;
  w.Frame();
  EXPECT_EQ(w.Points(), "225");
  EXPECT_EQ(w.G.Pen.TextColour, 0u);
  EXPECT_FALSE(w.G.LevelOver) << "the mini game is never won";
  EXPECT_EQ(w.G.Progress.Points, 5);
  w.G.Keys[KeyEscape] = true;
  w.Frame();
  EXPECT_EQ(w.G.Progress.Points, 230);
  EXPECT_EQ(ReadSave(w.T.H.Save.Path).Points, 230);
  EXPECT_EQ(w.G.Progress.Stats[StatLevelsPlayed], 0) << "the mini game counts no level played";
}
