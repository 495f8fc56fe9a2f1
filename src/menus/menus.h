// The menu screen with its shop and hover texts, and the status display of play frames.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "save/progress.h"
#include "core/types.h"

struct Game;

// What the menu asks of the game around it once its frame is done: a level started, or the
// game left (the quit button).
struct MenuRequest {
  enum What { Nothing, StartLevel, Quit } Kind = Nothing;
  int LevelIndex = 0;  // 0..12: levels 1..10, the mini game, the marathon, the boss arena
};

MenuRequest MenuFrame(Game& g);
void CompletionUpdate(Game& g);
void UnlockUpdate(Game& g);
void StatusDisplay(Game& g);

// The completion percentage before rounding: what owned abilities, goals, gems, part and
// shot levels are worth, added up in single precision in a fixed order.
Single CompletionSum(const ProgressBlock& p);

// The names the shop shows: shots by number (5 x row + column) and charge abilities.
extern const char* const ShotNames[20];
extern const char* const ChargeNames[9];

// One row of the hover table: an inclusive rectangle and the panel lines it explains
// itself with (nullptr for a line it leaves alone).
struct HoverRow {
  int Left, Right, Top, Bottom;
  std::array<const char*, 4> Lines;
};
inline constexpr int HoverRowCount = 60;
extern const std::array<HoverRow, HoverRowCount> HoverTable;

// Every row whose rectangle holds the pointer writes its lines, in order, so where two
// rectangles overlap the later row wins line by line.
void ApplyHoverRows(Game& g, const HoverRow* rows, std::size_t count);
// The hover step of the menu frame: the table, then the erase-data button.
void HoverTexts(Game& g);
// Wipes the player's progress (the erase-data button with Q and Z held) and saves.
void EraseProgress(Game& g);

// The shop: shot grid, charge abilities, gems, ship parts and potions.
void Shop(Game& g);

// The level and mode buttons: locks, hover texts and, on a click, a request to start the level.
// Returns the level index whose goals table the panel shows this frame, or -1.
int LevelButtons(Game& g, MenuRequest& request);
// The goals table of level index 0..9 as the panel's eight lines (line 4 left empty).
std::array<std::string, 8> GoalsTable(int levelIndex);
