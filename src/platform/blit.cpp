// Blit and its clipping rule, the text and box calls.
#include "platform/blit.h"

#include "platform/platform.h"
#include "shell/game.h"

const SheetInfo Sheets[SheetCount] = {
    {"Ships", 450, 336, 0xFFFFFF},     {"Backround", 800, 600, 0x000000}, {"Stars", 12, 5, 0x000000},
    {"Shots", 240, 161, 0xFFFFFF},     {"Bars", 204, 451, 0xFFFFFF},      {"Enemies", 982, 323, 0xFFFFFF},
    {"Explosions", 1024, 159, 0x000000}, {"EShots", 30, 117, 0xFFFFFF},   {"Title", 800, 600, 0xFFFFFF},
    {"Mouse", 20, 30, 0x000000},       {"Buttons", 150, 195, 0xFFFFFF},   {"Stats", 200, 300, 0xFFFFFF},
    {"MenuHelp", 289, 563, 0xFFFFFF},  {"EnemiesHurt", 982, 323, 0xFFFFFF}, {"Backdrop", 600, 664, 0x000000},
    {"Flair", 512, 784, 0x000000},
};

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
  if (g.Plat) g.Plat->CopyRect(sheet, srcLeft, top, srcRight, bottom, destLeft, destTop, destRight, destBottom, !fast);
  return destTop;
}

bool Shown(Game& g) { return g.Plat && g.Plat->Shows(); }

void DrawText(Game& g, int x, int y, const std::string& text) {
  if (g.Plat) g.Plat->DrawText(x + g.Pen.ShiftX, y + g.Pen.ShiftY, text, g.Pen.TextColour);
}

void DrawBox(Game& g, int left, int top, int right, int bottom) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Plat) g.Plat->FillBox(left + dx, top + dy, right + dx, bottom + dy, g.Pen.FillColour);
}

void ShadeBox(Game& g, int left, int top, int right, int bottom, uint32_t colour, int alpha) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Plat) g.Plat->ShadeBox(left + dx, top + dy, right + dx, bottom + dy, colour, alpha);
}

void DrawTextIn(Game& g, int x, int y, const std::string& text, uint32_t colour) {
  if (g.Plat) g.Plat->DrawText(x + g.Pen.ShiftX, y + g.Pen.ShiftY, text, colour);
}

void DrawBoxIn(Game& g, int left, int top, int right, int bottom, uint32_t colour) {
  const int dx = g.Pen.ShiftX, dy = g.Pen.ShiftY;
  if (g.Plat) g.Plat->FillBox(left + dx, top + dy, right + dx, bottom + dy, colour);
}
