// Sheets 5 and 13: the enemy craft, the heavy rocks and crates, the pickup and the ten bosses,
// each in the rectangle the enemy tables give it; sheet 13 holds the same sprites as they look
// when a shot strikes them.
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

constexpr float Tau = 6.2831853f;

// A part of a craft in normalised coordinates: u runs from the centre line (0) to the side
// edge (1), v from the top (0) to the bottom (1). Enemies fly downwards: noses point down,
// engines up. Mirrored parts are drawn on both sides.
struct Part {
  enum Kind { Poly, Ell, Box, Ring } K;
  std::vector<Pt> P;  // Poly: outline; Ell: {centre, radii}; Box: {corner, corner}; Ring: {centre, {r0, r1}}
  uint32_t Col;
  float Bevel = 3, Gloss = 0.35f;
  bool Mirror = true;
};

struct Lamp {
  float U, V, R;
  uint32_t Col;
  bool Engine = false;  // engines glow upwards with a flame
};

// A row of lit windows along the hull, from (u, v0) to (u, v1).
struct Windows {
  float U, V0, V1;
  int N;
  uint32_t Col = 0x90e0ff;
};

struct Craft {
  std::vector<Part> Parts;
  std::vector<Lamp> Lamps;
  float Panels = 0;  // spacing of the hull's panel lines, 0 for none
  uint32_t Seed = 1;
  std::vector<Pt> Turrets;  // gun turrets (u, v), barrels pointing down at the player
  float TurretR = 4;        // turret radius in pixels
  std::vector<Windows> Rows;
};

// A turret: a lit metal dome with a dark barrel reaching down.
void Turret(Canvas& c, float x, float y, float r) {
  Mask barrel(c.W, c.H), dome(c.W, c.H);
  barrel.Rect(x - r * 0.28f, y, x + r * 0.28f, y + r * 1.9f);
  dome.Ellipse(x, y, r, r);
  ShadeMask(c, 0, 0, barrel, Hex(0x3a3e48), {1, 0.55f, 0.6f, 0.5f});
  ShadeMask(c, 0, 0, dome, Hex(0x9aa2b4), {r * 0.7f, 0.45f, 0.8f, 0.8f});
  c.Set(int(x), int(y + r * 1.9f) - 1, Hex(0xff8040));
  for (int py = int(y - r - 1); py <= int(y + r + 1); ++py)
    for (int px = int(x - r - 1); px <= int(x + r + 1); ++px)
      if (std::fabs(std::hypot(px + 0.5f - x, py + 0.5f - y) - r) < 0.5f) c.Set(px, py, Hex(0x202430));
}

struct Frame {
  int X, Y, W, H;
  float cx() const { return W / 2.0f; }
  float hw() const { return W / 2.0f - 1.5f; }
  float px(float u) const { return cx() + u * hw(); }
  float py(float v) const { return 1.5f + v * (H - 3.0f); }
};

Mask PartMask(const Frame& f, const Part& p, bool mirrored) {
  Mask m(f.W, f.H);
  auto U = [&](float u) { return mirrored ? -u : u; };
  switch (p.K) {
    case Part::Poly: {
      std::vector<Pt> pts;
      for (const Pt& q : p.P) pts.push_back({f.px(U(q.X)), f.py(q.Y)});
      m.Poly(pts);
      break;
    }
    case Part::Ell:
      m.Ellipse(f.px(U(p.P[0].X)), f.py(p.P[0].Y), p.P[1].X * f.hw(), p.P[1].Y * (f.H - 3.0f));
      break;
    case Part::Box: {
      float x0 = f.px(U(p.P[0].X)), x1 = f.px(U(p.P[1].X));
      m.Rect(std::min(x0, x1), f.py(p.P[0].Y), std::max(x0, x1), f.py(p.P[1].Y));
      break;
    }
    case Part::Ring:
      m.Ring(f.px(U(p.P[0].X)), f.py(p.P[0].Y), p.P[1].X * f.hw(), p.P[1].Y * f.hw());
      break;
  }
  return m;
}

void DrawCraft(Canvas& c, const Frame& f, const Craft& craft) {
  Canvas cell(f.W, f.H, c.Key);
  for (const Part& p : craft.Parts) {
    Mask m = PartMask(f, p, false);
    if (p.Mirror) m.Union(PartMask(f, p, true));
    Shading s;
    s.Bevel = p.Bevel;
    s.Gloss = p.Gloss;
    ShadeMask(cell, 0, 0, m, Hex(p.Col), s);
    // A thin dark seam round every part, so plates read as separate pieces.
    for (int y = 0; y < f.H; ++y)
      for (int x = 0; x < f.W; ++x)
        if (m.At(x, y) && (!m.At(x - 1, y) || !m.At(x, y - 1) || !m.At(x + 1, y) || !m.At(x, y + 1)))
          cell.Set(x, y, Scale(Hex(p.Col), 0.42f));
  }
  if (craft.Panels > 0) {
    ArtRandom rnd(craft.Seed);
    int lines = int(f.W * f.H / (craft.Panels * craft.Panels * 2));
    for (int i = 0; i < lines; ++i) {
      int x = int(rnd.Range(0, f.cx())), y = int(rnd.Range(0, float(f.H))), len = int(rnd.Range(3, craft.Panels));
      bool vertical = rnd.Next() < 0.5f;
      for (int k = 0; k < len; ++k) {
        int px = vertical ? x : x + k, py = vertical ? y + k : y;
        for (int side : {px, f.W - 1 - px})
          if (!cell.IsKey(side, py) && !cell.IsKey(side + 1, py) && !cell.IsKey(side, py + 1))
            cell.Set(side, py, Scale(cell.GetRgb(side, py), 0.72f));
      }
    }
  }
  for (const Windows& w : craft.Rows)
    for (float u : {w.U, -w.U}) {
      for (int i = 0; i < w.N; ++i) {
        float v = w.V0 + (w.V1 - w.V0) * (w.N > 1 ? float(i) / float(w.N - 1) : 0);
        int x = int(f.px(u)), y = int(f.py(v));
        cell.Set(x, y, Hex(w.Col));
        cell.Set(x, y + 1, Scale(Hex(w.Col), 0.6f));
      }
      if (w.U == 0) break;
    }
  for (const Pt& t : craft.Turrets)
    for (float u : {t.X, -t.X}) {
      Turret(cell, f.px(u), f.py(t.Y), craft.TurretR);
      if (t.X == 0) break;
    }
  for (const Lamp& l : craft.Lamps)
    for (float u : {l.U, -l.U}) {
      float x = f.px(u), y = f.py(l.V), r = l.R * f.hw();
      if (l.Engine) {
        for (int k = 0; k < int(r * 2.2f); ++k) {
          float w = r * (1 - float(k) / (r * 2.2f));
          for (int dx = int(-w); dx <= int(w); ++dx)
            cell.Set(int(x + dx), int(y - k), Mix(Hex(0xfff8d0), Hex(l.Col), std::min(1.0f, std::fabs(dx / std::max(w, 1.0f)) + k / (r * 2.2f))));
        }
      }
      Glow(cell, x, y, r * 2.2f, Hex(l.Col), 0.7f, 0.22f);
      for (int py = int(y - r - 1); py <= int(y + r + 1); ++py)
        for (int px = int(x - r - 1); px <= int(x + r + 1); ++px) {
          float d = std::hypot(px + 0.5f - x, py + 0.5f - y) / std::max(r, 0.6f);
          if (d <= 1) cell.Set(px, py, Mix(Hex(0xfffff0), Hex(l.Col), d));
        }
      if (l.U == 0) break;
    }
  Outline(cell, 0, 0, f.W, f.H, 0.6f, true);
  c.Paste(cell, 0, 0, f.W, f.H, f.X, f.Y);
}

// A block of rock hewn square: it collides as the square it fills, so what looks open beside it
// is open. A blunt, chipped outline (a rounded square), cratered and lit; seams of light for
// the breakable kind.
void DrawRock(Canvas& c, const Frame& f, uint32_t seed, Rgb base, Rgb seams, bool cracked) {
  Canvas cell(f.W, f.H, c.Key);
  Mask m(f.W, f.H);
  std::vector<Pt> pts;
  for (int i = 0; i < 72; ++i) {
    float a = i * Tau / 72, ca = std::fabs(std::cos(a)), sa = std::fabs(std::sin(a));
    float square = 1 / std::pow(std::pow(ca, 5.0f) + std::pow(sa, 5.0f), 0.2f);
    float r = (f.W / 2.0f - 1.5f) * square * (0.93f + 0.07f * Noise2(std::cos(a) * 3 + 5, std::sin(a) * 3 + 5, seed));
    pts.push_back({f.cx() + std::cos(a) * r, f.H / 2.0f + std::sin(a) * r});
  }
  m.Poly(pts);
  ShadeMask(cell, 0, 0, m, base, {14, 0.35f, 0.85f, 0.12f});
  ArtRandom rnd(seed);
  for (int i = 0; i < 9; ++i) {
    float x = rnd.Range(20, f.W - 20.0f), y = rnd.Range(20, f.H - 20.0f), r = rnd.Range(3, 9);
    for (int py = int(y - r); py <= int(y + r); ++py)
      for (int px = int(x - r); px <= int(x + r); ++px) {
        if (cell.IsKey(px, py)) continue;
        float dx = (px + 0.5f - x) / r, dy = (py + 0.5f - y) / r, d = dx * dx + dy * dy;
        if (d > 1) continue;
        float k = (dx + dy) > 0 ? 1.15f : 0.6f;  // the crater's lit far wall, shadowed near wall
        if (d > 0.7f) k = (dx + dy) > 0 ? 0.7f : 1.25f;
        cell.Set(px, py, Scale(cell.GetRgb(px, py), k));
      }
  }
  ForPixels(cell, 0, 0, f.W, f.H, [&](Rgb p, int x, int y) {
    return Scale(p, 0.85f + 0.3f * Noise2(x * 0.25f, y * 0.25f, seed + 1));
  });
  if (!cracked) {
    // The unbreakable kind is bound in two iron straps, riveted: it will not be shot apart.
    for (int band : {f.H * 3 / 10, f.H * 7 / 10 - 6})
      for (int y = band; y < band + 6; ++y)
        for (int x = 0; x < f.W; ++x) {
          if (cell.IsKey(x, y)) continue;
          Rgb iron = Scale(Hex(0x5a6270), y == band ? 1.5f : y == band + 5 ? 0.5f : 1.0f);
          cell.Set(x, y, (x % 12 == 6 && (y == band + 2 || y == band + 3)) ? Hex(0xc8d0dc) : iron);
        }
  }
  if (cracked) {
    for (int k = 0; k < 5; ++k) {
      float x = f.cx(), y = f.H / 2.0f, a = k * Tau / 5 + rnd.Range(0, 0.6f);
      for (int s = 0; s < 38; ++s) {
        a += rnd.Range(-0.35f, 0.35f);
        x += std::cos(a), y += std::sin(a);
        if (cell.IsKey(int(x), int(y)) || cell.IsKey(int(x) + 1, int(y))) break;
        cell.Set(int(x), int(y), Mix(Hex(0xfff0a0), seams, float(s) / 38));
        cell.Set(int(x) + 1, int(y), Scale(seams, 0.8f));
      }
    }
    Glow(cell, f.cx(), f.H / 2.0f, 12, seams, 0.8f, 0.25f);
  }
  Outline(cell, 0, 0, f.W, f.H, 0.55f, true);
  c.Paste(cell, 0, 0, f.W, f.H, f.X, f.Y);
}

using P = Part;

Craft With(Craft c, std::vector<Pt> turrets, float r, std::vector<Windows> rows) {
  c.Turrets = std::move(turrets);
  c.TurretR = r;
  c.Rows = std::move(rows);
  return c;
}

}  // namespace

void PaintEnemies(Canvas& c) {
  // Kinds 0 to 19: sprite rectangles (left, top, width, height) as the enemy table reads them.
  auto at = [](int left, int top, int w, int h) { return Frame{left, top, w, h}; };

  // 0: a red dart scout.
  DrawCraft(c, at(592, 0, 44, 36),
            {{{P::Poly, {{0.15f, 0.25f}, {1, 0.02f}, {0.92f, 0.35f}, {0.3f, 0.85f}}, 0x9a2a30, 2.5f},
              {P::Poly, {{0, 0}, {0.28f, 0.08f}, {0.32f, 0.6f}, {0, 1}}, 0xd84040, 3},
              {P::Ell, {{0, 0.55f}, {0.1f, 0.16f}}, 0xffd040, 2, 0.9f, false}},
             {{0.18f, 0.08f, 0.06f, 0xff9040, true}}});
  // 1: a green interceptor with forward-swept blades.
  DrawCraft(c, at(69, 0, 41, 48),
            {{{P::Poly, {{0.25f, 0.35f}, {1, 0.78f}, {0.95f, 0.98f}, {0.25f, 0.7f}}, 0x2f7a3a, 2.5f},
              {P::Poly, {{0, 0}, {0.32f, 0.08f}, {0.36f, 0.72f}, {0, 1}}, 0x5fc060, 3},
              {P::Ell, {{0, 0.62f}, {0.11f, 0.12f}}, 0xe0f070, 2, 0.9f, false}},
             {{0.17f, 0.05f, 0.07f, 0x60ffa0, true}},
             6, 11});
  // 2: a purple flying-wing bomber.
  DrawCraft(c, at(440, 0, 83, 68),
            {{{P::Poly, {{0, 0.12f}, {0.6f, 0.3f}, {1, 0.55f}, {0.97f, 0.72f}, {0.55f, 0.62f}, {0, 0.8f}}, 0x5a3090, 4},
              {P::Poly, {{0, 0}, {0.18f, 0.06f}, {0.22f, 0.88f}, {0, 1}}, 0x9a68d0, 4},
              {P::Ell, {{0.55f, 0.5f}, {0.09f, 0.14f}}, 0x3a1a60, 2},
              {P::Ell, {{0, 0.7f}, {0.08f, 0.1f}}, 0xff80ff, 2, 0.9f, false}},
             {{0.3f, 0.08f, 0.05f, 0xd080ff, true}, {0.85f, 0.6f, 0.03f, 0xff4060}},
             8, 21});
  // 3: a teal saucer with a glass dome.
  DrawCraft(c, at(636, 0, 67, 30),
            {{{P::Ell, {{0, 0.6f}, {1, 0.38f}}, 0x2a8a90, 5, 0.4f, false},
              {P::Ell, {{0, 0.72f}, {0.55f, 0.18f}}, 0x1a5a60, 2, 0.3f, false},
              {P::Ell, {{0, 0.38f}, {0.32f, 0.36f}}, 0x80e8ff, 4, 1.0f, false}},
             {{0.72f, 0.62f, 0.05f, 0xffe060}, {0.38f, 0.8f, 0.05f, 0xff6040}}});
  // 4: a brown heavy gunship with twin pods.
  DrawCraft(c, at(0, 0, 69, 72),
            {{{P::Poly, {{0.3f, 0.3f}, {0.62f, 0.35f}, {0.62f, 0.6f}, {0.3f, 0.7f}}, 0x6a4a2a, 2},
              {P::Ell, {{0.74f, 0.5f}, {0.25f, 0.44f}}, 0xa06a30, 4},
              {P::Box, {{0.66f, 0.85f}, {0.82f, 1}}, 0x505060, 1.5f},
              {P::Poly, {{0, 0}, {0.36f, 0.04f}, {0.4f, 0.82f}, {0, 0.98f}}, 0xc08848, 5},
              {P::Ell, {{0, 0.66f}, {0.15f, 0.1f}}, 0xffa040, 2, 0.9f, false}},
             {{0.74f, 0.06f, 0.08f, 0xffa040, true}, {0, 0.2f, 0.06f, 0xff6020}},
             7, 4});
  // 5: an orange crab with claws.
  DrawCraft(c, at(110, 0, 72, 46),
            {{{P::Poly, {{0.45f, 0.3f}, {0.9f, 0.35f}, {1, 0.7f}, {0.85f, 1}, {0.75f, 0.62f}, {0.5f, 0.62f}}, 0xb04818, 2.5f},
              {P::Ell, {{0, 0.42f}, {0.58f, 0.45f}}, 0xe07030, 6, 0.4f, false},
              {P::Ell, {{0.2f, 0.55f}, {0.1f, 0.12f}}, 0x101010, 1.5f, 0.9f}},
             {{0.2f, 0.55f, 0.05f, 0xffff60}, {0.3f, 0.1f, 0.06f, 0xff8040, true}},
             0});
  // 6: a dark blue bat wing.
  DrawCraft(c, at(367, 0, 73, 45),
            {{{P::Poly, {{0, 0.3f}, {0.45f, 0}, {1, 0.15f}, {0.8f, 0.5f}, {1, 0.95f}, {0.55f, 0.72f}, {0.3f, 1}, {0, 0.82f}},
               0x283a80, 4},
              {P::Poly, {{0, 0.1f}, {0.15f, 0.2f}, {0.16f, 0.8f}, {0, 0.98f}}, 0x5a78c8, 3},
              {P::Ell, {{0.3f, 0.5f}, {0.07f, 0.1f}}, 0xff3040, 2, 0.9f}},
             {{0.3f, 0.5f, 0.04f, 0xff4050}}});
  // 7: a cyan manta.
  DrawCraft(c, at(703, 0, 79, 60),
            {{{P::Poly, {{0, 0}, {0.5f, 0.3f}, {1, 0.72f}, {0.7f, 0.78f}, {0.4f, 0.7f}, {0, 1}}, 0x2090a8, 5},
              {P::Poly, {{0, 0.15f}, {0.12f, 0.3f}, {0.1f, 0.85f}, {0, 0.92f}}, 0x60d8e8, 3},
              {P::Ell, {{0.45f, 0.55f}, {0.06f, 0.08f}}, 0xfff080, 1.5f, 0.9f}},
             {{0.12f, 0.12f, 0.05f, 0x60f0ff, true}},
             7, 7});
  // 8: a yellow needle torpedo.
  DrawCraft(c, at(267, 0, 28, 49),
            {{{P::Poly, {{0.3f, 0.05f}, {1, 0.05f}, {0.9f, 0.25f}, {0.3f, 0.3f}}, 0x906010, 2},
              {P::Poly, {{0, 0}, {0.45f, 0.08f}, {0.5f, 0.78f}, {0, 1}}, 0xf0c030, 3},
              {P::Ell, {{0, 0.6f}, {0.22f, 0.08f}}, 0xff5020, 1.5f, 0.8f, false}},
             {{0, 0.06f, 0.16f, 0xffe080, true}}});
  // 9: a grey-blue cruiser.
  DrawCraft(c, at(296, 0, 71, 88),
            {{{P::Poly, {{0.3f, 0.28f}, {1, 0.42f}, {0.95f, 0.58f}, {0.35f, 0.62f}}, 0x4a5a78, 3},
              {P::Box, {{0.78f, 0.45f}, {0.9f, 0.8f}}, 0x30384a, 1.5f},
              {P::Poly, {{0, 0}, {0.34f, 0.04f}, {0.42f, 0.9f}, {0, 1}}, 0x8a9ab8, 5},
              {P::Box, {{0.06f, 0.2f}, {0.2f, 0.3f}}, 0xc03a3a, 1.5f},
              {P::Ell, {{0, 0.78f}, {0.12f, 0.06f}}, 0x70e0ff, 2, 0.9f, false}},
             {{0.2f, 0.03f, 0.06f, 0x80c0ff, true}, {0.95f, 0.5f, 0.03f, 0xff4040}},
             7, 9});
  // 10: a magenta lancer with twin prongs.
  DrawCraft(c, at(110, 64, 39, 60),
            {{{P::Poly, {{0.3f, 0.55f}, {0.7f, 0.6f}, {0.65f, 1}, {0.45f, 0.98f}, {0.3f, 0.75f}}, 0x801a70, 2},
              {P::Poly, {{0, 0}, {0.55f, 0.2f}, {1, 0.4f}, {0.5f, 0.65f}, {0, 0.8f}}, 0xd040b0, 4},
              {P::Ell, {{0, 0.4f}, {0.2f, 0.1f}}, 0xffd0f0, 2, 0.9f, false}},
             {{0.55f, 0.95f, 0.08f, 0xff60e0}}});
  // 11: a yellow-green orb drone in a ring.
  DrawCraft(c, at(149, 64, 46, 46),
            {{{P::Ring, {{0, 0.5f}, {0.78f, 1.0f}}, 0x7a9020, 2, 0.5f, false},
              {P::Box, {{0.05f, 0.45f}, {0.82f, 0.55f}}, 0x586818, 1},
              {P::Ell, {{0, 0.5f}, {0.55f, 0.55f}}, 0xc8e040, 7, 0.6f, false},
              {P::Ell, {{0, 0.6f}, {0.22f, 0.22f}}, 0x203010, 2, 0.9f, false}},
             {{0, 0.6f, 0.12f, 0xff4020}}});
  // 12: a steel tri-wing with an orange core.
  DrawCraft(c, at(523, 0, 69, 62),
            {{{P::Poly, {{0.2f, 0.5f}, {1, 0.1f}, {0.95f, 0.3f}, {0.3f, 0.7f}}, 0x6a7488, 3},
              {P::Poly, {{0, 0.55f}, {0.15f, 0.6f}, {0.1f, 1}, {0, 1}}, 0x6a7488, 3},
              {P::Ell, {{0, 0.5f}, {0.35f, 0.3f}}, 0xa8b0c0, 5, 0.5f, false},
              {P::Ell, {{0, 0.5f}, {0.15f, 0.13f}}, 0xff8020, 2, 0.9f, false}},
             {{0.9f, 0.16f, 0.04f, 0xffa040}},
             6, 12});
  // 13: a green-brown insectoid.
  DrawCraft(c, at(195, 64, 47, 59),
            {{{P::Poly, {{0.2f, 0.3f}, {1, 0.2f}, {0.95f, 0.3f}, {0.3f, 0.42f}}, 0x4a3a1a, 1.5f},
              {P::Poly, {{0.2f, 0.5f}, {1, 0.55f}, {0.9f, 0.62f}, {0.3f, 0.6f}}, 0x4a3a1a, 1.5f},
              {P::Poly, {{0.2f, 0.68f}, {0.8f, 0.95f}, {0.7f, 0.98f}, {0.25f, 0.78f}}, 0x4a3a1a, 1.5f},
              {P::Ell, {{0, 0.2f}, {0.42f, 0.2f}}, 0x6a8a30, 5, 0.5f, false},
              {P::Ell, {{0, 0.52f}, {0.36f, 0.16f}}, 0x7aa038, 4, 0.5f, false},
              {P::Ell, {{0, 0.82f}, {0.3f, 0.16f}}, 0x8ab040, 4, 0.5f, false},
              {P::Ell, {{0.15f, 0.88f}, {0.08f, 0.05f}}, 0xff3010, 1, 0.9f}},
             {}});
  // 14: a blue-grey carrier with a lit hangar.
  DrawCraft(c, at(182, 0, 85, 64),
            {{{P::Poly, {{0.3f, 0.15f}, {1, 0.3f}, {1, 0.7f}, {0.6f, 0.9f}, {0.3f, 0.85f}}, 0x4a5870, 4},
              {P::Poly, {{0, 0}, {0.4f, 0.05f}, {0.45f, 0.92f}, {0, 1}}, 0x7a8aa8, 5},
              {P::Box, {{-0.25f, 0.55f}, {0.25f, 0.75f}}, 0x181c28, 1.5f, 0.2f, false},
              {P::Box, {{0.7f, 0.35f}, {0.9f, 0.6f}}, 0x303848, 1.5f}},
             {{0.35f, 0.06f, 0.05f, 0x70b0ff, true}, {0, 0.65f, 0.07f, 0xffd060}, {0.95f, 0.5f, 0.025f, 0x40ff60}},
             8, 14});
  // 15 to 18: the large craft. 15 an unbreakable rock, 16 a cracked rock that can be shot
  // apart, 17 a supply crate whose destruction refills the ship, 18 an armoured iron hulk.
  DrawRock(c, at(782, 0, 100, 100), 15, Hex(0x7a7470), Hex(0x000000), false);
  DrawRock(c, at(782, 100, 100, 100), 16, Hex(0x8a6a4a), Hex(0xff8020), true);
  DrawCraft(c, at(882, 200, 100, 100),
            {{{P::Box, {{-0.92f, 0.08f}, {0.92f, 0.92f}}, 0x3a8a50, 6, 0.4f, false},
              {P::Box, {{0.72f, 0.1f}, {0.92f, 0.9f}}, 0x2a6a3a, 3},
              {P::Box, {{-0.12f, 0.28f}, {0.12f, 0.72f}}, 0xf0f4f0, 3, 0.4f, false},
              {P::Box, {{-0.45f, 0.43f}, {0.45f, 0.57f}}, 0xf0f4f0, 3, 0.4f, false},
              {P::Box, {{-0.08f, 0.32f}, {0.08f, 0.68f}}, 0xe03030, 2, 0.6f, false},
              {P::Box, {{-0.4f, 0.46f}, {0.4f, 0.54f}}, 0xe03030, 2, 0.6f, false}},
             {{0.82f, 0.15f, 0.03f, 0xffff80}, {0.82f, 0.85f, 0.03f, 0xffff80}}});
  DrawCraft(c, at(882, 100, 100, 100),
            {{{P::Poly, {{0, 0.01f}, {0.8f, 0.02f}, {0.99f, 0.16f}, {0.99f, 0.84f}, {0.8f, 0.99f}, {0, 0.99f}}, 0x505a66, 8,
               0.3f},
              {P::Poly, {{0.15f, 0.25f}, {0.6f, 0.3f}, {0.7f, 0.6f}, {0.3f, 0.75f}}, 0x6a7684, 4, 0.5f},
              {P::Ell, {{0, 0.5f}, {0.18f, 0.18f}}, 0x303840, 3, 0.3f, false},
              {P::Ell, {{0, 0.5f}, {0.09f, 0.09f}}, 0xff3020, 2, 0.9f, false}},
             {{0.75f, 0.2f, 0.03f, 0xff5030}, {0.5f, 0.85f, 0.03f, 0xff5030}},
             10, 18});
  // 19: the pickup, a glowing golden capsule with a star.
  {
    Canvas cell(23, 28, c.Key);
    Glow(cell, 11.5f, 14, 13, Hex(0xffd040), 0.8f, 0.25f);
    Mask cap(23, 28);
    cap.Ellipse(11.5f, 14, 8, 11);
    ShadeMask(cell, 0, 0, cap, Hex(0x30b8e8), {4, 0.55f, 0.7f, 1.0f});
    Mask star(23, 28);
    std::vector<Pt> pts;
    for (int i = 0; i < 10; ++i) {
      float a = i * Tau / 10 - Tau / 4, r = i % 2 ? 2.4f : 6;
      pts.push_back({11.5f + std::cos(a) * r, 14.5f + std::sin(a) * r});
    }
    star.Poly(pts);
    ShadeMask(cell, 0, 0, star, Hex(0xffe040), {1.5f, 0.7f, 0.6f, 0.9f});
    Outline(cell, 0, 0, 23, 28, 0.6f, true);
    c.Paste(cell, 0, 0, 23, 28, 882, 0);
  }

  // The bosses, kinds 20 to 29: larger, layered and lit.
  // Level 1: a tall red warship with side cannons.
  DrawCraft(c, at(0, 196, 59, 127),
            With({{{P::Poly, {{0.35f, 0.15f}, {1, 0.3f}, {0.95f, 0.55f}, {0.4f, 0.6f}}, 0x7a2a2a, 4},
              {P::Box, {{0.7f, 0.45f}, {0.85f, 0.75f}}, 0x40404c, 2},
              {P::Poly, {{0.25f, 0.6f}, {0.7f, 0.7f}, {0.6f, 0.9f}, {0.3f, 0.85f}}, 0x9a3a3a, 3},
              {P::Poly, {{0, 0}, {0.4f, 0.03f}, {0.45f, 0.8f}, {0.2f, 0.97f}, {0, 1}}, 0xc85a4a, 6},
              {P::Box, {{-0.12f, 0.25f}, {0.12f, 0.5f}}, 0x602020, 2, 0.3f, false},
              {P::Ell, {{0, 0.85f}, {0.15f, 0.05f}}, 0xffd050, 2, 0.9f, false}},
             {{0.2f, 0.02f, 0.08f, 0xff8040, true}, {0.78f, 0.76f, 0.05f, 0xff3020}, {0, 0.38f, 0.08f, 0xffa040}},
             8, 20}, {{0.78f, 0.38f}, {0, 0.62f}}, 3.5f, {{0, 0.1f, 0.2f, 3, 0xffd080}, {0.25f, 0.55f, 0.75f, 4}}));
  // Level 2: a wide flat blade with four guns.
  DrawCraft(c, at(428, 111, 101, 49),
            With({{{P::Poly, {{0, 0.1f}, {0.5f, 0.05f}, {1, 0.4f}, {0.9f, 0.75f}, {0.5f, 0.7f}, {0, 1}}, 0x386a48, 5},
              {P::Box, {{0.3f, 0.6f}, {0.38f, 0.95f}}, 0x404850, 1.5f},
              {P::Box, {{0.65f, 0.6f}, {0.72f, 0.88f}}, 0x404850, 1.5f},
              {P::Ell, {{0, 0.45f}, {0.2f, 0.3f}}, 0x70c890, 4, 0.6f, false},
              {P::Ell, {{0, 0.5f}, {0.09f, 0.16f}}, 0xf0ff80, 2, 0.9f, false}},
             {{0.45f, 0.15f, 0.04f, 0x80ffb0, true}, {0.92f, 0.45f, 0.025f, 0xff4040}},
             7, 21}, {{0.34f, 0.55f}, {0.68f, 0.55f}}, 3.5f, {{0.15f, 0.2f, 0.2f, 1}, {0.45f, 0.3f, 0.3f, 1}}));
  // Level 3: a great round mothership with four arms and a burning eye.
  DrawCraft(c, at(59, 124, 183, 199),
            With({{{P::Poly, {{0.2f, 0.25f}, {0.95f, 0.05f}, {1, 0.2f}, {0.5f, 0.5f}}, 0x5a3a6a, 6},
              {P::Poly, {{0.2f, 0.7f}, {0.9f, 0.88f}, {0.85f, 1}, {0.4f, 0.85f}}, 0x5a3a6a, 6},
              {P::Ell, {{0.9f, 0.12f}, {0.1f, 0.08f}}, 0x8a5a9a, 4},
              {P::Ell, {{0.82f, 0.93f}, {0.1f, 0.06f}}, 0x8a5a9a, 4},
              {P::Ell, {{0, 0.5f}, {0.7f, 0.62f}}, 0x7a5a90, 14, 0.4f, false},
              {P::Ring, {{0, 0.5f}, {0.5f, 0.56f}}, 0x40285a, 2, 0.2f, false},
              {P::Ell, {{0, 0.5f}, {0.38f, 0.34f}}, 0xa080c0, 10, 0.5f, false},
              {P::Ell, {{0, 0.52f}, {0.2f, 0.18f}}, 0x200818, 3, 0.3f, false},
              {P::Ell, {{0, 0.54f}, {0.12f, 0.1f}}, 0xff3030, 5, 1.0f, false}},
             {{0.9f, 0.12f, 0.04f, 0xff60ff}, {0.82f, 0.93f, 0.04f, 0xff60ff}, {0.55f, 0.3f, 0.03f, 0xffe060},
              {0.55f, 0.7f, 0.03f, 0xffe060}, {0.35f, 0.08f, 0.04f, 0xc080ff, true}},
             12, 22}, {{0.62f, 0.2f}, {0.62f, 0.8f}, {0.3f, 0.12f}, {0.3f, 0.88f}}, 6, {{0.45f, 0.38f, 0.62f, 5, 0xffc060}}));
  // Level 4: an armoured beetle.
  DrawCraft(c, at(335, 89, 93, 85),
            With({{{P::Poly, {{0.5f, 0.6f}, {0.95f, 0.75f}, {0.85f, 1}, {0.6f, 0.85f}}, 0x303a20, 2},
              {P::Ell, {{0, 0.45f}, {0.9f, 0.45f}}, 0x4a6a28, 10, 0.5f, false},
              {P::Poly, {{0.02f, 0.05f}, {0.7f, 0.15f}, {0.85f, 0.5f}, {0.6f, 0.85f}, {0.02f, 0.9f}}, 0x7aa040, 8, 0.7f},
              {P::Ell, {{0, 0.88f}, {0.3f, 0.12f}}, 0x3a4a20, 4, 0.3f, false},
              {P::Ell, {{0.15f, 0.9f}, {0.07f, 0.05f}}, 0xffe020, 1.5f, 0.9f}},
             {{0.15f, 0.9f, 0.04f, 0xffff40}},
             9, 23}, {{0.45f, 0.3f}, {0.35f, 0.6f}}, 4.5f, {}));
  // Level 5: a heavy diving hammer.
  DrawCraft(c, at(242, 88, 93, 86),
            With({{{P::Poly, {{0, 0}, {0.4f, 0}, {0.45f, 0.6f}, {0, 0.65f}}, 0x6a6a7a, 6},
              {P::Poly, {{0, 0.55f}, {1, 0.62f}, {0.95f, 0.95f}, {0, 1}}, 0xb09040, 8, 0.6f},
              {P::Box, {{0.6f, 0.7f}, {0.9f, 0.88f}}, 0x806420, 3},
              {P::Ell, {{0, 0.3f}, {0.18f, 0.14f}}, 0x70d8ff, 4, 0.9f, false}},
             {{0.25f, 0.03f, 0.06f, 0xffa040, true}, {0.75f, 0.79f, 0.05f, 0xff4020}},
             9, 24}, {{0.25f, 0.7f}, {0.85f, 0.68f}}, 4.5f, {{0.2f, 0.1f, 0.45f, 5}}));
  // Level 6: a spinning ring ship with a bright core.
  DrawCraft(c, at(493, 160, 91, 82),
            With({{{P::Ring, {{0, 0.5f}, {0.62f, 0.98f}}, 0x2a5a8a, 6, 0.5f, false},
              {P::Poly, {{0.1f, 0.45f}, {0.7f, 0.42f}, {0.7f, 0.58f}, {0.1f, 0.55f}}, 0x1a3a5a, 2},
              {P::Poly, {{0, 0.1f}, {0.08f, 0.1f}, {0.08f, 0.9f}, {0, 0.9f}}, 0x1a3a5a, 2},
              {P::Ell, {{0, 0.5f}, {0.38f, 0.38f}}, 0x60a0e0, 8, 0.6f, false},
              {P::Ell, {{0, 0.5f}, {0.17f, 0.17f}}, 0xe0f8ff, 4, 1.0f, false}},
             {{0.8f, 0.5f, 0.05f, 0x60ffff}, {0, 0.08f, 0.05f, 0x60ffff}, {0, 0.92f, 0.05f, 0x60ffff}},
             0}, {{0.8f, 0.2f}, {0.8f, 0.8f}}, 3.5f, {}));
  // Level 7: a huge battleship spanning the screen.
  DrawCraft(c, at(494, 242, 320, 81),
            With({{{P::Poly, {{0, 0.15f}, {0.55f, 0.2f}, {1, 0.45f}, {0.98f, 0.65f}, {0.5f, 0.7f}, {0, 0.85f}}, 0x4a4e5a, 6},
              {P::Box, {{0.3f, 0.55f}, {0.36f, 0.9f}}, 0x33363e, 2},
              {P::Box, {{0.55f, 0.55f}, {0.6f, 0.85f}}, 0x33363e, 2},
              {P::Box, {{0.78f, 0.5f}, {0.82f, 0.78f}}, 0x33363e, 2},
              {P::Poly, {{0, 0}, {0.16f, 0.05f}, {0.2f, 0.88f}, {0, 1}}, 0x8a8e9a, 8},
              {P::Ell, {{0.42f, 0.4f}, {0.06f, 0.2f}}, 0x6a6e7a, 4},
              {P::Ell, {{0, 0.55f}, {0.07f, 0.15f}}, 0xffb040, 3, 0.9f, false}},
             {{0.1f, 0.03f, 0.02f, 0xffa040, true}, {0.42f, 0.03f, 0.02f, 0xffa040, true}, {0.33f, 0.88f, 0.01f, 0xff3020},
              {0.57f, 0.83f, 0.01f, 0xff3020}, {0.8f, 0.76f, 0.01f, 0xff3020}},
             14, 26}, {{0.1f, 0.3f}, {0.3f, 0.3f}, {0.5f, 0.35f}, {0.7f, 0.45f}, {0.88f, 0.52f}}, 4.5f, {{0.05f, 0.15f, 0.85f, 8}, {0.25f, 0.35f, 0.35f, 1}, {0.6f, 0.42f, 0.42f, 1}}));
  // Level 8: a gunship bristling with barrels for its bursts.
  DrawCraft(c, at(584, 181, 108, 61),
            With({{{P::Box, {{0.15f, 0.55f}, {0.22f, 1}}, 0x3a3a44, 1.5f},
              {P::Box, {{0.35f, 0.55f}, {0.42f, 0.96f}}, 0x3a3a44, 1.5f},
              {P::Box, {{0.55f, 0.55f}, {0.62f, 0.92f}}, 0x3a3a44, 1.5f},
              {P::Poly, {{0, 0.05f}, {0.7f, 0.1f}, {1, 0.35f}, {0.9f, 0.7f}, {0, 0.75f}}, 0x8a3020, 6},
              {P::Ell, {{0, 0.38f}, {0.3f, 0.3f}}, 0xc85a30, 6, 0.5f, false},
              {P::Ell, {{0, 0.4f}, {0.12f, 0.14f}}, 0xffe080, 3, 0.9f, false}},
             {{0.6f, 0.08f, 0.05f, 0xff8040, true}, {0.85f, 0.4f, 0.03f, 0xffff60}},
             7, 27}, {{0.3f, 0.25f}, {0.7f, 0.3f}}, 4, {{0.45f, 0.5f, 0.5f, 1, 0xffe080}}));
  // Level 9: a winged dreadnought.
  DrawCraft(c, at(584, 90, 143, 91),
            With({{{P::Poly, {{0.2f, 0.2f}, {1, 0.05f}, {0.95f, 0.25f}, {0.7f, 0.8f}, {0.25f, 0.7f}}, 0x203a6a, 6},
              {P::Poly, {{0.5f, 0.3f}, {0.9f, 0.18f}, {0.8f, 0.4f}, {0.6f, 0.6f}}, 0x3a5a9a, 4},
              {P::Poly, {{0, 0}, {0.22f, 0.05f}, {0.28f, 0.8f}, {0, 1}}, 0x7a90c8, 7},
              {P::Ell, {{0, 0.5f}, {0.1f, 0.2f}}, 0x80f0ff, 4, 0.9f, false}},
             {{0.15f, 0.03f, 0.05f, 0x60a0ff, true}, {0.7f, 0.75f, 0.03f, 0xff4060}, {0.97f, 0.12f, 0.02f, 0xffff80}},
             9, 28}, {{0.4f, 0.4f}, {0.62f, 0.62f}, {0.85f, 0.2f}}, 4.5f, {{0.1f, 0.15f, 0.75f, 7}}));
  // Level 10: the final flagship, a crowned fortress with a molten heart.
  DrawCraft(c, at(243, 174, 250, 149),
            With({{{P::Poly, {{0.3f, 0.1f}, {0.9f, 0}, {1, 0.3f}, {0.85f, 0.7f}, {0.55f, 0.95f}, {0.3f, 0.8f}}, 0x3a1a2a, 8},
              {P::Poly, {{0.55f, 0.15f}, {0.92f, 0.1f}, {0.8f, 0.5f}, {0.6f, 0.45f}}, 0x6a2a3a, 5},
              {P::Box, {{0.62f, 0.65f}, {0.7f, 0.98f}}, 0x2a2a34, 3},
              {P::Box, {{0.4f, 0.75f}, {0.46f, 1}}, 0x2a2a34, 3},
              {P::Poly, {{0, 0}, {0.3f, 0.05f}, {0.38f, 0.75f}, {0.15f, 1}, {0, 0.95f}}, 0x8a3a4a, 12, 0.4f},
              {P::Poly, {{0, 0.12f}, {0.18f, 0.18f}, {0.22f, 0.6f}, {0, 0.7f}}, 0xb86070, 8, 0.5f},
              {P::Ell, {{0, 0.45f}, {0.11f, 0.17f}}, 0x200808, 3, 0.3f, false},
              {P::Ell, {{0, 0.45f}, {0.07f, 0.12f}}, 0xff5018, 6, 1.0f, false}},
             {{0.15f, 0.02f, 0.025f, 0xff6040, true}, {0.6f, 0.02f, 0.025f, 0xff6040, true},
              {0.66f, 0.97f, 0.015f, 0xff3020}, {0.43f, 0.98f, 0.015f, 0xff3020}, {0.88f, 0.2f, 0.015f, 0xffe060}},
             14, 29}, {{0.45f, 0.2f}, {0.7f, 0.35f}, {0.55f, 0.6f}, {0.25f, 0.85f}}, 6, {{0.12f, 0.72f, 0.9f, 4, 0xffb060}, {0.28f, 0.1f, 0.55f, 6, 0xffd0a0}}));
}

void PaintEnemiesHurt(Canvas& c, const Canvas& enemies) {
  // Struck: the same sprites burning red-white, highlights blown out.
  for (int y = 0; y < c.H; ++y)
    for (int x = 0; x < c.W; ++x) {
      if (enemies.IsKey(x, y)) continue;
      Rgb p = enemies.GetRgb(x, y);
      float lum = std::min(1.0f, (p.R * 0.3f + p.G * 0.55f + p.B * 0.15f) / 255.0f * 1.4f + 0.08f);
      Rgb hot = lum > 0.5f ? Mix(Hex(0xff7048), Hex(0xfff4e8), (lum - 0.5f) / 0.5f)
                           : Mix(Hex(0x781008), Hex(0xff7048), lum / 0.5f);
      c.Set(x, y, hot);
    }
}
