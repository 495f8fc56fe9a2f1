// The ship step of a play frame and the ship's preparation when a level starts.
#include "world/game.h"
#include "ship/ship_class.h"

// The ship is drawn where the previous frame left it (clamped first); the position
// computed here is clamped and drawn on the next frame.
void StepShip(Game& g) {
  ShipClass& s = g.Ship;
  if (!s.Exists) return;
  s.LimitInScreen();
  s.DrawShip(g);
  s.HandleKeys(g);
  s.ShipFriction(g);
  s.ShipMove(g);
  s.ShipLife(g);
}

// Heading, AniFrame, NoMove, NoShoot, Pressed and Pressed2 carry over from the last level.
void SetupShip(Game& g) {
  ShipClass& s = g.Ship;
  const auto& part = g.Progress.PartLevel;
  s.CurDefence = part[0];
  s.CurSpeed = part[1];
  s.CurRegen = part[2];
  s.CurCharge = part[3];
  s.CurReducer = part[4];

  // An empty slot keeps whatever level it had.
  const auto& shotLevel = g.Progress.ShotLevel;
  if (s.CurShot1 > -1 && s.CurShot1 < static_cast<int>(shotLevel.size())) s.CurLevel1 = shotLevel[s.CurShot1];
  if (s.CurShot2 > -1 && s.CurShot2 < static_cast<int>(shotLevel.size())) s.CurLevel2 = shotLevel[s.CurShot2];

  s.Life = 200;
  s.Charge = 200;
  s.Exists = true;
  s.Speed = 0;
  s.LastShot1 = 0;
  s.LastShot2 = 0;
  s.Resurected = false;
  PlaceShipAtStart(g, s);
}

void InitShipConstants(Game& g) {
  g.Tables.ShipWidth = 45;
  g.Tables.ShipHeight = 56;
  g.Tables.ShipSrcTop = 0;
  g.Tables.ShipAccelBase = 0.15f;
  g.Tables.ShipSpeedBase = 2.0f;
  g.Tables.RegenBase = 2.0f;
  g.Tables.ChargeBase = 2.0f;
  g.Tables.ChargeCost = {1.0f, 3.0f, 1.5f, 2.0f, 1.5f, 10.0f, 200.0f, 1.0f, 5.0f, 0.0f};
}

void PlaceShipAtStart(const Game& g, ShipClass& s) {
  // Centred at x 400, its top at y 400. Half of a whole width is exact in single precision.
  const Single halfWidth = Single(g.Tables.ShipWidth) / 2;
  s.Initialize(400, Single(400 + g.Tables.ShipHeight), 400 - halfWidth, halfWidth + 400, g.Tables.ShipSpeedBase,
               g.Tables.ShipAccelBase, g.Tables.ShipWidth, g.Tables.ShipHeight, g.Tables.ShipSrcTop,
               static_cast<Integer>(g.Tables.ShipSrcTop + g.Tables.ShipHeight), 0, g.Tables.ShipWidth);
}
