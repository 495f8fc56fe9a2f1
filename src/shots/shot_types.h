// The player shot catalogue: 20 kinds by 10 levels, each firing one to nine sub-shots.
#pragma once

#include <array>

#include "core/types.h"

struct Game;

struct SubShotRec {
  Single Speed = 0, AccelRate = 0, AccelHeading = 0, Heading = 0, XOffset = 0;
};

struct ShotTypeRec {
  Single Damage = 0;
  Integer Height = 0, Width = 0, SrcTop = 0, SrcLeft = 0, Frames = 0;
  Single FireDelay = 0;
  Integer AnimInterval = 0, Count = 0;
  std::array<SubShotRec, 9> SubShots{};
};

inline constexpr int ShotKinds = 20;
inline constexpr int ShotLevels = 10;

// Writes one sub-shot of entry (kind, level) and the entry's own fields; angles in degrees.
void SetShotSpec(Game& g, Integer level, Integer kind, Integer subShot, Integer animInterval, Single damage,
                 Integer frames, Integer height, Integer count, Single fireDelay, Single accelHeadingDeg,
                 Single accelRate, Single headingDeg, Single speed, Single xOffset, Integer srcTop, Integer srcLeft,
                 Integer width);
// Every catalogue entry, sub-shot by sub-shot.
void FillShotCatalogue(Game& g);
