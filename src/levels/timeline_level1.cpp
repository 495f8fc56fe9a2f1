// Level 1: scouts and darts, a field of drifting hulks, bombers and turrets, then the first boss.
// Every craft here flies off the screen on its own before the boss time, so the boss
// enters an empty field.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel1(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate  acc  ahdg  sspd    y
  // Scouts come down in pairs, then sweep in from both sides.
  AddSpawn(g,  0,    0,  90,    2,  100, 500,    0,   0,  100,   0,    0,    6,   0);
  AddSpawn(g,  1,    0,  90,    2,  100, 300,    0,   0,  100,   0,    0,    6,   0);
  AddSpawn(g,  2,    0,  90,    2,  250, 200,    0,   0,  100,   0,    0,    6,   0);
  AddSpawn(g,  3,    0,  90,    2,  250, 600,    0,   0,  100,   0,    0,    6,   0);
  AddSpawn(g,  4,    0,  90,    2,  400, 400,    0,   0,   90,   0,    0,    6,   0);
  AddSpawn(g,  5,    0,  75,    2,  550, 150,    0,   0,   90,   0,    0,    6,   0);
  AddSpawn(g,  6,    0, 105,    2,  550, 650,    0,   0,   90,   0,    0,    6,   0);
  AddSpawn(g,  7,    0,  75,    2,  650, 250,    0,   0,   90,   0,    0,    6,   0);
  AddSpawn(g,  8,    0, 105,    2,  650, 550,    0,   0,   90,   0,    0,    6,   0);
  // A row of three that aims at the ship.
  AddSpawn(g,  9,    0,  90, 2.5f,  850, 300,    0,   8,  100,   0,    0,    5,   0);
  AddSpawn(g, 10,    0,  90, 2.5f,  850, 400,    0,   8,  100,   0,    0,    5,   0);
  AddSpawn(g, 11,    0,  90, 2.5f,  850, 500,    0,   8,  100,   0,    0,    5,   0);
  // Darts cross the column on diagonals.
  AddSpawn(g, 12,    1,  70,    2, 1200, 150,    0,   0,   50,   0,    0,    6,   0);
  AddSpawn(g, 13,    1, 110,    2, 1200, 650,    0,   0,   50,   0,    0,    6,   0);
  AddSpawn(g, 14,    1,  70,    2, 1300, 150,    0,   0,   50,   0,    0,    6,   0);
  AddSpawn(g, 15,    1, 110,    2, 1300, 650,    0,   0,   50,   0,    0,    6,   0);
  AddSpawn(g, 16,    1,  90,    2, 1450, 250,    0,   8,   70,   0,    0,    5,   0);
  AddSpawn(g, 17,    1,  90,    2, 1450, 550,    0,   8,   70,   0,    0,    5,   0);
  AddSpawn(g, 18,    1,  80, 2.5f, 1600, 300,    0,   0,   50,   0,    0,    6,   0);
  AddSpawn(g, 19,    1, 100, 2.5f, 1600, 500,    0,   0,   50,   0,    0,    6,   0);
  // A gunship down the middle.
  AddSpawn(g, 20,    4,  90,    2, 1900, 400,    0,   8,   50,   0,    0,    6,   0);
  // Drifting hulks in pairs and threes; the lane between them wanders right, back left and to the
  // middle again, slowly enough for a new ship to follow.
  AddSpawn(g, 21,   15,  90,    1, 2200, 150,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 22,   15,  90,    1, 2200, 450,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 23,   15,  90,    1, 2280, 190,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 24,   15,  90,    1, 2280, 490,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 25,   15,  90,    1, 2360, 230,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 26,   15,  90,    1, 2360, 530,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 27,   15,  90,    1, 2440, 270,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 28,   15,  90,    1, 2440, 570,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 29,   15,  90,    1, 2520, 310,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 30,   15,  90,    1, 2520, 610,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 31,   15,  90,    1, 2600, 350,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 32,   15,  90,    1, 2600, 650,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 33,   15,  90,    1, 2680, 390,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 34,   15,  90,    1, 2680, 690,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 35,   15,  90,    1, 2760, 350,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 36,   15,  90,    1, 2760, 650,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 37,   15,  90,    1, 2840, 300,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 38,   15,  90,    1, 2840, 600,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 39,   15,  90,    1, 2920, 250,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 40,   15,  90,    1, 2920, 550,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 41,   15,  90,    1, 3000, 200,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 42,   15,  90,    1, 3000, 500,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 43,   15,  90,    1, 3080, 150,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 44,   15,  90,    1, 3080, 450,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 45,   15,  90,    1, 3080, 650,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 46,   15,  90,    1, 3160, 110,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 47,   15,  90,    1, 3160, 410,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 48,   15,  90,    1, 3240, 115,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 49,   15,  90,    1, 3240, 685,   -1,   8,   50,   0,    0,    6,   0);
  // The pickup drifts down the open left edge of the hulk field.
  AddSpawn(g, 50,   19,  90,    1, 2750, 150,   -1,   8,   50,   0,    0,    6,   0);
  // The field's tail hugs the edges, so that the middle is open when the bombers come.
  AddSpawn(g, 51,   15,  90,    1, 3300, 115,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 52,   15,  90,    1, 3300, 685,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 53,   15,  90,    1, 3360, 115,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 54,   15,  90,    1, 3360, 685,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 55,   15,  90,    1, 3420, 115,   -1,   8,   50,   0,    0,    6,   0);
  AddSpawn(g, 56,   15,  90,    1, 3420, 685,   -1,   8,   50,   0,    0,    6,   0);
  // Two bombers: one sprays across the column towards the lower left, the other rains straight
  // down its left edge, so the middle stays open; then one crosses from the left.
  AddSpawn(g, 57,    2,  90,    1, 3500, 650,    0,   4,   30,   0,    0,    3,   0);
  AddSpawn(g, 58,    2,  90,    1, 3500, 150,    0,   0,   30,   0,    0,    3,   0);
  AddSpawn(g, 59,    2,   0,    2, 4000,  50,    0,  26,   30,   0,    0,    5, 100);
  // Two turrets guard the way to the boss.
  AddSpawn(g, 60,   18,  90,    2, 4200, 150,    0,   8,   80,   0,    0,    5,   0);
  AddSpawn(g, 61,   18,  90,    2, 4200, 650,    0,   8,   80,   0,    0,    5,   0);
  // The boss.
  AddSpawn(g, 62,   20,  90,    2, 4800, 400,    1,  24,   50,   0,    0,    7,   0);
}
