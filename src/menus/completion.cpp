// The completion percentage and the unlocks it and the lifetime statistics bring.
#include <initializer_list>
#include <utility>

#include "menus/menus.h"
#include "world/game.h"

// Each step is worked out in double and stored back to the single-precision sum, so the
// total is the same small-error figure on every machine.
Single CompletionSum(const ProgressBlock& p) {
  Single sum = 0;
  for (int level = 0; level <= 8; ++level) {
    if (p.ChargeOwned[level]) sum += 1.0;
    for (int goal = 0; goal <= 4; ++goal)
      if (p.GoalDone[level][goal]) sum += 0.45;
  }
  for (int gem = 0; gem <= 17; ++gem)
    if (p.GemOwned[gem]) sum += 0.5;
  if (p.GoalDone[9][0]) sum += 2.0;  // level 10's boss beaten
  for (int part = 0; part <= 4; ++part) sum += 0.2 * p.PartLevel[part];
  for (int shot = 0; shot <= 19; ++shot) {
    if (p.ShotLevel[shot] >= 0) sum += 0.5;
    sum += 0.1945 * (p.ShotLevel[shot] + 1);  // nothing for a locked shot
  }
  return sum;
}

void CompletionUpdate(Game& g) {
  ProgressBlock& p = g.Progress;
  // The ultimate gem is handed out at 99 %; from then on the game counts as complete.
  p.Stats[StatCompletion] = p.GemOwned[GemUltimate] ? 100 : RoundToLong(CompletionSum(p));
}

namespace {

bool GoalsMet(const ProgressBlock& p, std::initializer_list<std::pair<int, int>> levelGoals) {
  for (auto [levelNumber, goal] : levelGoals)
    if (!p.GoalDone[levelNumber - 1][goal]) return false;
  return true;
}

}  // namespace

// Unlocks only ever open things; nothing here locks again.
void UnlockUpdate(Game& g) {
  ProgressBlock& p = g.Progress;
  const Long completion = p.Stats[StatCompletion];
  if (completion >= 15) p.LevelOpen[10] = true;  // the mini game
  if (completion >= 90) p.GemOwned[GemSmallCore] = true;
  if (completion >= 99) p.GemOwned[GemUltimate] = true;
  if (completion >= 50 && p.ShotLevel[15] == -1) p.ShotLevel[15] = 0;
  if (completion >= 65 && p.ShotLevel[16] == -1) p.ShotLevel[16] = 0;
  if (completion >= 80 && p.ShotLevel[17] == -1) p.ShotLevel[17] = 0;
  if (p.Stats[StatPotionsUsed] >= 15) p.GemOwned[GemAutoPotion] = true;
  if (p.Stats[StatLevelsPlayed] >= 50) p.GemOwned[GemSsRanking] = true;

  bool noChargeEverywhere = true;
  for (int level = 0; level <= 8; ++level) noChargeEverywhere = noChargeEverywhere && p.GoalDone[level][2];
  if (noChargeEverywhere) p.GemOwned[GemReducerUp] = true;

  // The kill goals of the gem and charge columns.
  if (GoalsMet(p, {{1, 4}, {2, 4}, {4, 4}, {6, 4}, {3, 3}, {5, 3}, {7, 3}, {8, 3}, {9, 3}})) p.GemOwned[GemAttackUp] = true;

  bool allAbilities = true;
  for (int ability = 0; ability <= 8; ++ability) allAbilities = allAbilities && p.ChargeOwned[ability];
  if (allAbilities) p.GemOwned[GemChargeUp] = true;

  // The take-no-damage goal of every level.
  if (GoalsMet(p, {{1, 3}, {2, 3}, {4, 3}, {6, 3}, {3, 4}, {5, 4}, {7, 4}, {8, 4}, {9, 4}})) p.GemOwned[GemDefenceUp] = true;
}
