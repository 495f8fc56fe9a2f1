// Small helpers the menu screen shares: pointer tests and unscaled sprite copies.
#pragma once

#include "menus/menu_layout.h"
#include "world/draw.h"
#include "world/game.h"

// The pointer lies in the inclusive rectangle x left..right, y top..bottom.
inline bool PointerIn(const Game& g, int left, int right, int top, int bottom) {
  return left <= g.MouseX && g.MouseX <= right && top <= g.MouseY && g.MouseY <= bottom;
}
inline bool PointerIn(const Game& g, const MenuArea& a) { return a.Holds(g.MouseX, g.MouseY); }

// A colour-keyed copy of a sheet rectangle with its top-left corner at (x, y).
inline void DrawSprite(Game& g, int sheet, int x, int y, int srcLeft, int srcTop, int srcRight, int srcBottom) {
  Blit(g, sheet, true, y, y + (srcBottom - srcTop), x, x + (srcRight - srcLeft), srcTop, srcBottom, srcLeft,
       srcRight);
}
