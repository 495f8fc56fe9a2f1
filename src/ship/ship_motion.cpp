// The ship's movement, collision and drawing. (Filled in by the ship work.)
#include "shell/game.h"
#include "ship/ship_class.h"

void ShipClass::Initialize(Single, Single, Single, Single, Single, Single, Integer, Integer, Integer, Integer, Integer,
                           Integer) {}
bool ShipClass::CollideWithRect(Integer, Integer, Integer, Integer) const { return false; }
void ShipClass::AccelShip(Game&, Single, Single) {}
void ShipClass::ShipFriction(Game&) {}
void ShipClass::ShipMove(Game&) {}
void ShipClass::LimitInScreen() {}
void ShipClass::DrawShip(Game&) {}
