// Level set-up. (Filled in by the levels work.)
#include "levels/levels.h"
#include "shell/game.h"

void AddSpawn(Game&, Integer, Integer, Single, Single, Integer, Integer, Integer, Integer, Integer, Single, Single,
              Single, Single) {}
void LevelSetup(Game& g, Integer levelNumber) {
  g.CurrentLevel = levelNumber;
  g.FrameClock = 0;
}
