// Sheet 3: the player's shots. Every kind's frames lie side by side on one row at the place
// the shot catalogue reads them; the ghost attack's frame doubles as the cloaked ship.
#include <cmath>
#include <functional>

#include "sheets.h"

namespace {

constexpr float Tau = 6.2831853f;

// Paints frame f of n into its own cell (so nothing spills into a neighbour) at (x + f * w, y).
void Frames(Canvas& c, int x, int y, int w, int h, int n, const std::function<void(Canvas&, int, float)>& paint) {
  for (int f = 0; f < n; ++f) {
    Canvas cell(w, h, c.Key);
    paint(cell, f, float(f) / float(n));
    c.Paste(cell, 0, 0, w, h, x + f * w, y);
  }
}

// A glowing ball: a hot core, a coloured body and a soft halo that ends crisply.
void Ball(Canvas& c, float cx, float cy, float r, Rgb col, Rgb core, float halo = 1.6f) {
  Glow(c, cx, cy, r * halo, col, 0.9f, 0.2f);
  for (int y = 0; y < c.H; ++y)
    for (int x = 0; x < c.W; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (d > 1) continue;
      c.Set(x, y, Mix(core, col, d * d));
    }
}

Mask Rotated(int w, int h, const std::vector<Pt>& pts, float cx, float cy, float a) {
  std::vector<Pt> r;
  for (const Pt& p : pts) {
    float dx = p.X - cx, dy = p.Y - cy;
    r.push_back({cx + dx * std::cos(a) - dy * std::sin(a), cy + dx * std::sin(a) + dy * std::cos(a)});
  }
  Mask m(w, h);
  m.Poly(r);
  return m;
}

}  // namespace

void PaintShots(Canvas& c) {
  // 0 POWER BEAM: a bold bolt of light, 3 x 11, five frames: a white-hot core between two
  // bright blue edges, the tip rounded, the tail cooling; the whole bolt pulses.
  Frames(c, 0, 0, 3, 11, 5, [](Canvas& s, int f, float) {
    float k = 0.88f + 0.12f * std::cos(f * Tau / 5);
    for (int y = 0; y < 11; ++y) {
      float tail = y < 7 ? 1.0f : 1 - (y - 6) / 9.0f;
      s.Set(1, y, Scale(Mix(Hex(0xffffff), Hex(0xb8f0ff), y / 10.0f), tail));
      if (y > 0) {
        Rgb edge = Scale(Mix(Hex(0x90e4ff), Hex(0x2aa0ff), y / 10.0f), tail * k);
        s.Set(0, y, edge), s.Set(2, y, edge);
      }
    }
  });
  // 1 BOOMERANG SHOT: a spinning three-armed blade, 20 x 20, four frames.
  Frames(c, 15, 0, 20, 20, 4, [](Canvas& s, int f, float) {
    Mask m(20, 20);
    for (int arm = 0; arm < 3; ++arm) {
      float a = arm * Tau / 3 + f * Tau / 12;
      m.Union(Rotated(20, 20, {{10, 10}, {11.5f, 2}, {14, 1.5f}, {12.5f, 10}}, 10, 10, a));
    }
    m.Ellipse(10, 10, 3, 3);
    ShadeMask(s, 0, 0, m, Hex(0xff9a28), {2, 0.55f, 0.7f, 0.7f});
    Outline(s, 0, 0, 20, 20, 0.6f, true);
    s.Set(9, 9, Hex(0xfff6c0)), s.Set(10, 9, Hex(0xfff6c0));
  });
  // 2 SPEED SHOT: a long needle of light, 5 x 55.
  {
    Canvas s(5, 55, c.Key);
    for (int y = 0; y < 55; ++y) {
      float t = y / 54.0f;
      Rgb core = Mix(Hex(0xfffff0), Hex(0xffb020), t);
      s.Set(2, y, core);
      if (y > 2 && t < 0.85f) s.Set(1, y, Scale(Mix(Hex(0xfff080), Hex(0xc05010), t), 1 - t * 0.5f)),
                              s.Set(3, y, Scale(Mix(Hex(0xfff080), Hex(0xc05010), t), 1 - t * 0.5f));
      if (y > 6 && t < 0.5f) s.Set(0, y, Hex(0x805018)), s.Set(4, y, Hex(0x805018));
    }
    c.Paste(s, 0, 0, 5, 55, 136, 0);
  }
  // 3 ENERGY DNA: two strands of beads twisting round each other, 30 x 30, eight frames.
  Frames(c, 0, 82, 30, 30, 8, [](Canvas& s, int, float p) {
    for (int i = 0; i < 6; ++i) {
      float y = 3 + i * 4.8f, a = p * Tau + i * 0.9f;
      float x1 = 15 + 8 * std::sin(a), x2 = 15 - 8 * std::sin(a);
      for (float t = 0; t <= 1; t += 0.1f) s.Set(int(x1 + (x2 - x1) * t), int(y), Hex(0x6a9a80));
      bool front = std::cos(a) > 0;
      Ball(s, front ? x2 : x1, y, 1.8f, front ? Hex(0xd040ff) : Hex(0x30ff90), Hex(0xfff0ff), 1.3f);
      Ball(s, front ? x1 : x2, y, 2.4f, front ? Hex(0x30ff90) : Hex(0xd040ff), Hex(0xf0fff0), 1.5f);
    }
  });
  // 4 THE CLAPPER: two bright plates snapping shut and open, 10 x 15, six frames.
  Frames(c, 141, 0, 10, 15, 6, [](Canvas& s, int f, float) {
    float gap = std::fabs(std::sin(f * Tau / 6 / 2 * 2 + 0.6f)) * 3.2f;
    Mask m(10, 15);
    m.Rect(1, 2, 5 - gap * 0.5f, 13).Rect(5 + gap * 0.5f, 2, 9, 13);
    Glow(s, 5, 7.5f, 6, Hex(0xffd040), 0.7f, 0.2f);
    ShadeMask(s, 0, 0, m, Hex(0xfff070), {1.5f, 0.75f, 0.5f, 0.9f});
    Outline(s, 0, 0, 10, 15, 0.75f, false);
    if (gap < 1.2f) Glow(s, 5, 7.5f, 5, Hex(0xffffe0), 1.2f, 0.2f);
  });
  // 5 ENERGY SPREAD: a small throbbing pink orb, 9 x 9, eight frames.
  Frames(c, 0, 73, 9, 9, 8, [](Canvas& s, int, float p) {
    Ball(s, 4.5f, 4.5f, 2.6f + 0.9f * std::sin(p * Tau), Hex(0xff40b0), Hex(0xfff0fa), 1.55f);
  });
  // 6 WIDE BEAM: a flat bar of light, 135 x 5; narrower levels show its left part.
  for (int x = 0; x < 135; ++x) {
    bool node = x % 8 == 3;
    float cap = x < 2 ? 0.6f : 1.0f;
    c.Set(x, 37, Scale(Hex(0x1878c0), cap));
    c.Set(x, 38, Scale(node ? Hex(0xa0f0ff) : Hex(0x40c8ff), cap));
    c.Set(x, 39, Scale(node ? Hex(0xffffff) : Hex(0xe0fcff), cap));
    c.Set(x, 40, Scale(node ? Hex(0xa0f0ff) : Hex(0x40c8ff), cap));
    c.Set(x, 41, Scale(Hex(0x1878c0), cap));
  }
  // 7 POWER MINE: a spiked sphere with a blinking light, 17 x 17, eight frames.
  Frames(c, 0, 20, 17, 17, 8, [](Canvas& s, int f, float p) {
    Mask m(17, 17);
    for (int k = 0; k < 8; ++k) {
      float a = k * Tau / 8 + p * Tau / 8;
      m.Poly({{8.5f + std::cos(a - 0.3f) * 4, 8.5f + std::sin(a - 0.3f) * 4},
              {8.5f + std::cos(a) * 8.2f, 8.5f + std::sin(a) * 8.2f},
              {8.5f + std::cos(a + 0.3f) * 4, 8.5f + std::sin(a + 0.3f) * 4}});
    }
    m.Ellipse(8.5f, 8.5f, 5.2f, 5.2f);
    ShadeMask(s, 0, 0, m, Hex(0x8890a0), {2.5f, 0.5f, 0.7f, 0.7f});
    Outline(s, 0, 0, 17, 17, 0.55f, false);
    Ball(s, 8.5f, 8.5f, 2, f % 4 < 2 ? Hex(0xff3020) : Hex(0x701010), f % 4 < 2 ? Hex(0xfff0c0) : Hex(0xc04020), 1.2f);
  });
  // 8 SLICE RING: a golden cutting ring with teeth, 29 x 29.
  {
    Canvas s(29, 29, c.Key);
    Mask m(29, 29);
    m.Ring(14.5f, 14.5f, 8.5f, 12.2f);
    for (int k = 0; k < 12; ++k) {
      float a = k * Tau / 12;
      m.Poly({{14.5f + std::cos(a) * 11.5f, 14.5f + std::sin(a) * 11.5f},
              {14.5f + std::cos(a + 0.18f) * 14.2f, 14.5f + std::sin(a + 0.18f) * 14.2f},
              {14.5f + std::cos(a + 0.3f) * 11.5f, 14.5f + std::sin(a + 0.3f) * 11.5f}});
    }
    ShadeMask(s, 0, 0, m, Hex(0xf0b830), {2, 0.5f, 0.8f, 0.9f});
    Outline(s, 0, 0, 29, 29, 0.6f, false);
    for (int y = 0; y < 29; ++y)
      for (int x = 0; x < 29; ++x)
        if (std::fabs(std::hypot(x + 0.5f - 14.5f, y + 0.5f - 14.5f) - 10.3f) < 0.6f) s.Set(x, y, Hex(0xfff8d0));
    c.Paste(s, 0, 0, 29, 29, 97, 42);
  }
  // 9 GOLD SPLICER: a golden lance with light running along it, 13 x 31, five frames.
  Frames(c, 32, 42, 13, 31, 5, [](Canvas& s, int, float p) {
    Mask m(13, 31);
    m.Poly({{6.5f, 0.5f}, {10.5f, 8}, {8.5f, 30}, {6.5f, 27}, {4.5f, 30}, {2.5f, 8}});
    ShadeMask(s, 0, 0, m, Hex(0xe0a820), {2, 0.55f, 0.75f, 0.9f});
    Outline(s, 0, 0, 13, 31, 0.55f, false);
    float band = 2 + p * 28;
    ForPixels(s, 0, 0, 13, 31, [&](Rgb q, int, int y) {
      return Mix(q, Hex(0xfffae0), std::exp(-std::pow((y - band) / 2.2f, 2.0f)) * 0.8f);
    });
  });
  // 10 GHOST ATTACK, also the cloaked ship: a shimmering see-through copy of the fighter.
  DrawShip(c, 141, 15, ShipLook::Ghost);
  // 11 MULTIPLE MISSILES: a little rocket with a flickering flame, 9 x 26, six frames.
  Frames(c, 186, 15, 9, 26, 6, [](Canvas& s, int f, float) {
    Mask body(9, 26), fins(9, 26), nose(9, 26);
    body.Rect(3, 4, 6, 17);
    nose.Poly({{4.5f, 0.5f}, {6, 4.5f}, {3, 4.5f}});
    fins.Poly({{3, 12}, {0.5f, 18}, {3, 17}}).Poly({{6, 12}, {8.5f, 18}, {6, 17}});
    ShadeMask(s, 0, 0, body, Hex(0xc8ccd8), {1.5f, 0.55f, 0.7f, 0.6f});
    ShadeMask(s, 0, 0, nose, Hex(0xe03828), {1, 0.6f, 0.6f, 0.6f});
    ShadeMask(s, 0, 0, fins, Hex(0xe03828), {1, 0.6f, 0.6f, 0.4f});
    Outline(s, 0, 0, 9, 19, 0.55f, false);
    int len = 4 + (f * 5 % 6) / 2 + (f % 2) * 2;
    for (int y = 0; y < len && 17 + y < 26; ++y) {
      float t = float(y) / len;
      s.Set(4, 17 + y, Mix(Hex(0xfffbd0), Hex(0xff6010), t));
      if (t < 0.6f) s.Set(3, 17 + y, Mix(Hex(0xffd060), Hex(0xc03008), t)), s.Set(5, 17 + y, Mix(Hex(0xffd060), Hex(0xc03008), t));
    }
  });
  // 12 STICK SPREAD: a spinning rod of light, 16 x 16, eight frames.
  Frames(c, 68, 112, 16, 16, 8, [](Canvas& s, int f, float) {
    float a = f * 3.14159265f / 8;
    Mask m = Rotated(16, 16, {{1.5f, 7}, {14.5f, 7}, {14.5f, 9}, {1.5f, 9}}, 8, 8, a);
    Glow(s, 8, 8, 6, Hex(0x90ff40), 0.6f, 0.2f);
    ShadeMask(s, 0, 0, m, Hex(0xc8ff50), {1, 0.7f, 0.5f, 0.9f});
    s.Set(7, 7, Hex(0xffffe0)), s.Set(8, 8, Hex(0xffffe0));
  });
  // 13 X FOLLOWER: a column of X-shaped sparks climbing, 12 x 37, four frames.
  Frames(c, 186, 41, 12, 37, 4, [](Canvas& s, int, float p) {
    for (int i = 0; i < 4; ++i) {
      float cy = std::fmod(4 + i * 9.5f - p * 9.5f + 38, 38.0f);
      if (cy < 4 || cy > 33) continue;
      float k = 1 - std::fabs(cy - 18.5f) / 22;
      for (int d = -4; d <= 4; ++d) {
        Rgb col = Scale(std::abs(d) < 2 ? Hex(0xf0ffff) : Hex(0x50c8ff), k);
        s.Set(int(6 + d), int(cy + d), col), s.Set(int(6 - d - 1), int(cy + d), col);
      }
    }
    for (int y = 0; y < 37; ++y)
      if (s.IsKey(5, y) && y % 2 == 0) s.Set(5, y, Hex(0x2050a0)), s.Set(6, y, Hex(0x2050a0));
  });
  // 14 PLASMA BLADE: a magenta crescent of plasma, 17 x 12.
  {
    Canvas s(17, 12, c.Key);
    Mask m(17, 12);
    m.Ellipse(8.5f, 8, 8.3f, 7.5f).Ellipse(8.5f, 10.5f, 7.2f, 6.3f, true);
    ShadeMask(s, 0, 0, m, Hex(0xff40d0), {1.5f, 0.7f, 0.6f, 0.9f});
    Outline(s, 0, 0, 17, 12, 0.6f, false);
    for (int x = 3; x < 14; ++x) s.Set(x, int(8 - 7.3f * std::sqrt(std::max(0.0f, 1 - std::pow((x + 0.5f - 8.5f) / 8.3f, 2.0f)))) + 1, Hex(0xffe0fa));
    c.Paste(s, 0, 0, 17, 12, 95, 0);
  }
  // 15 CRESCENT BLADE: a wide cyan crescent, 58 x 15 (its right part is shown as it shrinks).
  {
    Canvas s(58, 15, c.Key);
    Mask m(58, 15);
    m.Ellipse(29, 14, 28.5f, 13.5f).Ellipse(29, 18.5f, 25, 13, true);
    ShadeMask(s, 0, 0, m, Hex(0x40e0ff), {2, 0.7f, 0.6f, 0.9f});
    Outline(s, 0, 0, 58, 15, 0.55f, false);
    for (int x = 6; x < 52; ++x) {
      float u = (x + 0.5f - 29) / 28.5f;
      int y = int(14 - 13.5f * std::sqrt(std::max(0.0f, 1 - u * u))) + 1;
      s.Set(x, y, Hex(0xf0ffff));
    }
    c.Paste(s, 0, 0, 58, 15, 0, 146);
  }
  // 16 SHRAPNEL SPREADER: a tumbling jagged shard, 17 x 17, four frames.
  Frames(c, 0, 112, 17, 17, 4, [](Canvas& s, int f, float) {
    Mask m = Rotated(17, 17, {{8.5f, 1}, {11, 5}, {16, 6}, {12.5f, 10}, {14, 16}, {8.5f, 12.5f}, {3, 15.5f}, {4.5f, 9.5f},
                              {1, 5}, {6, 5}},
                     8.5f, 8.5f, f * Tau / 16);
    ShadeMask(s, 0, 0, m, Hex(0xd07838), {2, 0.5f, 0.75f, 0.7f});
    Outline(s, 0, 0, 17, 17, 0.5f, false);
    Glow(s, 8.5f, 8.5f, 4, Hex(0xffe080), 0.8f, 0.3f);
  });
  // 17 PHAZON WAVE: a rippling orange-and-blue energy shard, 7 x 15.
  {
    Canvas s(7, 15, c.Key);
    for (int y = 0; y < 15; ++y) {
      float w = 3.4f - std::fabs(y - 7) * 0.25f;
      float cx = 3.5f + std::sin(y * 0.9f) * 0.9f;
      for (int x = 0; x < 7; ++x) {
        float d = std::fabs(x + 0.5f - cx) / w;
        if (d > 1) continue;
        s.Set(x, y, d < 0.35f ? Hex(0xfff4d0) : d < 0.7f ? Hex(0xff8a20) : Hex(0x3060ff));
      }
    }
    c.Paste(s, 0, 0, 7, 15, 112, 0);
  }
  // 18 SHOT CORRUPTER: a green orb eaten by glitches, 16 x 16, fourteen frames.
  Frames(c, 0, 129, 16, 16, 14, [](Canvas& s, int f, float p) {
    Ball(s, 8, 8, 5.5f, Hex(0x30e040), Hex(0xe0ffd0), 1.4f);
    ArtRandom rnd(100 + f);
    for (int i = 0; i < 9; ++i) {
      int x = int(rnd.Range(2, 14)), y = int(rnd.Range(2, 14)), len = int(rnd.Range(1, 4));
      for (int k = 0; k < len; ++k)
        if (!s.IsKey(x + k, y)) s.Set(x + k, y, i % 3 == 0 ? Hex(0x103010) : Hex(0xd0ff40));
    }
    // A dark bug-eyed core.
    float a = p * Tau;
    s.Set(int(7 + std::cos(a)), 7, Hex(0x0a200a)), s.Set(int(9 + std::cos(a)), 7, Hex(0x0a200a));
  });
  // 19 PURE POWER: a white-hot orb whose rim changes colour every frame, 10 x 10, four frames.
  Frames(c, 200, 112, 10, 10, 4, [](Canvas& s, int f, float) {
    static const uint32_t rims[4] = {0xfff080, 0x60f0ff, 0xff80ff, 0xffb040};
    Ball(s, 5, 5, 3.6f, Hex(rims[f]), Hex(0xfffffa), 1.4f);
  });
}
