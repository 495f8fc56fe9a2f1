// The level director: the scripted part of every play frame. Boss phases and the modes decide
// whether the level has been won this frame; a won level shows its results until Escape.
#include "levels/level_director.h"
#include "levels/levels.h"
#include "world/game.h"

void LevelDirector(Game& g) {
  bool won = BossPhases(g);
  if (g.CurrentLevel == ModeMiniGame) {
    MiniGameGunners(g);
    MiniGameEnd(g);  // the mini game has no winning, only an end when the ship is lost
  }
  if (g.CurrentLevel == ModeMarathon && MarathonStep(g)) won = true;
  if (!won) {
    g.LevelOver = false;
    return;
  }
  LevelWonFrame(g);
}
