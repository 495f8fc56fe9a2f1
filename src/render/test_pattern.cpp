#include "render/test_pattern.h"

#include <algorithm>

std::vector<uint32_t> TestPattern(int index, int width, int height, uint32_t colourKey, const std::string& name,
                                  TextSetter& letters) {
  if (width <= 0 || height <= 0) return {};
  std::vector<uint32_t> px(size_t(width) * size_t(height));
  const uint32_t red = 0x40u + uint32_t(index & 15) * 8u;  // never 0x00 nor 0xFF, so never the key
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool hole = ((x / 8) + (y / 8)) % 2 == 0;
      const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      uint32_t rgb = (red << 16) | (uint32_t(y & 0xFF) << 8) | uint32_t(x & 0xFF);
      if (edge) rgb = 0xFF00FF;
      else if (hole) rgb = colourKey & 0xFFFFFFu;
      px[size_t(y) * size_t(width) + size_t(x)] = rgb;
    }
  const TextPicture& label = letters.Layout(name);
  if (width >= 40 && height >= 14 && label.Width > 0) {
    // The name on a yellow plate, in colours that are neither key: letters without smoothing.
    const int plateRight = 2 + std::min(label.Width + 4, width - 4), plateBottom = 2 + std::min(label.Height + 2, height - 4);
    for (int y = 2; y < plateBottom; ++y)
      for (int x = 2; x < plateRight; ++x) px[size_t(y) * size_t(width) + size_t(x)] = 0xFFFF00;
    for (int y = 0; y < label.Height && 3 + y < plateBottom; ++y)
      for (int x = 0; x < label.Width && 4 + x < plateRight; ++x)
        if (label.Alpha[size_t(y) * size_t(label.Width) + size_t(x)] >= 128)
          px[size_t(3 + y) * size_t(width) + size_t(4 + x)] = 0x101010;
  }
  return px;
}
