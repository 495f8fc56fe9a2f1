// The back buffer in plain memory: the same pixels the desktop's SDL surfaces get.
#include "platform/web/soft_buffer.h"

#include "platform/shade.h"

#include <algorithm>
#include <cstring>

namespace {

int Get16(const uint8_t* p) { return int(int16_t(uint16_t(p[0] | (p[1] << 8)))); }

// One channel of a pixel with per-pixel alpha (1..254) laid over another, as the desktop's
// blitter does it: each side weighted in 256ths and rounded down on its own.
uint32_t BlendChannel(uint32_t src, uint32_t dst, uint32_t alpha) {
  return ((src * alpha) >> 8) + ((dst * (255 - alpha)) >> 8);
}

}  // namespace

bool GlyphAtlas::Read(const uint8_t* data, size_t size) {
  *this = GlyphAtlas{};
  size_t at = 0;
  auto need = [&](size_t n) { return at + n <= size; };
  if (!data || !need(6) || std::memcmp(data, "ZGA1", 4) != 0) return false;
  at = 4;
  int height = Get16(data + at);
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

SoftBuffer::SoftBuffer() { Clear(); }

// Unscaled and colour-keyed. The source rectangle is clipped to the sheet (moving the
// destination with it), then the destination to the back buffer, as SDL_BlitSurface does.
void SoftBuffer::Copy(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop) {
  if (sheet < 0 || sheet >= SheetCount) return;
  const SoftSheet& from = Sheets[size_t(sheet)];
  if (from.Pixels.empty() || srcRight <= srcLeft || srcBottom <= srcTop) return;
  int sx = srcLeft, sy = srcTop, w = srcRight - srcLeft, h = srcBottom - srcTop;
  int dx = destLeft, dy = destTop;
  if (sx < 0) {
    w += sx;
    dx -= sx;
    sx = 0;
  }
  w = std::min(w, from.Width - sx);
  if (sy < 0) {
    h += sy;
    dy -= sy;
    sy = 0;
  }
  h = std::min(h, from.Height - sy);
  if (int d = -dx; d > 0) {
    w -= d;
    dx += d;
    sx += d;
  }
  if (int d = dx + w - Width; d > 0) w -= d;
  if (int d = -dy; d > 0) {
    h -= d;
    dy += d;
    sy += d;
  }
  if (int d = dy + h - Height; d > 0) h -= d;
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row) {
    const uint32_t* s = from.Pixels.data() + size_t(sy + row) * size_t(from.Width) + sx;
    uint32_t* d = Pixels.data() + size_t(dy + row) * Width + dx;
    for (int x = 0; x < w; ++x)
      if (s[x] != from.Key) d[x] = s[x];
  }
}

// Every sprite the game draws is copied unscaled; a scaled copy takes each destination pixel
// from the nearest source pixel, colour-keyed likewise.
void SoftBuffer::CopyScaled(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft,
                            int destTop, int destRight, int destBottom) {
  if (sheet < 0 || sheet >= SheetCount) return;
  const SoftSheet& from = Sheets[size_t(sheet)];
  const int sw = srcRight - srcLeft, sh = srcBottom - srcTop, dw = destRight - destLeft, dh = destBottom - destTop;
  if (from.Pixels.empty() || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = std::max(0, destTop); y < std::min(Height, destBottom); ++y) {
    const int syy = srcTop + int((long long)(y - destTop) * sh / dh);
    if (syy < 0 || syy >= from.Height) continue;
    for (int x = std::max(0, destLeft); x < std::min(Width, destRight); ++x) {
      const int sxx = srcLeft + int((long long)(x - destLeft) * sw / dw);
      if (sxx < 0 || sxx >= from.Width) continue;
      const uint32_t p = from.Pixels[size_t(syy) * size_t(from.Width) + size_t(sxx)];
      if (p != from.Key) Pixels[size_t(y) * Width + size_t(x)] = p;
    }
  }
}

void SoftBuffer::Fill(int left, int top, int right, int bottom, uint32_t rgb) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, Width);
  bottom = std::min(bottom, Height);
  for (int y = top; y < bottom; ++y)
    std::fill(Pixels.begin() + y * Width + left, Pixels.begin() + y * Width + std::max(left, right), rgb & 0xFFFFFFu);
}

void SoftBuffer::Shade(int left, int top, int right, int bottom, uint32_t rgb, int alpha) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, Width);
  bottom = std::min(bottom, Height);
  for (int y = top; y < bottom; ++y) ShadeRow(&Pixels[size_t(y * Width + left)], right - left, rgb, alpha);
}

// Letter by letter at whole-pixel advances, a space between two words at least 4 pixels, and
// overlapping letters keeping the larger coverage: the desktop's crisp text, from the atlas.
const SoftBuffer::TextPicture& SoftBuffer::Layout(const std::string& text) {
  if (auto it = TextCache.find(text); it != TextCache.end()) return it->second;
  if (TextCache.size() >= 512) TextCache.clear();
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
  return TextCache.emplace(text, std::move(pic)).first->second;
}

void SoftBuffer::Text(int x, int y, const std::string& text, uint32_t rgb) {
  if (text.empty()) return;
  const TextPicture& pic = Layout(text);
  const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  for (int row = std::max(0, -y); row < pic.Height && y + row < Height; ++row)
    for (int col = std::max(0, -x); col < pic.Width && x + col < Width; ++col) {
      const uint32_t a = pic.Alpha[size_t(row) * size_t(pic.Width) + size_t(col)];
      if (a == 0) continue;
      uint32_t& d = Pixels[size_t(y + row) * Width + size_t(x + col)];
      if (a == 255) {
        d = rgb & 0xFFFFFFu;
        continue;
      }
      d = BlendChannel(r, (d >> 16) & 0xFF, a) << 16 | BlendChannel(g, (d >> 8) & 0xFF, a) << 8 |
          BlendChannel(b, d & 0xFF, a);
    }
}

void SoftBuffer::ToRgba(uint8_t* out) const {
  for (size_t i = 0; i < Pixels.size(); ++i) {
    const uint32_t p = Pixels[i];
    out[4 * i] = uint8_t(p >> 16);
    out[4 * i + 1] = uint8_t(p >> 8);
    out[4 * i + 2] = uint8_t(p);
    out[4 * i + 3] = 255;
  }
}
