// Player shots striking enemies: several craft in one frame, the piercing splicer, kills at exactly
// zero life, the damage multipliers, the bonus craft's refill, the corrupter's ceasefire, the counters.
#include <gtest/gtest.h>

#include <tuple>

#include "world/sound.h"
#include "test_support.h"

namespace {

EnemyClass& PlaceEnemy(Game& g, int slot, Integer kind, Single life, Single left = 380) {
  EnemyClass& e = g.Enemies[slot];
  e.Exists = true;
  e.Initialize(100, 140, left, left + 40, 0, 0, 40, 40, 0, 40, 0, 40, 0, 0, life, 0, 50, 3, 0, kind);
  e.FreezeTime = -1;
  return e;
}

// A 10 x 10 shot of the given kind and damage with its top-left at (left, top).
ShotClass Shot(Integer kind, Single damage, Single left = 395, Single top = 115) {
  ShotClass s;
  s.Exists = true;
  s.Kind = kind, s.Damage = damage, s.AlreadyHit = -1;
  s.Left = left, s.Right = left + 10, s.Top = top, s.Bottom = top + 10;
  return s;
}

}  // namespace

TEST(ShotHits, OneShotStrikesEveryCraftItOverlapsThenIsGone) {
  TestGame t;
  Game& g = *t;
  EnemyClass& a = PlaceEnemy(g, 3, 2, 20);
  EnemyClass& b = PlaceEnemy(g, 7, 2, 20, 400);
  EnemyClass& gone = PlaceEnemy(g, 9, 2, 20);
  gone.Exists = false;
  ShotClass s = Shot(0, 4, 395);
  ShotHitsEnemies(g, s);
  EXPECT_FALSE(s.Exists);
  EXPECT_EQ(std::tuple(a.Life, b.Life, gone.Life, a.Hurt, b.Hurt, gone.Hurt, g.Level.DamageDealt),
            std::tuple(16, 16, 20, true, true, false, 8));
  EXPECT_EQ(g.Harness.SoundsThisFrame, (std::vector<int>{SoundEhit, SoundEhit}));

  // Edges that only touch miss; the shot's edges are rounded, halves to even. Touching only: right 380 = the craft's left, bottom 100.5 rounds to 100 = its top, left 440 =
  // the second craft's right, top 140 = their bottom. Then just over an edge.
  for (auto [left, top, hits] : {std::tuple(370.0f, 115.0f, false), {375.0f, 90.5f, false}, {440.0f, 115.0f, false},
                                 {395.0f, 140.0f, false}, {370.6f, 90.6f, true}}) {
    ShotClass edge = Shot(0, 4, left, top);
    ShotHitsEnemies(g, edge);
    EXPECT_EQ(edge.Exists, !hits) << left << "," << top;
  }
}

TEST(ShotHits, TheSplicerHitsEachCraftOnceUntilItHitsAnother) {
  TestGame t;
  Game& g = *t;
  EnemyClass& a = PlaceEnemy(g, 0, 5, 100, 300);
  EnemyClass& b = PlaceEnemy(g, 1, 5, 100, 500);
  ShotClass s = Shot(9, 10, 315);
  ShotHitsEnemies(g, s);  // inside A for two frames: one hit
  ShotHitsEnemies(g, s);
  EXPECT_TRUE(s.Exists);
  EXPECT_EQ(std::tuple(s.AlreadyHit, a.Life), std::tuple(0, 90));
  s.Left = 515, s.Right = 525;  // into B
  ShotHitsEnemies(g, s);
  EXPECT_EQ(std::tuple(s.AlreadyHit, b.Life), std::tuple(1, 90));
  s.Left = 315, s.Right = 325;  // back into A: hit again
  ShotHitsEnemies(g, s);
  EXPECT_EQ(a.Life, 80);
}

TEST(ShotHits, KillsAtExactlyZeroAndCountsOnlyRealEnemies) {
  TestGame t;
  Game& g = *t;
  EnemyClass& e = PlaceEnemy(g, 0, 0, 5);
  ShotClass s = Shot(0, 5);
  RandomGenerator before = g.Rng;
  ShotHitsEnemies(g, s);
  EXPECT_FALSE(e.Exists);
  EXPECT_EQ(g.Level.KillCount, 1);
  int kind = int(2 * before.Next());  // the explosion's kind and sound come from one draw
  EXPECT_EQ(g.Rng.X, before.X);
  EXPECT_EQ(g.Harness.SoundsThisFrame, (std::vector<int>{SoundEhit, kind}));

  // Heavy, bonus and pickup craft are no kills; the bosses are. Damage to kinds 15..20 is not counted.
  g.Level.DamageDealt = 0;
  g.Level.KillCount = 0;
  for (Integer kind : {15, 16, 17, 18, 19, 20, 21}) {
    PlaceEnemy(g, 0, kind, 5);
    ShotClass k = Shot(0, 5);
    ShotHitsEnemies(g, k);
  }
  EXPECT_EQ(g.Level.KillCount, 2);
  EXPECT_EQ(g.Level.DamageDealt, 5);
}

TEST(ShotHits, MultipliersApplyInOrderAndTheBonusCraftRefillsByThePlainDamage) {
  TestGame t;
  Game& g = *t;
  auto dealt = [&](Single shipLife) {
    g.Ship.Life = shipLife;
    EnemyClass& e = PlaceEnemy(g, 0, 4, 1000);
    ShotClass s = Shot(0, 3);
    ShotHitsEnemies(g, s);
    return 1000 - e.Life;
  };
  g.Level.ChargeOn[AbilityAttack2] = true;
  g.Ship.GemType1 = 3;
  g.Ship.GemType2 = 17;
  EXPECT_EQ(dealt(49), 24);  // 8 x
  EXPECT_EQ(dealt(50), 12);  // the near-death gem needs life below 50
  g.Ship.GemType2 = 13;
  EXPECT_EQ(dealt(49), 18);  // 6 x
  g.Level.ChargeOn[AbilityAttack2] = false;
  g.Ship.GemType1 = -1;
  EXPECT_EQ(dealt(49), 4.5f);

  // The bonus craft: the ship gains the shot's own damage, whatever the multipliers.
  g.Ship.GemType2 = 17;
  g.Ship.Life = 100;
  g.Ship.Charge = 195;
  g.Level.DamageDealt = 0;
  EnemyClass& bonus = PlaceEnemy(g, 0, 17, 50);
  ShotClass s = Shot(0, 6);
  ShotHitsEnemies(g, s);
  // 6 x 2 off the craft, 6 to life and charge (the charge capped later by the ship's life step), none dealt.
  EXPECT_EQ(std::tuple(bonus.Life, g.Ship.Life, g.Ship.Charge, g.Level.DamageDealt), std::tuple(38, 106, 201, 0));
}
