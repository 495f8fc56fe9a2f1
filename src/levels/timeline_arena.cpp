// The boss arena: the first boss enters on the first frame; every later row carries a time the
// arena's clock never meets, and the director starts those rows by index as each boss falls.
#include "levels/levels.h"
#include "levels/timelines.h"

void WriteTimelineArena(Game& g) {
  //          i  kind hdg spd  time   x  shot pat rate acc ahdg sspd    y
  AddSpawn(g, 0, 20, 90, 2, 4799, 400, 1, 24, 50, 0, 0, 7, 0);
  // After boss 1: a wall of heavy craft and boss 2.
  AddSpawn(g, 1, 15, 90, 4, 1, 100, -1, 8, 90, 0, 0, 8, 0);
  AddSpawn(g, 2, 15, 90, 4, 1, 200, -1, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, 3, 15, 90, 4, 1, 300, -1, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, 4, 16, 90, 4, 1, 400, -1, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, 5, 15, 90, 4, 1, 500, -1, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, 6, 15, 90, 4, 1, 600, -1, 8, 50, 0, 0, 6, 0);
  AddSpawn(g, 7, 15, 90, 4, 1, 700, -1, 8, 90, 0, 0, 8, 0);
  AddSpawn(g, 8, 21, 90, 4, 1, 400, 0, 10, 30, 0, 0, 0.3f, -100);
  // After boss 2: two bonus craft and boss 3.
  AddSpawn(g, 9, 17, 90, 2, 1, 150, -1, 8, 0, 0, 0, 5, 0);
  AddSpawn(g, 10, 17, 90, 2, 1, 650, -1, 8, 0, 0, 0, 5, 0);
  AddSpawn(g, 11, 22, 90, 2, 1, 400, 0, 30, 12, 0, 0, 10, 0);
  // After boss 3: two turrets, two guards and boss 4.
  AddSpawn(g, 12, 18, 90, 2, 1, 150, 3, 9, 60, 0, 0, 12, 0);
  AddSpawn(g, 13, 18, 90, 2, 1, 650, 3, 9, 60, 0, 0, 12, 0);
  AddSpawn(g, 14, 15, 90, 2, 1, 350, -1, 9, 10, 0, 0, 8, 0);
  AddSpawn(g, 15, 15, 90, 2, 1, 450, -1, 9, 10, 0, 0, 8, 0);
  AddSpawn(g, 16, 23, 90, 2, 1, 400, 1, 8, 50, 0, 0, 5, -100);
  // Bosses 5 to 10, one at a time.
  AddSpawn(g, 17, 24, 90, 2, 1, 400, 1, 8, 40, 0, 0, 8, 0);
  AddSpawn(g, 18, 25, 90, 2, 1, 330, 0, 36, 0, 0, 0, 5, 0);
  AddSpawn(g, 19, 26, 90, 2, 1, 400, 0, 37, 35, 0, 0, 1, 0);
  AddSpawn(g, 20, 27, 90, 2, 1, 400, 1, 17, 1, 0, 0, 8, 0);
  AddSpawn(g, 21, 28, 35, 5, 1, 400, 0, 30, 10, 0, 0, 2, 0);
  AddSpawn(g, 22, 29, 90, 1, 100, 400, 0, 9, 7, 0, 0, 10, 0);
}
