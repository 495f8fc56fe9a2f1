// The player's shot catalogue: 20 kinds by 10 levels, one SetShotSpec call per sub-shot.
// These numbers are the game's balance. Every entry fires Count sub-shots; a kind's look
// (sprite rectangle, animation) stays the same at every level, except that the WIDE BEAM widens.
#include "core/geometry.h"
#include "world/game.h"
#include "shots/shot_types.h"

void SetShotSpec(Game& g, Integer level, Integer kind, Integer subShot, Integer animInterval, Single damage,
                 Integer frames, Integer height, Integer count, Single fireDelay, Single accelHeadingDeg,
                 Single accelRate, Single headingDeg, Single speed, Single xOffset, Integer srcTop, Integer srcLeft,
                 Integer width) {
  // Only the catalogue calls this, but an index outside the table must never write past it.
  if (level < 0 || level >= ShotLevels || kind < 0 || kind >= ShotKinds || subShot < 0 ||
      subShot >= Integer(ShotTypeRec{}.SubShots.size()))
    return;
  ShotTypeRec& e = g.Tables.ShotTypes[kind][level];
  e.AnimInterval = animInterval;
  e.Damage = damage;
  e.Frames = frames;
  e.Height = height;
  e.Count = count;
  e.FireDelay = fireDelay;
  e.SrcTop = srcTop;
  e.SrcLeft = srcLeft;
  e.Width = width;
  SubShotRec& s = e.SubShots[subShot];
  s.AccelHeading = DegToRad(accelHeadingDeg);
  s.AccelRate = accelRate;
  s.Heading = DegToRad(headingDeg);
  s.Speed = speed;
  s.XOffset = xOffset;
}

// Columns, in the setter's order: level, kind, sub-shot, AnimInterval (clock frames per animation step),
// Damage, Frames (last animation frame), Height, Count (sub-shots per firing), FireDelay (clock frames
// between firings), AccelHeading (degrees), AccelRate (push per frame), Heading (degrees; 270 is
// straight up), Speed, XOffset (from the ship's centre line), SrcTop, SrcLeft and Width on the shots sheet.
void FillShotCatalogue(Game& g) {
  // clang-format off
  // 0 "POWER BEAM"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    0,   0,    3,     3,   4,  11,   1,     8,      0,       0, 270,    12,    0,   0,    0,     3);
  SetShotSpec(g,   1,    0,   0,    3,     3,   4,  11,   1,     6,      0,       0, 270,    13,    0,   0,    0,     3);
  SetShotSpec(g,   2,    0,   0,    3,     2,   4,  11,   2,     7,      0,       0, 270,    14,   -8,   0,    0,     3);
  SetShotSpec(g,   2,    0,   1,    3,     2,   4,  11,   2,     7,      0,       0, 270,    14,    8,   0,    0,     3);
  SetShotSpec(g,   3,    0,   0,    3, 2.08f,   4,  11,   2,     6,      0,       0, 270, 14.5f,   -8,   0,    0,     3);
  SetShotSpec(g,   3,    0,   1,    3, 2.08f,   4,  11,   2,     6,      0,       0, 270, 14.5f,    8,   0,    0,     3);
  SetShotSpec(g,   4,    0,   0,    3, 2.25f,   4,  11,   2,     5,      0,       0, 270,    15,   -8,   0,    0,     3);
  SetShotSpec(g,   4,    0,   1,    3, 2.25f,   4,  11,   2,     5,      0,       0, 270,    15,    8,   0,    0,     3);
  SetShotSpec(g,   5,    0,   0,    3,     2,   4,  11,   3,     5,      0,       0, 270,    15,  -10,   0,    0,     3);
  SetShotSpec(g,   5,    0,   1,    3,     2,   4,  11,   3,     5,      0,       0, 270,    15,    0,   0,    0,     3);
  SetShotSpec(g,   5,    0,   2,    3,     2,   4,  11,   3,     5,      0,       0, 270,    15,   10,   0,    0,     3);
  SetShotSpec(g,   6,    0,   0,    3, 1.85f,   4,  11,   4,     5,      0,       0, 270,    15,  -20,   0,    0,     3);
  SetShotSpec(g,   6,    0,   1,    3, 1.85f,   4,  11,   4,     5,      0,       0, 270,    15,  -10,   0,    0,     3);
  SetShotSpec(g,   6,    0,   2,    3, 1.85f,   4,  11,   4,     5,      0,       0, 270,    15,   10,   0,    0,     3);
  SetShotSpec(g,   6,    0,   3,    3, 1.85f,   4,  11,   4,     5,      0,       0, 270,    15,   20,   0,    0,     3);
  SetShotSpec(g,   7,    0,   0,    3,  1.7f,   4,  11,   5,     5,      0,       0, 270,    15,  -25,   0,    0,     3);
  SetShotSpec(g,   7,    0,   1,    3,  1.7f,   4,  11,   5,     5,      0,       0, 270,    15,  -15,   0,    0,     3);
  SetShotSpec(g,   7,    0,   2,    3,  1.7f,   4,  11,   5,     5,      0,       0, 270,    15,    0,   0,    0,     3);
  SetShotSpec(g,   7,    0,   3,    3,  1.7f,   4,  11,   5,     5,      0,       0, 270,    15,   15,   0,    0,     3);
  SetShotSpec(g,   7,    0,   4,    3,  1.7f,   4,  11,   5,     5,      0,       0, 270,    15,   25,   0,    0,     3);
  SetShotSpec(g,   8,    0,   0,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,  -30,   0,    0,     3);
  SetShotSpec(g,   8,    0,   1,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,  -25,   0,    0,     3);
  SetShotSpec(g,   8,    0,   2,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,  -10,   0,    0,     3);
  SetShotSpec(g,   8,    0,   3,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,    0,   0,    0,     3);
  SetShotSpec(g,   8,    0,   4,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,   10,   0,    0,     3);
  SetShotSpec(g,   8,    0,   5,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,   25,   0,    0,     3);
  SetShotSpec(g,   8,    0,   6,    3,  1.6f,   4,  11,   7,     5,      0,       0, 270,    15,   30,   0,    0,     3);
  SetShotSpec(g,   9,    0,   0,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,  -40,   0,    0,     3);
  SetShotSpec(g,   9,    0,   1,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,  -35,   0,    0,     3);
  SetShotSpec(g,   9,    0,   2,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,  -15,   0,    0,     3);
  SetShotSpec(g,   9,    0,   3,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,  -10,   0,    0,     3);
  SetShotSpec(g,   9,    0,   4,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,    0,   0,    0,     3);
  SetShotSpec(g,   9,    0,   5,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,   10,   0,    0,     3);
  SetShotSpec(g,   9,    0,   6,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,   15,   0,    0,     3);
  SetShotSpec(g,   9,    0,   7,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,   35,   0,    0,     3);
  SetShotSpec(g,   9,    0,   8,    3, 1.75f,   4,  11,   9,     5,      0,       0, 270,    15,   40,   0,    0,     3);

  // 1 "BOOMERANG SHOT"
  //             lvl  kind  sub  anim   dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    1,   0,    3,    4,   3,  20,   1,     9,      0,    0.2f, 270,    11,    0,   0,   15,    20);
  SetShotSpec(g,   1,    1,   0,    3, 4.5f,   3,  20,   1,     8,      0,    0.2f, 270, 11.5f,    0,   0,   15,    20);
  SetShotSpec(g,   2,    1,   0,    3,    5,   3,  20,   1,     8,      0,    0.2f, 270,    12,    0,   0,   15,    20);
  SetShotSpec(g,   3,    1,   0,    3, 5.4f,   3,  20,   1,     7,      0,    0.2f, 270, 12.5f,    0,   0,   15,    20);
  SetShotSpec(g,   4,    1,   0,    3,    6,   3,  20,   1,     6,      0,    0.2f, 270,    13,    0,   0,   15,    20);
  SetShotSpec(g,   5,    1,   0,    3, 6.5f,   3,  20,   1,     5,      0,    0.2f, 270, 13.5f,    0,   0,   15,    20);
  SetShotSpec(g,   6,    1,   0,    3,    8,   3,  20,   1,     5,      0,    0.2f, 270,    14,    0,   0,   15,    20);
  SetShotSpec(g,   7,    1,   0,    3,    9,   3,  20,   1,     5,      0,    0.2f, 270, 14.5f,    0,   0,   15,    20);
  SetShotSpec(g,   8,    1,   0,    3,   10,   3,  20,   1,     4,      0,    0.2f, 270,    15,    0,   0,   15,    20);
  SetShotSpec(g,   9,    1,   0,    3,    7,   3,  20,   2,     4,      0,    0.2f, 270,    16,  -40,   0,   15,    20);
  SetShotSpec(g,   9,    1,   1,    3,    7,   3,  20,   2,     4,      0,    0.2f, 270,    16,   40,   0,   15,    20);

  // 2 "SPEED SHOT"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    2,   0,    0,  3.5f,   0,  55,   1,    11,      0,       0, 270,    25,    0,   0,  136,     5);
  SetShotSpec(g,   1,    2,   0,    0,     4,   0,  55,   1,    10,      0,       0, 270,    28,    0,   0,  136,     5);
  SetShotSpec(g,   2,    2,   0,    0,     4,   0,  55,   1,     8,      0,       0, 270,    31,    0,   0,  136,     5);
  SetShotSpec(g,   3,    2,   0,    0,  4.4f,   0,  55,   1,     7,      0,       0, 270,    34,    0,   0,  136,     5);
  SetShotSpec(g,   4,    2,   0,    0,     5,   0,  55,   1,     6,      0,       0, 270,    37,    0,   0,  136,     5);
  SetShotSpec(g,   5,    2,   0,    0,  5.5f,   0,  55,   1,     5,      0,       0, 270,    40,    0,   0,  136,     5);
  SetShotSpec(g,   6,    2,   0,    0,     6,   0,  55,   1,     4,      0,       0, 270,    43,    0,   0,  136,     5);
  SetShotSpec(g,   7,    2,   0,    0, 5.75f,   0,  55,   1,     3,      0,       0, 270,    46,    0,   0,  136,     5);
  SetShotSpec(g,   8,    2,   0,    0,  5.5f,   0,  55,   1,     2,      0,       0, 270,    50,    0,   0,  136,     5);
  SetShotSpec(g,   9,    2,   0,    0,  7.5f,   0,  55,   1,     2,      0,       0, 270,    55,    0,   0,  136,     5);

  // 3 "ENERGY DNA"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    3,   0,    4,     3,   7,  30,   1,     6,      0,       0, 270,     3,    0,  82,    0,    30);
  SetShotSpec(g,   1,    3,   0,    4,     3,   7,  30,   1,     5,      0,       0, 270,     4,    0,  82,    0,    30);
  SetShotSpec(g,   2,    3,   0,    4, 3.35f,   7,  30,   1,     5,      0,       0, 270,     5,    0,  82,    0,    30);
  SetShotSpec(g,   3,    3,   0,    4,  3.5f,   7,  30,   1,     4,      0,       0, 270,     6,    0,  82,    0,    30);
  SetShotSpec(g,   4,    3,   0,    4,  3.5f,   7,  30,   1,     3,      0,       0, 270,     7,    0,  82,    0,    30);
  SetShotSpec(g,   5,    3,   0,    4, 3.25f,   7,  30,   1,     2,      0,       0, 270,     7,    0,  82,    0,    30);
  SetShotSpec(g,   6,    3,   0,    4, 2.75f,   7,  30,   1,     1,      0,       0, 270,     6,    0,  82,    0,    30);
  SetShotSpec(g,   7,    3,   0,    4,     3,   7,  30,   1,     1,      0,       0, 270,     7,    0,  82,    0,    30);
  SetShotSpec(g,   8,    3,   0,    4,     4,   7,  30,   1,     1,      0,       0, 270,     7,    0,  82,    0,    30);
  SetShotSpec(g,   9,    3,   0,    4,     3,   7,  30,   2,     1,      0,       0, 270,     7,  -30,  82,    0,    30);
  SetShotSpec(g,   9,    3,   1,    4,     3,   7,  30,   2,     1,      0,       0, 270,     7,   30,  82,    0,    30);

  // 4 "THE CLAPPER"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    4,   0,    4,     6,   5,  15,   1,    18,      0,       0, 270,     7,    0,   0,  141,    10);
  SetShotSpec(g,   1,    4,   0,    4,     7,   5,  15,   1,    17,      0,       0, 270,     9,    0,   0,  141,    10);
  SetShotSpec(g,   2,    4,   0,    4,  7.5f,   5,  15,   1,    15,      0,       0, 270,     9,    0,   0,  141,    10);
  SetShotSpec(g,   3,    4,   0,    4,     5,   5,  15,   2,    15,      0,       0, 270,     9,  -12,   0,  141,    10);
  SetShotSpec(g,   3,    4,   1,    4,     5,   5,  15,   2,    15,      0,       0, 270,     9,   12,   0,  141,    10);
  SetShotSpec(g,   4,    4,   0,    4,     5,   5,  15,   2,    12,      0,       0, 270,    10,  -12,   0,  141,    10);
  SetShotSpec(g,   4,    4,   1,    4,     5,   5,  15,   2,    12,      0,       0, 270,    10,   12,   0,  141,    10);
  SetShotSpec(g,   5,    4,   0,    4, 5.25f,   5,  15,   2,    10,      0,       0, 270,    10,  -12,   0,  141,    10);
  SetShotSpec(g,   5,    4,   1,    4, 5.25f,   5,  15,   2,    10,      0,       0, 270,    10,   12,   0,  141,    10);
  SetShotSpec(g,   6,    4,   0,    4,  4.5f,   5,  15,   3,    10,      0,       0, 270,    10,  -10,   0,  141,    10);
  SetShotSpec(g,   6,    4,   1,    4,  4.5f,   5,  15,   3,    10,      0,       0, 270,    10,    0,   0,  141,    10);
  SetShotSpec(g,   6,    4,   2,    4,  4.5f,   5,  15,   3,    10,      0,       0, 270,    10,   10,   0,  141,    10);
  SetShotSpec(g,   7,    4,   0,    4,  4.5f,   5,  15,   3,     8,      0,       0, 270,    11,  -10,   0,  141,    10);
  SetShotSpec(g,   7,    4,   1,    4,  4.5f,   5,  15,   3,     8,      0,       0, 270,    11,    0,   0,  141,    10);
  SetShotSpec(g,   7,    4,   2,    4,  4.5f,   5,  15,   3,     8,      0,       0, 270,    11,   10,   0,  141,    10);
  SetShotSpec(g,   8,    4,   0,    4, 4.25f,   5,  15,   4,     8,      0,       0, 270,    11,  -15,   0,  141,    10);
  SetShotSpec(g,   8,    4,   1,    4, 4.25f,   5,  15,   4,     8,      0,       0, 270,    11,   -5,   0,  141,    10);
  SetShotSpec(g,   8,    4,   2,    4, 4.25f,   5,  15,   4,     8,      0,       0, 270,    11,    5,   0,  141,    10);
  SetShotSpec(g,   8,    4,   3,    4, 4.25f,   5,  15,   4,     8,      0,       0, 270,    11,   15,   0,  141,    10);
  SetShotSpec(g,   9,    4,   0,    4,     4,   5,  15,   5,     6,      0,       0, 270,    11,  -15,   0,  141,    10);
  SetShotSpec(g,   9,    4,   1,    4,     4,   5,  15,   5,     6,      0,       0, 270,    11,   -5,   0,  141,    10);
  SetShotSpec(g,   9,    4,   2,    4,     4,   5,  15,   5,     6,      0,       0, 270,    11,    0,   0,  141,    10);
  SetShotSpec(g,   9,    4,   3,    4,     4,   5,  15,   5,     6,      0,       0, 270,    11,    5,   0,  141,    10);
  SetShotSpec(g,   9,    4,   4,    4,     4,   5,  15,   5,     6,      0,       0, 270,    11,   15,   0,  141,    10);

  // 5 "ENERGY SPREAD"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    5,   0,    4,     3,   7,   9,   2,    13,      0,       0, 262,    10,    0,  73,    0,     9);
  SetShotSpec(g,   0,    5,   1,    4,     3,   7,   9,   2,    13,      0,       0, 278,    10,    0,  73,    0,     9);
  SetShotSpec(g,   1,    5,   0,    4,  3.5f,   7,   9,   2,    11,      0,       0, 262,    11,    0,  73,    0,     9);
  SetShotSpec(g,   1,    5,   1,    4,  3.5f,   7,   9,   2,    11,      0,       0, 278,    11,    0,  73,    0,     9);
  SetShotSpec(g,   2,    5,   0,    4,     3,   7,   9,   3,    11,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   2,    5,   1,    4,     3,   7,   9,   3,    11,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   2,    5,   2,    4,     3,   7,   9,   3,    11,      0,       0, 270,    11,    0,  73,    0,     9);
  SetShotSpec(g,   3,    5,   0,    4, 3.25f,   7,   9,   3,    10,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   3,    5,   1,    4, 3.25f,   7,   9,   3,    10,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   3,    5,   2,    4, 3.25f,   7,   9,   3,    10,      0,       0, 270,    11,    0,  73,    0,     9);
  SetShotSpec(g,   4,    5,   0,    4, 3.75f,   7,   9,   3,     9,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   4,    5,   1,    4, 3.75f,   7,   9,   3,     9,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   4,    5,   2,    4, 3.75f,   7,   9,   3,     9,      0,       0, 270,    11,    0,  73,    0,     9);
  SetShotSpec(g,   5,    5,   0,    4,     3,   7,   9,   4,     8,      0,       0, 250,    11,    0,  73,    0,     9);
  SetShotSpec(g,   5,    5,   1,    4,     3,   7,   9,   4,     8,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   5,    5,   2,    4,     3,   7,   9,   4,     8,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   5,    5,   3,    4,     3,   7,   9,   4,     8,      0,       0, 290,    11,    0,  73,    0,     9);
  SetShotSpec(g,   6,    5,   0,    4, 3.25f,   7,   9,   4,     7,      0,       0, 255,    11,    0,  73,    0,     9);
  SetShotSpec(g,   6,    5,   1,    4, 3.25f,   7,   9,   4,     7,      0,       0, 265,    11,    0,  73,    0,     9);
  SetShotSpec(g,   6,    5,   2,    4, 3.25f,   7,   9,   4,     7,      0,       0, 275,    11,    0,  73,    0,     9);
  SetShotSpec(g,   6,    5,   3,    4, 3.25f,   7,   9,   4,     7,      0,       0, 285,    11,    0,  73,    0,     9);
  SetShotSpec(g,   7,    5,   0,    4,  3.1f,   7,   9,   4,     6,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   7,    5,   1,    4,  3.1f,   7,   9,   4,     6,      0,       0, 265,    11,    0,  73,    0,     9);
  SetShotSpec(g,   7,    5,   2,    4,  3.1f,   7,   9,   4,     6,      0,       0, 275,    11,    0,  73,    0,     9);
  SetShotSpec(g,   7,    5,   3,    4,  3.1f,   7,   9,   4,     6,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   8,    5,   0,    4, 2.75f,   7,   9,   5,     6,      0,       0, 260,    11,    0,  73,    0,     9);
  SetShotSpec(g,   8,    5,   1,    4, 2.75f,   7,   9,   5,     6,      0,       0, 265,    11,    0,  73,    0,     9);
  SetShotSpec(g,   8,    5,   2,    4, 2.75f,   7,   9,   5,     6,      0,       0, 270,    11,    0,  73,    0,     9);
  SetShotSpec(g,   8,    5,   3,    4, 2.75f,   7,   9,   5,     6,      0,       0, 275,    11,    0,  73,    0,     9);
  SetShotSpec(g,   8,    5,   4,    4, 2.75f,   7,   9,   5,     6,      0,       0, 280,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   0,    4,     2,   7,   9,   9,     6,      0,       0, 250,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   1,    4,     2,   7,   9,   9,     6,      0,       0, 255,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   2,    4,     2,   7,   9,   9,     6,      0,       0, 265,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   3,    4,     2,   7,   9,   9,     6,      0,       0, 268,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   4,    4,     2,   7,   9,   9,     6,      0,       0, 270,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   5,    4,     2,   7,   9,   9,     6,      0,       0, 272,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   6,    4,     2,   7,   9,   9,     6,      0,       0, 275,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   7,    4,     2,   7,   9,   9,     6,      0,       0, 285,    11,    0,  73,    0,     9);
  SetShotSpec(g,   9,    5,   8,    4,     2,   7,   9,   9,     6,      0,       0, 290,    11,    0,  73,    0,     9);

  // 6 "WIDE BEAM"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    6,   0,    0,  3.2f,   0,   5,   1,    11,      0,       0, 270,     8,    0,  37,    0,    55);
  SetShotSpec(g,   1,    6,   0,    0,  3.8f,   0,   5,   1,    10,      0,       0, 270,     8,    0,  37,    0,    63);
  SetShotSpec(g,   2,    6,   0,    0, 4.25f,   0,   5,   1,     9,      0,       0, 270,     9,    0,  37,    0,    71);
  SetShotSpec(g,   3,    6,   0,    0,  4.5f,   0,   5,   1,     8,      0,       0, 270,    10,    0,  37,    0,    79);
  SetShotSpec(g,   4,    6,   0,    0,  5.5f,   0,   5,   1,     7,      0,       0, 270,    11,    0,  37,    0,    87);
  SetShotSpec(g,   5,    6,   0,    0,     6,   0,   5,   1,     6,      0,       0, 270,    12,    0,  37,    0,    95);
  SetShotSpec(g,   6,    6,   0,    0,  6.5f,   0,   5,   1,     5,      0,       0, 270,    12,    0,  37,    0,   103);
  SetShotSpec(g,   7,    6,   0,    0,  6.5f,   0,   5,   1,     4,      0,       0, 270,    12,    0,  37,    0,   111);
  SetShotSpec(g,   8,    6,   0,    0,  6.5f,   0,   5,   1,     3,      0,       0, 270,    12,    0,  37,    0,   120);
  SetShotSpec(g,   9,    6,   0,    0,  6.5f,   0,   5,   1,     2,      0,       0, 270,    12,    0,  37,    0,   135);

  // 7 "POWER MINE"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate     hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    7,   0,    4,     8,   7,  17,   1,    20,      0,       0,    270,     3,    0,  20,    0,    17);
  SetShotSpec(g,   1,    7,   0,    4,     9,   7,  17,   1,    18,      0,       0,    270,  2.8f,    0,  20,    0,    17);
  SetShotSpec(g,   2,    7,   0,    4,  9.5f,   7,  17,   1,    16,      0,       0,    270,  2.5f,    0,  20,    0,    17);
  SetShotSpec(g,   3,    7,   0,    4,    10,   7,  17,   1,    14,      0,       0,    270,  2.2f,    0,  20,    0,    17);
  SetShotSpec(g,   4,    7,   0,    4,    11,   7,  17,   1,    12,      0,       0,    270,     2,    0,  20,    0,    17);
  SetShotSpec(g,   5,    7,   0,    4, 7.25f,   7,  17,   2,    12,      0,       0, 271.5f,     2,  -20,  20,    0,    17);
  SetShotSpec(g,   5,    7,   1,    4, 7.25f,   7,  17,   2,    12,      0,       0, 268.5f,     2,   20,  20,    0,    17);
  SetShotSpec(g,   6,    7,   0,    4,  7.5f,   7,  17,   2,    10,      0,       0, 271.5f,  1.8f,  -20,  20,    0,    17);
  SetShotSpec(g,   6,    7,   1,    4,  7.5f,   7,  17,   2,    10,      0,       0, 268.5f,  1.8f,   20,  20,    0,    17);
  SetShotSpec(g,   7,    7,   0,    4,     8,   7,  17,   2,    10,      0,       0, 271.5f,  1.6f,  -20,  20,    0,    17);
  SetShotSpec(g,   7,    7,   1,    4,     8,   7,  17,   2,    10,      0,       0, 268.5f,  1.6f,   20,  20,    0,    17);
  SetShotSpec(g,   8,    7,   0,    4, 8.25f,   7,  17,   2,     9,      0,       0, 271.5f,  1.4f,  -20,  20,    0,    17);
  SetShotSpec(g,   8,    7,   1,    4, 8.25f,   7,  17,   2,     9,      0,       0, 268.5f,  1.4f,   20,  20,    0,    17);
  SetShotSpec(g,   9,    7,   0,    4,     9,   7,  17,   2,     6,      0,       0, 271.5f,     1,  -20,  20,    0,    17);
  SetShotSpec(g,   9,    7,   1,    4,     9,   7,  17,   2,     6,      0,       0, 268.5f,     1,   20,  20,    0,    17);

  // 8 "SLICE RING"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    8,   0,    0,     5,   0,  29,   1,    16,    270,    0.5f, 270,     2,    0,  42,   97,    29);
  SetShotSpec(g,   1,    8,   0,    0,     6,   0,  29,   1,    15,    270,   0.52f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   2,    8,   0,    0, 6.25f,   0,  29,   1,    13,    270,   0.55f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   3,    8,   0,    0, 6.75f,   0,  29,   1,    11,    270,    0.6f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   4,    8,   0,    0,     7,   0,  29,   1,     9,    270,   0.65f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   5,    8,   0,    0,  7.5f,   0,  29,   1,     8,    270,   0.75f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   6,    8,   0,    0,     8,   0,  29,   1,     6,    270,    0.8f, 270,     3,    0,  42,   97,    29);
  SetShotSpec(g,   7,    8,   0,    0, 4.75f,   0,  29,   2,     6,    270,   0.85f, 270,     3,   -6,  42,   97,    29);
  SetShotSpec(g,   7,    8,   1,    0, 4.75f,   0,  29,   2,     6,    270,   0.85f, 270,     3,    6,  42,   97,    29);
  SetShotSpec(g,   8,    8,   0,    0,     5,   0,  29,   2,     5,    270,    0.9f, 270,     3,   -6,  42,   97,    29);
  SetShotSpec(g,   8,    8,   1,    0,     5,   0,  29,   2,     5,    270,    0.9f, 270,     3,    6,  42,   97,    29);
  SetShotSpec(g,   9,    8,   0,    0, 6.25f,   0,  29,   2,     4,    270,       1, 270,     3,   -6,  42,   97,    29);
  SetShotSpec(g,   9,    8,   1,    0, 6.25f,   0,  29,   2,     4,    270,       1, 270,     3,    6,  42,   97,    29);

  // 9 "GOLD SPLICER"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,    9,   0,    3,     3,   4,  31,   1,    15,    270,    0.2f, 270,     2,    0,  42,   32,    13);
  SetShotSpec(g,   1,    9,   0,    3,  3.5f,   4,  31,   1,    13,    270,   0.25f, 270,     2,    0,  42,   32,    13);
  SetShotSpec(g,   2,    9,   0,    3,     4,   4,  31,   1,    12,    270,   0.28f, 270,     2,    0,  42,   32,    13);
  SetShotSpec(g,   3,    9,   0,    3, 4.25f,   4,  31,   1,    10,    270,    0.3f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   4,    9,   0,    3,  4.5f,   4,  31,   1,     8,    270,   0.45f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   5,    9,   0,    3,     6,   4,  31,   1,     7,    270,    0.5f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   6,    9,   0,    3, 6.75f,   4,  31,   1,     6,    270,    0.6f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   7,    9,   0,    3,  7.5f,   4,  31,   1,     6,    270,   0.65f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   8,    9,   0,    3,     8,   4,  31,   1,     5,    270,   0.65f, 270,  2.5f,    0,  42,   32,    13);
  SetShotSpec(g,   9,    9,   0,    3,  9.5f,   4,  31,   1,     4,    270,    0.7f, 270,  2.5f,    0,  42,   32,    13);

  // 10 "GHOST ATTACK"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   10,   0,    0,     3,   0,  56,   1,    10,    270,    0.3f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   1,   10,   0,    0,     4,   0,  56,   1,     9,    270,    0.3f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   2,   10,   0,    0, 4.75f,   0,  56,   1,     9,    270,  0.325f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   3,   10,   0,    0,     5,   0,  56,   1,     8,    270,   0.36f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   4,   10,   0,    0,  5.5f,   0,  56,   1,     7,    270,   0.36f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   5,   10,   0,    0, 6.25f,   0,  56,   1,     6,    270,    0.4f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   6,   10,   0,    0,  6.5f,   0,  56,   1,     5,    270,   0.45f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   7,   10,   0,    0, 6.75f,   0,  56,   1,     4,    270,    0.5f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   8,   10,   0,    0, 6.75f,   0,  56,   1,     3,    270,   0.55f, 270,     0,    0,  15,  141,    45);
  SetShotSpec(g,   9,   10,   0,    0,  7.5f,   0,  56,   1,     2,    270,    0.6f, 270,     0,    0,  15,  141,    45);

  // 11 "MULTIPLE MISSILES"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   11,   0,    3,     4,   5,  26,   1,    10,    270,   0.05f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   1,   11,   0,    3,  4.6f,   5,  26,   1,     9,    270,  0.052f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   2,   11,   0,    3, 4.75f,   5,  26,   1,     8,    270,  0.055f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   3,   11,   0,    3,     5,   5,  26,   1,     7,    270,  0.075f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   4,   11,   0,    3,  5.5f,   5,  26,   1,     6,    270,  0.085f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   5,   11,   0,    3, 6.25f,   5,  26,   1,     5,    270,    0.1f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   6,   11,   0,    3,  6.5f,   5,  26,   1,     4,    270,  0.125f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   7,   11,   0,    3, 7.25f,   5,  26,   1,     4,    270,   0.14f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   8,   11,   0,    3,  7.5f,   5,  26,   1,     3,    270,   0.15f, 270,     0,    0,  15,  186,     9);
  SetShotSpec(g,   9,   11,   0,    3,     6,   5,  26,   1,     1,    270,   0.15f, 270,     0,    0,  15,  186,     9);

  // 12 "STICK SPREAD"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   12,   0,    3,  2.5f,   7,  16,   1,     6,      0,       0, 270,     6,    0, 112,   68,    16);
  SetShotSpec(g,   1,   12,   0,    3,  2.7f,   7,  16,   1,     5,      0,       0, 270,     7,    0, 112,   68,    16);
  SetShotSpec(g,   2,   12,   0,    3,     3,   7,  16,   1,     5,      0,       0, 270,  7.5f,    0, 112,   68,    16);
  SetShotSpec(g,   3,   12,   0,    3,     4,   7,  16,   1,     5,      0,       0, 270,     8,    0, 112,   68,    16);
  SetShotSpec(g,   4,   12,   0,    3, 4.25f,   7,  16,   1,     4,      0,       0, 270,     8,    0, 112,   68,    16);
  SetShotSpec(g,   5,   12,   0,    3,     3,   7,  16,   2,     4,      0,       0, 270,     8,  -25, 112,   68,    16);
  SetShotSpec(g,   5,   12,   1,    3,     3,   7,  16,   2,     4,      0,       0, 270,     8,   25, 112,   68,    16);
  SetShotSpec(g,   6,   12,   0,    3, 2.75f,   7,  16,   2,     3,      0,       0, 270,     8,  -25, 112,   68,    16);
  SetShotSpec(g,   6,   12,   1,    3, 2.75f,   7,  16,   2,     3,      0,       0, 270,     8,   25, 112,   68,    16);
  SetShotSpec(g,   7,   12,   0,    3,     3,   7,  16,   2,     3,      0,       0, 270,     8,  -25, 112,   68,    16);
  SetShotSpec(g,   7,   12,   1,    3,     3,   7,  16,   2,     3,      0,       0, 270,     8,   25, 112,   68,    16);
  SetShotSpec(g,   8,   12,   0,    3,     3,   7,  16,   2,     2,      0,       0, 270,     8,  -25, 112,   68,    16);
  SetShotSpec(g,   8,   12,   1,    3,     3,   7,  16,   2,     2,      0,       0, 270,     8,   25, 112,   68,    16);
  SetShotSpec(g,   9,   12,   0,    3,     3,   7,  16,   2,     1,      0,       0, 270,     8,  -25, 112,   68,    16);
  SetShotSpec(g,   9,   12,   1,    3,     3,   7,  16,   2,     1,      0,       0, 270,     8,   25, 112,   68,    16);

  // 13 "X FOLLOWER"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   13,   0,    3,  2.8f,   3,  37,   1,     7,      0,       0, 270,     5,    0,  41,  186,    12);
  SetShotSpec(g,   1,   13,   0,    3,     3,   3,  37,   1,     6,      0,       0, 270,     6,    0,  41,  186,    12);
  SetShotSpec(g,   2,   13,   0,    3,     3,   3,  37,   1,     5,      0,       0, 270,     7,    0,  41,  186,    12);
  SetShotSpec(g,   3,   13,   0,    3, 3.75f,   3,  37,   1,     5,      0,       0, 270,     8,    0,  41,  186,    12);
  SetShotSpec(g,   4,   13,   0,    3,     4,   3,  37,   1,     4,      0,       0, 270,     9,    0,  41,  186,    12);
  SetShotSpec(g,   5,   13,   0,    3, 4.25f,   3,  37,   1,     3,      0,       0, 270,    10,    0,  41,  186,    12);
  SetShotSpec(g,   6,   13,   0,    3,     5,   3,  37,   1,     3,      0,       0, 270,    11,    0,  41,  186,    12);
  SetShotSpec(g,   7,   13,   0,    3,     6,   3,  37,   1,     3,      0,       0, 270,    11,    0,  41,  186,    12);
  SetShotSpec(g,   8,   13,   0,    3,     8,   3,  37,   1,     3,      0,       0, 270,    12,    0,  41,  186,    12);
  SetShotSpec(g,   9,   13,   0,    3,  8.5f,   3,  37,   1,     2,      0,       0, 270,    12,    0,  41,  186,    12);

  // 14 "PLASMA BLADE"
  // Fired fast and pushed downward, so it slows to a crawl as it climbs.
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   14,   0,    0,     4,   0,  12,   1,    11,     90,   0.11f, 270,    11,    0,   0,   95,    17);
  SetShotSpec(g,   1,   14,   0,    0,     5,   0,  12,   1,    10,     90,  0.128f, 270,    12,    0,   0,   95,    17);
  SetShotSpec(g,   2,   14,   0,    0,  5.3f,   0,  12,   1,     9,     90,  0.145f, 270,    13,    0,   0,   95,    17);
  SetShotSpec(g,   3,   14,   0,    0,     6,   0,  12,   1,     8,     90,  0.145f, 270,    13,    0,   0,   95,    17);
  SetShotSpec(g,   4,   14,   0,    0,  6.5f,   0,  12,   1,     7,     90,  0.205f, 270,    15,    0,   0,   95,    17);
  SetShotSpec(g,   5,   14,   0,    0,     6,   0,  12,   1,     5,     90,  0.205f, 270,    15,    0,   0,   95,    17);
  SetShotSpec(g,   6,   14,   0,    0,     6,   0,  12,   1,     4,     90,  0.205f, 270,    15,    0,   0,   95,    17);
  SetShotSpec(g,   7,   14,   0,    0,     6,   0,  12,   1,     3,     90,  0.233f, 270,    16,    0,   0,   95,    17);
  SetShotSpec(g,   8,   14,   0,    0, 5.75f,   0,  12,   1,     2,     90,  0.233f, 270,    16,    0,   0,   95,    17);
  SetShotSpec(g,   9,   14,   0,    0,     6,   0,  12,   1,     1,     90,  0.233f, 270,    16,    0,   0,   95,    17);

  // 15 "CRESCENT BLADE"
  // Starts at rest with a strong upward push; it brakes after 12 frames and shrinks away.
  //             lvl  kind  sub  anim  dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   15,   0,    0,  10,   0,  15,   1,    20,    270,       1, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   1,   15,   0,    0,  13,   0,  15,   1,    18,    270,    1.1f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   2,   15,   0,    0,  16,   0,  15,   1,    16,    270,    1.2f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   3,   15,   0,    0,  18,   0,  15,   1,    14,    270,    1.3f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   4,   15,   0,    0,  20,   0,  15,   1,    12,    270,    1.4f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   5,   15,   0,    0,  22,   0,  15,   1,    10,    270,    1.5f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   6,   15,   0,    0,  24,   0,  15,   1,     8,    270,    1.5f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   7,   15,   0,    0,  26,   0,  15,   1,     7,    270,    1.6f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   8,   15,   0,    0,  28,   0,  15,   1,     6,    270,    1.7f, 270,     0,    0, 146,    0,    58);
  SetShotSpec(g,   9,   15,   0,    0,  30,   0,  15,   1,     5,    270,    1.9f, 270,     0,    0, 146,    0,    58);

  // 16 "SHRAPNEL SPREADER"
  //             lvl  kind  sub  anim  dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   16,   0,    3,  30,   3,  17,   1,   100,     90,       0, 270,     1,    0, 112,    0,    17);
  SetShotSpec(g,   1,   16,   0,    3,  40,   3,  17,   1,    95,     90,       0, 270,  1.1f,    0, 112,    0,    17);
  SetShotSpec(g,   2,   16,   0,    3,  50,   3,  17,   1,    90,     90,       0, 270,  1.2f,    0, 112,    0,    17);
  SetShotSpec(g,   3,   16,   0,    3,  60,   3,  17,   1,    85,     90,       0, 270,  1.3f,    0, 112,    0,    17);
  SetShotSpec(g,   4,   16,   0,    3,  70,   3,  17,   1,    80,     90,       0, 270,  1.4f,    0, 112,    0,    17);
  SetShotSpec(g,   5,   16,   0,    3,  80,   3,  17,   1,    75,     90,       0, 270,  1.5f,    0, 112,    0,    17);
  SetShotSpec(g,   6,   16,   0,    3,  90,   3,  17,   1,    70,     90,       0, 270,  1.6f,    0, 112,    0,    17);
  SetShotSpec(g,   7,   16,   0,    3, 100,   3,  17,   1,    65,     90,       0, 270,  1.7f,    0, 112,    0,    17);
  SetShotSpec(g,   8,   16,   0,    3, 120,   3,  17,   1,    60,     90,       0, 270,  1.8f,    0, 112,    0,    17);
  SetShotSpec(g,   9,   16,   0,    3, 150,   3,  17,   1,    50,     90,       0, 270,     2,    0, 112,    0,    17);

  // 17 "PHAZON WAVE"
  // accHdg is not a direction here but the spawn divisor (20, 19, 18, 17, 15, 14, 13, 12, 11, 10);
  // it goes in through RadToDeg so that the setter's DegToRad hands it back. The two single-precision
  // roundings store 20.000002, 18.999998, 17.999998, 17, 15, 14, 13, 12, 11, 10.000001, and the wave
  // uses the whole parts: 20, 18, 17, 17, 15, 14, 13, 12, 11, 10. The push (accRate) is 0.
  //             lvl  kind  sub  anim   dmg  frm  hgt  cnt  delay        accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   17,   0,    0,    6,   0,  15,   1,    17, RadToDeg(20),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   1,   17,   0,    0, 6.5f,   0,  15,   1,    15, RadToDeg(19),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   2,   17,   0,    0,    7,   0,  15,   1,    14, RadToDeg(18),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   3,   17,   0,    0,    7,   0,  15,   1,    12, RadToDeg(17),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   4,   17,   0,    0, 7.5f,   0,  15,   1,    11, RadToDeg(15),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   5,   17,   0,    0, 7.5f,   0,  15,   1,    10, RadToDeg(14),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   6,   17,   0,    0,    8,   0,  15,   1,     9, RadToDeg(13),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   7,   17,   0,    0,    9,   0,  15,   1,     8, RadToDeg(12),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   8,   17,   0,    0,   10,   0,  15,   1,     7, RadToDeg(11),       0, 270,     6,    0,   0,  112,     7);
  SetShotSpec(g,   9,   17,   0,    0,   10,   0,  15,   1,     5, RadToDeg(10),       0, 270,     6,    0,   0,  112,     7);

  // 18 "SHOT CORRUPTER"
  //             lvl  kind  sub  anim   dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   18,   0,    1,    6,  13,  16,   1,    40,      0,       0, 270,     4,    0, 129,    0,    16);
  SetShotSpec(g,   1,   18,   0,    1, 7.5f,  13,  16,   1,    40,      0,       0, 270,     5,    0, 129,    0,    16);
  SetShotSpec(g,   2,   18,   0,    1,   10,  13,  16,   1,    35,      0,       0, 270,  5.5f,    0, 129,    0,    16);
  SetShotSpec(g,   3,   18,   0,    1,   12,  13,  16,   1,    32,      0,       0, 270,     6,    0, 129,    0,    16);
  SetShotSpec(g,   4,   18,   0,    1,   14,  13,  16,   1,    30,      0,       0, 270,  6.5f,    0, 129,    0,    16);
  SetShotSpec(g,   5,   18,   0,    1,   16,  13,  16,   1,    28,      0,       0, 270,     7,    0, 129,    0,    16);
  SetShotSpec(g,   6,   18,   0,    1,   17,  13,  16,   1,    26,      0,       0, 270,  7.5f,    0, 129,    0,    16);
  SetShotSpec(g,   7,   18,   0,    1,   20,  13,  16,   1,    24,      0,       0, 270,     8,    0, 129,    0,    16);
  SetShotSpec(g,   8,   18,   0,    1,   20,  13,  16,   1,    18,      0,       0, 270,     8,    0, 129,    0,    16);
  SetShotSpec(g,   9,   18,   0,    1,   25,  13,  16,   1,    15,      0,       0, 270,    10,    0, 129,    0,    16);

  // 19 "PURE POWER"
  //             lvl  kind  sub  anim    dmg  frm  hgt  cnt  delay  accHdg  accRate  hdg  speed  xOff  top  left  width
  SetShotSpec(g,   0,   19,   0,    0,     3,   3,  10,   1,     5,      0,       0, 270,     8,    0, 112,  200,    10);
  SetShotSpec(g,   1,   19,   0,    0,  3.5f,   3,  10,   1,     4,      0,       0, 270,     9,    0, 112,  200,    10);
  SetShotSpec(g,   2,   19,   0,    0, 2.25f,   3,  10,   2,     4,      0,       0, 270,    10,  -10, 112,  200,    10);
  SetShotSpec(g,   2,   19,   1,    0, 2.25f,   3,  10,   2,     4,      0,       0, 270,    10,   10, 112,  200,    10);
  SetShotSpec(g,   3,   19,   0,    0,  2.5f,   3,  10,   2,     4,      0,       0, 270,    10,  -10, 112,  200,    10);
  SetShotSpec(g,   3,   19,   1,    0,  2.5f,   3,  10,   2,     4,      0,       0, 270,    10,   10, 112,  200,    10);
  SetShotSpec(g,   4,   19,   0,    0,     2,   3,  10,   3,     4,      0,       0, 270,    11,  -20, 112,  200,    10);
  SetShotSpec(g,   4,   19,   1,    0,     2,   3,  10,   3,     4,      0,       0, 270,    11,    0, 112,  200,    10);
  SetShotSpec(g,   4,   19,   2,    0,     2,   3,  10,   3,     4,      0,       0, 270,    11,   20, 112,  200,    10);
  SetShotSpec(g,   5,   19,   0,    0,     2,   3,  10,   3,     3,      0,       0, 270,    11,  -20, 112,  200,    10);
  SetShotSpec(g,   5,   19,   1,    0,     2,   3,  10,   3,     3,      0,       0, 270,    11,    0, 112,  200,    10);
  SetShotSpec(g,   5,   19,   2,    0,     2,   3,  10,   3,     3,      0,       0, 270,    11,   20, 112,  200,    10);
  SetShotSpec(g,   6,   19,   0,    0,  2.5f,   3,  10,   3,     3,      0,       0, 270,    12,  -20, 112,  200,    10);
  SetShotSpec(g,   6,   19,   1,    0,  2.5f,   3,  10,   3,     3,      0,       0, 270,    12,    0, 112,  200,    10);
  SetShotSpec(g,   6,   19,   2,    0,  2.5f,   3,  10,   3,     3,      0,       0, 270,    12,   20, 112,  200,    10);
  SetShotSpec(g,   7,   19,   0,    0, 2.25f,   3,  10,   3,     2,      0,       0, 270,    12,  -20, 112,  200,    10);
  SetShotSpec(g,   7,   19,   1,    0, 2.25f,   3,  10,   3,     2,      0,       0, 270,    12,    0, 112,  200,    10);
  SetShotSpec(g,   7,   19,   2,    0, 2.25f,   3,  10,   3,     2,      0,       0, 270,    12,   20, 112,  200,    10);
  SetShotSpec(g,   8,   19,   0,    0, 2.25f,   3,  10,   4,     2,      0,       0, 270,    12,   25, 112,  200,    10);
  SetShotSpec(g,   8,   19,   1,    0, 2.25f,   3,  10,   4,     2,      0,       0, 270,    12,   15, 112,  200,    10);
  SetShotSpec(g,   8,   19,   2,    0, 2.25f,   3,  10,   4,     2,      0,       0, 270,    12,  -15, 112,  200,    10);
  SetShotSpec(g,   8,   19,   3,    0, 2.25f,   3,  10,   4,     2,      0,       0, 270,    12,  -25, 112,  200,    10);
  SetShotSpec(g,   9,   19,   0,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,  -50, 112,  200,    10);
  SetShotSpec(g,   9,   19,   1,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,   50, 112,  200,    10);
  SetShotSpec(g,   9,   19,   2,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,  -42, 112,  200,    10);
  SetShotSpec(g,   9,   19,   3,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,   42, 112,  200,    10);
  SetShotSpec(g,   9,   19,   4,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,  -20, 112,  200,    10);
  SetShotSpec(g,   9,   19,   5,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,   20, 112,  200,    10);
  SetShotSpec(g,   9,   19,   6,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,   -5, 112,  200,    10);
  SetShotSpec(g,   9,   19,   7,    0, 2.25f,   3,  10,   8,     2,      0,       0, 270,    12,    5, 112,  200,    10);
  // clang-format on
}
