// One enemy craft, boss or pickup; the game keeps a pool of 50.
#pragma once

#include "core/types.h"

struct Game;

struct EnemyClass {
  Single Top = 0, Bottom = 0, Left = 0, Right = 0;
  Single Speed = 0, Accel = 0, AccelHeading = 0, Heading = 0;
  Single Width = 0, Height = 0;
  Integer SrcRectTop = 0, SrcRectBottom = 0, SrcRectLeft = 0, SrcRectRight = 0;
  bool Exists = false;
  Single Life = 0;
  Single ShotSpeed = 0;
  Single ShootRate = 0;
  Long LastShot = 0;
  Integer Shottype = 0, ShotPattern = 0;
  Integer FreezeTime = 0;
  Integer Kind = 0;
  Long ShotRotate = 0;
  bool Hurt = false;

  void Initialize(Single top, Single bottom, Single left, Single right, Single enemySpeed, Single enemyAccel,
                  Integer width, Integer height, Integer srcTop, Integer srcBottom, Integer srcLeft,
                  Integer srcRight, Single heading, Single accelHeading, Single hitPoints, Integer shottype,
                  Integer shootRate, Single shotSpeed, Integer shotPat, Integer kind);
  bool CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const;
  void AccelEnemy(Game& g, Single speed, Single direction);
  void EnemyMove(Game& g);
  void EnemyShoot(Game& g);
  void DrawEnemy(Game& g);
};

// The enemy steps of a play frame.
void Spawner(Game& g);
void StepEnemies(Game& g);
void StepEnemyShots(Game& g);
