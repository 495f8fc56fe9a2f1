// Level 4: hovering cruisers, gunships in crossing pairs, a field of hulks with deadly turrets, a
// run of fast crates, then the boss: it enters alone into slot 0, its two turrets follow one frame later
// into slots 1 and 2 and its two guards one frame after that into slots 3 and 4.
// The slow crate of row 52 is still on the field at the boss time (it needs 800 frames to cross
// the screen); it enters while the hulk field holds all the lower slots, so it flies on in a slot
// far above the boss group, and every other craft is gone before the boss enters.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel4(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate      acc  ahdg  sspd     y
  // Cruisers sink into view, hover and back away.
  AddSpawn(g,  0,    6,  90, 0.4f,  100, 150,    0,   8,   50,  0.001f,  270,    5,    0);
  AddSpawn(g,  1,    6,  90, 0.4f,  100, 650,    0,   8,   50,  0.001f,  270,    5,    0);
  AddSpawn(g,  2,    6,  90, 0.4f,  250, 300,    0,   8,   50,  0.001f,  270,    5,    0);
  AddSpawn(g,  3,    6,  90, 0.4f,  250, 500,    0,   8,   50,  0.001f,  270,    5,    0);
  AddSpawn(g,  4,    6,  90, 0.5f,  400, 400,    0,   8,   45,  0.001f,  270,    6,    0);
  AddSpawn(g,  5,    6,  90, 0.5f,  550, 250,    0,   8,   45,  0.001f,  270,    6,    0);
  // Gunships cross in pairs, firing twin shots.
  AddSpawn(g,  6,    5, 135,    2, 1000, 600,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g,  7,    5,  45,    2, 1000, 200,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g,  8,    5, 135,    2, 1150, 650,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g,  9,    5,  45,    2, 1150, 150,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g, 10,    5,  90, 1.5f, 1300, 300,    0,   8,   40,       0,    0,    6,    0);
  AddSpawn(g, 11,    5,  90, 1.5f, 1300, 500,    0,   8,   40,       0,    0,    6,    0);
  AddSpawn(g, 12,    5, 120,    2, 1500, 650,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g, 13,    5,  60,    2, 1500, 150,    0,  17,   30,       0,    0,    8,    0);
  AddSpawn(g, 14,    5,  90,    2, 1700, 400,    0,  26,   35,       0,    0,    6,    0);
  AddSpawn(g, 15,    5,  90,    2, 1850, 250,    0,  26,   35,       0,    0,    6,    0);
  // Three more cruisers hover and retreat.
  AddSpawn(g, 16,    6,  90, 0.6f, 2100, 400,    0,   8,   40, 0.0015f,  270,    6,    0);
  AddSpawn(g, 17,    6,  90, 0.6f, 2250, 200,    0,   8,   40, 0.0015f,  270,    6,    0);
  AddSpawn(g, 18,    6,  90, 0.6f, 2250, 600,    0,   8,   40, 0.0015f,  270,    6,    0);
  // A field of hulks: first walls on both sides of a lane down the middle, then the lane shifts
  // left, between the deadly turrets.
  AddSpawn(g, 19,   15,  90,    1, 2800, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 20,   15,  90,    1, 2800, 500,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 21,   15,  90,    1, 2900, 250,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 22,   15,  90,    1, 2900, 650,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 23,   15,  90,    1, 3000, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 24,   15,  90,    1, 3000, 500,   -1,   8,   50,       0,    0,    6,    0);
  // The pickup, down the right-hand lane.
  AddSpawn(g, 25,   19,  90,    1, 3450, 650,   -1,   8,   50,       0,    0,    6,    0);
  // The field goes on; from clock 3100 the middle closes and the lane opens further left.
  AddSpawn(g, 26,   15,  90,    1, 3100, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 27,   15,  90,    1, 3100, 650,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 28,   15,  90,    1, 3200, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 29,   15,  90,    1, 3200, 550,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 30,   15,  90,    1, 3250, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 31,   15,  90,    1, 3300, 450,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 32,   15,  90,    1, 3350, 100,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 33,   15,  90,    1, 3400, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 34,   15,  90,    1, 3450, 100,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 35,   15,  90,    1, 3480, 450,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 36,   15,  90,    1, 3350, 450,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 37,   15,  90,    1, 3400, 450,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 38,   15,  90,    1, 3300, 550,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 39,   15,  90,    1, 3150, 550,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 40,   15,  90,    1, 3050, 250,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 41,   15,  90,    1, 3350, 550,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 42,   15,  90,    1, 3250, 450,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 43,   15,  90,    1, 3150, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 44,   15,  90,    1, 3000, 650,   -1,   8,   50,       0,    0,    6,    0);
  // Turrets whose shots kill outright.
  AddSpawn(g, 45,   18,  90,    1, 3200, 450,    1,   0,   40,       0,    0,    6,    0);
  AddSpawn(g, 46,   18,  90,    1, 3300, 150,    1,   0,   40,       0,    0,    6,    0);
  // The last hulks of the field.
  AddSpawn(g, 47,   15,  90,    1, 3400, 550,   -1,   8,   50,       0,    0,    6,    0);
  // The boss's two turrets, one frame after the boss.
  AddSpawn(g, 49,   18,  90,    2, 4301, 150,    0,   9,   60,       0,    0,    8,    0);
  AddSpawn(g, 50,   18,  90,    2, 4301, 650,    0,   9,   60,       0,    0,    8,    0);
  // One more hulk of the field.
  AddSpawn(g, 51,   15,  90,    1, 3450, 500,   -1,   8,   50,       0,    0,    6,    0);
  // A slow crate down the right edge, then a run of fast crates on both sides of a middle lane.
  AddSpawn(g, 52,   16,  90,    1, 3600, 650,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 53,   16,  90,    2, 3800, 200,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 54,   16,  90,    2, 3800, 500,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 55,   16,  90,    2, 3850, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 56,   16,  90,    2, 3850, 550,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 57,   16,  90,    2, 3860, 250,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 58,   16,  90,    2, 3880, 450,   -1,   8,   50,       0,    0,    6,    0);
  // Two slower hulks lead the field down its two walls and hold the lowest slots until well after
  // row 52 enters.
  AddSpawn(g, 59,   15,  90, 0.8f, 2650, 150,   -1,   8,   50,       0,    0,    6,    0);
  AddSpawn(g, 60,   15,  90, 0.8f, 2700, 550,   -1,   8,   50,       0,    0,    6,    0);
  // The boss's two guards, two frames after it; then the boss itself.
  AddSpawn(g, 61,   15,  90,    2, 4302, 350,   -1,   9,   10,       0,    0,    8,    0);
  AddSpawn(g, 62,   15,  90,    2, 4302, 450,   -1,   9,   10,       0,    0,    8,    0);
  AddSpawn(g, 63,   23,  90,    2, 4300, 400,    1,   8,   70,       0,    0,    5, -100);
}
