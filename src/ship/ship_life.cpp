// Life, charge, resurrection and death. (Filled in by the ship work.)
#include "shell/game.h"
#include "ship/ship_class.h"

void ShipClass::ShipLife(Game&) {}
