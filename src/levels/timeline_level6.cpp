// Level 6: a sprayer along the top, gunboats, raiders curving back, a diving column of darts, a storm
// of fast hulks with gunboats, turrets firing across the column from both edges, then the boss.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel6(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate    acc  ahdg  sspd    y
  // A sprayer crosses high up, scattering shots.
  AddSpawn(g,  0,    8,   0,    2,  100,  50,    0,  35,    4,     0,    0,    8, 150);
  // Gunboats in a widening wedge, then a crossing pair.
  AddSpawn(g,  1,    3,  90,    2,  500, 400,    0,   8,   90,     0,    0,    8,   0);
  AddSpawn(g,  2,    3,  90,    2,  550, 250,    0,   8,   90,     0,    0,    8,   0);
  AddSpawn(g,  3,    3,  90,    2,  550, 550,    0,   8,   90,     0,    0,    8,   0);
  AddSpawn(g,  4,    3,  90,    2,  600, 150,    0,   8,   90,     0,    0,    8,   0);
  AddSpawn(g,  5,    3,  90,    2,  600, 650,    0,   8,   90,     0,    0,    8,   0);
  AddSpawn(g,  6,    3,  70, 2.5f,  800, 150,    0,  21,   60,     0,    0,    8,   0);
  AddSpawn(g,  7,    3, 110, 2.5f,  800, 650,    0,  21,   60,     0,    0,    8,   0);
  AddSpawn(g,  8,    3,  90, 2.5f,  900, 400,    0,  25,   60,     0,    0,    8,   0);
  // Raiders sweep in from the corners and curve back out.
  AddSpawn(g,  9,    7,  30,    3, 1300, 100,    0,   8,   30, 0.01f,  180,    8,   0);
  AddSpawn(g, 10,    7, 150,    3, 1300, 700,    0,   8,   30, 0.01f,    0,    8,   0);
  // Darts dive in a V and then in a slanting line, spraying.
  AddSpawn(g, 11,    1,  90,    5, 1700, 400,    0,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 12,    1,  90,    5, 1730, 300,    0,  20,   18,     0,    0,    8,   0);
  AddSpawn(g, 13,    1,  90,    5, 1730, 500,    0,  20,   18,     0,    0,    8,   0);
  AddSpawn(g, 14,    1,  90,    5, 1760, 200,    0,  20,   18,     0,    0,    8,   0);
  AddSpawn(g, 15,    1,  90,    5, 1760, 600,    0,  20,   18,     0,    0,    8,   0);
  AddSpawn(g, 16,    1,  90,    5, 1900, 150,    0,  20,   15,     0,    0,    8,   0);
  AddSpawn(g, 17,    1,  90,    5, 1930, 250,    0,  20,   15,     0,    0,    8,   0);
  AddSpawn(g, 18,    1,  90,    5, 1960, 350,    0,  20,   15,     0,    0,    8,   0);
  AddSpawn(g, 19,    1,  90,    5, 1990, 450,    0,  20,   15,     0,    0,    8,   0);
  AddSpawn(g, 20,    1,  90,    5, 2020, 550,    0,  20,   15,     0,    0,    8,   0);
  // A storm of fast hulks in pairs, the safe lane between them weaving from side to side; gunboats
  // come down through it.
  AddSpawn(g, 21,   15,  90,    5, 2600, 520,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 22,   15,  90,    5, 2600, 260,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 23,   15,  90,    5, 2634, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 24,   15,  90,    5, 2634, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 25,   15,  90,    5, 2668, 580,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 26,   15,  90,    5, 2668, 320,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 27,    3,  90,    3, 2700, 400,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 28,   15,  90,    5, 2702, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 29,   15,  90,    5, 2702, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 30,   15,  90,    5, 2736, 520,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 31,   15,  90,    5, 2736, 260,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 32,   15,  90,    5, 2770, 490,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 33,    3,  90,    3, 2800, 400,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 34,   15,  90,    5, 2770, 230,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 35,   15,  90,    5, 2804, 470,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 36,   15,  90,    5, 2804, 210,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 37,   15,  90,    5, 2838, 490,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 38,   15,  90,    5, 2838, 230,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 39,   15,  90,    5, 2872, 520,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 40,   15,  90,    5, 2872, 260,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 41,   15,  90,    5, 2906, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 42,    3,  90,    3, 2950, 550,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 43,   15,  90,    5, 2906, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 44,   15,  90,    5, 2940, 580,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 45,   15,  90,    5, 2940, 320,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 46,   15,  90,    5, 2974, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 47,   15,  90,    5, 2974, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 48,   15,  90,    5, 3008, 520,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 49,   15,  90,    5, 3008, 260,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 50,    3,  90,    3, 3050, 300,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 51,   15,  90,    5, 3042, 490,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 52,   15,  90,    5, 3042, 230,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 53,   15,  90,    5, 3076, 470,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 54,   15,  90,    5, 3076, 210,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 55,   15,  90,    5, 3110, 490,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 56,    3,  90,    3, 3150, 450,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 57,   15,  90,    5, 3110, 230,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 58,   15,  90,    5, 3144, 520,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 59,   15,  90,    5, 3144, 260,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 60,   15,  90,    5, 3178, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 61,   15,  90,    5, 3178, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 62,   15,  90,    5, 3212, 580,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 63,    3,  90,    3, 3250, 300,    0,   8,   40,     0,    0,    8,   0);
  AddSpawn(g, 64,   15,  90,    5, 3212, 320,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 65,   15,  90,    5, 3246, 550,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 66,   15,  90,    5, 3246, 290,   -1,  20,    3,     0,    0,    8,   0);
  AddSpawn(g, 67,   15,  90,    5, 3280, 290,   -1,  20,    3,     0,    0,    8,   0);
  // The pickup runs ahead of the storm.
  AddSpawn(g, 68,   19,  90,    5, 2580, 120,   -1,  20,    3,     0,    0,    8,   0);
  // Turrets on both edges fire across the column, each volley a second or less apart, so there is
  // time to slip between them; slow hulks come down the middle. Only the first pair of turrets
  // sinks the whole height of the edges: the others slow to a halt a third of the way down and
  // climb back out, so the bottom corners stay a place to be, not a place to be crushed.
  AddSpawn(g, 69,   18,  90,    2, 3300, 150,    0,   3,   30,     0,    0,    4,   0);
  AddSpawn(g, 70,   18,  90,    2, 3300, 650,    0,   1,   30,     0,    0,    4,   0);
  AddSpawn(g, 71,   18,  90,    2, 3500, 150,    0,   3,   40, 0.01f,  270,    4,   0);
  AddSpawn(g, 72,   18,  90,    2, 3500, 650,    0,   1,   40, 0.01f,  270,    4,   0);
  AddSpawn(g, 73,   18,  90,    2, 3700, 150,    0,   3,   40, 0.01f,  270,    4,   0);
  AddSpawn(g, 74,   18,  90,    2, 3700, 650,    0,   1,   40, 0.01f,  270,    4,   0);
  AddSpawn(g, 75,   18,  90,    2, 3900, 250,    0,  34,   60, 0.01f,  270,    4,   0);
  AddSpawn(g, 76,   18,  90,    2, 3900, 550,    0,  34,   60, 0.01f,  270,    4,   0);
  AddSpawn(g, 77,   15,  90,    2, 3400, 400,   -1,   8,   50,     0,    0,    6,   0);
  AddSpawn(g, 78,   15,  90,    2, 3450, 300,   -1,   8,   50,     0,    0,    6,   0);
  AddSpawn(g, 79,   15,  90,    2, 3600, 450,   -1,   8,   50,     0,    0,    6,   0);
  AddSpawn(g, 80,   15,  90,    2, 3650, 350,   -1,   8,   50,     0,    0,    6,   0);
  AddSpawn(g, 81,   15,  90,    2, 3800, 400,   -1,   8,   50,     0,    0,    6,   0);
  AddSpawn(g, 82,   15,  90,    2, 3850, 300,   -1,   8,   50,     0,    0,    6,   0);
  // Two last gunboats, then the boss.
  AddSpawn(g, 83,    3,  90,    2, 4000, 250,    0,   8,   45,     0,    0,    8,   0);
  AddSpawn(g, 84,    3,  90,    2, 4000, 550,    0,   8,   45,     0,    0,    8,   0);
  AddSpawn(g, 85,   25,  90,    2, 4700, 330,    0,  36,    0,     0,    0,    5,   0);
}
