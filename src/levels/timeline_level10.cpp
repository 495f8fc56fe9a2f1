// Level 10: the final boss, alone from the start.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel10(Game& g) {
  //         i  kind hdg spd time   x  shot pat rate acc ahdg sspd  y
  AddSpawn(g, 0, 29, 90, 1, 100, 400, 0, 9, 7, 0, 0, 10, 0);
}
