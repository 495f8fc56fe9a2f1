// Boss phases, modes and the level end. (Filled in by the levels work.)
#include "levels/levels.h"
#include "shell/game.h"

void LevelDirector(Game&) {}
