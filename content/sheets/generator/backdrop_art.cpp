// The backdrop sheet: a dark nebula with distant dust that drifts slowly behind the stars of
// the play column, and the notice shown over the field once the ship is lost.
//
// The nebula is a 600 x 600 tile that wraps from its bottom row to its top row, so the game
// can scroll it for ever. It stays dark (no channel above DarkestCap) so that every sprite,
// shot and bullet keeps its contrast on top of it; its empty reaches are left transparent.
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

constexpr int TileSize = 600;
constexpr float DarkestCap = 52;  // no channel of the backdrop brighter than this

// Value noise on a lattice that repeats every `period` cells in both directions.
float WrappedNoise(float x, float y, int period, uint32_t seed) {
  auto hash = [&](int ix, int iy) {
    ix = ((ix % period) + period) % period;
    iy = ((iy % period) + period) % period;
    uint32_t h = uint32_t(ix) * 374761393u + uint32_t(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65536.0f;
  };
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  float fx = x - float(ix), fy = y - float(iy);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float a = hash(ix, iy), b = hash(ix + 1, iy), c = hash(ix, iy + 1), d = hash(ix + 1, iy + 1);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

// Five octaves of wrapped noise over the tile, in [0, 1).
float Clouds(int x, int y, int cells, uint32_t seed) {
  float sum = 0, weight = 0, amp = 1;
  for (int octave = 0; octave < 5; ++octave) {
    const int period = cells << octave;
    const float scale = float(period) / TileSize;
    sum += amp * WrappedNoise(float(x) * scale, float(y) * scale, period, seed + uint32_t(octave) * 101u);
    weight += amp;
    amp *= 0.5f;
  }
  return sum / weight;
}

float SmoothStep(float lo, float hi, float v) {
  float t = std::clamp((v - lo) / (hi - lo), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

void PaintNebula(Canvas& c) {
  const Rgb indigo{14, 12, 42}, violet{40, 12, 46}, teal{6, 30, 40};
  for (int y = 0; y < TileSize; ++y)
    for (int x = 0; x < TileSize; ++x) {
      // Broad veils of gas, thinned by a second field so that dark lanes run through them.
      float gas = SmoothStep(0.42f, 0.78f, Clouds(x, y, 3, 11));
      float lanes = SmoothStep(0.35f, 0.65f, Clouds(x, y, 4, 23));
      float hue = Clouds(x, y, 2, 37);
      float density = gas * (0.35f + 0.65f * lanes);
      Rgb col = Mix(Mix(indigo, violet, SmoothStep(0.45f, 0.7f, hue)), teal, SmoothStep(0.55f, 0.25f, hue) * 0.8f);
      col = Scale(col, density);
      if (Pack(col) != 0) c.Set(x, y, col);
    }
  // Distant dust: single dim grains, thicker inside the gas, never as bright as a star.
  ArtRandom r(0xD057);
  for (int i = 0; i < 900; ++i) {
    int x = int(r.Next() * TileSize), y = int(r.Next() * TileSize);
    float light = r.Range(18, 34) + 14 * SmoothStep(0.42f, 0.78f, Clouds(x, y, 3, 11));
    Rgb base = c.IsKey(x, y) ? Rgb{} : c.GetRgb(x, y);
    c.Set(x, y, Add(base, Rgb{light * 0.8f, light * 0.85f, light}));
  }
  // Nothing brighter than the cap, whatever the sums above gave.
  ForPixels(c, 0, 0, TileSize, TileSize, [](Rgb p, int, int) {
    float most = std::max({p.R, p.G, p.B});
    return most > DarkestCap ? Scale(p, DarkestCap / most) : p;
  });
}

// "SHIP LOST" over the way back to the menu, in 320 x 64 pixels at (0, 600): lettering with a
// dark rim so it reads over explosions and enemies alike, and nothing drawn between letters.
void PaintShipLost(Canvas& c) {
  const int top = TileSize, width = 320, height = 64;
  TTF_Font* big = OpenArtFont(FontFace::Bold, 34);
  TTF_Font* small = OpenArtFont(FontFace::Bold, 13);
  TextCentred(c, big, width / 2, top + 2, "SHIP LOST", Hex(0xFF6A3C));
  // Warm at the top of the letters, deeper red at their feet.
  ForPixels(c, 0, top, width, top + 42, [&](Rgb p, int, int y) {
    return Mix(p, Scale(p, 0.72f), float(y - top) / 42.0f);
  });
  TextCentred(c, small, width / 2, top + 43, "ESCAPE RETURNS TO THE MENU", Hex(0xE8E8F0));
  Outline(c, 0, top, width, top + height, 1.0f, true);
  Outline(c, 0, top, width, top + height, 1.0f, true);
}

}  // namespace

void PaintBackdrop(Canvas& c) {
  PaintNebula(c);
  PaintShipLost(c);
}
