// A see-through colour laid over pixels of the form 0x00RRGGBB: the dimmed field of a pause, the
// panels over play, the red flush of a hit. `alpha` runs from 0 (nothing) to 256 (the colour).
#pragma once

#include <algorithm>
#include <cstdint>

inline uint32_t ShadePixel(uint32_t p, uint32_t colour, int alpha) {
  const uint32_t a = uint32_t(std::clamp(alpha, 0, 256)), keep = 256 - a;
  // Red and blue side by side in one multiply, green in another.
  const uint32_t rb = ((p & 0xFF00FFu) * keep + (colour & 0xFF00FFu) * a) >> 8;
  const uint32_t gg = ((p & 0x00FF00u) * keep + (colour & 0x00FF00u) * a) >> 8;
  return (rb & 0xFF00FFu) | (gg & 0x00FF00u);
}

inline void ShadeRow(uint32_t* row, int count, uint32_t colour, int alpha) {
  for (int i = 0; i < count; ++i) row[i] = ShadePixel(row[i], colour, alpha);
}
