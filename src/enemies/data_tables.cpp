// The fixed tables. (Filled in by the tables work.)
#include "enemies/data_tables.h"

#include "shell/game.h"

void InitGameTables(Game&) {}
void SetKind(Game&, Integer, Integer, Integer, Integer, Integer, Integer) {}
Single DegToRad(Single degrees) { return static_cast<Single>(degrees / 180.0 * Pi); }
Single RadToDeg(Single radians) { return static_cast<Single>(radians * 180.0 / Pi); }
Single AngleTo(Single, Single, Single, Single) { return 0; }
void SolveQuadratic(double&, double&, double, double, double, Long&) {}
