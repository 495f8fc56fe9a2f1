// The game's one drawing operation and the few other back-buffer calls, onto the game's canvas
// (nothing at all when nobody sees it).
#pragma once

#include <cstdint>
#include <string>

#include "core/sheets.h"
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
bool Shown(const Game& g);
void DrawBox(Game& g, int left, int top, int right, int bottom);
// A see-through colour over the rectangle (alpha 0..256).
void ShadeBox(Game& g, int left, int top, int right, int bottom, uint32_t colour, int alpha);
// Text and a box in the given colour, the pen's own left as it was.
void DrawTextIn(Game& g, int x, int y, const std::string& text, uint32_t colour);
void DrawBoxIn(Game& g, int left, int top, int right, int bottom, uint32_t colour);
