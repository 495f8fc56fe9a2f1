// The menu's shared style: its inks, its faces, and the panels, wells and frames every menu sheet
// builds on, so that the backdrop, the results panel and the guide pictures look of one piece.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "sheets.h"

namespace menu_style {

inline const Rgb Ink = Hex(0x101418);         // baked labels on light faces
inline const Rgb Caption = Hex(0xc8d8f0);     // headings on dark panels
inline const Rgb Accent = Hex(0x60d0ff);
inline const Rgb SlotOne = Hex(0x40d860);     // first slot: X fires, Z uses, left click equips
inline const Rgb SlotTwo = Hex(0xffa030);     // second slot: C fires, V uses, right click equips

inline TTF_Font* Small() { return MenuFont(); }
inline TTF_Font* Bold(int px) { return OpenArtFont(FontFace::Bold, px); }

// A dark metal panel with a lit rim, the ground every group of the menu sits on.
inline void Panel(Canvas& c, int x0, int y0, int x1, int y1, const std::string& title = "") {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      float n = Noise2(x * 0.08f, y * 0.08f, 77) * 0.12f;
      c.Set(x, y, Scale(Mix(Hex(0x202a40), Hex(0x141a2a), float(y - y0) / float(y1 - y0)), 0.94f + n));
    }
  for (int x = x0; x < x1; ++x) c.Set(x, y0, Hex(0x7088b8)), c.Set(x, y1 - 1, Hex(0x080a12));
  for (int y = y0; y < y1; ++y) c.Set(x0, y, Hex(0x7088b8)), c.Set(x1 - 1, y, Hex(0x080a12));
  if (!title.empty()) {
    Text(c, Bold(10), x0 + 5, y0 + 2, title, Caption);
    for (int x = x0 + 3; x < x1 - 3; ++x) c.Set(x, y0 + 14, Hex(0x3a4a70));
  }
}

// A light well for a number the game writes in black.
inline void Well(Canvas& c, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) c.Set(x, y, Mix(Hex(0xdfe6f2), Hex(0xf2f5fa), float(y - y0) / float(y1 - y0)));
  for (int x = x0; x < x1; ++x) c.Set(x, y0, Hex(0x6a7488)), c.Set(x, y1 - 1, Hex(0xffffff));
  for (int y = y0; y < y1; ++y) c.Set(x0, y, Hex(0x6a7488)), c.Set(x1 - 1, y, Hex(0xfcfcfc));
}

// A hollow frame of the given thickness, the rest left to the key.
inline void Frame(Canvas& c, int x0, int y0, int x1, int y1, Rgb col, int t = 2) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int d = std::min({x - x0, y - y0, x1 - 1 - x, y1 - 1 - y});
      if (d < t) c.Set(x, y, d == 0 ? Scale(col, 0.55f) : col);
    }
}

// The largest bold face, up to the given size, in which every one of the labels fits the width:
// labels that sit side by side share one face.
inline TTF_Font* FittingBold(const std::vector<std::string>& labels, int width, int largest) {
  for (int px = largest; px > 6; --px) {
    int widest = 0;
    for (const std::string& l : labels) widest = std::max(widest, TextWidth(Bold(px), l));
    if (widest <= width) return Bold(px);
  }
  return Bold(6);
}

inline void ButtonLabel(Canvas& c, int x0, int y0, int x1, int y1, const std::string& text, TTF_Font* f, Rgb col = Ink) {
  int h = TTF_FontHeight(f);
  TextCentred(c, f, (x0 + x1) / 2, y0 + (y1 - y0 - h) / 2, text, col);
}

}  // namespace menu_style
