// The flair sheet: large words for the cards and banners over the play column (a level's
// number, BOSS, PAUSED), the flash at a gun's mouth, sparks and embers, the ring of the ship's
// loss, key caps and the boss's mark on the progress strip. Its layout is the game's
// (effects/flair_sheet.h); black is its key, so the words sit on nothing but the field.
#include <algorithm>
#include <cmath>

#include "effects/flair_sheet.h"
#include "sheets.h"

namespace {

using flair::Rect;

// Bold letters filled with a top-to-bottom gradient, a bright line across their middle, then a
// dark rim twice round, so they read over any part of the field.
void PaintWord(Canvas& c, const Rect& slot, const std::string& word, Rgb top, Rgb bottom) {
  TTF_Font* font = OpenArtFont(FontFace::Bold, 34);
  Canvas t(slot.Width(), slot.Height(), BlackKey);
  const int tw = TextWidth(font, word);
  Text(t, font, (slot.Width() - tw) / 2, 4, word, Hex(0xffffff));
  for (int y = 0; y < t.H; ++y)
    for (int x = 0; x < t.W; ++x) {
      if (t.IsKey(x, y)) continue;
      const float k = t.GetRgb(x, y).G / 255.0f;  // the letters' own coverage
      Rgb fill = Mix(top, bottom, std::clamp((y - 9) / 28.0f, 0.0f, 1.0f));
      if (std::abs(y - 23) < 2) fill = Mix(fill, Hex(0xffffff), 0.35f);
      t.Set(x, y, Scale(fill, 0.35f + 0.65f * k));
    }
  Outline(t, 0, 0, t.W, t.H, 0.8f, true);
  Outline(t, 0, 0, t.W, t.H, 1.0f, true);
  c.Paste(t, 0, 0, t.W, t.H, slot.Left, slot.Top);
}

void PaintWords(Canvas& c) {
  for (int w = 0; w < flair::WordCount; ++w) {
    Rgb top = Hex(0xf4fbff), bottom = Hex(0x40a8ff);  // levels and stages: ice blue
    if (w == flair::WordBoss || w == flair::WordBossArena) top = Hex(0xfff0c0), bottom = Hex(0xff3020);
    if (w == flair::WordWarning) top = Hex(0xfffbd0), bottom = Hex(0xffa010);
    if (w == flair::WordPaused) top = Hex(0xffffff), bottom = Hex(0xa8b8e0);
    if (w == flair::WordMiniGame) top = Hex(0xf0fff0), bottom = Hex(0x40d060);
    if (w == flair::WordMarathon) top = Hex(0xfff8e0), bottom = Hex(0xe0b040);
    PaintWord(c, flair::WordSlot(w), flair::WordText(w), top, bottom);
  }
}

// A star-shaped flash: a white core, yellow rays up and to the sides, fading frame by frame.
void PaintMuzzle(Canvas& c) {
  for (int f = 0; f < flair::MuzzleFrames; ++f) {
    const Rect r = flair::Muzzle(f);
    const float cx = r.Left + r.Width() / 2.0f, cy = r.Top + r.Height() * 0.6f;
    const float fade = 1.0f - 0.22f * float(f), size = 1.0f - 0.15f * float(f);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const float dx = (x + 0.5f - cx) / (9 * size), dy = (y + 0.5f - cy) / (13 * size);
        // Four rays, the upward one longest.
        const float up = dy < 0 ? std::max(0.0f, 1 - std::abs(dx) * 6 - std::abs(dy) * 0.8f) : 0;
        const float side = std::max(0.0f, 1 - std::abs(dy) * 7 - std::abs(dx) * 1.1f);
        const float core = std::max(0.0f, 1 - std::hypot(dx * 1.6f, dy * 2.2f) * 1.8f);
        const float light = std::max({up, side * 0.8f, core}) * fade;
        if (light < 0.12f) continue;
        Rgb col = Mix(Hex(0xff9020), Hex(0xfff8c0), std::min(1.0f, light * 1.3f));
        if (core * fade > 0.5f) col = Mix(col, Hex(0xffffff), core);
        c.Set(x, y, Scale(col, std::min(1.0f, 0.35f + light)));
      }
  }
}

// A round spark of the given size and colour, bright in the middle.
void Dot(Canvas& c, const Rect& r, float radius, Rgb core, Rgb rim) {
  const float cx = r.Left + r.Width() / 2.0f, cy = r.Top + r.Height() / 2.0f;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
      if (d > 1) continue;
      c.Set(x, y, Mix(core, rim, d * d));
    }
}

void PaintSparks(Canvas& c) {
  const Rgb cores[flair::SparkFrames] = {Hex(0xffffff), Hex(0xfff4a0), Hex(0xffb040), Hex(0xd05020)};
  const Rgb rims[flair::SparkFrames] = {Hex(0xffe070), Hex(0xffa030), Hex(0xc05010), Hex(0x602010)};
  const float radii[flair::SparkFrames] = {3.5f, 3.0f, 2.4f, 1.8f};
  for (int f = 0; f < flair::SparkFrames; ++f) Dot(c, flair::Spark(f), radii[f], cores[f], rims[f]);
  const Rgb embers[flair::EmberFrames] = {Hex(0xffe080), Hex(0xff9030), Hex(0xc03818)};
  for (int f = 0; f < flair::EmberFrames; ++f) Dot(c, flair::Ember(f), 2.6f - 0.4f * float(f), embers[f], Scale(embers[f], 0.5f));
}

// A soft ring of white-blue light, bright at its rim and clear inside and out.
void PaintRing(Canvas& c) {
  const Rect r = flair::Ring;
  const float cx = r.Left + r.Width() / 2.0f, cy = r.Top + r.Height() / 2.0f;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / (r.Width() / 2.0f);
      const float light = std::max(0.0f, 1 - std::abs(d - 0.86f) / 0.14f);
      if (light < 0.15f) continue;
      c.Set(x, y, Scale(Mix(Hex(0x80c0ff), Hex(0xffffff), light), 0.4f + 0.6f * light));
    }
}

// Light key caps, as on the menu's guide: the game writes the key's name on them in black.
void PaintKeyCaps(Canvas& c) {
  for (const Rect& r : {flair::KeyCap, flair::WideKeyCap}) Bevel(c, r.Left, r.Top, r.Right, r.Bottom, Hex(0xd8dce6), true, 2);
}

// A small horned mask in the boss bar's red.
void PaintBossMark(Canvas& c) {
  const Rect r = flair::BossMark;
  Mask m(c.W, c.H);
  const float x = float(r.Left), y = float(r.Top);
  m.Ellipse(x + 8, y + 9, 6, 5.5f);
  m.Poly({{x + 2, y + 1}, {x + 5, y + 6}, {x + 3.5f, y + 7}});
  m.Poly({{x + 14, y + 1}, {x + 11, y + 6}, {x + 12.5f, y + 7}});
  m.Ellipse(x + 5.5f, y + 9, 1.6f, 1.4f, true);
  m.Ellipse(x + 10.5f, y + 9, 1.6f, 1.4f, true);
  Shading s;
  s.Bevel = 2;
  ShadeMask(c, 0, 0, m, Hex(0xff5040), s);
  Outline(c, r.Left, r.Top, r.Right, r.Bottom, 0.6f, false);
}

}  // namespace

void PaintFlair(Canvas& c) {
  PaintWords(c);
  PaintMuzzle(c);
  PaintSparks(c);
  PaintRing(c);
  PaintKeyCaps(c);
  PaintBossMark(c);
}
