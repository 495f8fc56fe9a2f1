// The fourteen sprite sheets and the painters that fill them.
#pragma once

#include <SDL_ttf.h>

#include "canvas.h"

inline constexpr uint32_t WhiteKey = 0xFFFFFF;
inline constexpr uint32_t BlackKey = 0x000000;

// The player's ship, drawn into a 45 x 56 cell at (ox, oy).
enum class ShipLook { Plain, Rammer, Upgraded, Flash, Ghost };
void DrawShip(Canvas& c, int ox, int oy, ShipLook look, int frame = 0);
// One part overlay (row 1 defence, 2 speed, 3 regen, 4 charge, 5 reducer) at level 1..10.
void DrawShipPart(Canvas& c, int ox, int oy, int row, int level);

void PaintShips(Canvas& c);        // sheet 0, 450 x 336
void PaintBackround(Canvas& c);    // sheet 1, 800 x 600: the frame around the play column
void PaintStars(Canvas& c);        // sheet 2, 12 x 5
void PaintShots(Canvas& c);        // sheet 3, 240 x 161
void PaintBars(Canvas& c);         // sheet 4, 204 x 451
void PaintEnemies(Canvas& c);      // sheet 5, 982 x 323
void PaintExplosions(Canvas& c);   // sheet 6, 1024 x 159
void PaintEShots(Canvas& c);       // sheet 7, 30 x 117
void PaintTitle(Canvas& c, const Canvas& ships, const Canvas& shots, const Canvas& enemies);  // sheet 8
void PaintMouse(Canvas& c);        // sheet 9, 20 x 30
void PaintButtons(Canvas& c);      // sheet 10, 150 x 195
void PaintStats(Canvas& c);        // sheet 11, 200 x 300
void PaintMenuHelp(Canvas& c, const Canvas& ships, const Canvas& enemies, const Canvas& eshots);  // sheet 12
void PaintEnemiesHurt(Canvas& c, const Canvas& enemies);  // sheet 13, 982 x 323
void PaintBackdrop(Canvas& c);     // sheet 14, 600 x 664: the nebula behind the play column
void PaintFlair(Canvas& c);        // sheet 15, 512 x 784: words, flashes and sparks over play

// Menu panel styles shared by the backdrop and the button sheet.
Rgb PanelLight();
Rgb PanelDark();
void Bevel(Canvas& c, int x0, int y0, int x1, int y1, Rgb face, bool raised = true, int depth = 2);
