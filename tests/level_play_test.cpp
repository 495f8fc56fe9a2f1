// Whole plays through the real frame function: a level or mode started from its menu button,
// played on the real timeline (the test keeps the ship cloaked and strikes the bosses from
// code), the results screen reached, Escape pressed, and the pay-out checked in the progress,
// the lifetime statistics and the saved file.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <nlohmann/json.hpp>

#include "levels/level_director.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

struct Play {
  TestGame T;
  Game& G = *T;
  TempDir Dir;
  std::string LastPoints;  // the points the results screen showed last
  std::string LastGrade;

  explicit Play(int buttonIndex, bool allOpen = true) {
    T.H.Save.Path = Dir.File("save.gsv");
    if (allOpen) G.Progress.LevelOpen.fill(true);
    // Onto the button, then a click.
    const int y = buttonIndex < 10 ? 110 + 33 * buttonIndex : 472 + 33 * (buttonIndex - 10);
    T.Plat.MouseDx = 50;
    T.Plat.MouseDy = y;
    Frame();
    T.Plat.MouseLeft = true;
    Frame();
    T.Plat.MouseLeft = false;
    EXPECT_FALSE(G.InMenu) << "the button starts play";
  }

  void Frame() {
    T.Plat.ClearRecords();
    PlayFrame(T);
    for (const TextRecord& t : T.Plat.Texts) {
      if (t.X == 440 && t.Y == 358) LastPoints = t.Text;
      if (t.X == 342 && t.Y == 358) LastGrade = t.Text;
    }
  }

  // Strikes the enemy in the slot with one shot of the given damage, through the game's own
  // hit rules (kills, damage dealt, explosions).
  void Strike(int slot, Single damage) {
    const EnemyClass& e = G.Enemies[slot];
    ShotClass s;
    const Single cx = (e.Right - e.Left) / 2 + e.Left, cy = (e.Bottom - e.Top) / 2 + e.Top;
    s.Top = cy - 1, s.Bottom = cy + 1, s.Left = cx - 1, s.Right = cx + 1;
    s.Exists = true;
    s.Damage = damage;
    s.AlreadyHit = -1;
    ShotHitsEnemies(G, s);
  }

  // Plays until the level is over, keeping the ship cloaked; each frame `act` may intervene.
  bool PlayUntilOver(long maxFrames, const std::function<void()>& act) {
    for (long i = 0; i < maxFrames; ++i) {
      G.Level.ChargeOn[AbilityCloaker] = true;
      act();
      Frame();
      if (G.LevelOver) return true;
    }
    return false;
  }

  // Escape on the results screen: the pay-out frame, then the frame that returns to the menu.
  void Escape() {
    T.Plat.KeyState[KeyEscape] = true;
    Frame();
    EXPECT_FALSE(G.InMenu) << "the pay-out happens in the play frame";
    Frame();
    T.Plat.KeyState[KeyEscape] = false;
    EXPECT_TRUE(G.InMenu);
  }

  ProgressBlock Saved() const {
    std::string bytes = ReadFile(T.H.Save.Path);
    SaveBlock b{};
    EXPECT_EQ(bytes.size(), b.size());
    std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
    return DecodeProgress(b);
  }
};

// The boss being fought: level 2's (and the arena's second) stands in slot 7, every other in 0.
int BossSlot(const Game& g) { return (g.CurrentLevel == 2 || g.Level.ArenaBoss == 2) ? 7 : 0; }

}  // namespace

// Each level won with the ship cloaked and motionless, no potion, no charge, only the boss
// killed (by one heavy strike; the final boss by several): the grade, the goals met and the
// points follow from those counters.
TEST(LevelPlay, EveryLevelWonAndPaidOut) {
  struct Case {
    int Level;
    int Enemies;  // the timeline's counted enemies
    const char* Grade;
    std::array<bool, 5> Goals;
    int Points;
  } cases[] = {
      {1, 25, "F", {1, 0, 1, 1, 0}, 10 + 50 + 150},
      {2, 25, "D", {1, 0, 1, 1, 0}, 100 + 100 + 300},
      {3, 20, "D", {1, 0, 1, 1, 1}, 150 + 200 + 600},
      {4, 20, "D", {0, 1, 1, 1, 0}, 200 + 600 + 900},
      {5, 37, "D", {1, 1, 1, 0, 1}, 250 + 400 + 800 + 1200},
      {6, 30, "D", {1, 1, 1, 1, 0}, 300 + 500 + 1000 + 1500},
      {7, 53, "D", {0, 1, 1, 0, 1}, 350 + 1200 + 1800},
      {8, 46, "D", {0, 1, 1, 0, 1}, 400 + 1400 + 2100},
      {9, 43, "D", {0, 1, 1, 0, 1}, 450 + 1600 + 2400},
      {10, 1, "SS", {1, 0, 0, 0, 0}, 1000 + 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.Level);
    Play p(c.Level - 1);
    ASSERT_EQ(p.G.CurrentLevel, c.Level);
    const Long pointsBefore = p.G.Progress.Points;
    long phaseFrames = 0;
    const bool over = p.PlayUntilOver(20000, [&] {
      if (!p.G.Level.BossPhase) return;
      // Let the boss show its ways for a while, then strike it down.
      if (++phaseFrames < 90 || phaseFrames % 5 != 0) return;
      const int slot = BossSlot(p.G);
      if (p.G.Enemies[slot].Exists) p.Strike(slot, c.Level == 10 ? 1500 : 5000);
    });
    ASSERT_TRUE(over) << "the level is won";
    EXPECT_TRUE(p.G.Ship.Exists);
    EXPECT_EQ(p.G.Level.EnemyCount, c.Enemies);
    EXPECT_EQ(p.G.Level.KillCount, 1);
    EXPECT_EQ(p.G.Level.DamageTaken, 0);
    // A few more results frames: the screen stays, nothing is paid yet.
    for (int i = 0; i < 3; ++i) p.Frame();
    EXPECT_EQ(p.LastGrade, c.Grade);
    EXPECT_EQ(p.LastPoints, std::to_string(c.Points));
    EXPECT_EQ(p.G.Progress.Points, pointsBefore);
    EXPECT_EQ(p.G.Harness.Music.Track, "Win");

    const Single dealt = p.G.Level.DamageDealt;
    p.Escape();
    const ProgressBlock& pr = p.G.Progress;
    for (int goal = 0; goal < 5; ++goal) EXPECT_EQ(pr.GoalDone[c.Level - 1][goal], c.Goals[goal]) << "goal " << goal;
    EXPECT_EQ(pr.Points, pointsBefore + c.Points);
    EXPECT_EQ(pr.Stats[StatLevelsPlayed], 1);
    EXPECT_EQ(pr.Stats[StatPointsEarned], c.Points);
    EXPECT_EQ(pr.Stats[StatKills], 1);
    EXPECT_EQ(pr.Stats[StatDamageDealt], RoundToLong(dealt));
    if (c.Level <= 9) {
      EXPECT_EQ(pr.GemOwned[c.Level - 1], c.Goals[3]);
      EXPECT_EQ(pr.ChargeOwned[c.Level - 1], c.Goals[4]);
    } else {
      EXPECT_TRUE(pr.GemOwned[9]);
    }
    // The file holds the pay-out; the counters folded on leaving come after the save.
    ProgressBlock saved = p.Saved();
    EXPECT_EQ(saved.Points, pr.Points);
    EXPECT_EQ(saved.GoalDone, pr.GoalDone);
    EXPECT_EQ(saved.GemOwned, pr.GemOwned);
    EXPECT_EQ(saved.Stats[StatPointsEarned], c.Points);
    EXPECT_EQ(saved.Stats[StatKills], 0);
  }
}

// The boss arena: ten bosses in a row, each struck down after a while; 10000 points and
// shot 18 on pay-out, no level opened.
TEST(LevelPlay, BossArenaWonAndPaidOut) {
  Play p(12);
  ASSERT_TRUE(p.G.Level.BossArena);
  p.G.Progress.ShotLevel[18] = -1;
  const auto openBefore = p.G.Progress.LevelOpen;
  std::vector<int> bossesSeen;
  long stageFrames = 0;
  const bool over = p.PlayUntilOver(20000, [&] {
    if (!p.G.Level.BossPhase) return;
    if (bossesSeen.empty() || bossesSeen.back() != p.G.Level.ArenaBoss) {
      bossesSeen.push_back(p.G.Level.ArenaBoss);
      stageFrames = 0;
      // The boss bar is scaled to the new boss: arena bosses have twice their level's life.
      const EnemyClass& b = p.G.Enemies[BossSlot(p.G)];
      EXPECT_EQ(b.Kind, 19 + p.G.Level.ArenaBoss);
      EXPECT_EQ(p.G.Level.BossMaxLife, RoundToInteger(b.Life));
    }
    if (++stageFrames < 60 || stageFrames % 4 != 0) return;
    const int slot = BossSlot(p.G);
    if (p.G.Enemies[slot].Exists) p.Strike(slot, 3000);
  });
  ASSERT_TRUE(over);
  EXPECT_EQ(bossesSeen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  p.Frame();
  EXPECT_EQ(p.LastPoints, "10000");
  EXPECT_EQ(p.LastGrade, "");
  const Long before = p.G.Progress.Points;
  p.Escape();
  EXPECT_EQ(p.G.Progress.Points, before + 10000);
  EXPECT_EQ(p.G.Progress.ShotLevel[18], 0);
  EXPECT_EQ(p.G.Progress.LevelOpen, openBefore);
  EXPECT_EQ(p.G.Progress.Stats[StatLevelsPlayed], 1);
  EXPECT_EQ(p.Saved().ShotLevel[18], 0);
  EXPECT_EQ(p.Saved().Points, before + 10000);
}

// The marathon: the nine timelines one after another without bosses, each stage running its
// level's whole timeline up to 100 clock units before that level's boss, then 10000 points and
// shot 19. A stage lasts its end time plus two frames: the one that passes the end, and the first
// of the stage, whose set-up puts the clock back to 0.
TEST(LevelPlay, MarathonWonAndPaidOut) {
  Play p(11);
  p.G.Progress.ShotLevel[19] = -1;
  p.G.Ship.GemType1 = 6;  // experience gem: 10000 x 1.25
  std::vector<int> stages, frames, records;
  const bool over = p.PlayUntilOver(60000, [&] {
    EXPECT_EQ(p.G.CurrentLevel, 12);
    EXPECT_FALSE(p.G.Level.BossPhase);
    for (const EnemyClass& e : p.G.Enemies) ASSERT_FALSE(e.Exists && e.Kind >= 20) << "a boss in the marathon";
    if (stages.empty() || stages.back() != p.G.Level.MarathonStage) {
      stages.push_back(p.G.Level.MarathonStage);
      frames.push_back(0);
    }
    ++frames.back();
    if (p.G.Level.FrameClock == 1) records.push_back(p.G.Level.SpawnCount);
  });
  ASSERT_TRUE(over);
  EXPECT_EQ(stages, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(frames, (std::vector<int>{4702, 4002, 5102, 4202, 5902, 4602, 5502, 6002, 3402}));
  EXPECT_EQ(records, (std::vector<int>{63, 62, 51, 64, 119, 86, 86, 71, 66})) << "each stage its level's timeline";
  p.Frame();
  EXPECT_EQ(p.LastPoints, "12500");
  const Long before = p.G.Progress.Points;
  p.Escape();
  EXPECT_EQ(p.G.Progress.Points, before + 12500);
  EXPECT_EQ(p.G.Progress.ShotLevel[19], 0);
  EXPECT_EQ(p.Saved().ShotLevel[19], 0);
  EXPECT_EQ(p.G.Level.MarathonStage, 1) << "the menu readies the next marathon";
}

// The mini game: the ship survives to clock 3000 and is then lost; 700 clock units later the
// game leaves by itself, having banked floor(30^2 / 4) = 225 points and saved them.
TEST(LevelPlay, MiniGameToItsEnd) {
  Play p(10);
  ASSERT_EQ(p.G.CurrentLevel, 11);
  const Long before = p.G.Progress.Points;
  long frames = 0;
  while (!p.G.InMenu && frames++ < 10000) {
    p.G.Level.ChargeOn[AbilityCloaker] = p.G.Level.FrameClock < 2999;
    if (p.G.Level.FrameClock == 2999) p.G.Ship.Life = -10;  // lost on the frame the clock reaches 3000
    p.Frame();
  }
  ASSERT_TRUE(p.G.InMenu);
  EXPECT_EQ(p.G.Level.MiniGameTime, 3000);
  EXPECT_EQ(p.LastPoints, "225");
  EXPECT_EQ(p.G.Progress.Points, before + 225);
  EXPECT_EQ(p.Saved().Points, before + 225);
  EXPECT_EQ(p.G.Progress.Stats[StatDeaths], 1);
  EXPECT_EQ(p.G.Progress.Stats[StatLevelsPlayed], 0);
}
