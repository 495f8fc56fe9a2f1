// Sheets 8 and 10: the menu backdrop and the menu's marks and locks. Every label, button and
// well sits where the menu code draws and tests; text the game draws itself (black) always lands
// on a light face.
#include <algorithm>
#include <cmath>
#include <string>

#include "menu_style.h"
#include "sheets.h"

using namespace menu_style;

namespace {


void Padlock(Canvas& c, int cx, int cy, float s) {
  Mask body(c.W, c.H), shackle(c.W, c.H);
  body.Rect(cx - 5 * s, cy - 1 * s, cx + 5 * s, cy + 7 * s);
  shackle.Ring(cx, cy - 1 * s, 2.6f * s, 4.2f * s).Rect(0, cy - 1 * s, c.W, c.H, true);
  shackle.Rect(cx - 4.2f * s, cy - 1.5f * s, cx - 2.6f * s, cy).Rect(cx + 2.6f * s, cy - 1.5f * s, cx + 4.2f * s, cy);
  ShadeMask(c, 0, 0, shackle, Hex(0xb0b8c8), {1, 0.6f, 0.6f, 0.8f});
  ShadeMask(c, 0, 0, body, Hex(0xd8a830), {1.5f, 0.55f, 0.7f, 0.8f});
  c.Set(cx, int(cy + 2 * s), Hex(0x302010));
  c.Set(cx, int(cy + 3 * s), Hex(0x302010));
}

// The dark plate that covers a locked item, with a padlock and a word.
void LockPlate(Canvas& c, int x0, int y0, int x1, int y1, const std::string& word) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      bool stripe = ((x + y) / 5) % 2 == 0;
      c.Set(x, y, stripe ? Hex(0x262a34) : Hex(0x1e2028));
    }
  Frame(c, x0, y0, x1, y1, Hex(0x5a5e6a), 1);
  int h = y1 - y0;
  float s = std::min(1.3f, h / 22.0f);
  if (word.empty()) {
    Padlock(c, (x0 + x1) / 2, y0 + h / 2 - int(2 * s), s);
    return;
  }
  int tw = TextWidth(Bold(9), word);
  int total = int(12 * s) + 4 + tw;
  int lx = (x0 + x1) / 2 - total / 2;
  Padlock(c, lx + int(5 * s), y0 + h / 2 - int(2 * s), s);
  Text(c, Bold(9), lx + int(12 * s) + 4, y0 + (h - 11) / 2, word, Hex(0xa8b0c0));
}

}  // namespace

Rgb PanelLight() { return Hex(0xd4dcea); }
Rgb PanelDark() { return Hex(0x1c2438); }

void Bevel(Canvas& c, int x0, int y0, int x1, int y1, Rgb face, bool raised, int depth) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int d = std::min({x - x0, y - y0, x1 - 1 - x, y1 - 1 - y});
      // The top and left rims are lit (a sunken face: shadowed) all the way along; the
      // bottom and right rims take over only where they meet them, on the corner's diagonal.
      bool lit = (y - y0 < depth && x1 - 1 - x > y - y0) || (x - x0 < depth && y1 - 1 - y > x - x0);
      Rgb p = Mix(Scale(face, 1.06f), Scale(face, 0.9f), float(y - y0) / float(std::max(1, y1 - y0 - 1)));
      if (d < depth) p = (lit == raised) ? Mix(face, Hex(0xffffff), 0.55f) : Scale(face, 0.5f);
      c.Set(x, y, p);
    }
}

// ---- Sheet 10: marks, locks and highlights -------------------------------------------------

void PaintButtons(Canvas& c) {
  // The lock over a shot cell (0..48 x 0..47).
  LockPlate(c, 0, 0, 48, 47, "");
  Text(c, Small(), 6, 34, "LOCKED", Hex(0xa8b0c0));
  // The chosen tab: a glowing frame (68..147 x 0..18).
  Frame(c, 68, 0, 147, 18, Accent, 2);
  for (int x = 70; x < 145; ++x) c.Set(x, 2, Hex(0xc0f0ff));
  // Second charge ability: an orange frame with a V badge (48..150 x 18..44).
  Frame(c, 48, 18, 150, 44, SlotTwo, 2);
  c.FillRect(136, 20, 148, 42, SlotTwo);
  TextCentred(c, Bold(10), 142, 25, "V", Ink);
  // The switch setting: a green frame with a lamp (102..140 x 44..69).
  Frame(c, 102, 44, 140, 69, SlotOne, 3);
  // Shot slot marks (0..48 / 48..96 x 48..63): bands naming the fire key.
  Bevel(c, 0, 48, 48, 63, SlotOne, true, 1);
  TextCentred(c, Bold(9), 24, 50, "SLOT X", Ink);
  Bevel(c, 48, 48, 96, 63, SlotTwo, true, 1);
  TextCentred(c, Bold(9), 72, 50, "SLOT C", Ink);
  // A locked charge ability (0..101 x 63..88).
  LockPlate(c, 0, 63, 101, 88, "LOCKED");
  // First charge ability: a green frame with a Z badge (0..102 x 89..115).
  Frame(c, 0, 89, 102, 115, SlotOne, 2);
  c.FillRect(88, 91, 100, 113, SlotOne);
  TextCentred(c, Bold(10), 94, 96, "Z", Ink);
  // A locked gem (0..35 x 115..140).
  LockPlate(c, 0, 115, 35, 140, "");
  // Gem slot marks (0..35 / 35..70 x 141..167).
  Frame(c, 0, 141, 35, 167, SlotOne, 2);
  c.FillRect(26, 143, 33, 152, SlotOne);
  Text(c, Bold(8), 27, 143, "1", Ink);
  Frame(c, 35, 141, 70, 167, SlotTwo, 2);
  c.FillRect(61, 143, 68, 152, SlotTwo);
  Text(c, Bold(8), 62, 143, "2", Ink);
  // A locked level or mode button (0..147 x 167..194).
  LockPlate(c, 0, 167, 147, 194, "LOCKED");
}

// ---- Sheet 8: the menu backdrop ------------------------------------------------------------

namespace {

const char* const ShotNames[20] = {"POWER BEAM",   "BOOMERANG SHOT", "SPEED SHOT",     "ENERGY DNA",        "THE CLAPPER",
                                   "ENERGY SPREAD", "WIDE BEAM",     "POWER MINE",     "SLICE RING",        "GOLD SPLICER",
                                   "GHOST ATTACK",  "MULTIPLE MISSILES", "STICK SPREAD", "X FOLLOWER",     "PLASMA BLADE",
                                   "CRESCENT BLADE", "SHRAPNEL SPREADER", "PHAZON WAVE", "SHOT CORRUPTER", "PURE POWER"};
// Where each kind's first frame lies on the shots sheet (left, top, width, height).
const int ShotIcons[20][4] = {{0, 0, 3, 11},    {15, 0, 20, 20},   {136, 0, 5, 55},  {0, 82, 30, 30},  {141, 0, 10, 15},
                              {0, 73, 9, 9},    {0, 37, 55, 5},    {0, 20, 17, 17},  {97, 42, 29, 29}, {32, 42, 13, 31},
                              {141, 15, 45, 56}, {186, 15, 9, 26}, {68, 112, 16, 16}, {186, 41, 12, 37}, {95, 0, 17, 12},
                              {0, 146, 58, 15}, {0, 112, 17, 17},  {112, 0, 7, 15},  {0, 129, 16, 16}, {200, 112, 10, 10}};

// Copies a sprite scaled down (never up) to fit a box, centred, on a dark ground.
void Icon(Canvas& c, const Canvas& src, int sx, int sy, int sw, int sh, int x0, int y0, int bw, int bh, float maxScale = 1) {
  float k = std::min({maxScale, float(bw) / sw, float(bh) / sh});
  int dw = std::max(1, int(sw * k)), dh = std::max(1, int(sh * k));
  int ox = x0 + (bw - dw) / 2, oy = y0 + (bh - dh) / 2;
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) {
      int px = sx + std::min(sw - 1, int(x / k)), py = sy + std::min(sh - 1, int(y / k));
      if (!src.IsKey(px, py)) c.Set(ox + x, oy + y, src.GetRgb(px, py));
    }
}

// A shot's sprite as its shop icon, filling a wide window: a shot taller than wide (they fly up
// the screen) is turned to fly to the right; it grows by whole steps, so its pixels stay
// square, or shrinks by averaging, so thin strokes survive; and it sits in the middle.
void ShotIcon(Canvas& c, const Canvas& src, int sx, int sy, int sw, int sh, int x0, int y0, int bw, int bh) {
  const bool turn = sh > sw;
  const int w = turn ? sh : sw, h = turn ? sw : sh;
  auto at = [&](int u, int v) {  // the sprite as it lies in the window
    return turn ? std::pair{sx + v, sy + sh - 1 - u} : std::pair{sx + u, sy + v};
  };
  float k = std::min(float(bw) / w, float(bh) / h);
  if (k >= 1) k = std::min(3.0f, std::floor(k));
  const int dw = std::max(1, int(w * k)), dh = std::max(1, int(h * k));
  const int ox = x0 + (bw - dw) / 2, oy = y0 + (bh - dh) / 2;
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) {
      const int u0 = int(x / k), u1 = std::max(u0 + 1, int((x + 1) / k));
      const int v0 = int(y / k), v1 = std::max(v0 + 1, int((y + 1) / k));
      Rgb sum{};
      int opaque = 0, all = 0;
      for (int v = v0; v < std::min(v1, h); ++v)
        for (int u = u0; u < std::min(u1, w); ++u) {
          auto [px, py] = at(u, v);
          ++all;
          if (src.IsKey(px, py)) continue;
          sum = Add(sum, src.GetRgb(px, py));
          ++opaque;
        }
      if (opaque * 3 >= all && opaque > 0) c.Set(ox + x, oy + y, Scale(sum, 1.0f / float(opaque)));
    }
}

void Gem(Canvas& c, float cx, float cy, int g) {
  static const uint32_t cols[18] = {0x40c0ff, 0x40e070, 0xffd030, 0xff4040, 0xb060ff, 0xe0e8f0, 0xff9020, 0x30f0d0, 0xff60b0,
                                    0xffe080, 0x60ff60, 0xf8f0a0, 0x8080ff, 0xff5050, 0x50a0ff, 0x40d090, 0xc0c0d0, 0xffffff};
  Mask m(c.W, c.H);
  int sides = 4 + g % 3 * 2;
  std::vector<Pt> pts;
  for (int i = 0; i < sides; ++i) {
    float a = i * 6.2831853f / sides - 1.5708f + (sides == 4 ? 0 : 0.3f);
    pts.push_back({cx + std::cos(a) * 8.5f, cy + std::sin(a) * 8.5f * (sides == 4 ? 1.2f : 1)});
  }
  m.Poly(pts);
  Rgb col = Hex(cols[g]);
  if (g == 17) {
    // The ultimate gem shimmers through every colour.
    Canvas tmp(c.W, c.H, c.Key);
    ShadeMask(tmp, 0, 0, m, Hex(0xf0f0f0), {4, 0.6f, 0.6f, 1});
    for (int y = int(cy - 11); y < cy + 11; ++y)
      for (int x = int(cx - 10); x < cx + 10; ++x)
        if (!tmp.IsKey(x, y)) {
          float a = std::atan2(y - cy, x - cx) * 3;
          Rgb rb{128 + 127 * std::sin(a), 128 + 127 * std::sin(a + 2.1f), 128 + 127 * std::sin(a + 4.2f)};
          c.Set(x, y, Mix(tmp.GetRgb(x, y), rb, 0.45f));
        }
  } else {
    ShadeMask(c, 0, 0, m, col, {4, 0.5f, 0.75f, 1.0f});
  }
  for (const Pt& p : pts) {
    // Facet lines from the centre to each corner.
    for (float t = 0.2f; t < 0.9f; t += 0.08f) {
      int x = int(cx + (p.X - cx) * t), y = int(cy + (p.Y - cy) * t);
      c.Set(x, y, Mix(c.GetRgb(x, y), Hex(0xffffff), 0.25f));
    }
  }
}

void Potion(Canvas& c, int cx, int top, Rgb liquid) {
  Mask glass(c.W, c.H), fill(c.W, c.H), cork(c.W, c.H);
  glass.Ellipse(cx, top + 28, 14, 14).Rect(cx - 5, top + 4, cx + 5, top + 18);
  fill.Ellipse(cx, top + 28, 12, 12).Rect(0, 0, c.W, top + 24, true);
  cork.Rect(cx - 4, top, cx + 4, top + 6);
  ShadeMask(c, 0, 0, glass, Hex(0xa8c0d8), {3, 0.6f, 0.6f, 1});
  ShadeMask(c, 0, 0, fill, liquid, {5, 0.55f, 0.7f, 0.9f});
  ShadeMask(c, 0, 0, cork, Hex(0x8a6038), {1.5f, 0.6f, 0.6f, 0.3f});
}

// A small pictogram for a charge ability (0 to 8) or a ship part (9 to 13), drawn on a
// 15-unit grid scaled to a box of `size` pixels at (x0, y0), lit as a little relief in its
// colour and ringed in dark so it reads on the light face of its button.
void Pictogram(Canvas& c, int kind, int x0, int y0, int size, Rgb col) {
  const float k = size / 15.0f;
  auto P = [k](std::vector<Pt> pts) {
    for (Pt& q : pts) q = {q.X * k + 1, q.Y * k + 1};
    return pts;
  };
  Mask m(size + 2, size + 2);  // one pixel of room on each side for the rim
  auto disc = [&](float cx, float cy, float rx, float ry, bool erase = false) {
    m.Ellipse(cx * k + 1, cy * k + 1, rx * k, ry * k, erase);
  };
  auto box = [&](float ax, float ay, float bx, float by, bool erase = false) {
    m.Rect(ax * k + 1, ay * k + 1, bx * k + 1, by * k + 1, erase);
  };
  switch (kind) {
    case 0:  // booster: two chevrons climbing
      m.Poly(P({{1.5f, 7}, {7.5f, 1}, {13.5f, 7}, {13.5f, 10.5f}, {7.5f, 4.5f}, {1.5f, 10.5f}}));
      m.Poly(P({{1.5f, 11.5f}, {7.5f, 5.5f}, {13.5f, 11.5f}, {13.5f, 15}, {7.5f, 9}, {1.5f, 15}}));
      break;
    case 1:  // rammer: a wedge striking, sparks at its point
      m.Poly(P({{7.5f, 4}, {14, 15}, {1, 15}}));
      m.Poly(P({{7.5f, 0}, {8.7f, 3}, {6.3f, 3}}));
      m.Poly(P({{1.5f, 1.5f}, {5.2f, 3.4f}, {4.2f, 4.6f}}));
      m.Poly(P({{13.5f, 1.5f}, {9.8f, 3.4f}, {10.8f, 4.6f}}));
      break;
    case 2:  // double shot: two bolts side by side
      for (float x : {2.5f, 9.0f}) {
        box(x, 4, x + 3.5f, 14.5f);
        disc(x + 1.75f, 3.5f, 1.75f, 3);
      }
      break;
    case 3:  // defence x2: a shield
    case 9:  // defence: a shield with a bar down its middle
      m.Poly(P({{1.5f, 1}, {13.5f, 1}, {13.5f, 7}, {7.5f, 14.5f}, {1.5f, 7}}));
      if (kind == 9) box(6.7f, 3, 8.3f, 11, true);
      break;
    case 4:  // attack x2: a sword, point up
      m.Poly(P({{6, 3.5f}, {7.5f, 0}, {9, 3.5f}, {9, 10}, {6, 10}}));
      box(2.5f, 10, 12.5f, 11.8f);
      box(6.6f, 11.8f, 8.4f, 14);
      disc(7.5f, 14, 1.4f, 1);
      break;
    case 5:  // siphoner: a heart, life drawn in
      disc(4.6f, 5, 3.4f, 3.4f);
      disc(10.4f, 5, 3.4f, 3.4f);
      m.Poly(P({{1.4f, 6}, {13.6f, 6}, {7.5f, 14}}));
      break;
    case 6:  // shot eraser: a ring struck through
      m.Ring(7.5f * k + 1, 7.5f * k + 1, 4.6f * k, 6.9f * k);
      m.Poly(P({{2.6f, 3.8f}, {3.8f, 2.6f}, {12.4f, 11.2f}, {11.2f, 12.4f}}));
      break;
    case 7:  // matrix: an hourglass, time slowed
      m.Poly(P({{3, 2}, {12, 2}, {8.6f, 7.5f}, {12, 13}, {3, 13}, {6.4f, 7.5f}}));
      box(1.5f, 0.5f, 13.5f, 2.2f);
      box(1.5f, 12.8f, 13.5f, 14.5f);
      break;
    case 8:  // cloaker: a ghost
      disc(7.5f, 6, 5.5f, 5.2f);
      box(2, 6, 13, 13.5f);
      disc(4.8f, 14.2f, 1.4f, 1.6f, true);
      disc(10.2f, 14.2f, 1.4f, 1.6f, true);
      disc(5.4f, 6, 1.1f, 1.6f, true);
      disc(9.6f, 6, 1.1f, 1.6f, true);
      break;
    case 10:  // speed: two chevrons racing on
      for (float x : {1.0f, 7.0f}) m.Poly(P({{x, 1.5f}, {x + 6.5f, 7.5f}, {x, 13.5f}, {x, 10}, {x + 3, 7.5f}, {x, 5}}));
      break;
    case 11:  // regen: a cross of healing
      box(5.5f, 1, 9.5f, 14);
      box(1, 5.5f, 14, 9.5f);
      break;
    case 12:  // recharge: a lightning bolt
      m.Poly(P({{9.5f, 0.5f}, {3, 8.5f}, {7, 8.5f}, {5, 14.5f}, {12, 6}, {8, 6}, {11, 0.5f}}));
      break;
    default:  // reducer: an arrow down onto a bar, the price cut
      m.Poly(P({{7.5f, 11.5f}, {13, 6}, {9.5f, 6}, {9.5f, 0.5f}, {5.5f, 0.5f}, {5.5f, 6}, {2, 6}}));
      box(1.5f, 12.5f, 13.5f, 14.5f);
      break;
  }
  Shading sh;
  sh.Bevel = 1.6f;
  sh.Ambient = 0.7f;
  sh.Diffuse = 0.45f;
  ShadeMask(c, x0 - 1, y0 - 1, m, col, sh);
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x)
      if (!m.At(x, y) && (m.At(x - 1, y) || m.At(x + 1, y) || m.At(x, y - 1) || m.At(x, y + 1)))
        c.Set(x0 - 1 + x, y0 - 1 + y, Hex(0x101828));
}

}  // namespace

void PaintTitle(Canvas& c, const Canvas& ships, const Canvas& shots, const Canvas& enemies) {
  TTF_Font* f9 = Small();
  // The space between the panels stays the key, so the falling stars show through.

  // The title across the top, over the stars (about text region 164..791 x 9..54).
  {
    TTF_Font* big = Bold(40);
    const std::string title = "ZORVANE 2";
    int tw = TextWidth(big, title);
    Canvas t(800, 60, WhiteKey);
    Text(t, big, 478 - tw / 2, 4, title, Hex(0xffffff));
    // Metallic gradient letters with a dark rim and a blue glow.
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 800; ++x) {
        if (t.IsKey(x, y)) continue;
        float k = (t.GetRgb(x, y).R) / 255.0f;
        Rgb metal = Mix(Hex(0xfff4c0), Hex(0xe06a10), std::clamp((y - 10) / 34.0f, 0.0f, 1.0f));
        if (std::abs(y - 27) < 2) metal = Mix(metal, Hex(0xffffff), 0.4f);
        t.Set(x, y, Scale(metal, 0.3f + 0.7f * k));
      }
    Outline(t, 0, 0, 800, 60, 0.8f, true);
    Outline(t, 0, 0, 800, 60, 1.0f, true);
    c.Paste(t, 0, 0, 800, 60, 0, 2);
    // Small ships flanking the title.
    c.Paste(ships, 0, 0, 45, 56, 300, 2);
    c.Paste(ships, 90, 0, 135, 56, 612, 2);
  }
  // The credits strip (186..747 x 67..88).
  Bevel(c, 186, 67, 748, 89, Hex(0x2a3450), true, 1);
  ButtonLabel(c, 186, 67, 748, 89, "PROGRAMMING AND DESIGN BY THE ZORVANE 2 DEVELOPERS  -  POINT HERE FOR CREDITS",
              Small(), Caption);

  // Left column: quit, levels, modes.
  Panel(c, 4, 4, 160, 596);
  Bevel(c, 10, 11, 155, 58, Hex(0xd86a5a), true, 3);
  ButtonLabel(c, 10, 11, 155, 58, "SAVE AND QUIT", Bold(15));
  Text(c, Bold(11), 12, 81, "LEVELS", Caption);
  Text(c, f9, 70, 83, "CLICK TO PLAY", Hex(0x8898b8));
  for (int i = 0; i < 10; ++i) {
    int top = 103 + 33 * i;
    Bevel(c, 10, top, 155, top + 26, PanelLight(), true, 2);
    Bevel(c, 14, top + 4, 32, top + 22, Hex(0x3a5a9a), false, 1);
    TextCentred(c, Bold(10), 23, top + 6, std::to_string(i + 1), Hex(0xf0f4ff));
    Text(c, Bold(11), 40, top + 6, "LEVEL " + std::to_string(i + 1), Ink);
    // A thumbnail of the level's boss on a dark window at the right.
    static const int boss[10][4] = {{0, 196, 59, 127},  {428, 111, 101, 49}, {59, 124, 183, 199}, {335, 89, 93, 85},
                                    {242, 88, 93, 86},  {493, 160, 91, 82},  {494, 242, 320, 81}, {584, 181, 108, 61},
                                    {584, 90, 143, 91}, {243, 174, 250, 149}};
    Bevel(c, 112, top + 4, 151, top + 22, Hex(0x101626), false, 1);
    Icon(c, enemies, boss[i][0], boss[i][1], boss[i][2], boss[i][3], 114, top + 5, 35, 16);
  }
  Text(c, Bold(11), 12, 445, "MODES", Caption);
  static const char* const modes[3] = {"MINI GAME", "MARATHON", "BOSS ARENA"};
  static const uint32_t modeFace[3] = {0xc8e0c8, 0xe0d8b8, 0xe8c0c0};
  for (int m = 0; m < 3; ++m) {
    int top = 465 + 33 * m;
    Bevel(c, 10, top, 155, top + 26, Hex(modeFace[m]), true, 2);
    ButtonLabel(c, 10, top, 155, top + 26, modes[m], Bold(11));
  }
  Text(c, f9, 16, 570, "HOVER OVER ANYTHING", Hex(0x8898b8));
  Text(c, f9, 16, 580, "TO LEARN WHAT IT DOES", Hex(0x8898b8));

  // The shot grid (cells 167+49c..212+49c x 107+49r..152+49r).
  Panel(c, 162, 92, 412, 304, "SHOTS");
  Text(c, f9, 206, 95, "LEFT CLICK: SLOT X  RIGHT: SLOT C", Hex(0x8898b8));
  for (int r = 0; r < 4; ++r)
    for (int col = 0; col < 5; ++col) {
      int x0 = 167 + 49 * col, y0 = 107 + 49 * r, n = 5 * r + col;
      Bevel(c, x0, y0 + 13, x0 + 46, y0 + 46, PanelLight(), true, 1);
      // The equip band: a raised button, so that it reads as the place to click to equip.
      Bevel(c, x0, y0, x0 + 46, y0 + 13, Hex(0x4c70b8), true, 2);
      TextCentred(c, Bold(9), x0 + 23, y0 + 1, "EQUIP", Hex(0xf4f8ff));
      // The shot itself on a dark window.
      c.FillRect(x0 + 2, y0 + 14, x0 + 44, y0 + 27, Hex(0x0c1020));
      const int* ic = ShotIcons[n];
      ShotIcon(c, shots, ic[0], ic[1], ic[2], ic[3], x0 + 3, y0 + 15, 40, 11);
      // The level: "LV" and a well for the number at (187 + 49c, 135 + 49r).
      Text(c, Bold(9), x0 + 5, y0 + 29, "LV", Ink);
      Well(c, x0 + 18, y0 + 27, x0 + 36, y0 + 39);
      (void)ShotNames;
    }

  // The guide: tabs (467+80t..543+80t x 107..122) and the picture (417..705 x 126..298).
  Panel(c, 414, 92, 708, 304, "GUIDE");
  static const char* const tabs[3] = {"CONTROLS", "THE SHIP", "ENEMIES"};
  for (int t = 0; t < 3; ++t) {
    int x0 = 467 + 80 * t;
    Bevel(c, x0, 107, x0 + 77, 123, Hex(0x3a4c78), true, 1);
    ButtonLabel(c, x0, 107, x0 + 77, 123, tabs[t], Bold(9), Hex(0xe0ecff));
  }
  Text(c, Bold(9), 422, 110, "HELP", Hex(0x8898b8));
  c.FillRect(417, 126, 705, 298, Hex(0x0a0e18));

  // Ship parts (rows 714..778 x 107+39p..142+39p; level at (742, 125 + 39p)).
  Panel(c, 710, 92, 796, 304, "PARTS");
  static const char* const parts[5] = {"DEFENCE", "SPEED", "REGEN", "RECHARGE", "REDUCER"};
  TTF_Font* partFont = FittingBold(std::vector<std::string>(parts, parts + 5), 65 - 10, 9);
  static const uint32_t partCol[5] = {0x70a880, 0x30c0f0, 0x40c050, 0xf0c020, 0xf08030};
  for (int p = 0; p < 5; ++p) {
    int y0 = 107 + 39 * p;
    Bevel(c, 714, y0, 779, y0 + 36, PanelLight(), true, 2);
    TextCentred(c, partFont, 746, y0 + 3, parts[p], Ink);
    Pictogram(c, 9 + p, 719, y0 + 16, 14, Hex(partCol[p]));
    Well(c, 738, y0 + 16, 762, y0 + 30);
    Text(c, Bold(9), 765, y0 + 18, "+", Hex(0x2a7a3a));
  }

  // Statistics (values at (168, 337 + 22i), completion at (168, 535), clock at (168, 556)).
  Panel(c, 162, 308, 266, 596, "STATISTICS");
  static const char* const stats[8] = {"DAMAGE TAKEN", "DAMAGE DEALT", "ENEMIES KILLED", "LEVELS PLAYED",
                                       "POTIONS USED", "POINTS EARNED", "DISTANCE FLOWN", "DEATHS"};
  for (int i = 0; i < 8; ++i) {
    Text(c, f9, 168, 325 + 22 * i, stats[i], Caption);
    Well(c, 165, 336 + 22 * i, 262, 348 + 22 * i);
  }
  Text(c, f9, 168, 522, "COMPLETION", Caption);
  Well(c, 165, 534, 262, 546);
  // The play clock's well holds the clock alone; its name sits beneath it.
  Well(c, 165, 554, 262, 567);
  Text(c, f9, 168, 572, "PLAY TIME (H:M:S)", Caption);

  // Charge abilities (rows 271..378 x 341+27i..366+27i).
  Panel(c, 268, 308, 381, 596, "CHARGE");
  Text(c, f9, 272, 325, "LEFT: Z   RIGHT: V", Hex(0x8898b8));
  static const char* const abilities[9] = {"BOOSTER", "RAMMER", "DOUBLE SHOT", "DEFENCE x2", "ATTACK x2",
                                           "SIPHONER", "SHOT ERASER", "MATRIX", "CLOAKER"};
  static const uint32_t abilityCol[9] = {0xff9030, 0xff4040, 0xffe040, 0x40a0ff, 0xff60a0,
                                         0x40e080, 0xf0f0f0, 0x60ff60, 0xa080ff};
  // Each row: a colour stripe left of where the lock plate lies, then the ability's pictogram
  // and its name, clear of the badge the equip marks put at the right end (x 366 on).
  TTF_Font* abilityFont = FittingBold(std::vector<std::string>(abilities, abilities + 9), 363 - 301, 10);
  for (int i = 0; i < 9; ++i) {
    int y0 = 341 + 27 * i;
    Bevel(c, 271, y0, 379, y0 + 26, PanelLight(), true, 2);
    c.FillRect(274, y0 + 4, 277, y0 + 22, Hex(abilityCol[i]));
    Pictogram(c, i, 283, y0 + 5, 15, Scale(Hex(abilityCol[i]), 0.85f));
    Text(c, abilityFont, 301, y0 + 7, abilities[i], Ink);
  }

  // Gems (cells 386+37c..418+37c x 341+27r..366+27r).
  Panel(c, 383, 308, 460, 596, "GEMS");
  Text(c, f9, 388, 325, "L: 1   R: 2", Hex(0x8898b8));
  for (int col = 0; col < 2; ++col)
    for (int r = 0; r < 9; ++r) {
      int x0 = 386 + 37 * col, y0 = 341 + 27 * r;
      Bevel(c, x0, y0, x0 + 33, y0 + 26, Hex(0x2a3450), false, 1);
      Gem(c, x0 + 16.5f, y0 + 13, 9 * col + r);
    }

  // Information, potions and options on the right.
  Panel(c, 462, 308, 796, 596, "INFORMATION");
  Bevel(c, 466, 328, 791, 441, PanelLight(), false, 2);
  // A small "i" badge at the panel's left.
  {
    Mask badge(800, 600);
    badge.Ellipse(482, 345, 10, 10);
    ShadeMask(c, 0, 0, badge, Hex(0x3a70c8), {3, 0.6f, 0.7f, 0.8f});
    TextCentred(c, Bold(14), 482, 337, "i", Hex(0xf0f8ff));
  }
  Text(c, Bold(10), 467, 458, "POTIONS", Caption);
  Text(c, f9, 520, 460, "USE IN PLAY WITH A, S, D  (MAX 5)", Hex(0x8898b8));
  static const char* const potionName[3] = {"HEALTH", "CHARGE", "FULL"};
  static const char* const potionPrice[3] = {"500 POINTS", "200 POINTS", "1000 POINTS"};
  static const char* const potionKey[3] = {"KEY A", "KEY S", "KEY D"};
  static const uint32_t potionCol[3] = {0xe02830, 0x2870f0, 0xa030e0};
  for (int k = 0; k < 3; ++k) {
    int x0 = 463 + 80 * k;
    Bevel(c, x0, 476, x0 + 77, 580, PanelLight(), true, 2);
    TextCentred(c, Bold(10), x0 + 38, 479, potionName[k], Ink);
    Text(c, f9, 494 + 81 * k - 3 - TextWidth(f9, "OWN"), 499, "OWN", Ink);
    Well(c, 494 + 81 * k, 496, 514 + 81 * k, 510);
    Potion(c, x0 + 38, 512, Hex(potionCol[k]));
    TextCentred(c, Bold(9), x0 + 38, 556, potionPrice[k], Ink);
    TextCentred(c, f9, x0 + 38, 567, potionKey[k], Hex(0x4a5468));
  }
  // Sound and music switches (ON 702..739, OFF 742..779) and the erase button.
  Text(c, Bold(10), 706, 458, "OPTIONS", Caption);
  for (int s = 0; s < 2; ++s) {
    int y0 = 489 + 40 * s;
    Text(c, Bold(9), 704, y0 - 12, s == 0 ? "SOUND" : "MUSIC", Caption);
    Bevel(c, 702, y0, 740, y0 + 25, Hex(0xb8e0b8), true, 2);
    ButtonLabel(c, 702, y0, 740, y0 + 25, "ON", Bold(10));
    Bevel(c, 742, y0, 780, y0 + 25, Hex(0xe0c0c0), true, 2);
    ButtonLabel(c, 742, y0, 780, y0 + 25, "OFF", Bold(10));
  }
  Bevel(c, 702, 555, 780, 581, Hex(0xc03030), true, 2);
  ButtonLabel(c, 702, 555, 780, 581, "ERASE DATA", Bold(9), Hex(0xfff0e0));
}
