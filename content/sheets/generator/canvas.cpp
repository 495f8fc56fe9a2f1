#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cmath>
#include <map>
#include <utility>

#include "crisp_text.h"

Rgb Hex(uint32_t rgb) { return {float((rgb >> 16) & 255), float((rgb >> 8) & 255), float(rgb & 255)}; }

uint32_t Pack(Rgb c) {
  auto ch = [](float v) { return uint32_t(std::clamp(int(std::lround(v)), 0, 255)); };
  return (ch(c.R) << 16) | (ch(c.G) << 8) | ch(c.B);
}
Rgb Mix(Rgb a, Rgb b, float t) { return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t}; }
Rgb Scale(Rgb c, float k) { return {c.R * k, c.G * k, c.B * k}; }
Rgb Add(Rgb a, Rgb b) { return {a.R + b.R, a.G + b.G, a.B + b.B}; }

// ---- Masks ---------------------------------------------------------------------------------

Mask::Mask(int width, int height) : W(width), H(height), M(size_t(width) * size_t(height), 0) {}

Mask& Mask::Poly(const std::vector<Pt>& pts, bool erase) {
  // Even-odd fill sampled at pixel centres.
  const size_t n = pts.size();
  for (int y = 0; y < H; ++y) {
    const float py = y + 0.5f;
    std::vector<float> xs;
    for (size_t i = 0; i < n; ++i) {
      Pt a = pts[i], b = pts[(i + 1) % n];
      if ((a.Y <= py && b.Y > py) || (b.Y <= py && a.Y > py)) xs.push_back(a.X + (py - a.Y) / (b.Y - a.Y) * (b.X - a.X));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = std::max(0, int(std::ceil(xs[i] - 0.5f))); x < W && x + 0.5f < xs[i + 1]; ++x)
        M[y * W + x] = erase ? 0 : 1;
  }
  return *this;
}

Mask& Mask::MirrorPoly(const std::vector<Pt>& pts, float mirrorX, bool erase) {
  Poly(pts, erase);
  std::vector<Pt> m;
  for (const Pt& p : pts) m.push_back({2 * mirrorX - p.X, p.Y});
  return Poly(m, erase);
}

Mask& Mask::Ellipse(float cx, float cy, float rx, float ry, bool erase) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
      if (dx * dx + dy * dy <= 1) M[y * W + x] = erase ? 0 : 1;
    }
  return *this;
}

Mask& Mask::Rect(float x0, float y0, float x1, float y1, bool erase) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (x + 0.5f >= x0 && x + 0.5f < x1 && y + 0.5f >= y0 && y + 0.5f < y1) M[y * W + x] = erase ? 0 : 1;
  return *this;
}

Mask& Mask::Ring(float cx, float cy, float r0, float r1) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      if (d >= r0 && d <= r1) M[y * W + x] = 1;
    }
  return *this;
}

Mask& Mask::Union(const Mask& o) {
  for (size_t i = 0; i < M.size() && i < o.M.size(); ++i) M[i] = M[i] | o.M[i];
  return *this;
}

Mask& Mask::Intersect(const Mask& o) {
  for (size_t i = 0; i < M.size() && i < o.M.size(); ++i) M[i] = M[i] & o.M[i];
  return *this;
}

int Mask::Count() const { return int(std::count(M.begin(), M.end(), 1)); }

// ---- Canvas --------------------------------------------------------------------------------

Canvas::Canvas(int width, int height, uint32_t key) : W(width), H(height), Key(key), Px(size_t(width) * height, key) {}

void Canvas::Set(int x, int y, Rgb c) {
  if (!Inside(x, y)) return;
  uint32_t p = Pack(c);
  if (p == Key) p = Key == 0 ? 0x010101 : (Key ^ 0x010101);  // never the transparent colour
  Px[y * W + x] = p;
}

void Canvas::Blend(int x, int y, Rgb c, float a) {
  if (!Inside(x, y) || a <= 0) return;
  if (IsKey(x, y)) {
    Set(x, y, Scale(c, std::min(a, 1.0f)));
    return;
  }
  Set(x, y, Mix(GetRgb(x, y), c, std::min(a, 1.0f)));
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = std::max(0, y0); y < std::min(H, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(W, x1); ++x) Set(x, y, c);
}

void Canvas::Gradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  for (int y = std::max(0, y0); y < std::min(H, y1); ++y) {
    Rgb c = Mix(top, bottom, y1 - y0 > 1 ? float(y - y0) / float(y1 - y0 - 1) : 0);
    for (int x = std::max(0, x0); x < std::min(W, x1); ++x) Set(x, y, c);
  }
}

void Canvas::Paste(const Canvas& src, int sx0, int sy0, int sx1, int sy1, int x, int y) {
  for (int sy = sy0; sy < sy1; ++sy)
    for (int sx = sx0; sx < sx1; ++sx)
      if (!src.IsKey(sx, sy)) Set(x + sx - sx0, y + sy - sy0, src.GetRgb(sx, sy));
}

// The sheets are decoded every time the game starts, so they are written for a quick read: each
// row is stored as it is or as its difference from the pixel to the left or from the row above,
// whichever packs best, never with the averaging filters that cost several times as much to undo.
bool Canvas::SavePng(const std::string& path) const {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<uint8_t> row(size_t(W) * 3);
  volatile bool ok = false;  // set after the jump point, read after a jump back to it
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(W), png_uint_32(H), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        const uint32_t p = Px[size_t(y) * size_t(W) + size_t(x)];
        row[3 * size_t(x)] = uint8_t(p >> 16);
        row[3 * size_t(x) + 1] = uint8_t(p >> 8);
        row[3 * size_t(x) + 2] = uint8_t(p);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

// ---- Painting ------------------------------------------------------------------------------

namespace {

// Distance (in pixels, chamfer 3-4) from each mask pixel to the nearest pixel outside it.
std::vector<float> InsideDistance(const Mask& m) {
  const float inf = 1e6f;
  std::vector<float> d(m.M.size());
  for (size_t i = 0; i < d.size(); ++i) d[i] = m.M[i] ? inf : 0;
  auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= m.W || y >= m.H) ? 0.0f : d[y * m.W + x]; };
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x) {
      float& v = d[y * m.W + x];
      if (v == 0) continue;
      v = std::min({v, at(x - 1, y) + 1, at(x, y - 1) + 1, at(x - 1, y - 1) + 1.4142f, at(x + 1, y - 1) + 1.4142f});
    }
  for (int y = m.H - 1; y >= 0; --y)
    for (int x = m.W - 1; x >= 0; --x) {
      float& v = d[y * m.W + x];
      if (v == 0) continue;
      v = std::min({v, at(x + 1, y) + 1, at(x, y + 1) + 1, at(x + 1, y + 1) + 1.4142f, at(x - 1, y + 1) + 1.4142f});
    }
  return d;
}

}  // namespace

void ShadeMask(Canvas& c, int ox, int oy, const Mask& m, Rgb base, const Shading& s) {
  std::vector<float> d = InsideDistance(m);
  auto h = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= m.W || y >= m.H) return 0.0f;
    float t = std::min(d[y * m.W + x], s.Bevel) / s.Bevel;  // 0 at the edge, 1 on the plateau
    float u = 1 - t;
    return std::sqrt(std::max(0.0f, 1 - u * u)) * s.Bevel;
  };
  const float lx = -0.55f, ly = -0.65f, lz = 0.52f;  // from the upper left, towards the viewer
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x) {
      if (!m.M[y * m.W + x]) continue;
      float nx = (h(x - 1, y) - h(x + 1, y)) * 0.5f, ny = (h(x, y - 1) - h(x, y + 1)) * 0.5f, nz = 1;
      float len = std::sqrt(nx * nx + ny * ny + nz * nz);
      nx /= len, ny /= len, nz /= len;
      float diff = std::max(0.0f, nx * lx + ny * ly + nz * lz);
      // Reflection of the light about the normal against the view (0, 0, 1).
      float rz = 2 * diff * nz - lz;
      float shine = std::pow(std::max(0.0f, rz), 12.0f) * s.Gloss;
      float k = s.Ambient + s.Diffuse * diff;
      Rgb col = Add(Scale(base, k), Scale(Rgb{255, 255, 255}, shine));
      c.Set(ox + x, oy + y, col);
    }
}

void FlatMask(Canvas& c, int ox, int oy, const Mask& m, Rgb col) {
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x)
      if (m.M[y * m.W + x]) c.Set(ox + x, oy + y, col);
}

void Outline(Canvas& c, int x0, int y0, int x1, int y1, float inner, bool outer) {
  std::vector<std::pair<int, int>> edge, ring;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      auto keyAt = [&](int px, int py) {
        return px < x0 || py < y0 || px >= x1 || py >= y1 || c.IsKey(px, py);
      };
      if (c.IsKey(x, y)) {
        if (!keyAt(x - 1, y) || !keyAt(x + 1, y) || !keyAt(x, y - 1) || !keyAt(x, y + 1)) ring.push_back({x, y});
      } else if (keyAt(x - 1, y) || keyAt(x + 1, y) || keyAt(x, y - 1) || keyAt(x, y + 1)) {
        edge.push_back({x, y});
      }
    }
  for (auto [x, y] : edge) c.Set(x, y, Scale(c.GetRgb(x, y), inner));
  if (outer)
    for (auto [x, y] : ring) {
      // The darkest neighbour sets the line's hue.
      Rgb n{};
      int cnt = 0;
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        int px = x + dx, py = y + dy;
        if (px >= x0 && py >= y0 && px < x1 && py < y1 && !c.IsKey(px, py)) n = Add(n, c.GetRgb(px, py)), ++cnt;
      }
      n = Scale(n, 1.0f / float(std::max(1, cnt)));
      c.Set(x, y, Add(Scale(n, 0.25f), Rgb{6, 6, 14}));
    }
}

void Glow(Canvas& c, float cx, float cy, float radius, Rgb col, float strength, float minLight, int x0, int y0, int x1,
          int y1) {
  int ax = std::max({0, x0, int(cx - radius - 1)}), bx = std::min({c.W, x1, int(cx + radius + 2)});
  int ay = std::max({0, y0, int(cy - radius - 1)}), by = std::min({c.H, y1, int(cy + radius + 2)});
  for (int y = ay; y < by; ++y)
    for (int x = ax; x < bx; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
      if (d >= 1) continue;
      float a = (1 - d) * (1 - d) * strength;
      if (a < minLight) continue;
      Rgb base = c.IsKey(x, y) ? Rgb{} : c.GetRgb(x, y);
      c.Set(x, y, Add(base, Scale(col, a)));
    }
}

float Noise2(float x, float y, uint32_t seed) {
  auto hash = [seed](int ix, int iy) {
    uint32_t h = uint32_t(ix) * 374761393u + uint32_t(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65536.0f;
  };
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  float fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
  float a = hash(ix, iy), b = hash(ix + 1, iy), c = hash(ix, iy + 1), d = hash(ix + 1, iy + 1);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

// ---- Text ----------------------------------------------------------------------------------

namespace {
std::string RegularFile, BoldFile;
std::map<std::pair<int, int>, TTF_Font*> Fonts;
TTF_Font* Menu7 = nullptr;
}  // namespace

void SetFontFiles(const std::string& regular, const std::string& bold) {
  RegularFile = regular;
  BoldFile = bold;
}

TTF_Font* OpenArtFont(FontFace face, int pixelHeight) {
  auto key = std::pair{int(face), pixelHeight};
  auto it = Fonts.find(key);
  if (it != Fonts.end()) return it->second;
  const std::string& file = face == FontFace::Bold && !BoldFile.empty() ? BoldFile : RegularFile;
  TTF_Font* f = TTF_OpenFont(file.c_str(), pixelHeight);
  UseCrispHinting(f);
  Fonts[key] = f;
  return f;
}

TTF_Font* MenuFont() {
  if (!Menu7) {
    Menu7 = TTF_OpenFontDPI(RegularFile.c_str(), 7, 96, 96);
    UseCrispHinting(Menu7);
  }
  return Menu7;
}

void Text(Canvas& c, TTF_Font* font, int x, int y, const std::string& text, Rgb col) {
  // The same letters as the game's own text: see crisp_text.h.
  SDL_Surface* a = RenderCrispText(font, text, 0xFFFFFF);
  if (!a) return;
  for (int yy = 0; yy < a->h; ++yy) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(a->pixels) + yy * a->pitch);
    for (int xx = 0; xx < a->w; ++xx) {
      float alpha = float(row[xx] >> 24) / 255.0f;
      if (alpha > 0.02f) c.Blend(x + xx, y + yy, col, alpha);
    }
  }
  SDL_FreeSurface(a);
}

int TextWidth(TTF_Font* font, const std::string& text) {
  SDL_Surface* a = RenderCrispText(font, text, 0xFFFFFF);
  int w = a ? a->w : 0;
  SDL_FreeSurface(a);
  return w;
}

void TextCentred(Canvas& c, TTF_Font* font, int cx, int y, const std::string& text, Rgb col) {
  Text(c, font, cx - TextWidth(font, text) / 2, y, text, col);
}

void CloseArtFonts() {
  for (auto& [k, f] : Fonts)
    if (f) TTF_CloseFont(f);
  Fonts.clear();
  if (Menu7) TTF_CloseFont(Menu7);
  Menu7 = nullptr;
}
