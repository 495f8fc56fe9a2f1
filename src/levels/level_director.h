// The level director's pieces: boss phases, the modes, and the level end with its results.
// LevelDirector (levels.h) runs them in order every play frame; they are callable one by one
// for tests.
#pragma once

#include <array>
#include <string>

#include "core/types.h"

struct Game;
struct EnemyClass;

// ---- Boss phases and the boss arena ----

// Runs every boss phase whose start test holds, in the order of the levels 1 to 10.
// Returns true when the level (or the arena) has been won this frame.
bool BossPhases(Game& g);

// Park: a boss that has come into view on its entry heading (90 degrees) stops at the
// top edge and turns right at the given speed.
void ParkBoss(EnemyClass& e, Single speed);
// Sweep: past either edge a boss heading right turns left and one heading left turns right.
void SweepBoss(EnemyClass& e, Single leftEdge, Single rightEdge);

// Starts the spawn record into a fixed enemy slot, exactly as the spawner fills a free
// slot, but without counting it and without the boss-weakening gem.
void StartRecordInSlot(Game& g, int recordIndex, int slot);
// The arena after the boss of stage `stage` (1..9) is gone: the next stage's craft enter
// their fixed slots, leftovers are cleared, and the boss bar is scaled to the new boss.
void StartArenaStage(Game& g, int stage);

// ---- The modes ----

// The mini game's four corner gunners settle and speed up.
void MiniGameGunners(Game& g);
// The marathon's chain of timelines; returns true once the last stage is over.
bool MarathonStep(Game& g);
// The clock value after which each marathon stage (1..9) hands over to the next.
Single MarathonStageEnd(int stage);

// ---- The level end ----

struct Grade {
  const char* Text;
  Integer Value;
};
// The grade a score earns (first row of the grade table that it reaches).
Grade GradeFromScore(double score);
// Kills per counted enemy; a level that counted no enemy at all reads as all of them killed.
double KillRatio(const Game& g);
// The score behind the grade: damage ratio (at most 1) plus kill ratio minus a fifth per potion.
double GradeScore(const Game& g);

// What one results frame works out, from the state of the level alone. The frame then hands
// out, at once, the gem and the charge ability of goals 3 and 4 met now for the first time,
// and draws the panel; Escape pays the rest out.
struct LevelResults {
  std::array<bool, 5> NewGoal{};
  Integer PointsWon = 0;  // 16-bit, saturating
  Grade Rank{"", 0};
  bool Graded = false;  // levels 1 to 10 only
};
LevelResults ComputeLevelResults(const Game& g);

// One frame of a won level: play stops, the victory music starts once, the results are
// drawn, and Escape pays them out.
void LevelWonFrame(Game& g);
// Pays out the results: goals, unlocks, points, statistics, and saves.
void PayOutResults(Game& g, const LevelResults& r);

// The mini game's score for a survival time in clock units.
Long MiniGameScore(Long survivalTime);
// The mini game after the ship is lost: the score panel, and Escape banks the score.
void MiniGameEnd(Game& g);

// Singles on the results panel: decimal text of up to seven significant digits.
std::string SingleText(Single v);
