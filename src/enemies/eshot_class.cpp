// The enemy shot entity. (Filled in by the enemies work.)
#include "enemies/eshot_class.h"

#include "shell/game.h"

void EShotsClass::Initialize(Game&, Single, Single, Single, Single, Integer, Integer, Single, Single, Single, Single,
                             Single, Integer, Integer, Integer, Integer, Single) {}
bool EShotsClass::CollideWithRect(Integer, Integer, Integer, Integer) const { return false; }
void EShotsClass::AccelEshot(Game&, Single, Single) {}
void EShotsClass::Limit() {}
void EShotsClass::EshotMove(Game&) {}
void EShotsClass::DrawEshot(Game&) {}
