// Steering, potions and abilities. (Filled in by the ship work.)
#include "shell/game.h"
#include "ship/ship_class.h"

void ShipClass::HandleKeys(Game&) {}
