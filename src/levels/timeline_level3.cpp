// Level 3 timeline (being laid out).
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel3(Game&) {}
