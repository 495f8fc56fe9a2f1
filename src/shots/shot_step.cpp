// Firing and the shot behaviours. (Filled in by the shots work.)
#include "shell/game.h"
#include "shots/shot_class.h"

void StepShots(Game&) {}
