// Level 6 timeline (being laid out).
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel6(Game&) {}
