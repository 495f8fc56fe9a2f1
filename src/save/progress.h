// The player's lasting progress: the block that the save file holds byte for byte.
#pragma once

#include <array>

#include "core/types.h"

struct ProgressBlock {
  Long Points = 0;
  std::array<Integer, 20> ShotLevel{};  // -1 locked, else 0..9
  std::array<Integer, 5> PartLevel{};   // defence, speed, regen, charge rate, reducer: 1..10
  std::array<bool, 18> ChargeOwned{};
  std::array<bool, 18> GemOwned{};
  std::array<bool, 14> LevelOpen{};   // levels 1..10, mini game, marathon, boss arena, unused
  std::array<Integer, 3> Potions{};   // health, charge, both: 0..5
  std::array<std::array<bool, 5>, 14> GoalDone{};  // [level index][goal]
  std::array<Long, 10> Stats{};       // 9 is the completion percentage
  std::array<Integer, 3> PlayTime{};  // hours, minutes, seconds
  bool SoundOn = false, MusicOn = false;

  friend bool operator==(const ProgressBlock&, const ProgressBlock&) = default;
};

// Indexes into Stats.
enum StatIndex {
  StatDamageTaken = 0,
  StatDamageDealt = 1,
  StatKills = 2,
  StatLevelsPlayed = 3,
  StatPotionsUsed = 4,
  StatPointsEarned = 5,
  StatDistance = 6,
  StatDeaths = 7,
  StatCompletion = 9,
};
