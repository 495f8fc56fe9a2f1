// The ship's movement, collision and drawing.
#include <cmath>

#include "world/draw.h"
#include "core/geometry.h"
#include "world/game.h"
#include "ship/ship_class.h"

namespace {
}  // namespace

void ShipClass::Initialize(Single top, Single bottom, Single left, Single right, Single shipSpeed, Single shipAccel,
                           Integer width, Integer height, Integer srcTop, Integer srcBottom, Integer srcLeft,
                           Integer srcRight) {
  Top = top;
  Bottom = bottom;
  Left = left;
  Right = right;
  ShipSpeed = shipSpeed;
  ShipAccel = shipAccel;
  Width = width;
  Height = height;
  SrcRectTop = srcTop;
  SrcRectBottom = srcBottom;
  SrcRectLeft = srcLeft;
  SrcRectRight = srcRight;
}

// Only the ship's core is vulnerable: the other rectangle is shrunk by a margin on every
// side (more with the small-core gem) and must overlap the ship strictly.
bool ShipClass::CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const {
  const int m = HasGem(GemSmallCore) ? 18 : 8;
  return Bottom > Single(rectTop + m) && Top < Single(rectBottom - m) && Right > Single(rectLeft + m) &&
         Left < Single(rectRight - m);
}

// Adds a push to the velocity. The booster triples it, the matrix halves it and the
// accel gem multiplies by five, in that order.
void ShipClass::AccelShip(Game& g, Single speed, Single direction) {
  Single p = speed;
  if (g.Level.ChargeOn[AbilityBooster]) p = p * 3;
  if (g.Level.ChargeOn[AbilityMatrix]) p = p / 2;
  if (HasGem(GemAccelUp)) p = p * 5;
  AddPush(Speed, Heading, p, direction);
}

void ShipClass::ShipFriction(Game& g) {
  Single vmax = Single(CurSpeed) / 2 + ShipSpeed;
  if (g.Level.ChargeOn[AbilityBooster]) vmax = vmax * 2;
  if (vmax < Speed) Speed = vmax;
  const bool steering = g.Keys[KeyUp] || g.Keys[KeyDown] || g.Keys[KeyLeft] || g.Keys[KeyRight];
  if (!steering) {
    const Single d = HasGem(GemAccelUp) ? 0.3f : 0.1f;
    Speed = Speed - (Single(CurSpeed) / 10 + d);
  }
  if (Speed < 0) Speed = 0;
}

void ShipClass::ShipMove(Game& g) {
  // Both counters keep running down below zero; they saturate rather than wrap.
  NoMove = SatAddLong(NoMove, -1);
  NoShoot = SatAddLong(NoShoot, -1);
  if (NoMove > 0) Speed = 0;
  const double s = Speed;
  if (g.Keys[KeySpace] || g.Level.ChargeOn[AbilityMatrix]) {
    // Precision flying: half a step.
    Top = static_cast<Single>(double(Top) + s * std::sin(double(Heading)) / 2);
    Left = static_cast<Single>(double(Left) + s * std::cos(double(Heading)) / 2);
    g.Level.DistanceMoved = g.Level.DistanceMoved + Speed / 10 / 2;
  } else {
    Top = static_cast<Single>(double(Top) + s * std::sin(double(Heading)));
    Left = static_cast<Single>(double(Left) + s * std::cos(double(Heading)));
    g.Level.DistanceMoved = g.Level.DistanceMoved + Speed / 10;
  }
  Bottom = Top + Height;
  Right = Left + Width;
}

// Keeps the ship inside the play column (x 100..700) and the screen's height. The
// velocity is left alone: a ship pressed against an edge keeps its speed.
void ShipClass::LimitInScreen() {
  if (Top < 0) {
    Top = 0;
    Bottom = Top + Height;
  }
  if (Bottom > 600) {
    Top = 600 - Height;
    Bottom = Top + Height;
  }
  if (Left < 100) {
    Left = 100;
    Right = Left + Width;
  }
  if (Right > 700) {
    Left = 700 - Width;
    Right = Left + Width;
  }
}

void ShipClass::DrawShip(Game& g) {
  AniFrame = AniFrame + (g.Level.ChargeOn[AbilityMatrix] ? 0.06f : 0.25f);
  if (AniFrame >= 7) AniFrame = 0;

  const int top = RoundToInteger(Top), bottom = RoundToInteger(Bottom);
  const int left = RoundToInteger(Left), right = RoundToInteger(Right);
  auto draw = [&](int sheet, int srcTop, int srcBottom, int srcLeft, int srcRight) {
    Blit(g, sheet, true, top, bottom, left, right, srcTop, srcBottom, srcLeft, srcRight);
  };

  if (g.Level.ChargeOn[AbilityCloaker]) {
    // The cloaked ship is a faint outline kept on the shots sheet.
    draw(SheetShots, 15, 71, 141, 186);
    return;
  }
  if (ShipFlashing(g)) {
    // Hurt: the whole ship flashes white-hot for a moment (the flash look sits at the row's end).
    draw(SheetShips, SrcRectTop, SrcRectBottom, 9 * SrcRectRight, 10 * SrcRectRight);
    return;
  }
  if (g.Level.ChargeOn[AbilityRammer]) {
    // The rammer look sits in the column right of the plain ship.
    draw(SheetShips, SrcRectTop, SrcRectBottom, SrcRectRight, 2 * SrcRectRight);
    return;
  }
  if (CurDefence == 10 && CurCharge == 10 && CurReducer == 10 && CurRegen == 10 && CurSpeed == 10) {
    // Every part at its top level: seven animation frames in columns 2 to 8, four frames each.
    const int f = static_cast<int>(std::floor(AniFrame));
    draw(SheetShips, SrcRectTop, SrcRectBottom, (f + 2) * SrcRectRight, (f + 3) * SrcRectRight);
    return;
  }
  draw(SheetShips, SrcRectTop, SrcRectBottom, SrcRectLeft, SrcRectRight);
  // One overlay per fitted part; sheet row r holds that part's ten levels side by side.
  const struct {
    int Row;
    Integer Level;
  } parts[5] = {{2, CurSpeed}, {1, CurDefence}, {3, CurRegen}, {4, CurCharge}, {5, CurReducer}};
  for (const auto& part : parts) {
    if (part.Level <= 0) continue;
    const Single l = Single(part.Level - 1) * Width;
    draw(SheetShips, RoundToInteger(Single(part.Row) * Height), RoundToInteger(Single(part.Row + 1) * Height),
         RoundToInteger(l + Single(SrcRectLeft)), RoundToInteger(l + Single(SrcRectRight)));
  }
}
