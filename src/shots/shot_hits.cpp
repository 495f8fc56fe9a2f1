// Player shots hitting enemies. (Filled in by the enemies work.)
#include "shell/game.h"
#include "shots/shot_class.h"

void ShotHitsEnemies(Game&, ShotClass&) {}
