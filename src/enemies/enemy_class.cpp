// The enemy craft: filling a slot, collision, motion, volleys and drawing.
#include "enemies/enemy_class.h"

#include <cmath>

#include "core/geometry.h"
#include "enemies/enemy_rules.h"
#include "world/draw.h"
#include "world/game.h"

void EnemyClass::Initialize(Single top, Single bottom, Single left, Single right, Single enemySpeed, Single enemyAccel,
                            Integer width, Integer height, Integer srcTop, Integer srcBottom, Integer srcLeft,
                            Integer srcRight, Single heading, Single accelHeading, Single hitPoints, Integer shottype,
                            Integer shootRate, Single shotSpeed, Integer shotPat, Integer kind) {
  Top = top;
  Bottom = bottom;
  Left = left;
  Right = right;
  Speed = enemySpeed;
  Accel = enemyAccel;
  Heading = heading;
  Width = width;
  Height = height;
  SrcRectTop = srcTop;
  SrcRectBottom = srcBottom;
  SrcRectLeft = srcLeft;
  SrcRectRight = srcRight;
  AccelHeading = accelHeading;
  Life = hitPoints;
  Shottype = shottype;
  ShotSpeed = shotSpeed;
  ShootRate = shootRate;
  ShotPattern = shotPat;
  Kind = kind;
  LastShot = 0;
  FreezeTime = 0;
  ShotRotate = 0;
  // Exists is the spawner's business, and a hit flash shows until the next frame clears it.
}

bool EnemyClass::CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const {
  // Edges that only touch do not overlap.
  return !(Bottom <= rectTop || Top >= rectBottom || Right <= rectLeft || Left >= rectRight);
}

void EnemyClass::AccelEnemy(Game& g, Single speed, Single direction) {
  if (g.Level.ChargeOn[AbilityMatrix]) speed = speed / 4;
  AddPush(Speed, Heading, speed, direction);
}

void EnemyClass::EnemyMove(Game& g) {
  // MATRIX slows the world to a quarter step.
  double m = g.Level.ChargeOn[AbilityMatrix] ? 0.25 : 1.0;
  Top = static_cast<Single>(Top + Speed * std::sin(double(Heading)) * m);
  Left = static_cast<Single>(Left + Speed * std::cos(double(Heading)) * m);
  Bottom = Height + Top;
  Right = Width + Left;
  AccelEnemy(g, Accel, AccelHeading);
  // Well beyond the screen the craft is gone for good.
  if (Top < -200 || Left < -100 || Right > 900 || Bottom > 800) Exists = false;
}

Long BossSpinBonus(Single bossLife) {
  Single l = bossLife;
  if (l >= 650) return 0;
  if (l > 500) return 180;
  if (l > 350) return 120;
  if (l > 200) return 90;
  if (l > 50) return 72;
  return RoundHalfEven(l) != 0 ? 60 : 0;
}

void EnemyClass::EnemyShoot(Game& g) {
  // A volley needs strictly more than ShootRate clock units since the last one.
  if (double(g.Level.FrameClock) - double(LastShot) <= double(ShootRate)) return;
  LastShot = RoundToLong(g.Level.FrameClock);
  if (Shottype < 0) return;  // a silent craft still keeps its rhythm
  ShotRotate = SatAddLong(ShotRotate, 1);
  // The level-6 boss spins its stream faster the more it is hurt.
  if ((g.CurrentLevel == 6 && g.Level.FrameClock > 4700) || g.Level.ArenaBoss == 6)
    ShotRotate = SatAddLong(ShotRotate, BossSpinBonus(g.Enemies[0].Life));

  // Patterns and shot kinds outside the tables fire nothing.
  if (ShotPattern < 0 || ShotPattern >= Integer(g.Tables.EShotPatterns.size())) return;
  const EShotPatternRec& p = g.Tables.EShotPatterns[ShotPattern];
  if (p.Amount < 0) return;
  for (int i = 0; i <= p.Amount && i < 4; ++i) {
    const int j = FirstFreeSlot(g.EShots);
    if (j < 0) continue;  // the pool is full: this shot is simply not fired
    // With the no-instant-kill gem aboard, an instant-kill gunner turns to common bullets for good.
    if (Shottype == 1 && g.Ship.HasGem(GemNoInstantKill)) Shottype = 0;
    if (Shottype >= Integer(g.Tables.EShotTypes.size())) return;
    const EShotTypeRec& t = g.Tables.EShotTypes[Shottype];
    Single cx = (Right - Left) / 2 + Left;
    double halfWidth = t.Width / 2.0;
    g.EShots[j].Initialize(g, Bottom - t.Height, Bottom, static_cast<Single>(cx - halfWidth + p.OffsetX[i]),
                           static_cast<Single>(cx + halfWidth + p.OffsetX[i]), t.Width, t.Height, t.Damage, ShotSpeed,
                           p.Accel[i], p.AccelHeading[i], p.Heading[i], ShotPattern, t.SrcTop, Shottype, t.SrcLeft,
                           static_cast<Single>(ShotRotate));
  }
}

void EnemyClass::DrawEnemy(Game& g) {
  if (!Shown(g)) return;
  Blit(g, Hurt ? SheetEnemiesHurt : SheetEnemies, true, RoundToLong(Top), RoundToLong(Bottom), RoundToLong(Left),
       RoundToLong(Right), SrcRectTop, SrcRectBottom, SrcRectLeft, SrcRectRight);
}
