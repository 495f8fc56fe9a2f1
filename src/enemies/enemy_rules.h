// The rules the enemy steps are made of, callable one by one (the steps and the tests use them).
#pragma once

#include "core/types.h"

struct Game;
struct EnemyClass;
struct EShotsClass;

// Direction from the point (px, py) to the ship's centre, in the angle range the game uses.
Single AimAtShip(const Game& g, Single px, Single py);
// Heading that meets the moving ship, from the point (px, py) at the given shot speed;
// straight at the ship where no meeting time ahead exists.
Single InterceptionCourse(const Game& g, Single px, Single py, Single shotSpeed);

// What the level-6 boss adds to a volley's running angle, from the slot-0 boss's life.
Long BossSpinBonus(Single bossLife);

// The level's multiplier for enemy fire damage.
Integer EnemyFireLevelFactor(const Game& g);
// An enemy shot that touched the ship: the hit flash, the kind's effect, the speed cut.
void EShotHitsShip(Game& g, EShotsClass& shot, Integer levelFactor);
// The ship touched enemy e: damage either way, the pickup, the knock-back.
void RamEnemy(Game& g, EnemyClass& e);
