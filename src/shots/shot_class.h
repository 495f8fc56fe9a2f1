// One player shot; the game keeps a pool of 200.
#pragma once

#include "core/types.h"

struct Game;

struct ShotClass {
  Single Top = 0, Bottom = 0, Left = 0, Right = 0;
  Single Speed = 0;
  Single Damage = 0;
  Integer SrcTop = 0, SrcBottom = 0, SrcLeft = 0, SrcRight = 0, SrcInterval = 0;
  Integer Width = 0, Height = 0;
  bool Exists = false;
  Single Heading = 0;
  Integer AniFrame = 0, Frames = 0, AnimationCount = 0;
  Single AccelRate = 0, AccelHeading = 0, HomeRate = 0;
  Integer Kind = 0;
  Single HalfSpeed = 0;
  bool ComeBack = false;
  Integer Level = 0;
  Integer AlreadyHit = 0;
  Single Dist = 0;

  void Shoot(Integer top, Integer left, Single speed, Single damage, Integer width, Integer height, Single heading,
             Integer frames, Integer srcTop, Integer srcBottom, Single accelRate, Single accelHeading,
             Integer srcLeft, Integer kind, Integer level);
  void MoveShot(Game& g);
  void ShotReturn(Game& g);
  void DrawShot(Game& g);
  void AccelShot(Single speed, Single direction);
};

// The player-shot step of a play frame: firing, kind behaviours, hits, drawing, movement.
void StepShots(Game& g);
// Tests shot s against every live enemy and applies the hits.
void ShotHitsEnemies(Game& g, ShotClass& s);
