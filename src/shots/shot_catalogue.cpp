// The shot catalogue. (Filled in by the tables work.)
#include "shell/game.h"
#include "shots/shot_types.h"

void SetShotSpec(Game&, Integer, Integer, Integer, Integer, Single, Integer, Integer, Integer, Single, Single, Single,
                 Single, Single, Single, Integer, Integer, Integer) {}
void FillShotCatalogue(Game&) {}
