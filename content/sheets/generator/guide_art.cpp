// Sheets 11 and 12: the results panel and the three guide pictures, in the menu's style. Every
// well sits where the results screen writes its numbers in black.
#include <algorithm>
#include <string>

#include "menu_style.h"
#include "sheets.h"

using namespace menu_style;

// ---- Sheet 11: the results panel -----------------------------------------------------------

void PaintStats(Canvas& c) {
  // Drawn at (300, 150); the game writes counters at panel x 130 from y 26 in steps of 13,
  // the pickup and goal lines at x 129 (y 117 and 130 + 13g), the grade at (42, 208), the
  // points at (140, 208) and the rewards at (3, 233) and (3, 245).
  Panel(c, 0, 0, 200, 300);
  TextCentred(c, Bold(13), 100, 4, "MISSION RESULTS", Hex(0xffd060));
  static const char* const labels[8] = {"ENEMIES KILLED", "ENEMIES FOUGHT", "DAMAGE TAKEN", "DAMAGE DEALT",
                                        "POTIONS USED",   "DISTANCE FLOWN", "CHARGE USED",  "PICKUP TAKEN"};
  TTF_Font* f9 = MenuFont();
  for (int i = 0; i < 8; ++i) {
    int y = 26 + 13 * i;
    Text(c, f9, 8, y, labels[i], Caption);
    Well(c, 126, y - 1, 196, y + 11);
  }
  for (int g = 0; g < 5; ++g) {
    int y = 130 + 13 * g;
    Text(c, f9, 8, y, "GOAL " + std::to_string(g + 1), Hex(0xa0e0a0));
    Well(c, 126, y - 1, 196, y + 11);
  }
  for (int x = 6; x < 194; ++x) c.Set(x, 197, Hex(0x3a4a70));
  // GRADE has 34 pixels before its well; POINTS is set in the same face.
  TTF_Font* result = FittingBold({"GRADE", "POINTS"}, 39 - 4 - 3, 10);
  Text(c, result, 4, 206, "GRADE", Hex(0xffd060));
  Well(c, 39, 205, 62, 220);
  Text(c, result, 137 - 4 - TextWidth(result, "POINTS"), 206, "POINTS", Hex(0xffd060));
  Well(c, 137, 205, 196, 220);
  Text(c, f9, 6, 220, "REWARDS", Caption);
  Well(c, 1, 231, 199, 257);
  TextCentred(c, Bold(10), 100, 270, "PRESS ESC TO CONTINUE", Accent);
  TextCentred(c, f9, 100, 285, "POINTS ARE PAID WHEN YOU LEAVE", Hex(0x8898b8));
}

// ---- Sheet 12: the guide pictures ----------------------------------------------------------

namespace {

void KeyCap(Canvas& c, int x, int y, int w, const std::string& label) {
  Bevel(c, x, y, x + w, y + 18, Hex(0xd8dce6), true, 2);
  ButtonLabel(c, x, y, x + w, y + 18, label, Bold(9));
}

}  // namespace

void PaintMenuHelp(Canvas& c, const Canvas& ships, const Canvas& enemies, const Canvas& eshots) {
  TTF_Font* f9 = MenuFont();
  for (int t = 0; t < 3; ++t) {
    int y0 = 176 * t;
    for (int y = y0; y < y0 + 172; ++y)
      for (int x = 0; x < 288; ++x) {
        float n = Noise2(x * 0.03f, y * 0.05f, 200 + t);
        c.Set(x, y, Mix(Hex(0x0a1020), Hex(0x1c1438), n * 0.8f));
      }
    // A few stars in each picture.
    ArtRandom rnd(300 + t);
    for (int i = 0; i < 40; ++i) c.Set(int(rnd.Range(3, 285)), y0 + int(rnd.Range(3, 169)), Hex(0x8890b0));
    Frame(c, 0, y0, 288, y0 + 172, Hex(0x4a6090), 1);
  }
  // Tab 0: the controls.
  {
    const int y0 = 0;
    TextCentred(c, Bold(12), 144, y0 + 5, "CONTROLS", Accent);
    KeyCap(c, 40, y0 + 26, 20, "^");
    KeyCap(c, 18, y0 + 46, 20, "<");
    KeyCap(c, 40, y0 + 46, 20, "v");
    KeyCap(c, 62, y0 + 46, 20, ">");
    Text(c, f9, 90, y0 + 40, "ARROWS STEER THE SHIP", Caption);
    KeyCap(c, 212, y0 + 22, 20, "P");
    Text(c, f9, 238, y0 + 26, "PAUSE", Caption);
    KeyCap(c, 18, y0 + 72, 64, "SPACE");
    Text(c, f9, 90, y0 + 76, "FLY SLOWLY, FOR FINE DODGING", Caption);
    KeyCap(c, 18, y0 + 96, 20, "X");
    KeyCap(c, 40, y0 + 96, 20, "C");
    Text(c, f9, 68, y0 + 100, "FIRE SLOT X / C", SlotOne);
    KeyCap(c, 186, y0 + 96, 20, "Z");
    KeyCap(c, 208, y0 + 96, 20, "V");
    Text(c, f9, 234, y0 + 94, "CHARGE", SlotTwo);
    Text(c, f9, 234, y0 + 104, "ABILITIES", SlotTwo);
    KeyCap(c, 18, y0 + 120, 20, "A");
    KeyCap(c, 40, y0 + 120, 20, "S");
    KeyCap(c, 62, y0 + 120, 20, "D");
    Text(c, f9, 90, y0 + 124, "POTIONS: HEALTH / CHARGE / FULL", Caption);
    KeyCap(c, 18, y0 + 144, 36, "ESC");
    Text(c, f9, 62, y0 + 148, "LEAVE THE LEVEL, COLLECT RESULTS", Caption);
  }
  // Tab 1: the ship and its parts.
  {
    const int y0 = 176;
    TextCentred(c, Bold(12), 144, y0 + 5, "YOUR SHIP", Accent);
    // The plain ship and the fully upgraded one, at double size.
    for (int k = 0; k < 2; ++k) {
      int sx = k == 0 ? 0 : 90, ox = k == 0 ? 20 : 180;
      Canvas big(90, 112, WhiteKey);
      for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 90; ++x)
          if (!ships.IsKey(sx + x / 2, y / 2)) big.Set(x, y, ships.GetRgb(sx + x / 2, y / 2));
      if (k == 0)
        for (int row = 1; row <= 5; ++row)
          for (int y = 0; y < 112; ++y)
            for (int x = 0; x < 90; ++x)
              if (!ships.IsKey(4 * 45 + x / 2, row * 56 + y / 2)) big.Set(x, y, ships.GetRgb(4 * 45 + x / 2, row * 56 + y / 2));
      c.Paste(big, 0, 0, 90, 112, ox, y0 + 26);
    }
    TextCentred(c, f9, 65, y0 + 142, "PARTS AT LEVEL 5", Caption);
    TextCentred(c, f9, 225, y0 + 142, "EVERY PART AT 10", Hex(0xffd060));
    Text(c, f9, 118, y0 + 40, "DEFENCE", Hex(0x9fc0a6));
    Text(c, f9, 118, y0 + 54, "SPEED", Hex(0xf08a50));
    Text(c, f9, 118, y0 + 68, "REGEN", Hex(0x50f090));
    Text(c, f9, 118, y0 + 82, "CHARGE", Hex(0x50d4ff));
    Text(c, f9, 118, y0 + 96, "REDUCER", Hex(0xc080ff));
    TextCentred(c, f9, 144, y0 + 156, "BUY PARTS AND SHOTS WITH POINTS", Caption);
  }
  // Tab 2: what to watch for.
  {
    const int y0 = 352;
    TextCentred(c, Bold(12), 144, y0 + 5, "ENEMY FIRE", Accent);
    struct Row {
      int SX, SY, W, H;
      const char* Text;
      uint32_t Col;
    };
    const Row rows[5] = {{0, 0, 9, 9, "COMMON SHOT, COLOURED BY LEVEL", 0xc8d8f0},
                         {9, 0, 21, 21, "INSTANT KILL! NEVER LET IT TOUCH YOU", 0xff5040},
                         {9, 21, 8, 8, "DRAINS YOUR CHARGE", 0x60d0ff},
                         {17, 21, 10, 10, "HOLDS YOUR SHIP STILL", 0xa0c8ff},
                         {9, 31, 12, 17, "JAMS YOUR GUNS FOR A WHILE", 0xd090ff}};
    for (int i = 0; i < 5; ++i) {
      int y = y0 + 24 + i * 22;
      c.Paste(eshots, rows[i].SX, rows[i].SY, rows[i].SX + rows[i].W, rows[i].SY + rows[i].H, 20 - rows[i].W / 2,
              y + 9 - rows[i].H / 2);
      Text(c, f9, 40, y + 4, rows[i].Text, Hex(rows[i].Col));
    }
    c.Paste(enemies, 882, 0, 905, 28, 9, y0 + 135);
    Text(c, f9, 40, y0 + 140, "PICKUP: FLY INTO IT FOR BONUS POINTS", Hex(0xffd060));
    Text(c, f9, 40, y0 + 154, "RAMMING HEAVY CRAFT HURTS!", Hex(0xff8a60));
  }
}
