// The game's ids: gems, shot kinds, the three modes and the charge abilities. Saved progress and
// every table index by these numbers, so they never change.
#pragma once

enum Gem {
  GemAccelUp = 0,
  GemRegenNearDeath = 1,
  GemChargeNearDeath = 2,
  GemAttackNearDeath = 3,
  GemWeakenBosses = 4,
  GemNoInstantKill = 5,
  GemExperienceUp = 6,
  GemShotRateUp = 7,
  GemResurrect = 8,
  GemDoublePoints = 9,
  GemAutoPotion = 10,
  GemSsRanking = 11,
  GemReducerUp = 12,
  GemAttackUp = 13,
  GemChargeUp = 14,
  GemDefenceUp = 15,
  GemSmallCore = 16,
  GemUltimate = 17,
};
inline constexpr int GemCount = 18;

// The shot kinds of the catalogue, the index of ShotLevel and ShotTypes.
enum ShotKind {
  ShotPowerBeam = 0,
  ShotBoomerang = 1,
  ShotSpeed = 2,
  ShotEnergyDna = 3,
  ShotClapper = 4,
  ShotEnergySpread = 5,
  ShotWideBeam = 6,
  ShotPowerMine = 7,
  ShotSliceRing = 8,
  ShotGoldSplicer = 9,
  ShotGhostAttack = 10,
  ShotMultipleMissiles = 11,
  ShotStickSpread = 12,
  ShotXFollower = 13,
  ShotPlasmaBlade = 14,
  ShotCrescentBlade = 15,
  ShotShrapnelSpreader = 16,
  ShotPhazonWave = 17,
  ShotCorrupter = 18,
  ShotPurePower = 19,
};

// Level numbers past the ten levels: the three modes.
enum Mode {
  ModeMiniGame = 11,
  ModeMarathon = 12,
  ModeBossArena = 13,
};

// Charge abilities, the index of ChargeOn and ChargeCost.
enum Ability {
  AbilityBooster = 0,
  AbilityRammer = 1,
  AbilityDoubleShot = 2,
  AbilityDefence2 = 3,
  AbilityAttack2 = 4,
  AbilitySiphoner = 5,
  AbilityShotEraser = 6,
  AbilityMatrix = 7,
  AbilityCloaker = 8,
};
