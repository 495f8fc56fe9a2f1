// The timelines of the game's levels and modes: one writer per level, each filling the rows of a
// SpawnTable that LevelSetup has already sized to the level's count.
#pragma once

#include "core/types.h"

struct Game;

// Rows of each timeline (index = level number - 1): levels 1 to 9, the final boss, the mini game,
// the marathon's placeholder and the boss arena.
inline constexpr Integer TimelineCounts[13] = {63, 62, 51, 64, 119, 86, 86, 71, 66, 1, 4, 1, 23};

void WriteTimelineLevel1(Game& g);
void WriteTimelineLevel2(Game& g);
void WriteTimelineLevel3(Game& g);  // draws the turrets' fire rates from the game's generator
void WriteTimelineLevel4(Game& g);
void WriteTimelineLevel5(Game& g);
void WriteTimelineLevel6(Game& g);
void WriteTimelineLevel7(Game& g);
void WriteTimelineLevel8(Game& g);  // draws the fan of fighters from the game's generator
void WriteTimelineLevel9(Game& g);
void WriteTimelineLevel10(Game& g);
void WriteTimelineMiniGame(Game& g);
void WriteTimelineMarathon(Game& g);
void WriteTimelineArena(Game& g);
