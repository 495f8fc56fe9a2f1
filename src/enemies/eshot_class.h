// One enemy bullet; the game keeps a pool of 200.
#pragma once

#include "core/types.h"

struct Game;

struct EShotsClass {
  Single Top = 0, Bottom = 0, Left = 0, Right = 0;
  Single Speed = 0, Accel = 0, AccelHeading = 0, Heading = 0;
  Single Width = 0, Height = 0;
  Integer Damage = 0;
  bool Exists = false;
  Integer SrcTop = 0, Kind = 0, SrcLeft = 0;

  void Initialize(Game& g, Single top, Single bottom, Single left, Single right, Integer width, Integer height,
                  Single damage, Single shotSpeed, Single accel, Single accelHeading, Single heading,
                  Integer shotPattern, Integer srcTop, Integer kind, Integer srcLeft, Single rotation);
  bool CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const;
  void AccelEshot(Game& g, Single speed, Single direction);
  void Limit();
  void EshotMove(Game& g);
  void DrawEshot(Game& g);
};
