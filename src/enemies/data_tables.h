// The enemies' fixed numbers: enemy shot kinds, volley patterns and enemy kinds.
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

struct EnemyKindRec {
  Integer SrcTop = 0, SrcLeft = 0, Height = 0, Width = 0;
  Single HitPoints = 0;
};

// Fills the enemy shot kinds, the volley patterns and enemy kinds 0..19; run once at start-up.
void InitEnemyTables(Game& g);
void SetKind(Game& g, Integer index, Integer width, Integer height, Integer hitPoints, Integer srcLeft,
             Integer srcTop);
