// Level 3: gunships on diagonals, raiders rising from below, a slow field of hulks and cruisers,
// turrets with fire rates of their own, bonus craft, then the boss with its two bonus-craft guards,
// which enter one frame after it, into the two slots behind it.
#include <cmath>

#include "levels/levels.h"
#include "levels/timelines.h"
#include "world/game.h"

namespace {

// Each turret before the boss fires at a rate of its own, 40 to 79, drawn as the level is set up.
Integer TurretFireRate(Game& g) { return static_cast<Integer>(std::floor(g.Rnd() * 40.0f) + 40); }

}  // namespace

void WriteTimelineLevel3(Game& g) {
  //           i  kind  hdg   spd  time    x  shot  pat  rate     acc  ahdg  sspd    y
  // Gunships cross the column on diagonals, firing rows of three.
  AddSpawn(g,  0,    4,  45,    2,  100, 100,    0,  25,   50,      0,    0,    5,   0);
  AddSpawn(g,  1,    4, 135,    2,  100, 700,    0,  25,   50,      0,    0,    5,   0);
  AddSpawn(g,  2,    4,  45,    2,  300, 100,    0,  25,   50,      0,    0,    5,   0);
  AddSpawn(g,  3,    4, 135,    2,  300, 700,    0,  25,   50,      0,    0,    5,   0);
  AddSpawn(g,  4,    4,  90, 1.5f,  500, 400,    0,  26,   60,      0,    0,    5,   0);
  // Two raiders climb from below the screen, arc over and fall back.
  AddSpawn(g,  5,    7, 255,    4,  750, 700,    0,  21,   50, 0.015f,   90,    5, 650);
  AddSpawn(g,  6,    7, 285,    4,  750, 100,    0,  21,   50, 0.015f,   90,    5, 650);
  // Cruisers with spread fire, in pairs and threes.
  AddSpawn(g,  7,    5,  90,    1, 1300, 250,    0,  26,   90,      0,    0,    5,   0);
  AddSpawn(g,  8,    5,  90,    1, 1300, 550,    0,  26,   90,      0,    0,    5,   0);
  AddSpawn(g,  9,    5,  90,    1, 1450, 400,    0,  26,   80,      0,    0,    5,   0);
  AddSpawn(g, 10,    5,  80, 1.2f, 1600, 150,    0,   8,   70,      0,    0,    6,   0);
  AddSpawn(g, 11,    5, 100, 1.2f, 1600, 650,    0,   8,   70,      0,    0,    6,   0);
  AddSpawn(g, 12,    5,  90,    1, 1750, 300,    0,  26,   80,      0,    0,    5,   0);
  AddSpawn(g, 13,    5,  90,    1, 1750, 500,    0,  26,   80,      0,    0,    5,   0);
  // A slow field of hulks in pairs, the right-hand ones hugging the edge, the lane between them
  // drifting right and back; cruisers drift down among them.
  AddSpawn(g, 15,   15,  90, 0.5f, 1800, 300,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 16,   15,  90, 0.5f, 1800, 600,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 17,   15,  90, 0.5f, 1970, 330,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 18,   15,  90, 0.5f, 1970, 630,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 19,   15,  90, 0.5f, 2140, 360,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 20,   15,  90, 0.5f, 2140, 660,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 21,   15,  90, 0.5f, 2310, 340,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 22,    6,  90, 0.5f, 2000, 200,    0,   8,   70,      0,    0,    6,   0);
  AddSpawn(g, 23,    6,  90, 0.5f, 2200, 550,    0,   8,   70,      0,    0,    6,   0);
  AddSpawn(g, 24,   15,  90, 0.5f, 2310, 640,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 25,   15,  90, 0.5f, 2480, 320,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 26,    6,  90, 0.5f, 2500, 650,    0,   8,   60,      0,    0,    6,   0);
  AddSpawn(g, 27,   15,  90, 0.5f, 2480, 620,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 28,   15,  90, 0.5f, 2650, 340,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 29,    6,  90, 0.5f, 2750, 150,    0,   8,   60,      0,    0,    6,   0);
  AddSpawn(g, 30,   15,  90, 0.5f, 2650, 640,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 31,   15,  90, 0.5f, 2820, 360,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 32,   15,  90, 0.5f, 2820, 660,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 33,    6,  90, 0.5f, 3050, 400,    0,   8,   60,      0,    0,    6,   0);
  AddSpawn(g, 34,   15,  90, 0.5f, 2990, 330,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 35,   15,  90, 0.5f, 2990, 630,   -1,   8,   50,      0,    0,    6,   0);
  AddSpawn(g, 36,   15,  90, 0.5f, 3160, 630,   -1,   8,   50,      0,    0,    6,   0);
  // Turrets down the two edges, each with a fire rate of its own.
  AddSpawn(g, 37,   18,  90,    2, 3800, 150,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 38,   18,  90,    2, 3900, 650,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 39,   18,  90,    2, 4000, 150,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 40,   18,  90,    2, 4100, 650,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 41,   18,  90,    2, 4200, 150,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 42,   18,  90,    2, 4300, 650,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 43,   18,  90,    2, 4400, 150,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  AddSpawn(g, 44,   18,  90,    2, 4500, 650,    0,   8, TurretFireRate(g),      0,    0,    5,   0);
  // Bonus craft, worth a chase.
  AddSpawn(g, 45,   17,  90, 2.5f, 4800, 400,   -1,   8,    0,      0,    0,    5,   0);
  AddSpawn(g, 46,   17,  90,    3, 4850, 250,   -1,   8,    0,      0,    0,    5,   0);
  // The pickup flashes down the right side.
  AddSpawn(g, 47,   19,  90,   15, 1000, 650,   -1,   8,   50,      0,    0,    6,   0);
  // The boss, and its two guards one frame later.
  AddSpawn(g, 48,   17,  90,    2, 5201, 150,   -1,   8,    0,      0,    0,    5,   0);
  AddSpawn(g, 49,   17,  90,    2, 5201, 650,   -1,   8,    0,      0,    0,    5,   0);
  AddSpawn(g, 50,   22,  90,    2, 5200, 400,    0,  30,   25,      0,    0,   10,   0);
}
