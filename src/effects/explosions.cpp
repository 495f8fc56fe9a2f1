// Explosions. (Filled in by the effects work.)
#include "effects/explo_class.h"
#include "shell/game.h"

void ExploClass::Initialize(Single, Single, Integer, Integer, Integer, Integer, Integer) {}
void ExploClass::DoExplosion(Game&) {}
void AddExplosion(Game&, Integer, Single, Single, Integer) {}
void StepExplosions(Game&) {}
