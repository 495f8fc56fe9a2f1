// Level 2: curving bombers and darts, fast hulks, crates and jamming turrets, then the boss behind
// its wall of seven escorts, which enter together into the first eight slots of an empty field.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel2(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate     acc  ahdg  sspd     y
  // Bombers dip in from the corners, lay falling shots and climb away.
  AddSpawn(g,  0,    2,  70,    2,  100, 150,    0,  19,   70,  0.01f,  270,    2,    0);
  AddSpawn(g,  1,    2, 110,    2,  100, 650,    0,  19,   70,  0.01f,  270,    2,    0);
  AddSpawn(g,  2,    2,  70,    2,  300, 200,    0,  19,   70,  0.01f,  270,    2,    0);
  AddSpawn(g,  3,    2, 110,    2,  300, 600,    0,  19,   70,  0.01f,  270,    2,    0);
  AddSpawn(g,  4,    2,  80,    2,  450, 300,    0,  19,   60,  0.01f,  270,    3,    0);
  AddSpawn(g,  5,    2, 100,    2,  450, 500,    0,  19,   60,  0.01f,  270,    3,    0);
  // Darts curve back across the column; their shots hook inward.
  AddSpawn(g,  6,    1,  70,    2,  550, 150,    0,  14,   70, 0.008f,  130,   10,    0);
  AddSpawn(g,  7,    1, 110,    2,  550, 650,    0,  13,   70, 0.008f,   50,   10,    0);
  AddSpawn(g,  8,    1,  90,    2,  700, 400,    0,   0,   60,      0,    0,    8,    0);
  // A fast hulk leads slower ones, with scouts darting between them.
  AddSpawn(g,  9,   15,  90,    3, 1000, 450,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 10,   15,  90,    2, 1050, 650,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 11,   15,  90,    2, 1100, 150,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 12,   15,  90,    2, 1150, 350,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 13,   15,  90,    2, 1200, 600,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 14,    0,  90,    3,  980, 250,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 15,    0,  90,    3, 1030, 450,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 16,    0,  90,    3, 1080, 550,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 17,    0,  90,    3, 1130, 250,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 18,    0,  90,    3, 1180, 450,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 19,    0,  90,    3, 1230, 150,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 20,    0,  90,    3, 1260, 650,    0,   0,   30,      0,    0,    8,    0);
  AddSpawn(g, 21,    0,  90,    3, 1290, 400,    0,   0,   30,      0,    0,    8,    0);
  // Crates between two turrets whose shots jam the guns.
  AddSpawn(g, 22,   16,  90,    1, 1400, 350,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 23,   16,  90,    1, 1400, 550,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 24,   18,  90,    1, 1400, 150,    4,   8,   90,      0,    0,    8,    0);
  AddSpawn(g, 25,   18,  90,    1, 1400, 650,    4,   8,   90,      0,    0,    8,    0);
  // Hulks in staggered rows, scouts slipping down between them with slow aimed shots: in a lane
  // between hulks there is no room to dodge a fast one.
  AddSpawn(g, 26,   15,  90,    1, 1700, 250,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 27,   15,  90,    1, 1700, 450,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 28,   15,  90,    2, 1800, 350,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 29,   15,  90,    2, 1800, 650,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 30,    0,  90,    3, 1850, 150,    0,   8,   60,      0,    0,    4,    0);
  AddSpawn(g, 31,   15,  90,    2, 1900, 200,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 32,   15,  90,    2, 1900, 500,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 33,   15,  90,    2, 2000, 350,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 34,   15,  90,    2, 2000, 650,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 35,    0,  90,    3, 2050, 450,    0,   8,   60,      0,    0,    4,    0);
  AddSpawn(g, 36,   15,  90,    2, 2100, 250,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 37,   15,  90,    2, 2100, 450,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 38,    0,  90,    3, 2150, 650,    0,   8,   60,      0,    0,    4,    0);
  // The pickup streaks down the left edge.
  AddSpawn(g, 39,   19,  90,    4, 2260, 150,   -1,   8,   50,      0,    0,    6,    0);
  // Gunboats drift down the edges, fanning shots inward.
  AddSpawn(g, 40,    3,  80,    1, 2500, 130,    0,  29,   70,      0,    0,    3,    0);
  AddSpawn(g, 41,    3, 100,    1, 2500, 670,    0,  28,   70,      0,    0,    3,    0);
  AddSpawn(g, 42,    3,  80, 1.2f, 2750, 200,    0,  29,   60,      0,    0,    4,    0);
  AddSpawn(g, 43,    3, 100, 1.2f, 2750, 600,    0,  28,   60,      0,    0,    4,    0);
  // A last funnel of hulks and crates.
  AddSpawn(g, 44,   15,  90,    2, 2900, 150,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 45,   15,  90,    2, 2900, 650,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 46,   16,  90,    2, 3000, 400,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 47,   15,  90,    2, 3100, 250,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 48,   15,  90,    2, 3100, 550,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 49,   16,  90,    2, 3200, 400,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 50,   15,  90,    2, 3250, 150,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 51,   15,  90,    2, 3250, 650,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 52,   15,  90,    2, 3350, 300,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 53,   15,  90,    2, 3350, 500,   -1,   8,   50,      0,    0,    6,    0);
  // The boss comes in behind a wall of seven escorts.
  AddSpawn(g, 54,   15,  90,    4, 4100, 100,   -1,   8,   90,      0,    0,    8,    0);
  AddSpawn(g, 55,   15,  90,    4, 4100, 200,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 56,   15,  90,    4, 4100, 300,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 57,   16,  90,    4, 4100, 400,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 58,   15,  90,    4, 4100, 500,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 59,   15,  90,    4, 4100, 600,   -1,   8,   50,      0,    0,    6,    0);
  AddSpawn(g, 60,   15,  90,    4, 4100, 700,   -1,   8,   90,      0,    0,    8,    0);
  AddSpawn(g, 61,   21,  90,    4, 4100, 400,    0,  10,   30,      0,    0, 0.3f, -100);
}
