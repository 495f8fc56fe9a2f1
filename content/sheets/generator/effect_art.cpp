// Sheets 2, 6, 7 and 9: stars, explosions, enemy bullets and the mouse pointer.
#include <algorithm>
#include <cmath>

#include "sheets.h"

void PaintStars(Canvas& c) {
  // Kind 0: a faint 2 x 2 speck; kind 1: a 3 x 3 cross; kind 2: a bright 4 x 4 star.
  c.FillRect(0, 0, 2, 2, Hex(0x8890a8));
  c.Set(0, 0, Hex(0xb0b8d0));
  const Rgb mid = Hex(0xd8e0ff), rim = Hex(0x7080b0);
  c.Set(4, 1, Hex(0xffffff)), c.Set(4, 0, rim), c.Set(3, 1, rim), c.Set(5, 1, rim), c.Set(4, 2, rim);
  c.Set(3, 0, Hex(0x303850)), c.Set(5, 0, Hex(0x303850)), c.Set(3, 2, Hex(0x303850)), c.Set(5, 2, Hex(0x303850));
  for (int y = 0; y < 4; ++y)
    for (int x = 7; x < 11; ++x) {
      bool corner = (x == 7 || x == 10) && (y == 0 || y == 3);
      bool core = (x == 8 || x == 9) && (y == 1 || y == 2);
      c.Set(x, y, corner ? Hex(0x404870) : core ? Hex(0xfffff0) : mid);
    }
}

void PaintMouse(Canvas& c) {
  // A classic arrow: light steel body, dark rim, a cyan glint; the key is black.
  Mask m(20, 30);
  m.Poly({{1, 1}, {1, 23}, {6.5f, 18}, {10.5f, 27}, {14, 25.5f}, {10, 17}, {17, 17}});
  Shading s;
  s.Bevel = 2.5f;
  s.Ambient = 0.7f;
  s.Diffuse = 0.45f;
  ShadeMask(c, 0, 0, m, Hex(0xd8e4f0), s);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 20; ++x)
      if (m.At(x, y) && (!m.At(x - 1, y) || !m.At(x + 1, y) || !m.At(x, y - 1) || !m.At(x, y + 1)))
        c.Set(x, y, Hex(0x182838));
  c.Set(2, 3, Hex(0x60e0ff)), c.Set(2, 4, Hex(0x60e0ff)), c.Set(3, 4, Hex(0x60e0ff));
}

namespace {

// A bright sphere with a hot core inside a dark rim, for the enemy bullets: the body reads on
// the black of space, the rim parts it from any sprite it flies over.
void Orb(Canvas& c, float cx, float cy, float r, Rgb col, Rgb core, int x0, int y0, int x1, int y1) {
  const float body = r - 1.05f;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      if (d > r) continue;
      if (d > body) {
        c.Set(x, y, Add(Scale(col, 0.16f), Rgb{6, 4, 8}));
        continue;
      }
      float t = d / body;
      Rgb p = Mix(core, col, std::min(1.0f, t * t * 1.3f));
      float hl = std::hypot((x + 0.5f - cx) / body + 0.35f, (y + 0.5f - cy) / body + 0.4f);
      c.Set(x, y, Mix(p, Hex(0xffffff), std::max(0.0f, 0.55f - hl)));
    }
}

}  // namespace

void PaintEShots(Canvas& c) {
  // Kind 0, the common bullet: one 9 x 9 orb per level, each level its own colour.
  static const uint32_t rows[13][2] = {
      {0xff4030, 0xfff0a0}, {0xff8c1a, 0xfff4c0}, {0xf0e020, 0xffffd0}, {0x50e040, 0xe0ffd0}, {0x20d0c0, 0xd0fff8},
      {0x3090ff, 0xd8f0ff}, {0x8050ff, 0xe8e0ff}, {0xe040e0, 0xffe0ff}, {0xff5090, 0xffe0f0}, {0xc0c8d8, 0xfafcff},
      {0xa06030, 0xffe0b0}, {0x40ff90, 0xf0fff0}, {0xff2060, 0xffd0e0}};
  for (int i = 0; i < 13; ++i) Orb(c, 4.5f, i * 9 + 4.5f, 4.4f, Hex(rows[i][0]), Hex(rows[i][1]), 0, i * 9, 9, i * 9 + 9);

  // Kind 1, the instant kill, the deadliest thing on screen and the brightest: a white-hot
  // heart in a blazing red star whose spikes burn yellow at the tips, ringed in black so it
  // stands out over sprites and explosions alike. It pulses between two frames: the calm one
  // at the top of the column, and a flare at the foot of the sheet (y 96) with a white
  // heart twice as wide, a hotter body and its spikes turned half a step: the star throbs and glints.
  auto star = [&c](int top, bool flare) {
    const float cx = 19.5f, cy = top + 10.5f, turn = flare ? 3.14159265f / 8 : 0;
    Mask m(30, 117);
    for (int k = 0; k < 8; ++k) {
      float a = k * 3.14159265f / 4 + 0.39f + turn, b = a + 0.34f, e = a - 0.34f;
      m.Poly({{cx + std::cos(e) * 5.5f, cy + std::sin(e) * 5.5f}, {cx + std::cos(a) * 9.8f, cy + std::sin(a) * 9.8f},
              {cx + std::cos(b) * 5.5f, cy + std::sin(b) * 5.5f}});
    }
    m.Ellipse(cx, cy, flare ? 7.6f : 7.2f, flare ? 7.6f : 7.2f);
    const float heart = flare ? 4.4f : 2.6f, hot = flare ? 6.4f : 4.6f;
    for (int y = top; y < top + 21; ++y)
      for (int x = 9; x < 30; ++x) {
        if (!m.At(x, y)) continue;
        float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
        Rgb p = d < heart ? Hex(0xffffff)
                : d < hot ? Mix(Hex(0xfff6a0), Hex(0xff6a20), (d - heart) / (hot - heart))
                : d < 7.2f ? Mix(Hex(flare ? 0xff8030 : 0xff3a18), Hex(flare ? 0xff3828 : 0xff1030), (d - hot) / (7.2f - hot))
                           : Mix(Hex(flare ? 0xffd860 : 0xff9020), Hex(flare ? 0xfffff0 : 0xffe040), (d - 7.2f) / 2.6f);
        c.Set(x, y, p);
      }
    // The ring of black round the whole star.
    Outline(c, 9, top, 30, top + 21, 0.85f, true);
    for (int y = top; y < top + 21; ++y)
      for (int x = 9; x < 30; ++x)
        if (!c.IsKey(x, y) && !m.At(x, y)) c.Set(x, y, Hex(0x180004));
  };
  star(0, false);
  star(96, true);
  // Kind 2, the charge drain: a crackling cyan spark with a yellow heart.
  Orb(c, 13, 25, 3.9f, Hex(0x20b0ff), Hex(0xfff080), 9, 21, 17, 29);
  c.Set(9, 25, Hex(0x80e0ff)), c.Set(16, 25, Hex(0x80e0ff)), c.Set(13, 21, Hex(0x80e0ff)), c.Set(13, 28, Hex(0x80e0ff));
  // Kind 3, the holding shot: a pale blue ice ring.
  for (int y = 21; y < 31; ++y)
    for (int x = 17; x < 27; ++x) {
      float d = std::hypot(x + 0.5f - 22, y + 0.5f - 26);
      if (d > 4.0f && d <= 5.0f) c.Set(x, y, Hex(0x081828));  // a dark rim, as on every enemy bullet
      else if (d <= 4.0f && d >= 1.8f) c.Set(x, y, Mix(Hex(0xf0faff), Hex(0x40a0f0), std::fabs(d - 2.9f) / 1.1f));
      else if (d < 1.8f) c.Set(x, y, Hex(0xa0e0ff));
    }
  // Kind 4, the silencer: a violet capsule wrapped in a lightning bolt.
  {
    Mask cap(30, 117);
    cap.Ellipse(15, 39.5f, 5.2f, 8.2f);
    Shading s;
    s.Bevel = 3;
    s.Gloss = 0.8f;
    ShadeMask(c, 0, 0, cap, Hex(0x9040e0), s);
    Mask bolt(30, 117);
    bolt.Poly({{16.5f, 32}, {12, 40}, {15, 40}, {13, 47}, {18.5f, 38}, {15.5f, 38}, {17.5f, 32}});
    FlatMask(c, 0, 0, bolt, Hex(0xfff060));
    Outline(c, 9, 31, 21, 48, 0.6f, false);
  }
}

void PaintExplosions(Canvas& c) {
  // Three fireballs: frames grow, flash white-hot, burn orange and fade into smoke and embers.
  struct Kind {
    int Top, Height, Width, Frames;
    uint32_t Seed;
  };
  const Kind kinds[3] = {{0, 57, 60, 11, 11}, {60, 70, 80, 12, 23}, {132, 27, 30, 8, 37}};
  for (const Kind& k : kinds) {
    ArtRandom rnd(k.Seed);
    struct Spark {
      float A, V, S;
    };
    std::vector<Spark> sparks;
    for (int i = 0; i < 14; ++i) sparks.push_back({rnd.Range(0, 6.2831853f), rnd.Range(0.55f, 1.0f), rnd.Next()});
    const float cx = k.Width / 2.0f, cy = k.Height / 2.0f, rmax = std::min(cx, cy) * 0.86f;
    for (int f = 0; f < k.Frames; ++f) {
      const float t = float(f) / float(k.Frames - 1);
      const float radius = rmax * (0.45f + 0.55f * std::sqrt(t));
      const float heat = std::max(0.0f, 1 - t * 1.15f);   // white-hot early, cold at the end
      const float density = t < 0.7f ? 1 : 1 - (t - 0.7f) / 0.3f * 0.7f;  // thins into smoke
      const int x0 = f * k.Width;
      for (int y = 0; y < k.Height; ++y)
        for (int x = 0; x < k.Width; ++x) {
          float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
          float ang = std::atan2(dy, dx);
          float n = Noise2(std::cos(ang) * 2.2f + f * 0.35f, std::sin(ang) * 2.2f + k.Seed, k.Seed) * 0.45f +
                    Noise2(x * 0.22f, y * 0.22f + f * 0.9f, k.Seed + 7) * 0.35f;
          float edge = radius * (0.72f + n * 0.55f);
          float d = std::hypot(dx, dy) / edge;
          if (d >= 1) continue;
          float inner = Noise2(x * 0.3f + f, y * 0.3f, k.Seed + 3);
          float puffs = Noise2(x * 0.13f, y * 0.13f + f * 0.2f, k.Seed + 5);
          if (t > 0.55f && puffs > density + 0.1f) continue;  // the smoke breaks into puffs
          float v = (1 - d) * (0.65f + inner * 0.5f);
          // Colour ramp: smoke, red, orange, yellow, white, scaled by the frame's heat.
          float e = v * (0.35f + heat * 1.1f);
          Rgb col;
          if (e > 0.95f) col = Hex(0xfffbe8);
          else if (e > 0.7f) col = Mix(Hex(0xffd040), Hex(0xfffbe8), (e - 0.7f) / 0.25f);
          else if (e > 0.45f) col = Mix(Hex(0xff7a10), Hex(0xffd040), (e - 0.45f) / 0.25f);
          else if (e > 0.22f) col = Mix(Hex(0xb02008), Hex(0xff7a10), (e - 0.22f) / 0.23f);
          else col = Mix(Hex(0x3a302c), Hex(0xb02008), e / 0.22f);
          if (t > 0.6f) col = Mix(col, Hex(0x4a4440), (t - 0.6f) * 1.2f * (1 - e));
          c.Set(x0 + x, k.Top + y, col);
        }
      // Flying embers.
      for (const Spark& s : sparks) {
        float r = radius * (0.6f + s.V * 0.9f) * (0.5f + t);
        int sx = int(cx + std::cos(s.A) * r), sy = int(cy + std::sin(s.A) * r);
        if (sx < 1 || sy < 1 || sx >= k.Width - 1 || sy >= k.Height - 1 || t > 0.9f) continue;
        Rgb ember = Mix(Hex(0xfff0a0), Hex(0xff5010), t);
        c.Set(x0 + sx, k.Top + sy, ember);
        if (s.S > 0.5f) c.Set(x0 + sx + 1, k.Top + sy, Scale(ember, 0.7f));
      }
      // The first frame is a bright flash.
      if (f <= 1) Glow(c, x0 + cx, k.Top + cy, radius * (f == 0 ? 1.2f : 0.8f), Hex(0xfff8e0), f == 0 ? 1.6f : 0.9f,
                       0.1f, x0, k.Top, x0 + k.Width, k.Top + k.Height);
    }
  }
}
