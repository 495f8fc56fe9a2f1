// Level 8: heavy gunships on slow diagonals, swooping gunships, a random fan of fighters thrown
// from the centre, a storm of fast hulks down the edges, lone killer beams and hunters, then the
// boss.
#include <cmath>

#include "levels/levels.h"
#include "levels/timelines.h"
#include "world/game.h"

void WriteTimelineLevel8(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate     acc  ahdg  sspd  y
  // Heavy gunships drift across on diagonals; the first pair leads its shots, the others aim
  // where the ship is, with shots slow enough to see coming.
  AddSpawn(g,  0,    9,  45,    1,  100, 100,    0,   9,   55,      0,    0,   10, 0);
  AddSpawn(g,  1,    9, 135,    1,  100, 700,    0,   8,   55,      0,    0,    7, 0);
  AddSpawn(g,  2,    9,  45,    1,  400, 100,    0,   8,   55,      0,    0,    7, 0);
  AddSpawn(g,  3,    9, 135,    1,  400, 700,    0,   8,   55,      0,    0,    7, 0);
  AddSpawn(g,  4,    9,  90, 1.5f,  700, 300,    0,   8,   50,      0,    0,    7, 0);
  AddSpawn(g,  5,    9,  90, 1.5f,  700, 500,    0,   8,   50,      0,    0,    7, 0);
  AddSpawn(g,  6,    9,  60, 1.2f, 1000, 150,    0,   8,   45,      0,    0,    7, 0);
  AddSpawn(g,  7,    9, 120, 1.2f, 1000, 650,    0,   8,   45,      0,    0,    7, 0);
  // Gunships swoop down and climb away.
  AddSpawn(g,  8,    4,  65, 2.5f, 1600, 200,    0,   8,   55, 0.025f,  270,   10, 0);
  AddSpawn(g,  9,    4, 115, 2.5f, 1600, 600,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 10,    4,  65, 2.5f, 1700, 150,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 11,    4, 115, 2.5f, 1700, 650,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 12,    4,  80, 2.5f, 1800, 300,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 13,    4, 100, 2.5f, 1800, 500,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 14,    4,  90, 2.5f, 1900, 400,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 15,    4,  65, 2.5f, 1950, 250,    0,   8,   55, 0.025f,  270,    7, 0);
  AddSpawn(g, 16,    4, 115, 2.5f, 1950, 550,    0,   8,   55, 0.025f,  270,    7, 0);
  // A fan of fighters thrown from the top centre, each at a heading and x of its own, drawn as
  // the level is set up: the heading first, then the x.
  for (int j = 0; j < 20; ++j) {
    const Single heading = std::floor(g.Rnd() * 50.0f) + 65;
    const Integer x = static_cast<Integer>(std::floor(g.Rnd() * 50.0f) + 375);
    AddSpawn(g, static_cast<Integer>(17 + j), 2, heading, 5, static_cast<Integer>(2100 + 15 * j), x, 0, 8, 55,
             0.035f, 270, 10, 0);
  }
  // A storm of fast hulks, one side and then the other, hugging the edges: the middle stays open
  // for the pickup that falls through it and for a ship that keeps to it.
  AddSpawn(g, 37,   15,  90,    3, 2800, 470,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 38,   15,  90,    3, 2820, 200,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 39,   15,  90,    3, 2850, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 40,   15,  90,    3, 2880, 150,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 41,   15,  90,    3, 2910, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 42,   15,  90,    3, 2940, 250,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 43,   15,  90,    3, 2970, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 44,   15,  90,    3, 3000, 200,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 45,   15,  90,    3, 3030, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 46,   15,  90,    3, 3060, 150,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 47,   15,  90,    3, 3090, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 48,   15,  90,    3, 3120, 250,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 49,   15,  90,    3, 3150, 550,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 50,   15,  90,    3, 3180, 200,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 51,   15,  90,    3, 3210, 600,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 52,   15,  90,    3, 3240, 150,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 53,   15,  90,    3, 3270, 650,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 54,   15,  90,    3, 3300, 250,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 55,   15,  90,    3, 3330, 550,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 56,   15,  90,    3, 3360, 200,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 57,   15,  90,    3, 3390, 600,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 59,   15,  90,    3, 3420, 150,   -1,   8,   55,      0,    0,   10, 0);
  AddSpawn(g, 60,   15,  90,    3, 3440, 650,   -1,   8,   55,      0,    0,   10, 0);
  // A hunter crawls in from the right, its beam kills outright: shoot it or keep ahead of it.
  AddSpawn(g, 61,   11, 170, 0.9f, 3500, 700,    1,   0,    1,      0,    0,   10, 0);
  // Hunters firing aimed shots, a volley a second or so apart.
  AddSpawn(g, 62,   11,  90, 1.5f, 4450, 200,    0,   8,   40,      0,    0,    7, 0);
  AddSpawn(g, 63,   11,  90, 1.5f, 4450, 600,    0,   8,   40,      0,    0,    7, 0);
  AddSpawn(g, 64,   11,  80, 1.5f, 4650, 150,    0,   8,   38,      0,    0,    7, 0);
  AddSpawn(g, 65,   11, 100, 1.5f, 4650, 650,    0,   8,   38,      0,    0,    7, 0);
  AddSpawn(g, 66,   11,  90, 1.5f, 4850, 400,    0,  24,   45,      0,    0,    7, 0);
  AddSpawn(g, 67,   11,  90, 1.5f, 5000, 300,    0,   8,   35,      0,    0,    7, 0);
  // A last hunter from the left, sinking as it crosses the column and firing aimed shots: one
  // killer beam in a level is enough to learn from.
  AddSpawn(g, 68,   11,  35, 1.5f, 5200, 100,    0,   8,   40,      0,    0,    7, 0);
  // The pickup, through the middle of the hulk storm.
  AddSpawn(g, 69,   19,  90,    3, 3260, 373,   -1,   8,   55,      0,    0,   10, 0);
  // The boss.
  AddSpawn(g, 70,   27,  90,    2, 6100, 400,    1,  17,    1,      0,    0,    8, 0);
}
