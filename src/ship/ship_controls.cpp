// Steering, potions and the two charge-ability slots.
#include "core/geometry.h"
#include "world/game.h"
#include "ship/ship_class.h"

namespace {

// One ability slot: key held and charge enough (by the cheap threshold) switches the
// ability on and takes its cost; otherwise it goes off.
void UseAbilitySlot(Game& g, ShipClass& ship, Integer ability, bool keyHeld, bool& pressed) {
  if (ability < 0 || ability >= static_cast<int>(g.Level.ChargeOn.size())) return;
  const Single cost = g.Tables.ChargeCost[ability];
  Single c = cost / (Single(ship.CurReducer) / 3);
  if (ship.HasGem(GemReducerUp)) c = c / 1.5f;
  if (ship.HasGem(GemUltimate)) c = c / 2;
  // The threshold leaves out the factor 3 and the gems, so a use may push Charge below
  // zero for the rest of the frame; the life upkeep sets it back to zero.
  const Single threshold = cost / Single(ship.CurReducer);
  if (keyHeld && threshold <= ship.Charge) {
    if (ability == AbilityShotEraser) {
      if (pressed) {
        // The eraser fires once per press: holding the key does nothing more.
        g.Level.ChargeOn[AbilityShotEraser] = false;
        return;
      }
      g.Level.ChargeOn[AbilityShotEraser] = true;
      ship.Charge = ship.Charge - c;
    } else {
      g.Level.ChargeOn[ability] = true;
      ship.Charge = ship.Charge - c;
    }
    g.Level.ChargeUsed = g.Level.ChargeUsed + c;
    pressed = true;
  } else {
    g.Level.ChargeOn[ability] = false;
    pressed = false;
  }
}
}  // namespace

void ShipClass::HandleKeys(Game& g) {
  // Steering: each held arrow gives one push, so two keys make a diagonal and
  // opposite keys cancel.
  const Single push = ShipAccel + Single(CurSpeed) / 20;
  if (g.Keys[KeyUp]) AccelShip(g, push, DegToRad(270));
  if (g.Keys[KeyDown]) AccelShip(g, push, DegToRad(90));
  if (g.Keys[KeyLeft]) AccelShip(g, push, DegToRad(180));
  if (g.Keys[KeyRight]) AccelShip(g, push, DegToRad(0));

  // Potions act on every frame the key is held and the potion is of use.
  auto& potions = g.Progress.Potions;
  if (g.Keys[KeyA] && potions[0] > 0 && Life < 200) {
    potions[0] = static_cast<Integer>(potions[0] - 1);
    Life = 200;
    g.Level.PotionsUsedLevel = SatAdd(g.Level.PotionsUsedLevel, 1);
  }
  if (g.Keys[KeyS] && potions[1] > 0 && Charge < 200) {
    potions[1] = static_cast<Integer>(potions[1] - 1);
    Charge = 200;
    g.Level.PotionsUsedLevel = SatAdd(g.Level.PotionsUsedLevel, 1);
  }
  if (g.Keys[KeyD] && potions[2] > 0 && !(Life >= 200 && Charge >= 200)) {
    potions[2] = static_cast<Integer>(potions[2] - 1);
    Charge = 200;
    Life = 200;
    g.Level.PotionsUsedLevel = SatAdd(g.Level.PotionsUsedLevel, 1);
  }

  // Slot 2 comes last, so with the same ability in both slots it decides the frame.
  UseAbilitySlot(g, *this, Special1, g.Keys[KeyZ], Pressed);
  UseAbilitySlot(g, *this, Special2, g.Keys[KeyV], Pressed2);
}
