// Level 5 timeline (being laid out).
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel5(Game&) {}
