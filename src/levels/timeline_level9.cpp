// Level 9: heavy lancers, a hunter, needle ships from both sides, a field of hulks, the pickup
// thrown in from the right, three fountains of ships rising from below, then the boss bouncing
// from wall to wall.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineLevel9(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate    acc  ahdg  sspd    y
  // Heavy lancers cross on diagonals.
  AddSpawn(g,  0,   13,  55,    1,  100, 200,    0,   8,   50,     0,    0,    4,   0);
  AddSpawn(g,  1,   13, 125,    1,  100, 600,    0,   8,   50,     0,    0,    4,   0);
  AddSpawn(g,  2,   13,  55,    1,  300, 150,    0,   8,   45,     0,    0,    5,   0);
  AddSpawn(g,  3,   13, 125,    1,  300, 650,    0,   8,   45,     0,    0,    5,   0);
  // A hunter down the left side, firing fast aimed shots.
  AddSpawn(g,  4,   14,  90,    1,  550, 150,    0,   8,   20,     0,    0,    8,   0);
  // Needle ships cross from both sides, dropping curling shots.
  AddSpawn(g,  5,    8, 180, 1.5f,  750, 850,    0,  19,   50,     0,    0,    2, 100);
  AddSpawn(g,  6,    8,   0, 1.5f,  750, -50,    0,  19,   50,     0,    0,    2, 150);
  AddSpawn(g,  7,    8, 180, 1.5f,  950, 850,    0,  19,   50,     0,    0,    2, 200);
  AddSpawn(g,  8,    8,   0, 1.5f,  950, -50,    0,  19,   50,     0,    0,    2, 250);
  AddSpawn(g,  9,    8, 180,    2, 1150, 850,    0,  19,   50,     0,    0,    2, 120);
  AddSpawn(g, 10,    8,   0,    2, 1150, -50,    0,  19,   50,     0,    0,    2, 180);
  AddSpawn(g, 11,    8,  90,    2, 1300, 400,    0,  19,   40,     0,    0,    3,   0);
  // A field of hulks behind a slow leader: walls down both edges, and a third hulk in each row
  // that closes in from the left, then the right. The middle stays open all the way down, so a
  // ship that keeps to it only has to watch the walls narrow from one side, then the other.
  AddSpawn(g, 13,   15,  90,    1, 1600, 250,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 14,   15,  90, 1.5f, 1640, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 15,   15,  90, 1.5f, 1640, 250,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 16,   15,  90, 1.5f, 1640, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 17,   15,  90, 1.5f, 1730, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 18,   15,  90, 1.5f, 1730, 550,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 19,   15,  90, 1.5f, 1730, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 20,   15,  90, 1.5f, 1820, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 21,   15,  90, 1.5f, 1820, 250,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 22,   15,  90, 1.5f, 1820, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 23,   15,  90, 1.5f, 1910, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 24,   15,  90, 1.5f, 1910, 550,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 25,   15,  90, 1.5f, 1910, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 26,   15,  90, 1.5f, 2000, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 27,   15,  90, 1.5f, 2000, 250,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 28,   15,  90, 1.5f, 2000, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 29,   15,  90, 1.5f, 2090, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 30,   15,  90, 1.5f, 2090, 550,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 31,   15,  90, 1.5f, 2090, 650,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 32,   15,  90, 1.5f, 2180, 150,   -1,   0,   50,     0,    0,    1,   0);
  AddSpawn(g, 33,   15,  90, 1.5f, 2180, 650,   -1,   0,   50,     0,    0,    1,   0);
  // The pickup is thrown in low from the right.
  AddSpawn(g, 34,   19, 135,    2, 2493, 750,   -1,   0,   50,     0,    0,    1, 475);
  // Three fountains of ships leap up from below and fall away: left, right, left.
  AddSpawn(g, 35,    5, 270,    7, 2700, 150,    0,   0,   30, 0.05f,   65,    4, 650);
  AddSpawn(g, 36,    5, 270,    7, 2705, 150,    0,   0,   30, 0.05f,   68,    4, 650);
  AddSpawn(g, 37,    5, 270,    7, 2710, 150,    0,   0,   30, 0.05f,   71,    4, 650);
  AddSpawn(g, 38,    5, 270,    7, 2715, 150,    0,   0,   30, 0.05f,   74,    4, 650);
  AddSpawn(g, 39,    5, 270,    7, 2720, 150,    0,   0,   30, 0.05f,   77,    4, 650);
  AddSpawn(g, 40,    5, 270,    7, 2725, 150,    0,   0,   30, 0.05f,   80,    4, 650);
  AddSpawn(g, 41,    5, 270,    7, 2730, 150,    0,   0,   30, 0.05f,   83,    4, 650);
  AddSpawn(g, 42,    5, 270,    7, 2735, 150,    0,   0,   30, 0.05f,   86,    4, 650);
  AddSpawn(g, 43,    5, 270,    7, 2740, 150,    0,   0,   30, 0.05f,   89,    4, 650);
  AddSpawn(g, 44,    5, 270,    7, 2745, 150,    0,   0,   30, 0.05f,   92,    4, 650);
  AddSpawn(g, 45,    3, 270,    7, 2800, 150,    0,   0,   30, 0.05f,   65,    4, 650);
  AddSpawn(g, 46,    3, 270,    7, 2805, 650,    0,   0,   30, 0.05f,  115,    4, 650);
  AddSpawn(g, 47,    3, 270,    7, 2810, 650,    0,   0,   30, 0.05f,  112,    4, 650);
  AddSpawn(g, 48,    3, 270,    7, 2815, 650,    0,   0,   30, 0.05f,  109,    4, 650);
  AddSpawn(g, 49,    3, 270,    7, 2820, 650,    0,   0,   30, 0.05f,  106,    4, 650);
  AddSpawn(g, 50,    3, 270,    7, 2825, 650,    0,   0,   30, 0.05f,  103,    4, 650);
  AddSpawn(g, 51,    3, 270,    7, 2830, 650,    0,   0,   30, 0.05f,  100,    4, 650);
  AddSpawn(g, 52,    3, 270,    7, 2835, 650,    0,   0,   30, 0.05f,   97,    4, 650);
  AddSpawn(g, 53,    3, 270,    7, 2840, 650,    0,   0,   30, 0.05f,   94,    4, 650);
  AddSpawn(g, 54,    3, 270,    7, 2845, 650,    0,   0,   30, 0.05f,   91,    4, 650);
  AddSpawn(g, 55,    3, 270,    7, 2850, 650,    0,   0,   30, 0.05f,   88,    4, 650);
  AddSpawn(g, 56,    3, 270,    7, 2855, 650,    0,   0,   30, 0.05f,   85,    4, 650);
  AddSpawn(g, 57,    3, 270,    7, 2860, 150,    0,   0,   30, 0.05f,   83,    4, 650);
  AddSpawn(g, 58,    3, 270,    7, 2865, 150,    0,   0,   30, 0.05f,   80,    4, 650);
  AddSpawn(g, 59,    3, 270,    7, 2870, 150,    0,   0,   30, 0.05f,   77,    4, 650);
  AddSpawn(g, 60,    3, 270,    7, 2875, 150,    0,   0,   30, 0.05f,   74,    4, 650);
  AddSpawn(g, 61,    3, 270,    7, 2880, 150,    0,   0,   30, 0.05f,   71,    4, 650);
  AddSpawn(g, 62,    3, 270,    7, 2885, 150,    0,   0,   30, 0.05f,   68,    4, 650);
  AddSpawn(g, 63,    3, 270,    7, 2890, 150,    0,   0,   30, 0.05f,   65,    4, 650);
  AddSpawn(g, 64,    3, 270,    7, 2895, 150,    0,   0,   30, 0.05f,   62,    4, 650);
  // The boss.
  AddSpawn(g, 65,   28,  35,    5, 3500, 400,    0,  30,   10,     0,    0,    2,   0);
}
