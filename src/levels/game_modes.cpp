// The two modes without bosses: the mini game's corner gunners and the marathon's chain of
// level timelines.
#include <array>

#include "levels/level_director.h"
#include "world/game.h"

namespace {

constexpr Single MiniGameStart = 100;
// By stage 1 to 9: a hundred clock units before the level's boss would enter.
constexpr std::array<Single, 9> MarathonEnds = {4700, 4000, 5100, 4200, 5900, 4600, 5500, 6000, 3400};

}  // namespace

void MiniGameGunners(Game& g) {
  if (!(g.Level.FrameClock > MiniGameStart)) return;
  for (int slot = 0; slot <= 3; ++slot) {
    EnemyClass& e = g.Enemies[slot];
    if (!e.Exists) continue;
    // The upper pair stops at the top edge, the lower pair a hundred pixels above the bottom.
    if (slot <= 1) {
      if (e.Top > 0) e.Top = 0;
    } else {
      if (e.Top < 500) e.Top = 500;
    }
    // The longer the player lasts, the faster and more often they fire.
    if (e.ShootRate > 2) e.ShootRate = e.ShootRate - 0.02f;
    e.ShotSpeed = e.ShotSpeed + 0.0003f;
  }
}

Single MarathonStageEnd(int stage) {
  if (stage < 1 || stage > 9) stage = 9;
  return MarathonEnds[stage - 1];
}

bool MarathonStep(Game& g) {
  // The menu starts every marathon at stage 1; a stage outside 1..9 has no timeline.
  if (g.Level.MarathonStage < 1) g.Level.MarathonStage = 1;
  if (g.Level.MarathonStage > 9) g.Level.MarathonStage = 9;
  if (!g.Level.MarathonStageLoaded) {
    g.Level.MarathonStageLoaded = true;
    LevelSetup(g, g.Level.MarathonStage);  // seeing the flag, it keeps the marathon's level number
  }
  if (!(g.Level.FrameClock > MarathonStageEnd(g.Level.MarathonStage))) return false;
  // Enemies still on the field stay into the next stage.
  if (g.Level.MarathonStage >= 9) return true;
  g.Level.MarathonStageLoaded = false;
  g.Level.MarathonStage = static_cast<Integer>(g.Level.MarathonStage + 1);
  g.Level.FrameClock = 0;
  return false;
}
