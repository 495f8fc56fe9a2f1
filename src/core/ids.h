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

// Enemy kinds with rules of their own: the index of the enemy-kind table and a timeline row's kind.
enum EnemyKindId {
  KindHeavyFirst = 15,  // the heavy craft, 15 to 18: they ram hard and count for no goal
  KindHulk = 15,        // a drifting hulk, nearly indestructible
  KindCrate = 16,       // a heavy crate that can be shot down
  KindBonusCraft = 17,  // shooting it refills the ship
  KindTurret = 18,      // a heavy gun emplacement
  KindHeavyLast = 18,
  KindPickup = 19,      // the level's pickup
  KindBossFirst = 20,   // the bosses, 20 to 29: the boss of level n is kind 19 + n
  KindBossLast = 29,
};
inline constexpr bool IsHeavyKind(int kind) { return kind >= KindHeavyFirst && kind <= KindHeavyLast; }
// The heavy craft and the pickup are not counted among a level's enemies.
inline constexpr bool IsUncountedKind(int kind) { return kind >= KindHeavyFirst && kind <= KindPickup; }
inline constexpr bool IsBossKind(int kind) { return kind >= KindBossFirst && kind <= KindBossLast; }
