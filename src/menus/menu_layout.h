// Where the menu's buttons are and what the shop's goods cost: the menu reads its clicks and its
// prices here, and so does anyone who plays the menu from outside (the autopilot). Areas are
// inclusive, as the pointer test reads them.
#pragma once

#include "core/types.h"

struct MenuArea {
  int Left, Right, Top, Bottom;
  bool Holds(int x, int y) const { return Left <= x && x <= Right && Top <= y && y <= Bottom; }
};

// The level buttons (index 0..9) and the mode buttons (10..12) down the left edge.
constexpr MenuArea LevelButtonArea(int index) {
  const int top = index < 10 ? 103 + 33 * index : 465 + 33 * (index - 10);
  return {10, 154, top, top + 25};
}
inline constexpr MenuArea QuitButtonArea = {10, 154, 11, 57};
// A shot's card in the grid (shot = 5 x row + column): its equip band on top, the level band below.
constexpr MenuArea ShotCardArea(int shot) {
  const int left = 167 + 49 * (shot % 5), top = 107 + 49 * (shot / 5);
  return {left, left + 45, top, top + 45};
}
constexpr MenuArea ShotEquipArea(int shot) {
  const MenuArea c = ShotCardArea(shot);
  return {c.Left, c.Right, c.Top, c.Top + 12};
}
constexpr MenuArea ShotLevelArea(int shot) {
  const MenuArea c = ShotCardArea(shot);
  return {c.Left, c.Right, c.Top + 14, c.Top + 45};
}
constexpr MenuArea AbilityArea(int ability) { return {271, 378, 341 + 27 * ability, 366 + 27 * ability}; }
// Gem = 9 x column + row.
constexpr MenuArea GemArea(int gem) {
  const int column = gem / 9, row = gem % 9;
  return {386 + 37 * column, 418 + 37 * column, 341 + 27 * row, 366 + 27 * row};
}
constexpr MenuArea PartArea(int part) { return {714, 778, 107 + 39 * part, 142 + 39 * part}; }
constexpr MenuArea PotionArea(int kind) { return {463 + 80 * kind, 541 + 80 * kind, 476, 579}; }

// The shop's prices in points.
inline constexpr Long ShotUnlockPrice = 100;
// The next level of a shot at `level` (0 to 8): 100, 400, 700 ... 2500.
constexpr Long ShotLevelPrice(int level) { return (level + 1) * 300 - 200; }
// The next level of a ship part at `level` (1 to 9).
constexpr Long PartPrice(int level) { return 100 * level; }
inline constexpr Long PotionPrices[3] = {500, 200, 1000};  // health, charge, full
inline constexpr int MaxPotions = 5;                       // of each kind
