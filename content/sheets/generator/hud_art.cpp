// Sheets 1 and 4: the cockpit frame round the play column and the status bars set into it.
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

// Brushed dark metal with faint horizontal grain.
Rgb Metal(int x, int y, Rgb base) {
  float grain = Noise2(x * 0.05f, y * 1.3f, 5) * 0.14f + Noise2(x * 0.4f, y * 0.4f, 9) * 0.05f;
  return Scale(base, 0.88f + grain);
}

void Recess(Canvas& c, int x0, int y0, int x1, int y1) {
  // A sunken trough: dark glass with a lit lower-right rim and a shadowed upper-left rim.
  for (int y = y0 - 3; y < y1 + 3; ++y)
    for (int x = x0 - 3; x < x1 + 3; ++x) {
      bool in = x >= x0 && x < x1 && y >= y0 && y < y1;
      if (in) {
        float scan = (y % 3 == 0) ? 0.8f : 1.0f;
        c.Set(x, y, Scale(Mix(Hex(0x0c1020), Hex(0x141a30), float(x - x0) / float(x1 - x0)), scan));
      } else {
        bool upperLeft = x < x0 || y < y0;
        c.Set(x, y, upperLeft ? Hex(0x1a1c24) : Hex(0x8a92a8));
      }
    }
}

void Rivet(Canvas& c, int x, int y) {
  c.Set(x, y, Hex(0xc8d0e0)), c.Set(x + 1, y, Hex(0x8890a0)), c.Set(x, y + 1, Hex(0x70788a)),
      c.Set(x + 1, y + 1, Hex(0x30343c));
}

void SidePanel(Canvas& c, int x0, int x1, bool left) {
  const Rgb base = Hex(0x3c4456);
  for (int y = 0; y < 600; ++y)
    for (int x = x0; x < x1; ++x) c.Set(x, y, Metal(x, y, base));
  // The bright trim facing the play column, and a darker outer edge.
  const int inner = left ? x1 - 1 : x0;
  for (int y = 0; y < 600; ++y) {
    c.Set(inner, y, Hex(0x9ab0d8));
    c.Set(left ? inner - 1 : inner + 1, y, Hex(0x5c6c90));
    c.Set(left ? inner - 2 : inner + 2, y, Hex(0x1c2230));
    c.Set(left ? x0 : x1 - 1, y, Hex(0x1a1e28));
  }
  // Plate seams and rivets.
  for (int y = 50; y < 600; y += 100)
    for (int x = x0 + 3; x < x1 - 3; ++x) c.Set(x, y, Hex(0x262a34)), c.Set(x, y + 1, Hex(0x56607a));
  for (int y = 8; y < 600; y += 50) Rivet(c, x0 + 6, y), Rivet(c, x1 - 10, y);
}

}  // namespace

void PaintBackround(Canvas& c) {
  SidePanel(c, 0, 100, true);
  SidePanel(c, 700, 800, false);
  TTF_Font* f = OpenArtFont(FontFace::Bold, 11);
  TTF_Font* small = OpenArtFont(FontFace::Bold, 9);
  // Life (bar at 35..86 x 75..276) and charge (35..86 x 324..525), each in a labelled trough.
  Recess(c, 35, 75, 86, 276);
  Recess(c, 35, 324, 86, 525);
  TextCentred(c, f, 60, 56, "LIFE", Hex(0xff8a80));
  TextCentred(c, f, 60, 305, "CHARGE", Hex(0x80d8ff));
  for (int i = 0; i <= 4; ++i) {
    // Scale marks beside the troughs.
    int y1 = 75 + i * 50, y2 = 324 + i * 50;
    for (int x = 26; x < 32; ++x) c.Set(x, y1, Hex(0x9aa4c0)), c.Set(x, y2, Hex(0x9aa4c0));
  }
  TextCentred(c, small, 50, 548, "ZORVANE 2", Hex(0xb8c4e0));
  // The boss gauge's trough on the right (bar at 715..767 x 75..526).
  Recess(c, 715, 75, 767, 526);
  TextCentred(c, f, 741, 56, "BOSS", Hex(0xe0a0ff));
  for (int i = 0; i <= 8; ++i)
    for (int x = 770; x < 776; ++x) c.Set(x, 75 + i * 56, Hex(0x9aa4c0));
}

void PaintBars(Canvas& c) {
  // A bar fills rows 0 to 200 and is drawn from its top down to row 201: glossy tubes with
  // segment marks. Life is red, charge blue; the boss fill is violet inside its case.
  auto tube = [&](int x0, int x1, int rows, Rgb col, Rgb hot, int inset) {
    for (int y = 0; y < rows; ++y)
      for (int x = x0 + inset; x < x1 - inset; ++x) {
        float u = (x + 0.5f - x0 - inset) / float(x1 - x0 - 2 * inset);  // 0..1 across
        float shade = 0.55f + 0.6f * std::sin(u * 3.14159f) + 0.35f * std::exp(-std::pow((u - 0.3f) / 0.1f, 2.0f));
        Rgb p = Scale(Mix(hot, col, float(y) / rows), shade);
        if (y % 10 == 9) p = Scale(p, 0.62f);  // segment marks
        c.Set(x, y, p);
      }
  };
  tube(0, 51, 201, Hex(0xc01818), Hex(0xff8060), 4);
  tube(51, 102, 201, Hex(0x1050d0), Hex(0x60e8ff), 4);
  tube(102, 152, 451, Hex(0x6a18b0), Hex(0xff60c0), 5);
  // The boss gauge's case: a metal frame with dark glass inside; the fill is laid over it.
  for (int y = 0; y < 451; ++y)
    for (int x = 152; x < 204; ++x) {
      int lx = x - 152;
      bool frame = lx < 5 || lx >= 45 || y < 4 || y >= 447;
      if (frame) {
        float k = (lx < 2 || y < 2) ? 1.25f : (lx >= 50 || y >= 449) ? 0.55f : 0.95f;
        c.Set(x, y, Scale(Hex(0x8a6aa8), k * (0.9f + Noise2(x * 0.3f, y * 0.05f, 3) * 0.2f)));
      } else {
        c.Set(x, y, Scale(Hex(0x160c24), y % 3 == 0 ? 0.8f : 1.0f));
      }
    }
  // Tick marks on the case's right side and a skull-like emblem at its head.
  for (int y = 20; y < 440; y += 25)
    for (int x = 196; x < 202; ++x) c.Set(x, y, Hex(0xe0c8ff));
}
