// Level 8 timeline (being laid out).
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel8(Game&) {}
