// A small software painter for the sprite sheets: an RGB canvas with a colour key, filled
// shapes shaded as bevelled relief, outlines, glows and text. Every sheet is drawn with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _TTF_Font;

struct Rgb {
  float R = 0, G = 0, B = 0;
};
Rgb Hex(uint32_t rgb);
uint32_t Pack(Rgb c);
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb c, float k);
Rgb Add(Rgb a, Rgb b);

// A point of a shape outline, in sprite pixels.
struct Pt {
  float X, Y;
};

// A coverage mask the size of a sprite cell; shapes are added to it and then painted.
class Mask {
 public:
  Mask(int width, int height);
  int W, H;
  std::vector<uint8_t> M;
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H && M[y * W + x]; }
  // Adds (or with erase, removes) a filled polygon; with mirror its reflection about x = mirrorX too.
  Mask& Poly(const std::vector<Pt>& pts, bool erase = false);
  Mask& MirrorPoly(const std::vector<Pt>& pts, float mirrorX, bool erase = false);
  Mask& Ellipse(float cx, float cy, float rx, float ry, bool erase = false);
  Mask& Rect(float x0, float y0, float x1, float y1, bool erase = false);
  Mask& Ring(float cx, float cy, float r0, float r1);
  Mask& Union(const Mask& other);
  Mask& Intersect(const Mask& other);
  int Count() const;
};

class Canvas {
 public:
  Canvas(int width, int height, uint32_t key);
  int W, H;
  uint32_t Key;
  std::vector<uint32_t> Px;

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
  bool IsKey(int x, int y) const { return !Inside(x, y) || Px[y * W + x] == Key; }
  uint32_t Get(int x, int y) const { return Inside(x, y) ? Px[y * W + x] : Key; }
  Rgb GetRgb(int x, int y) const { return Hex(Get(x, y)); }
  // Paints one pixel; a colour that happens to equal the key is nudged off it by one step.
  void Set(int x, int y, Rgb c);
  void Erase(int x, int y) {
    if (Inside(x, y)) Px[y * W + x] = Key;
  }
  // Alpha blend over what is there; over the key the colour is laid on the given backing.
  void Blend(int x, int y, Rgb c, float a);
  void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // right and bottom exclusive
  void Gradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
  // Copies a rectangle of another canvas (its key pixels skipped) to (x, y).
  void Paste(const Canvas& src, int sx0, int sy0, int sx1, int sy1, int x, int y);
  bool SavePng(const std::string& path) const;
};

// Light comes from the upper left, as on every sprite of the game.
struct Shading {
  float Bevel = 4;      // relief depth in pixels from the edge inwards
  float Ambient = 0.45f;
  float Diffuse = 0.75f;
  float Gloss = 0.35f;  // specular strength
};
// Paints a mask with the base colour lit as a rounded relief, at offset (ox, oy).
void ShadeMask(Canvas& c, int ox, int oy, const Mask& m, Rgb base, const Shading& s = {});
// Paints a mask flat.
void FlatMask(Canvas& c, int ox, int oy, const Mask& m, Rgb col);
// Darkens the opaque pixels that touch the key inside the rectangle, then rings them
// outside with a dark line where there is room: the crisp outline of a sprite.
void Outline(Canvas& c, int x0, int y0, int x1, int y1, float inner = 0.55f, bool outer = true);
// Adds a radial glow centred at (cx, cy); pixels whose added light is too faint to see are
// left alone, so the glow ends in a hard edge against the key.
void Glow(Canvas& c, float cx, float cy, float radius, Rgb col, float strength = 1, float minLight = 0.12f,
          int x0 = 0, int y0 = 0, int x1 = 1 << 20, int y1 = 1 << 20);
// Applies a function to every non-key pixel of a rectangle.
template <class F>
void ForPixels(Canvas& c, int x0, int y0, int x1, int y1, F f) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (!c.IsKey(x, y)) c.Set(x, y, f(c.GetRgb(x, y), x, y));
}

// A fixed-seed generator for art noise (never the game's).
struct ArtRandom {
  uint32_t S;
  explicit ArtRandom(uint32_t seed) : S(seed * 2654435761u + 12345u) {}
  float Next() {
    S = S * 1664525u + 1013904223u;
    return float(S >> 8) / float(1u << 24);
  }
  float Range(float a, float b) { return a + (b - a) * Next(); }
};
// Smooth value noise in [0, 1).
float Noise2(float x, float y, uint32_t seed);

// Text with the build's fonts.
enum class FontFace { Regular, Bold };
void SetFontFiles(const std::string& regular, const std::string& bold);
_TTF_Font* OpenArtFont(FontFace face, int pixelHeight);
// The menu text face: 7 points at 96 dots per inch, as the game draws its own text.
_TTF_Font* MenuFont();
void Text(Canvas& c, _TTF_Font* font, int x, int y, const std::string& text, Rgb col);
int TextWidth(_TTF_Font* font, const std::string& text);
void TextCentred(Canvas& c, _TTF_Font* font, int cx, int y, const std::string& text, Rgb col);
void CloseArtFonts();
