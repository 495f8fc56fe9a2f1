#include "render/glyphs.h"

#include <algorithm>
#include <cstring>

namespace {

int Get16(const uint8_t* p) { return int(int16_t(uint16_t(p[0] | (p[1] << 8)))); }

}  // namespace

// "ZGA1", int16 font height, then for each character code 0..255: uint8 flags (1: metrics, 2: a
// picture), with metrics int16 minx, maxx, advance, with a picture uint16 width, height and the
// coverage bytes, all little-endian.
bool GlyphAtlas::Read(const uint8_t* data, size_t size) {
  *this = GlyphAtlas{};
  size_t at = 0;
  auto need = [&](size_t n) { return at + n <= size; };
  if (!data || !need(6) || std::memcmp(data, "ZGA1", 4) != 0) return false;
  at = 4;
  const int height = Get16(data + at);
  at += 2;
  std::array<Glyph, 256> glyphs;
  for (Glyph& g : glyphs) {
    if (!need(1)) return false;
    const uint8_t flags = data[at++];
    g.HasMetrics = flags & 1;
    g.HasPicture = flags & 2;
    if (g.HasMetrics) {
      if (!need(6)) return false;
      g.MinX = Get16(data + at);
      g.MaxX = Get16(data + at + 2);
      g.Advance = Get16(data + at + 4);
      at += 6;
    }
    if (g.HasPicture) {
      if (!need(4)) return false;
      g.Width = data[at] | (data[at + 1] << 8);
      g.Height = data[at + 2] | (data[at + 3] << 8);
      at += 4;
      const size_t n = size_t(g.Width) * size_t(g.Height);
      if (!need(n)) return false;
      g.Coverage.assign(data + at, data + at + n);
      at += n;
    }
  }
  FontHeight = height;
  Glyphs = std::move(glyphs);
  return true;
}

const TextPicture& TextSetter::Layout(const std::string& text) {
  if (auto it = Cache.find(text); it != Cache.end()) return it->second;
  if (Cache.size() >= 512) Cache.clear();
  TextPicture pic;
  const int n = int(text.size());
  std::vector<int> at(size_t(n), 0);
  int width = 0, pen = 0;
  for (int i = 0; i < n; ++i) {
    const GlyphAtlas::Glyph& g = Atlas.Glyphs[static_cast<unsigned char>(text[size_t(i)])];
    if (!g.HasMetrics) continue;
    int advance = g.Advance;
    if (text[size_t(i)] == ' ' && i > 0 && i + 1 < n && text[size_t(i) - 1] != ' ' && text[size_t(i) + 1] != ' ')
      advance = std::max(advance, 4);
    at[size_t(i)] = pen;
    width = std::max(width, pen + std::max(advance, g.MaxX));
    pen += advance;
  }
  const int height = Atlas.FontHeight;
  if (width > 0 && height > 0) {
    pic.Width = width;
    pic.Height = height;
    pic.Alpha.assign(size_t(width) * size_t(height), 0);
    for (int i = 0; i < n; ++i) {
      const GlyphAtlas::Glyph& g = Atlas.Glyphs[static_cast<unsigned char>(text[size_t(i)])];
      if (text[size_t(i)] == ' ' || !g.HasPicture) continue;
      for (int y = 0; y < std::min(g.Height, height); ++y)
        for (int x = 0; x < g.Width; ++x) {
          const int ox = at[size_t(i)] + x;
          if (ox < 0 || ox >= width) continue;
          uint8_t& cell = pic.Alpha[size_t(y) * size_t(width) + size_t(ox)];
          cell = std::max(cell, g.Coverage[size_t(y) * size_t(g.Width) + size_t(x)]);
        }
    }
  }
  return Cache.emplace(text, std::move(pic)).first->second;
}
