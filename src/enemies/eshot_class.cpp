// The enemy bullet: filling a slot with its aiming rule, collision, motion, the play-column
// limit and drawing.
#include "enemies/eshot_class.h"

#include <algorithm>
#include <cmath>

#include "core/geometry.h"
#include "enemies/enemy_rules.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

// Volley patterns with their own aiming rules.
constexpr Integer PatternAimed = 8;
constexpr Integer PatternAimedAhead = 9;
constexpr Integer PatternAimedAccelerating = 10;
constexpr Integer PatternAimedPair = 24;
constexpr Integer PatternAimedFan = 30;
constexpr Integer PatternRandomSpread = 35;
constexpr Integer PatternRotating = 36;
constexpr Integer PatternAimedThrust = 37;

}  // namespace

void EShotsClass::Initialize(Game& g, Single top, Single bottom, Single left, Single right, Integer width,
                             Integer height, Single damage, Single shotSpeed, Single accel, Single accelHeading,
                             Single heading, Integer shotPattern, Integer srcTop, Integer kind, Integer srcLeft,
                             Single rotation) {
  Top = top;
  Bottom = bottom;
  Left = left;
  Right = right;
  Width = width;
  Height = height;
  Damage = RoundToInteger(damage);
  Speed = shotSpeed;
  Accel = accel;
  AccelHeading = accelHeading;
  Heading = heading;
  SrcTop = srcTop;
  Kind = kind;
  SrcLeft = srcLeft;
  Exists = true;

  Single px = (Right - Left) / 2 + Left;
  Single py = (Bottom - Top) / 2 + Top;
  switch (shotPattern) {
    case PatternAimed:
    case PatternAimedPair:
    case PatternAimedFan:
      Accel = 0;
      AccelHeading = 0;
      Heading = AimAtShip(g, px, py);
      break;
    case PatternAimedAhead:
      Accel = 0;
      AccelHeading = 0;
      Heading = InterceptionCourse(g, px, py, Speed);
      break;
    case PatternAimedAccelerating:
      // The bullet gains its own launch speed every frame, along its aim.
      Accel = Speed;
      Heading = AimAtShip(g, px, py);
      AccelHeading = Heading;
      break;
    case PatternRandomSpread: {
      // Straight down give or take 20 whole degrees.
      Single r = g.Rnd();
      Heading = DegToRad(static_cast<Single>(std::floor(r * 40) - 20)) + DegToRad(90);
      break;
    }
    case PatternRotating:
      // The stream sweeps clockwise as the gunner's running angle grows.
      Heading = DegToRad(rotation) + DegToRad(90);
      break;
    case PatternAimedThrust:
      // The pattern's own push now drives the bullet along the aim.
      Heading = AimAtShip(g, px, py);
      AccelHeading = Heading;
      break;
    default:
      break;
  }
}

bool EShotsClass::CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const {
  return !(Bottom <= rectTop || Top >= rectBottom || Right <= rectLeft || Left >= rectRight);
}

void EShotsClass::AccelEshot(Game& g, Single speed, Single direction) {
  if (g.Level.ChargeOn[AbilityMatrix]) speed = speed / 4;
  AddPush(Speed, Heading, speed, direction);
}

void EShotsClass::Limit() {
  // A bullet lives inside the play column and a little above the screen.
  if (Bottom < -20 || Right < 100 || Left > 700 || Top > 600) Exists = false;
}

void EShotsClass::EshotMove(Game& g) {
  double m = g.Level.ChargeOn[AbilityMatrix] ? 0.25 : 1.0;
  Top = static_cast<Single>(Top + Speed * std::sin(double(Heading)) * m);
  Left = static_cast<Single>(Left + Speed * std::cos(double(Heading)) * m);
  Bottom = Height + Top;
  Right = Width + Left;
  AccelEshot(g, Accel, AccelHeading);
}

void EShotsClass::DrawEshot(Game& g) {
  if (!Shown(g)) return;
  int srcTop = SrcTop;
  int srcBottom = RoundToLong(SrcTop + Height);
  if (Kind == 0) {
    // The common bullet takes the colour of the level: one row per level, 13 rows on the sheet.
    // A level number outside 1..13 keeps to the first or last row.
    int row = std::clamp(int(g.CurrentLevel) - 1, 0, 12);
    srcTop = RoundToLong(row * Height);
    srcBottom = RoundToLong(row * Height + Height);
  } else if (Kind == 1 && (g.Harness.FrameNumber / 6) % 2 == 1) {
    // The instant kill pulses: every six frames it swaps to its flare, painted at the foot of
    // the sheet (y 96), the same size as the calm star.
    srcTop = 96;
    srcBottom = 96 + RoundToLong(Height);
  }
  Blit(g, SheetEShots, true, RoundToLong(Top), RoundToLong(Bottom), RoundToLong(Left), RoundToLong(Right), srcTop,
       srcBottom, SrcLeft, RoundToLong(SrcLeft + Width));
}
