// What the game draws on: the back buffer of 800 x 600 pixels, colour-keyed copies from the
// sprite sheets, text, boxes and see-through boxes. Rectangles are left/top inclusive,
// right/bottom exclusive.
#pragma once

#include <cstdint>
#include <string>

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Copies a sheet rectangle, colour-keyed; scaled when the destination size differs.
  virtual void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                        int destRight, int destBottom, bool scaled) = 0;
  virtual void DrawText(int x, int y, const std::string& text, uint32_t colour) = 0;
  virtual void FillBox(int left, int top, int right, int bottom, uint32_t colour) = 0;
  // Lays a colour over what is drawn there, `alpha` of 256 parts of it: a see-through panel, a
  // dimmed field, a red flush at the edges.
  virtual void ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) = 0;
};
