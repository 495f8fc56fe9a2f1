// Sheet 0: the player's fighter. Row 0: the plain ship, the rammer, seven frames of the fully
// upgraded ship and the white-hot hit flash; rows 1 to 5: the part overlays, level 1 to 10.
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

constexpr int CellW = 45, CellH = 56;
constexpr float Mid = 22.5f;

struct ShipMasks {
  Mask Hull{CellW, CellH}, Wings{CellW, CellH}, Fins{CellW, CellH}, Canopy{CellW, CellH}, Nozzles{CellW, CellH};
};

ShipMasks Shapes() {
  ShipMasks m;
  m.Wings.MirrorPoly({{Mid, 20}, {27, 21}, {39, 34}, {42, 40}, {41.5f, 45}, {36, 44}, {27, 41}, {Mid, 41}}, Mid);
  m.Hull.MirrorPoly({{Mid, 1}, {24.8f, 5}, {26.5f, 12}, {27.6f, 24}, {28.2f, 40}, {27.6f, 48}, {25.5f, 51}, {Mid, 51}},
                    Mid);
  m.Fins.MirrorPoly({{27, 39}, {33, 47}, {33.5f, 51}, {31, 51}, {27, 47}}, Mid);
  m.Canopy.Ellipse(Mid, 16, 2.6f, 5.6f);
  m.Nozzles.Rect(18.5f, 49, 21.5f, 54).Rect(23.5f, 49, 26.5f, 54);
  return m;
}

void Flame(Canvas& c, int ox, int oy, float x, float y, float len, float w, Rgb hot, Rgb cool) {
  for (int py = 0; py < int(std::ceil(len)); ++py) {
    float t = (py + 0.5f) / len;
    float half = w * (1 - t * 0.8f);
    for (int px = int(std::floor(x - half)); px <= int(std::ceil(x + half)); ++px) {
      float d = std::fabs(px + 0.5f - x) / std::max(half, 0.5f);
      if (d > 1) continue;
      c.Set(ox + px, oy + int(y) + py, Mix(hot, cool, std::min(1.0f, t * 0.8f + d * 0.5f)));
    }
  }
}

struct Palette {
  Rgb Hull, Wing, Fin, Canopy, Stripe;
};

void PaintBody(Canvas& c, int ox, int oy, const Palette& p, float flame, Rgb flameHot, Rgb flameCool) {
  ShipMasks m = Shapes();
  ShadeMask(c, ox, oy, m.Wings, p.Wing, {3, 0.5f, 0.7f, 0.3f});
  ShadeMask(c, ox, oy, m.Fins, p.Fin, {2, 0.5f, 0.7f, 0.3f});
  ShadeMask(c, ox, oy, m.Hull, p.Hull, {4, 0.45f, 0.8f, 0.45f});
  // Panel lines and the wing stripes.
  for (int y = 26; y < 46; ++y)
    for (int x = 0; x < CellW; ++x)
      if (m.Wings.At(x, y) && !m.Hull.At(x, y)) {
        float along = std::fabs(x + 0.5f - Mid);
        if (std::fabs((y - 20) - along * 0.95f - 8) < 1.0f) c.Set(ox + x, oy + y, Scale(p.Stripe, 0.95f));
      }
  for (int y = 30; y < 48; y += 6)
    for (int x = 20; x < 26; ++x)
      if (m.Hull.At(x, y)) c.Set(ox + x, oy + y, Scale(c.GetRgb(ox + x, oy + y), 0.75f));
  ShadeMask(c, ox, oy, m.Canopy, p.Canopy, {2.5f, 0.55f, 0.7f, 0.9f});
  ShadeMask(c, ox, oy, m.Nozzles, Hex(0x4a4a58), {1.5f, 0.5f, 0.6f, 0.4f});
  Outline(c, ox, oy, ox + CellW, oy + CellH, 0.5f, true);
  if (flame > 0) {
    Flame(c, ox, oy, 20, 54, flame, 1.6f, flameHot, flameCool);
    Flame(c, ox, oy, 25, 54, flame, 1.6f, flameHot, flameCool);
  }
}

const Palette Plain{Hex(0xb8c6d6), Hex(0x4f6f9f), Hex(0x8a3a3a), Hex(0x3cb4f0), Hex(0xd84a3a)};
const Palette Ram{Hex(0xd6a0a0), Hex(0x9f3f3f), Hex(0x6a2020), Hex(0xffa040), Hex(0xffd040)};
const Palette Gold{Hex(0xe8c860), Hex(0x6a3fa8), Hex(0x502a80), Hex(0x60f0ff), Hex(0xfff0a0)};

}  // namespace

void DrawShipPart(Canvas& c, int ox, int oy, int row, int level) {
  const float s = float(std::clamp(level, 1, 10)) / 10.0f;
  Mask m(CellW, CellH);
  Rgb col;
  Canvas part(CellW, CellH, c.Key);
  switch (row) {
    case 1: {  // defence: armour along the wings' leading edges, then shoulders and a nose cap
      float t = 2.6f + 4.4f * s, reach = 31 + 9 * s, edge = 21 + 1.08f * (reach - 27);
      m.MirrorPoly({{27.2f, 21.5f}, {reach, edge}, {reach + 0.5f, edge + t}, {27.2f, 22 + t * 1.3f}}, Mid);
      if (level >= 4) m.MirrorPoly({{26.5f, 26}, {28.5f + 1.5f * s, 28}, {28.5f + 1.5f * s, 36 + 2 * s}, {26.5f, 36}}, Mid);
      if (level >= 7) m.MirrorPoly({{Mid, 3}, {25, 7}, {25.5f, 11 + s}, {Mid, 9.5f}}, Mid);
      if (level >= 9) m.MirrorPoly({{36, 41}, {42, 41}, {42, 45.5f}, {36, 44.5f}}, Mid);
      col = Hex(0x7f9f86);
      break;
    }
    case 2: {  // speed: booster pods beside the fuselage, longer and fatter with every level
      float len = 6 + 12 * s, w = 1.6f + 1.4f * s, x = 16.2f - 1.5f * s;
      m.Ellipse(x, 49 - len / 2, w, len / 2).Ellipse(2 * Mid - x, 49 - len / 2, w, len / 2);
      col = Hex(0xd8642c);
      ShadeMask(part, 0, 0, m, col, {1.5f, 0.5f, 0.7f, 0.5f});
      Outline(part, 0, 0, CellW, CellH, 0.55f, true);
      float fl = 1 + 4 * s;
      Flame(part, 0, 0, x, 49, fl, w * 0.9f, Hex(0xfff4a0), Hex(0xff5010));
      Flame(part, 0, 0, 2 * Mid - x, 49, fl, w * 0.9f, Hex(0xfff4a0), Hex(0xff5010));
      c.Paste(part, 0, 0, CellW, CellH, ox, oy);
      return;
    }
    case 3: {  // regen: green crystals at the wing tips, more of them as it grows
      float r = 1.4f + 2.6f * s;
      auto gem = [&](float x, float y, float rr) {
        m.Poly({{x, y - rr * 1.3f}, {x + rr, y}, {x, y + rr * 1.3f}, {x - rr, y}});
      };
      gem(40.5f, 38 - r * 0.3f, r);
      gem(4.5f, 38 - r * 0.3f, r);
      if (level >= 5) gem(34, 33, r * 0.6f), gem(11, 33, r * 0.6f);
      if (level >= 8) gem(Mid, 36, r * 0.55f);
      col = Hex(0x3ce07a);
      ShadeMask(part, 0, 0, m, col, {1.5f, 0.6f, 0.7f, 0.9f});
      Outline(part, 0, 0, CellW, CellH, 0.6f, true);
      for (float x : {40.5f, 4.5f}) Glow(part, x, 38 - r * 0.3f, r + 2.5f, Hex(0x40ff90), 0.6f, 0.2f);
      c.Paste(part, 0, 0, CellW, CellH, ox, oy);
      return;
    }
    case 4: {  // charge: energy coils round the fuselage and antenna prongs
      int bands = 1 + level / 2;
      for (int b = 0; b < bands; ++b) {
        float y = 31 - b * 3.2f;
        m.Rect(19.5f - s * 1.5f, y, 25.5f + s * 1.5f, y + 1.6f);
      }
      float prong = 3 + 7 * s;
      m.Rect(17.2f, 14 - prong * 0.4f, 18.6f, 14 + prong * 0.6f).Rect(26.4f, 14 - prong * 0.4f, 27.8f, 14 + prong * 0.6f);
      col = Hex(0x2fc4f4);
      ShadeMask(part, 0, 0, m, col, {1, 0.6f, 0.6f, 0.8f});
      Outline(part, 0, 0, CellW, CellH, 0.6f, true);
      float tip = 14 - prong * 0.4f;
      for (float x : {17.9f, 27.1f}) Glow(part, x, tip, 1.5f + 2 * s, Hex(0xfff080), 0.9f, 0.25f);
      c.Paste(part, 0, 0, CellW, CellH, ox, oy);
      return;
    }
    default: {  // reducer: canard fins by the nose, wider with every level
      float span = 3 + 9 * s;
      m.MirrorPoly({{25.2f, 9}, {25.2f + span, 13 + span * 0.5f}, {25.2f + span * 0.8f, 15 + span * 0.55f}, {26, 16}}, Mid);
      if (level >= 6) m.MirrorPoly({{27.5f, 44}, {29 + 3 * s, 52}, {27.5f, 52}}, Mid);
      col = Hex(0xa45ae6);
      break;
    }
  }
  ShadeMask(part, 0, 0, m, col, {1.8f, 0.5f, 0.75f, 0.5f});
  Outline(part, 0, 0, CellW, CellH, 0.55f, true);
  c.Paste(part, 0, 0, CellW, CellH, ox, oy);
}

void DrawShip(Canvas& c, int ox, int oy, ShipLook look, int frame) {
  Canvas cell(CellW, CellH, c.Key);
  switch (look) {
    case ShipLook::Plain:
      PaintBody(cell, 0, 0, Plain, 2, Hex(0xfff4b0), Hex(0x40a0ff));
      break;
    case ShipLook::Rammer: {
      PaintBody(cell, 0, 0, Ram, 2, Hex(0xfff0a0), Hex(0xff4020));
      // A red-hot ram field round the nose.
      Mask ram(CellW, CellH);
      ram.MirrorPoly({{Mid, 0}, {26, 5}, {30, 14}, {27.5f, 13}, {Mid, 9}}, Mid);
      ShadeMask(cell, 0, 0, ram, Hex(0xff5a2a), {1.5f, 0.7f, 0.6f, 0.9f});
      Glow(cell, Mid, 4, 9, Hex(0xff7030), 0.8f, 0.22f);
      Outline(cell, 0, 0, CellW, CellH, 0.7f, false);
      break;
    }
    case ShipLook::Upgraded: {
      const float phase = float(frame) / 7.0f * 6.2831853f;
      PaintBody(cell, 0, 0, Gold, 0, {}, {});
      for (int row : {1, 2, 3, 5}) DrawShipPart(cell, 0, 0, row, 10);
      float fl = 2.2f + 1.3f * std::sin(phase);
      Flame(cell, 0, 0, 20, 54, fl, 1.7f, Hex(0xf0f8ff), Hex(0xa040ff));
      Flame(cell, 0, 0, 25, 54, fl, 1.7f, Hex(0xf0f8ff), Hex(0xa040ff));
      // The canopy throbs and a light runs round the wing tips, one step per frame.
      Glow(cell, Mid, 16, 3 + 2.5f * (0.5f + 0.5f * std::sin(phase)), Hex(0x80ffff), 0.9f, 0.3f);
      static const Pt tips[7] = {{4, 43}, {8, 38}, {13, 33}, {Mid, 29}, {32, 33}, {37, 38}, {41, 43}};
      Glow(cell, tips[frame].X, tips[frame].Y, 4, Hex(0xfff0a0), 1.0f, 0.25f);
      break;
    }
    case ShipLook::Flash: {
      PaintBody(cell, 0, 0, Plain, 2, Hex(0xfff4b0), Hex(0xff8040));
      ForPixels(cell, 0, 0, CellW, CellH, [](Rgb p, int, int y) {
        float lum = (p.R + p.G + p.B) / 765.0f;
        Rgb hot = Mix(Hex(0xfffae8), Hex(0xff7040), float(y) / CellH * 0.8f);
        return Mix(hot, Scale(hot, 0.6f), 1 - std::min(1.0f, lum * 1.8f));
      });
      break;
    }
    case ShipLook::Ghost: {
      PaintBody(cell, 0, 0, Plain, 0, {}, {});
      // A see-through shimmer: a pale, banded, chequered copy of the ship.
      for (int py = 0; py < CellH; ++py)
        for (int px = 0; px < CellW; ++px) {
          if (cell.IsKey(px, py)) continue;
          Rgb p = cell.GetRgb(px, py);
          float lum = (p.R + p.G + p.B) / 765.0f;
          bool edge = cell.IsKey(px - 1, py) || cell.IsKey(px + 1, py) || cell.IsKey(px, py - 1) ||
                      cell.IsKey(px, py + 1);
          if (!edge && ((px + py) % 2 == 1 || py % 4 == 0)) {
            cell.Erase(px, py);
            continue;
          }
          cell.Set(px, py, Mix(Hex(0x2050a0), Hex(0xb0f0ff), std::min(1.0f, lum * 1.3f + (edge ? 0.3f : 0))));
        }
      break;
    }
  }
  c.Paste(cell, 0, 0, CellW, CellH, ox, oy);
}

void PaintShips(Canvas& c) {
  DrawShip(c, 0, 0, ShipLook::Plain);
  DrawShip(c, CellW, 0, ShipLook::Rammer);
  for (int f = 0; f < 7; ++f) DrawShip(c, (f + 2) * CellW, 0, ShipLook::Upgraded, f);
  DrawShip(c, 9 * CellW, 0, ShipLook::Flash);  // the hit flash: columns 405 to 450
  for (int row = 1; row <= 5; ++row)
    for (int level = 1; level <= 10; ++level) DrawShipPart(c, (level - 1) * CellW, row * CellH, row, level);
}
