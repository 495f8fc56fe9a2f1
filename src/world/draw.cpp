// Blit and its clipping rule, the text and box calls.
#include "world/draw.h"

#include "render/canvas.h"
#include "world/game.h"

int Blit(Game& g, int sheet, bool fast, int destTop, int destBottom, int destLeft, int destRight, int srcTop,
         int srcBottom, int srcLeft, int srcRight) {
  destTop += g.Pen.ShiftY;
  destBottom += g.Pen.ShiftY;
  destLeft += g.Pen.ShiftX;
  destRight += g.Pen.ShiftX;
  int top = srcTop, bottom = srcBottom;
  // Above the screen: the part that is off screen is cut from the source's top.
  if (destTop < 0) {
    top = srcTop - destTop;
    destTop = 0;
  }
  // Below the screen: the source's bottom is cut so the copy ends at row 600.
  if (destBottom > 600) bottom = srcBottom - ((srcBottom - srcTop) + destTop - 600);
  // No clipping at the sides: callers keep objects in the horizontal range; the
  // back buffer itself never writes outside its 800 columns.
  if (g.Draw) g.Draw->CopyRect(sheet, srcLeft, top, srcRight, bottom, destLeft, destTop, destRight, destBottom, !fast);
  return destTop;
}

bool Shown(const Game& g) { return g.Draw != nullptr; }

void DrawText(Game& g, int x, int y, const std::string& text) {
  if (g.Draw) g.Draw->DrawText(x + g.Pen.ShiftX, y + g.Pen.ShiftY, text, g.Pen.TextColour);
}

void DrawBox(Game& g, int left, int top, int right, int bottom) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Draw) g.Draw->FillBox(left + dx, top + dy, right + dx, bottom + dy, g.Pen.FillColour);
}

void ShadeBox(Game& g, int left, int top, int right, int bottom, uint32_t colour, int alpha) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Draw) g.Draw->ShadeBox(left + dx, top + dy, right + dx, bottom + dy, colour, alpha);
}

void DrawTextIn(Game& g, int x, int y, const std::string& text, uint32_t colour) {
  if (g.Draw) g.Draw->DrawText(x + g.Pen.ShiftX, y + g.Pen.ShiftY, text, colour);
}

void DrawBoxIn(Game& g, int left, int top, int right, int bottom, uint32_t colour) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Draw) g.Draw->FillBox(left + dx, top + dy, right + dx, bottom + dy, colour);
}
