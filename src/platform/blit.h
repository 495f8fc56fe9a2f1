// The game's one drawing operation and the few other back-buffer calls.
#pragma once

#include <cstdint>
#include <string>

#include "core/types.h"

struct Game;

// Copies a sheet rectangle to the back buffer, colour-keyed. Fast: unscaled copy to the
// destination's top-left; otherwise scaled into the destination rectangle. Clips only at
// the top and bottom of the screen; returns the destination top after clipping.
int Blit(Game& g, int sheet, bool fast, int destTop, int destBottom, int destLeft, int destRight, int srcTop,
         int srcBottom, int srcLeft, int srcRight);
void DrawText(Game& g, int x, int y, const std::string& text);
// Whether drawing reaches anyone: the pictures that only cost time (stars, craft, shots) are
// skipped when not. Anything a drawing call changes in the game, such as the ship's animation,
// is still done.
bool Shown(Game& g);
void DrawBox(Game& g, int left, int top, int right, int bottom);
// A see-through colour over the rectangle (alpha 0..256).
void ShadeBox(Game& g, int left, int top, int right, int bottom, uint32_t colour, int alpha);
// Text and a box in the given colour, the pen's own left as it was.
void DrawTextIn(Game& g, int x, int y, const std::string& text, uint32_t colour);
void DrawBoxIn(Game& g, int left, int top, int right, int bottom, uint32_t colour);

// The sheets, by index.
enum SheetIndex {
  SheetShips = 0,
  SheetBackround = 1,
  SheetStars = 2,
  SheetShots = 3,
  SheetBars = 4,
  SheetEnemies = 5,
  SheetExplosions = 6,
  SheetEShots = 7,
  SheetTitle = 8,
  SheetMouse = 9,
  SheetButtons = 10,
  SheetStats = 11,
  SheetMenuHelp = 12,
  SheetEnemiesHurt = 13,
  SheetBackdrop = 14,  // the slow nebula behind the play column, and the ship-lost notice
  SheetFlair = 15,     // words, flashes and sparks over play (effects/flair_sheet.h)
};
inline constexpr int SheetCount = 16;

struct SheetInfo {
  const char* Name;
  int Width, Height;
  uint32_t ColourKey;
};
extern const SheetInfo Sheets[SheetCount];
