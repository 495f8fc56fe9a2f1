// Level timelines, the level director (boss phases, modes) and the level end.
#pragma once

#include "core/types.h"

struct Game;

struct SpawnRec {
  Integer Kind = 0;
  Integer SpawnTime = 0;
  Single Heading = 0;
  Single Speed = 0;
  Single CenterX = 0;
  Single StartY = 0;
  Single Accel = 0;
  Single AccelHeading = 0;
  Integer Shottype = 0;
  Integer ShotPat = 0;
  Integer ShootRate = 0;
  Single ShotSpeed = 0;
};

void AddSpawn(Game& g, Integer index, Integer kind, Single headingDeg, Single speed, Integer spawnTime,
              Integer centerX, Integer shottype, Integer shotPat, Integer shootRate, Single accel,
              Single accelHeadingDeg, Single shotSpeed, Single startY);
void LevelSetup(Game& g, Integer levelNumber);
// A level starts: a fresh level state (its counters, clock, boss and ability flags at zero), but
// for the marathon's stage and the few values the state dump reports until the level sets its
// own; the menu music starts afresh on return.
void ResetLevelState(Game& g);
// One of the four level tracks at random (one draw of the game's random source).
void StartLevelMusic(Game& g);
void LevelDirector(Game& g);
