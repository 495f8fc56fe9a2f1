// Level 9 timeline (being laid out).
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel9(Game&) {}
