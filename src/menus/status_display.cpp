// The status display of play frames. (Filled in by the menus work.)
#include "menus/menus.h"
#include "shell/game.h"

void StatusDisplay(Game&) {}
