// The player shot: launching, flight, the boomerang's return, drawing.
#include <cmath>

#include "core/geometry.h"
#include "world/draw.h"
#include "world/game.h"
#include "shots/shot_class.h"

void ShotClass::Shoot(Integer top, Integer left, Single speed, Single damage, Integer width, Integer height,
                      Single heading, Integer frames, Integer srcTop, Integer srcBottom, Single accelRate,
                      Single accelHeading, Integer srcLeft, Integer kind, Integer level) {
  Top = top;
  Left = left;
  Speed = speed;
  HalfSpeed = speed / 2;
  Damage = damage;
  Width = width;
  Height = height;
  Bottom = static_cast<Single>(int(top) + int(height));
  Right = static_cast<Single>(int(left) + int(width));
  Exists = true;
  Heading = heading;
  SrcBottom = srcBottom;
  SrcTop = srcTop;
  SrcLeft = srcLeft;
  Frames = frames;
  AccelRate = accelRate;
  AccelHeading = accelHeading;
  Kind = kind;
  Level = level;
  ComeBack = false;
  AlreadyHit = -1;
  AniFrame = 0;
  Dist = 0;
  // AnimationCount, SrcRight, SrcInterval and HomeRate keep whatever the slot held before.
}

void ShotClass::AccelShot(Single speed, Single direction) {
  AddPush(Speed, Heading, speed, direction);
}

void ShotClass::MoveShot(Game& g) {
  // Under MATRIX a shot covers half the distance, but its push below stays whole.
  double dy = double(Speed) * std::sin(double(Heading));
  double dx = double(Speed) * std::cos(double(Heading));
  if (g.Level.ChargeOn[AbilityMatrix]) {
    dy /= 2;
    dx /= 2;
  }
  Top = static_cast<Single>(double(Top) + dy);
  Left = static_cast<Single>(double(Left) + dx);
  Bottom = Top + Single(Height);
  Right = Left + Single(Width);

  // The boomerang steers itself in ShotReturn; every other kind takes its push here.
  if (Kind != 1) AccelShot(AccelRate, AccelHeading);

  // A shot lives on well outside the play column and up to 200 pixels above the
  // screen; the boomerang is never lost at the top, since it is coming back.
  if (Kind != 1 && Bottom < -200) Exists = false;
  if (Top > 800) Exists = false;
  if (Left < 0) Exists = false;
  if (Right > 800) Exists = false;

  // Animation runs on the level clock, so it slows down under MATRIX with everything else.
  Integer interval = 0;
  if (Kind >= 0 && Kind < ShotKinds && Level >= 0 && Level < ShotLevels)
    interval = g.Tables.ShotTypes[Kind][Level].AnimInterval;
  if (g.Level.FrameClock - Single(AnimationCount) > Single(interval)) {
    // Saturates rather than wraps once a very long session takes the clock past 32767;
    // from then on the animation simply steps every frame.
    AnimationCount = RoundToInteger(g.Level.FrameClock);
    ++AniFrame;
    if (AniFrame > Frames) AniFrame = 0;
  }
}

void ShotClass::ShotReturn(Game& g) {
  // The ship catches its boomerang only once it has turned back: while the shot still
  // flies exactly straight up it passes through the ship that fired it.
  if (g.Ship.CollideWithRect(RoundToInteger(Top), RoundToInteger(Bottom), RoundToInteger(Left),
                             RoundToInteger(Right)) &&
      Heading != DegToRad(270)) {
    Exists = false;
  }

  // The way home: from the shot's centre to the ship's centre.
  Single px = (Right - Left) / 2 + Left;
  Single py = (Bottom - Top) / 2 + Top;
  const ShipClass& ship = g.Ship;
  Single sx = (ship.Right - ship.Left) / 2 + ship.Left;
  Single sy = (ship.Bottom - ship.Top) / 2 + ship.Top;
  Single aim = HeadingTo(py, sy, px, sx);

  const bool matrix = g.Level.ChargeOn[AbilityMatrix];
  if (!ComeBack) {
    // On the way out it slows down...
    Speed -= matrix ? AccelRate / 2 : AccelRate;
  } else {
    // ...and on the way back it homes on the ship and speeds up again.
    Heading = aim;
    Speed += matrix ? AccelRate / 4 : AccelRate / 2;
  }
  // Below half its launch speed it turns back, for good.
  if (Speed < HalfSpeed) ComeBack = true;
}

void ShotClass::DrawShot(Game& g) {
  // A crescent blade that has shrunk to nothing has no picture left to show.
  if (Width <= 0 || !Shown(g)) return;
  int srcLeft = int(SrcLeft) + int(AniFrame) * int(Width);
  int srcRight = int(SrcLeft) + (int(AniFrame) + 1) * int(Width);
  // The frames of an animated shot lie side by side on one row of the sheet. Only the top
  // of the screen clips, so the destination's bottom and right are left at 0.
  Blit(g, SheetShots, true, RoundToInteger(Top), 0, RoundToInteger(Left), 0, SrcTop, SrcBottom, srcLeft, srcRight);
}
