// The sprite sheets by index: their resource names, sizes and colour keys. The game draws from
// them by index; the machine loads them by name.
#pragma once

#include <cstdint>

enum SheetIndex {
  SheetShips = 0,
  SheetBackround = 1,
  SheetStars = 2,
  SheetShots = 3,
  SheetBars = 4,
  SheetEnemies = 5,
  SheetExplosions = 6,
  SheetEShots = 7,
  SheetTitle = 8,
  SheetMouse = 9,
  SheetButtons = 10,
  SheetStats = 11,
  SheetMenuHelp = 12,
  SheetEnemiesHurt = 13,
  SheetBackdrop = 14,  // the slow nebula behind the play column, and the ship-lost notice
  SheetFlair = 15,     // words, flashes and sparks over play (effects/flair_sheet.h)
};
inline constexpr int SheetCount = 16;

struct SheetInfo {
  const char* Name;
  int Width, Height;
  uint32_t ColourKey;
};
inline constexpr SheetInfo Sheets[SheetCount] = {
    {"Ships", 450, 336, 0xFFFFFF},     {"Backround", 800, 600, 0x000000}, {"Stars", 12, 5, 0x000000},
    {"Shots", 240, 161, 0xFFFFFF},     {"Bars", 204, 451, 0xFFFFFF},      {"Enemies", 982, 323, 0xFFFFFF},
    {"Explosions", 1024, 159, 0x000000}, {"EShots", 30, 117, 0xFFFFFF},   {"Title", 800, 600, 0xFFFFFF},
    {"Mouse", 20, 30, 0x000000},       {"Buttons", 150, 195, 0xFFFFFF},   {"Stats", 200, 300, 0xFFFFFF},
    {"MenuHelp", 289, 563, 0xFFFFFF},  {"EnemiesHurt", 982, 323, 0xFFFFFF}, {"Backdrop", 600, 664, 0x000000},
    {"Flair", 512, 784, 0x000000},
};
