// The level and mode buttons down the left edge: locks, what each button tells on hover
// (a level's goals, a mode's description) and the start of play on a click.
#include <string>

#include "menus/menu_draw.h"
#include "menus/menus.h"

namespace {

// The five goals of levels 1 to 10; columns padded with spaces so the rewards line up.
const char* const GoalLines[10][5] = {
    {"DONT USE ANY POTIONS                          50", "KILL 50% OF ENEMIES                              100", "DONT USE CHARGE                                 150", "TAKE NO DAMAGE                                NEW GEM", "KILL ALL ENEMIES                             NEW CHARGE"},
    {"GIVE OVER 500 DAMAGE                          100", "TAKE OVER 300 DAMAGE                          200", "DONT USE CHARGE                                 300", "TAKE NO DAMAGE                                NEW GEM", "KILL ALL ENEMIES                             NEW CHARGE"},
    {"TRAVEL LESS THAN 1000                          200", "USE OVER 500 CHARGE                           400", "DONT USE CHARGE                                 600", "KILL ONE ENEMY                                 NEW GEM", "TAKE NO DAMAGE                             NEW CHARGE"},
    {"TRAVEL MORE THAN 3000                         300", "GIVE OVER 1000 DAMAGE                         600", "DONT USE CHARGE                                 900", "TAKE NO DAMAGE                                NEW GEM", "KILL ALL ENEMIES                             NEW CHARGE"},
    {"TAKE LESS THAN 200 DAMAGE                  400", "GIVE OVER 2000 DAMAGE                         800", "DONT USE CHARGE                                 1200", "KILL ALL ENEMIES                                NEW GEM", "TAKE NO DAMAGE                             NEW CHARGE"},
    {"TAKE LESS THAN 350 DAMAGE                  500", "GIVE OVER 1500 DAMAGE                        1000", "DONT USE CHARGE                                1500", "TAKE NO DAMAGE                                NEW GEM", "KILL ALL ENEMIES                             NEW CHARGE"},
    {"TAKE OVER 400 DAMAGE                           600", "GIVE OVER 3500 DAMAGE                        1200", "DONT USE CHARGE                                1800", "KILL ALL ENEMIES                                NEW GEM", "TAKE NO DAMAGE                             NEW CHARGE"},
    {"TRAVEL MORE THEN 3500                          700", "GIVE OVER 3500 DAMAGE                         1400", "DONT USE CHARGE                                 2100", "KILL ALL ENEMIES                                NEW GEM", "TAKE NO DAMAGE                             NEW CHARGE"},
    {"TRAVEL MORE THAN 3000                          800", "GIVE OVER 4500 DAMAGE                         1600", "DONT USE CHARGE                                 2400", "KILL 90% OF ENEMIES                          NEW GEM", "TAKE NO DAMAGE                             NEW CHARGE"},
    {"BEAT THE BOSS                                       5000", "", "", "", ""},
};

const char* const GoalsHeader = "LEVEL GOALS                                   POINTS GIVEN";
const char* const GoalsRule = "------------------------------------------------------------------------------";

void ShowLines(Game& g, const std::array<std::string, 8>& lines) {
  for (int k = 0; k <= 7; ++k)
    if (k != 4) g.Menu.HelpLines[k] = lines[k];  // line 4 keeps the points
}

// Hovering over an open mode button describes the mode. Returns true when the panel
// uses the compact goals layout for it.
bool DescribeMode(Game& g, int index) {
  std::array<std::string, 8> lines{};
  switch (index) {
    case 10:
      lines[0] = "THE GOAL IN THIS MINI GAME IS TO STAY ALIVE";
      lines[1] = "AS LONG AS POSSIBLE. ENEMIES WILL BE IN FOUR";
      lines[2] = "CORNERS SHOOTING AT YOU. AS TIME PROGRESSES,";
      lines[3] = "THEY WILL SHOOT FASTER, AND MORE OFTEN. THE";
      lines[5] = "LONGER YOU STAY ALIVE, THE MORE POINTS YOU GET.";
      break;
    case 11:
      lines[0] = "A TRUE CHALLENGE. HERE, YOU GO THROUGH ALL";
      lines[1] = "LEVELS CONSECUTIVELY. THANKFULLY THOUGH,";
      lines[2] = "YOU DONT HAVE TO FACE THE BOSS OF EACH LEVEL.";
      break;
    default:
      lines[0] = "CAUTION! THE BOSS ARENA IS VERY DIFFICULT!";
      lines[1] = "THIS MODE PUTS YOU UP AGAINST THE BOSS OF EVERY";
      lines[2] = "SINGLE LEVEL, ONE AFTER ANOTHER.";
      break;
  }
  ShowLines(g, lines);
  return index == 10;
}

std::string LockedText(int index) {
  if (index < 10) return "         BEAT LEVEL " + std::to_string(index) + " TO PROCEDE TO THIS LEVEL.";
  if (index == 10) return " HAVE 15% COMPLETION TO UNLOCK THIS LEVEL";
  return " BEAT LEVEL 10 TO UNLOCK THIS LEVEL";
}

}  // namespace

std::array<std::string, 8> GoalsTable(int levelIndex) {
  std::array<std::string, 8> lines{};
  if (levelIndex < 0 || levelIndex > 9) return lines;
  const char* const* goals = GoalLines[levelIndex];
  lines[0] = GoalsHeader;
  lines[1] = GoalsRule;
  lines[2] = goals[0];
  lines[3] = goals[1];
  lines[5] = goals[2];
  lines[6] = goals[3];
  lines[7] = goals[4];
  return lines;
}

int LevelButtons(Game& g, MenuRequest& request) {
  int goalsOf = -1;
  // Levels 1 to 10 (index 0 to 9), then the mini game, the marathon and the boss arena.
  for (int index = 0; index <= 12; ++index) {
    const int top = LevelButtonArea(index).Top;
    const bool pointer = PointerIn(g, LevelButtonArea(index));
    if (!g.Progress.LevelOpen[index]) {
      DrawSprite(g, SheetButtons, 9, top - 1, 0, 167, 147, 194);
      if (pointer) g.Menu.HelpLines[0] = LockedText(index);
      continue;  // a click on a locked button does nothing
    }
    if (!pointer) continue;
    if (index < 10) {
      g.Menu.GoalsShown = true;
      ShowLines(g, GoalsTable(index));
      goalsOf = index;
    } else if (DescribeMode(g, index)) {
      g.Menu.GoalsShown = true;
      goalsOf = index;
    }
    if (g.MouseLeft) request = {MenuRequest::StartLevel, index};
  }
  return goalsOf;
}
