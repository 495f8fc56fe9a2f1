// The menu screen. (Filled in by the menus work.)
#include "menus/menus.h"
#include "shell/game.h"

void MenuFrame(Game&) {}
void CompletionUpdate(Game&) {}
void UnlockUpdate(Game&) {}
