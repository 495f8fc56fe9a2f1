// The enemy entity. (Filled in by the enemies work.)
#include "enemies/enemy_class.h"

#include "shell/game.h"

void EnemyClass::Initialize(Single, Single, Single, Single, Single, Single, Integer, Integer, Integer, Integer,
                            Integer, Integer, Single, Single, Single, Integer, Integer, Single, Integer, Integer) {}
bool EnemyClass::CollideWithRect(Integer, Integer, Integer, Integer) const { return false; }
void EnemyClass::AccelEnemy(Game&, Single, Single) {}
void EnemyClass::EnemyMove(Game&) {}
void EnemyClass::EnemyShoot(Game&) {}
void EnemyClass::DrawEnemy(Game&) {}
