// The game's fixed numbers: enemy shot kinds, volley patterns, explosion kinds,
// enemy kinds, ability costs, and the angle helpers that movement and aiming share.
#pragma once

#include <array>

#include "core/geometry.h"
#include "core/types.h"

struct Game;

struct EShotTypeRec {
  Single Damage = 0;
  Integer Height = 0, Width = 0, SrcTop = 0, SrcLeft = 0;
};

struct EShotPatternRec {
  Integer Amount = 0;  // shots in the volley minus one
  std::array<Single, 4> Heading{};
  std::array<Single, 4> Accel{};
  std::array<Single, 4> AccelHeading{};
  std::array<Single, 4> OffsetX{};
};

struct ExploTypeRec {
  Integer SrcTop = 0, Height = 0, Width = 0, FrameAmount = 0;
};

struct EnemyKindRec {
  Integer SrcTop = 0, SrcLeft = 0, Height = 0, Width = 0;
  Single HitPoints = 0;
};

// Fills every table and the ship constants; run once at start-up.
void InitGameTables(Game& g);
void SetKind(Game& g, Integer index, Integer width, Integer height, Integer hitPoints, Integer srcLeft,
             Integer srcTop);
