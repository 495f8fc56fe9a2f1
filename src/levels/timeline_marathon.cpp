// The marathon's own table is a placeholder: the director loads the first stage's timeline over it
// on the marathon's first frame, before this row's time comes.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineMarathon(Game& g) {
  //         i  kind hdg spd time   x  shot pat rate acc ahdg sspd  y
  AddSpawn(g, 0, 18, 90, 1, 100, 150, 0, 8, 70, 0, 0, 5, 0);
}
