// The end of a level: the results screen with the counters, the grade, the goals and the
// points won; the pay-out when the player presses Escape; and the mini game's own end.
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "levels/level_director.h"
#include "world/sound.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

constexpr uint32_t ResultsTextColour = 0x000000;  // black on the panel's light value wells

// A points value pinned to the 16-bit range of the results counter instead of wrapping.
Integer SatPoints(double v) {
  if (v > 32767) return 32767;
  if (v < -32768) return -32768;
  return static_cast<Integer>(v);
}

void DrawPanel(Game& g) {
  g.Pen.TextColour = ResultsTextColour;
  Blit(g, SheetStats, true, 150, 450, 300, 500, 0, 300, 0, 200);
}

// The goals of levels 1 to 9. Goals 0 to 2 pay points; goal 3 gives gem L - 1 and goal 4
// charge ability L - 1.
using GoalTest = bool (*)(const Game&);
struct LevelGoals {
  std::array<GoalTest, 5> Met;
  std::array<Integer, 3> Points;
};

bool NoPotions(const Game& g) { return g.Level.PotionsUsedLevel == 0; }
bool NoCharge(const Game& g) { return g.Level.ChargeUsed == 0; }
bool NoDamage(const Game& g) { return g.Level.DamageTaken == 0; }
bool AllKilled(const Game& g) { return g.Level.KillCount >= g.Level.EnemyCount; }

const std::array<LevelGoals, 9> Goals = {{
    {{NoPotions, [](const Game& g) { return KillRatio(g) > 0.5; }, NoCharge, NoDamage, AllKilled}, {50, 100, 150}},
    {{[](const Game& g) { return g.Level.DamageDealt > 500; }, [](const Game& g) { return g.Level.DamageTaken > 300; },
      NoCharge, NoDamage, AllKilled},
     {100, 200, 300}},
    {{[](const Game& g) { return g.Level.DistanceMoved < 1000; }, [](const Game& g) { return g.Level.ChargeUsed > 500; },
      NoCharge, [](const Game& g) { return g.Level.KillCount == 1; }, NoDamage},
     {200, 400, 600}},
    {{[](const Game& g) { return g.Level.DistanceMoved > 3000; }, [](const Game& g) { return g.Level.DamageDealt > 1000; },
      NoCharge, NoDamage, AllKilled},
     {300, 600, 900}},
    {{[](const Game& g) { return g.Level.DamageTaken < 200; }, [](const Game& g) { return g.Level.DamageDealt > 2000; },
      NoCharge, AllKilled, NoDamage},
     {400, 800, 1200}},
    {{[](const Game& g) { return g.Level.DamageTaken < 350; }, [](const Game& g) { return g.Level.DamageDealt > 1500; },
      NoCharge, NoDamage, AllKilled},
     {500, 1000, 1500}},
    {{[](const Game& g) { return g.Level.DamageTaken > 400; }, [](const Game& g) { return g.Level.DamageDealt > 3500; },
      NoCharge, AllKilled, NoDamage},
     {600, 1200, 1800}},
    {{[](const Game& g) { return g.Level.DistanceMoved > 3500; }, [](const Game& g) { return g.Level.DamageDealt > 3500; },
      NoCharge, AllKilled, NoDamage},
     {700, 1400, 2100}},
    {{[](const Game& g) { return g.Level.DistanceMoved > 3000; }, [](const Game& g) { return g.Level.DamageDealt > 4500; },
      NoCharge, [](const Game& g) { return KillRatio(g) > 0.9; }, NoDamage},
     {800, 1600, 2400}},
}};

const char* const GoalGemNames[9] = {
    "ACCEL RATE UP GEM",  "REGEN UP WHEN NEAR DEATH GEM", "CHARGE UP WHEN NEAR DEATH GEM",
    "ATTACK UP WHEN NEAR DEATH GEM", "WEAKEN BOSSES GEM", "NO INSTANT KILL GEM",
    "EXPERIENCE UP GEM",  "SHOT RATE UP GEM",             "RESURECT GEM",
};
const char* const GoalAbilityNames[9] = {
    "BOOSTER ABILITY",   "RAMMER ABILITY",   "DOUBLE SHOT ABILITY", "DEFENCE x2 ABILITY", "ATTACK x2 ABILITY",
    "SIPHONER ABILITY",  "SHOT ERASER ABILITY", "MATRIX ABILITY",   "CLOAKING ABILITY",
};

constexpr Integer Level10GoalPoints = 5000;
constexpr Integer MarathonPoints = 10000;
constexpr Integer ArenaPoints = 10000;

bool IsMarathon(const Game& g) { return g.CurrentLevel == ModeMarathon; }

// The goals table's row of the current level: levels 1..13 map to progress rows 0..12.
int GoalRow(const Game& g) {
  const int row = g.CurrentLevel - 1;
  return row >= 0 && row < 14 ? row : -1;
}

bool GoalAlreadyDone(const Game& g, int goal) {
  const int row = GoalRow(g);
  return row >= 0 && g.Progress.GoalDone[row][goal];
}

void DrawCounters(Game& g) {
  const int x = 430;
  DrawText(g, x, 176, std::to_string(g.Level.KillCount));
  DrawText(g, x, 189, std::to_string(g.Level.EnemyCount));
  DrawText(g, x, 202, SingleText(g.Level.DamageTaken));
  DrawText(g, x, 215, SingleText(g.Level.DamageDealt));
  DrawText(g, x, 228, std::to_string(g.Level.PotionsUsedLevel));
  DrawText(g, x, 241, SingleText(g.Level.DistanceMoved));
  DrawText(g, x, 254, SingleText(g.Level.ChargeUsed));
  DrawText(g, 429, 267, g.Level.PickupTaken ? "True" : "False");
}

// Works out the results from the state of the level alone.
LevelResults Results(const Game& g) {
  LevelResults r;
  const bool arena = g.Level.BossArena;
  if (IsMarathon(g)) {
    r.PointsWon = MarathonPoints;
  } else if (arena) {
    r.PointsWon = 0;
  } else {
    r.Rank = GradeFromScore(GradeScore(g));
    if (g.Ship.HasGem(GemSsRanking)) r.Rank = Grade{"SS", 100};
    r.Graded = true;
    r.PointsWon = SatPoints(double(g.CurrentLevel) * r.Rank.Value);
  }
  if (arena) r.PointsWon = SatAdd(r.PointsWon, ArenaPoints);

  const int level = g.CurrentLevel;
  if (level >= 1 && level <= 9) {
    const LevelGoals& goals = Goals[level - 1];
    for (int goal = 0; goal <= 4; ++goal) {
      if (GoalAlreadyDone(g, goal) || !goals.Met[goal](g)) continue;
      r.NewGoal[goal] = true;
      if (goal <= 2) r.PointsWon = SatAdd(r.PointsWon, goals.Points[goal]);
    }
  }
  if (level == 10 && !GoalAlreadyDone(g, 0)) {
    r.NewGoal[0] = true;
    r.PointsWon = SatAdd(r.PointsWon, Level10GoalPoints);
  }

  if (g.Level.PickupTaken) r.PointsWon = SatPoints(double(r.PointsWon) + double(g.CurrentLevel) * 50);
  // The points are a 16-bit counter: the largest real pay-out (a marathon with the pickup
  // and both point gems, 26500) fits, and anything beyond is held at the limit.
  if (g.Ship.HasGem(GemExperienceUp)) r.PointsWon = SatPoints(RoundHalfEven(double(r.PointsWon) * 1.25));
  if (g.Ship.HasGem(GemDoublePoints)) r.PointsWon = SatPoints(double(r.PointsWon) * 2);
  return r;
}

// The gem and the charge ability of goals 3 and 4 (levels 1 to 9) are the player's from the
// first results frame on, before any pay-out.
void GrantGoalRewards(Game& g, const LevelResults& r) {
  const int level = g.CurrentLevel;
  if (level < 1 || level > 9) return;
  if (r.NewGoal[3]) g.Progress.GemOwned[level - 1] = true;
  if (r.NewGoal[4]) g.Progress.ChargeOwned[level - 1] = true;
}

// The results panel's text: counters, the new rewards' names, each goal's state, grade, points.
void DrawResults(Game& g, const LevelResults& r) {
  const bool arena = g.Level.BossArena;
  const int level = g.CurrentLevel;
  if (r.Graded) DrawCounters(g);
  if (level >= 1 && level <= 9) {
    if (r.NewGoal[3]) DrawText(g, 303, 383, GoalGemNames[level - 1]);
    if (r.NewGoal[4]) DrawText(g, 303, 395, GoalAbilityNames[level - 1]);
  }
  if (!IsMarathon(g) && !arena) {
    const int lines = level == 10 ? 1 : 5;
    for (int goal = 0; goal < lines; ++goal) {
      const char* text = r.NewGoal[goal] ? "COMPLETED!" : GoalAlreadyDone(g, goal) ? "DONE" : "NOT DONE";
      DrawText(g, 429, 280 + 13 * goal, text);
    }
    DrawText(g, 342, 358, r.Rank.Text);
  }
  DrawText(g, 440, 358, std::to_string(r.PointsWon));
}

}  // namespace

std::string SingleText(Single v) {
  if (v == 0) return "0";  // also for -0
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", double(v));
  std::string s = buf;
  for (char& c : s)
    if (c == 'e') c = 'E';
  return s;
}

Grade GradeFromScore(double score) {
  if (score >= 1.95) return {"SS", 100};
  if (score >= 1.7) return {"S", 90};
  if (score >= 1.5) return {"A", 80};
  if (score >= 1.3) return {"B", 70};
  if (score >= 1.1) return {"C", 60};
  if (score >= 0.9) return {"D", 50};
  return {"F", 10};
}

double KillRatio(const Game& g) {
  // Every timeline counts at least its boss; a level that counted none has let no enemy get away.
  if (g.Level.EnemyCount <= 0) return 1.0;
  return double(g.Level.KillCount) / double(g.Level.EnemyCount);
}

double GradeScore(const Game& g) {
  Single a = static_cast<Single>(double(g.Level.DamageDealt) / (double(g.Level.DamageTaken) + 1) / 10);
  if (a > 1) a = 1;
  return double(a) + KillRatio(g) - double(g.Level.PotionsUsedLevel) / 5;
}

LevelResults ComputeLevelResults(const Game& g) { return Results(g); }

void PayOutResults(Game& g, const LevelResults& r) {
  ProgressBlock& p = g.Progress;
  const int row = GoalRow(g);
  if (row >= 0)
    for (int goal = 0; goal <= 4; ++goal)
      if (!p.GoalDone[row][goal]) p.GoalDone[row][goal] = r.NewGoal[goal];
  if (g.Level.BossArena) {
    if (p.ShotLevel[18] == -1) p.ShotLevel[18] = 0;
  } else if (IsMarathon(g) && p.ShotLevel[19] == -1) {
    p.ShotLevel[19] = 0;
  }
  p.Points = SatAddLong(p.Points, r.PointsWon);
  if (g.CurrentLevel >= 1 && g.CurrentLevel < 10) p.LevelOpen[g.CurrentLevel] = true;  // the next level
  p.Stats[StatLevelsPlayed] = SatAddLong(p.Stats[StatLevelsPlayed], 1);
  p.Stats[StatPointsEarned] = SatAddLong(p.Stats[StatPointsEarned], r.PointsWon);
  if (g.CurrentLevel == 10) {
    p.LevelOpen[11] = true;  // the marathon
    p.LevelOpen[12] = true;  // the boss arena
    p.GemOwned[GemDoublePoints] = true;
  }
  RequestSave(g);
  g.Menu.MusicStarted = false;
}

void LevelWonFrame(Game& g) {
  g.LevelOver = true;
  if (!g.Menu.MusicStarted) {
    ChangeMusic(g, 0, "Win");
    g.Menu.MusicStarted = true;
  }
  DrawPanel(g);
  const LevelResults r = Results(g);
  GrantGoalRewards(g, r);
  DrawResults(g, r);
  // Escape pays out here, in the level's frame, because the frame dispatcher handles Escape
  // before it reads the keyboard: the key is still down on the next frame, and that frame's
  // dispatcher then takes the game back to the menu.
  if (g.Keys[KeyEscape]) PayOutResults(g, r);
}

Long MiniGameScore(Long survivalTime) {
  // Whole hundreds of clock units, squared, a quarter of it; at most about 4.6e14, exact in a
  // double, and held at the Long limit beyond it.
  const double t = std::floor(double(survivalTime) / 100);
  const double score = std::floor(t * t / 4);
  return score > double(std::numeric_limits<Long>::max()) ? std::numeric_limits<Long>::max() : static_cast<Long>(score);
}

void MiniGameEnd(Game& g) {
  if (!(g.Level.FrameClock > 100) || g.Ship.Exists) return;
  DrawPanel(g);
  const Long score = MiniGameScore(g.Level.MiniGameTime);
  DrawText(g, 440, 358, std::to_string(score));
  if (g.Keys[KeyEscape]) {
    g.Progress.Points = SatAddLong(g.Progress.Points, score);
    RequestSave(g);
  }
}
