// The game's fixed tables and the shared angle helpers.
#include "enemies/data_tables.h"

#include <cmath>

#include "world/game.h"

void SetKind(Game& g, Integer index, Integer width, Integer height, Integer hitPoints, Integer srcLeft,
             Integer srcTop) {
  if (index < 0 || index >= Integer(g.Tables.EnemyKinds.size())) return;
  EnemyKindRec& k = g.Tables.EnemyKinds[index];
  k.Width = width;
  k.Height = height;
  k.HitPoints = hitPoints;
  k.SrcLeft = srcLeft;
  k.SrcTop = srcTop;
}

namespace {

struct PatternShot {
  Single Heading, Accel, AccelHeading, OffsetX;  // degrees for both angles
};

struct PatternRow {
  int Shots;
  PatternShot Shot[4];
};

// Enemy volley patterns: per shot its heading, push, push direction and offset from the centre.
// Patterns 8, 9 and 10 hold nothing: their aiming rules decide everything.
const PatternRow kPatterns[38] = {
    /* 0 */ {1, {{90, 0, 0, 0}}},
    /* 1 */ {1, {{180, 0, 0, 0}}},
    /* 2 */ {1, {{270, 0, 0, 0}}},
    /* 3 */ {1, {{0, 0, 0, 0}}},
    /* 4 */ {1, {{135, 0, 0, 0}}},
    /* 5 */ {1, {{225, 0, 0, 0}}},
    /* 6 */ {1, {{315, 0, 0, 0}}},
    /* 7 */ {1, {{45, 0, 0, 0}}},
    /* 8 aimed */ {1, {{0, 0, 0, 0}}},
    /* 9 aimed ahead */ {1, {{0, 0, 0, 0}}},
    /* 10 aimed, accelerating */ {1, {{0, 0, 0, 0}}},
    /* 11 */ {1, {{180, 0.15f, 90, 0}}},
    /* 12 */ {1, {{0, 0.15f, 90, 0}}},
    /* 13 */ {1, {{135, 0.15f, 0, 0}}},
    /* 14 */ {1, {{45, 0.15f, 180, 0}}},
    /* 15 */ {1, {{90, 0.25f, 90, 0}}},
    /* 16 */ {1, {{270, 0.25f, 270, 0}}},
    /* 17 */ {2, {{90, 0, 0, -10}, {90, 0, 0, 10}}},
    /* 18 */ {2, {{180, 0, 0, -10}, {0, 0, 0, 10}}},
    /* 19 */ {2, {{180, 0.15f, 90, -10}, {0, 0.15f, 90, 10}}},
    /* 20 */ {2, {{135, 0, 0, -10}, {45, 0, 0, 10}}},
    /* 21 */ {2, {{110, 0, 0, -10}, {70, 0, 0, 10}}},
    /* 22 */ {2, {{135, 0.1f, 0, -10}, {45, 0.1f, 180, 10}}},
    /* 23 */ {2, {{90, 0.1f, 180, -10}, {90, 0.1f, 0, 10}}},
    /* 24 aimed */ {2, {{90, 0, 0, -15}, {90, 0, 0, 15}}},
    /* 25 */ {3, {{90, 0, 0, -20}, {90, 0, 0, 0}, {90, 0, 0, 20}}},
    /* 26 */ {3, {{110, 0, 0, -20}, {90, 0, 0, 0}, {70, 0, 0, 20}}},
    /* 27 */ {3, {{110, 0.05f, 0, -20}, {90, 0, 0, 0}, {70, 0.05f, 180, 20}}},
    /* 28 */ {3, {{100, 0, 0, -15}, {109, 0, 0, -10}, {118, 0, 0, -5}}},
    /* 29 */ {3, {{80, 0, 0, 5}, {71, 0, 0, 10}, {62, 0, 0, 15}}},
    /* 30 aimed */ {3, {{90, 0, 0, -80}, {90, 0, 0, 0}, {90, 0, 0, 80}}},
    /* 31 */ {4, {{90, 0, 0, 15}, {90, 0, 0, 5}, {90, 0, 0, -5}, {90, 0, 0, -15}}},
    /* 32 */ {4, {{105, 0, 0, 15}, {95, 0, 0, 5}, {85, 0, 0, -5}, {75, 0, 0, -15}}},
    /* 33 */ {4, {{90, 0, 0, 0}, {180, 0, 0, 0}, {270, 0, 0, 0}, {0, 0, 0, 0}}},
    /* 34 */ {4, {{45, 0, 0, 0}, {135, 0, 0, 0}, {225, 0, 0, 0}, {315, 0, 0, 0}}},
    /* 35 random spread */ {1, {{90, 0, 0, 0}}},
    /* 36 rotating */ {1, {{90, 0, 0, 0}}},
    /* 37 aimed with thrust */ {4, {{0, 0.2f, 0, -100}, {0, 0, 0, -15}, {0, 0, 0, 15}, {0, 0.2f, 0, 100}}},
};

// Enemy kinds 0..19: width, height, hit points, sheet left, sheet top.
struct KindRow {
  Integer Width, Height, HitPoints, SrcLeft, SrcTop;
};
const KindRow kKinds[20] = {
    {44, 36, 5, 592, 0},       {41, 48, 10, 69, 0},      {83, 68, 20, 440, 0},     {67, 30, 30, 636, 0},
    {69, 72, 40, 0, 0},        {72, 46, 50, 110, 0},     {73, 45, 60, 367, 0},     {79, 60, 80, 703, 0},
    {28, 49, 100, 267, 0},     {71, 88, 120, 296, 0},    {39, 60, 140, 110, 64},   {46, 46, 160, 149, 64},
    {69, 62, 200, 523, 0},     {47, 59, 250, 195, 64},   {85, 64, 300, 182, 0},
    {100, 100, 10000, 782, 0},  // heavy craft: rams hard, nearly indestructible
    {100, 100, 50, 782, 100},   // heavy craft that can be shot down
    {100, 100, 50, 882, 200},   // bonus craft: shooting it refills the ship
    {100, 100, 10000, 882, 100},
    {23, 28, 10000, 882, 0},  // the level's pickup
};

}  // namespace

void InitEnemyTables(Game& g) {
  for (int p = 0; p < 38; ++p) {
    const PatternRow& row = kPatterns[p];
    EShotPatternRec& rec = g.Tables.EShotPatterns[p];
    rec = EShotPatternRec{};
    rec.Amount = static_cast<Integer>(row.Shots - 1);
    for (int i = 0; i < row.Shots; ++i) {
      rec.Heading[i] = DegToRad(row.Shot[i].Heading);
      rec.Accel[i] = row.Shot[i].Accel;
      rec.AccelHeading[i] = DegToRad(row.Shot[i].AccelHeading);
      rec.OffsetX[i] = row.Shot[i].OffsetX;
    }
  }

  g.Tables.EShotTypes[0] = {50, 9, 9, 0, 0};     // the common bullet; its colour follows the level
  g.Tables.EShotTypes[1] = {200, 21, 21, 0, 9};  // instant kill
  g.Tables.EShotTypes[2] = {50, 8, 8, 21, 9};    // drains charge
  g.Tables.EShotTypes[3] = {0, 10, 10, 21, 17};  // holds the ship still
  g.Tables.EShotTypes[4] = {0, 17, 12, 31, 9};   // silences the ship's guns

  for (int k = 0; k < 20; ++k) {
    const KindRow& r = kKinds[k];
    SetKind(g, Integer(k), r.Width, r.Height, r.HitPoints, r.SrcLeft, r.SrcTop);
  }
}
