// The spawner and the enemy steps. (Filled in by the enemies work.)
#include "enemies/enemy_class.h"
#include "shell/game.h"

void Spawner(Game&) {}
void StepEnemies(Game&) {}
void StepEnemyShots(Game&) {}
