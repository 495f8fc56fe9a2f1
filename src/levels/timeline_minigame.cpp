// The mini game: four gunners take the corners, two from the top and two from below.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineMiniGame(Game& g) {
  //         i  kind hdg  spd time   x  shot pat rate acc ahdg sspd  y
  AddSpawn(g, 0, 18, 90, 1, 100, 150, 0, 8, 70, 0, 0, 5, 0);
  AddSpawn(g, 1, 18, 90, 1, 101, 650, 0, 9, 70, 0, 0, 5, 0);
  AddSpawn(g, 2, 18, 270, 1, 102, 150, 0, 8, 70, 0, 0, 5, 700);
  AddSpawn(g, 3, 18, 270, 1, 103, 650, 0, 9, 70, 0, 0, 5, 700);
}
