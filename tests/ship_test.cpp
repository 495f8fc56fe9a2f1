// The player's ship: movement, controls, life and charge upkeep, and the set-up for a level.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "world/draw.h"
#include "test_support.h"

namespace {

// A game in a level with the ship where a level start puts it, nothing else running.
struct ShipGame {
  TestGame T;
  Game& G = *T;
  ShipClass& S = G.Ship;
  ShipGame() {
    G.InMenu = false;
    SetupShip(G);
    T.Plat.ClearRecords();
  }
};

}  // namespace

TEST(ShipMotion, FrictionCapsTheSpeedAndBrakesWhenNoArrowIsHeld) {
  // Top speed: speed part / 2 + 2, doubled by the booster. No arrow held: braking by 1/10 + 0.1,
  // or + 0.3 with the accel gem in either slot, down to exactly zero.
  const struct {
    int Key;
    bool Booster;
    Integer Gem, Part;
    Single In, Out;
  } cases[] = {{KeyUp, false, -1, 1, 10, 2.5f}, {KeyUp, true, -1, 1, 10, 5},  {KeyLeft, false, -1, 10, 10, 7},
               {-1, false, -1, 1, 2, 1.8f},     {-1, false, 0, 1, 2, 1.6f},   {-1, false, -1, 1, 0.1f, 0}};
  for (const auto& c : cases) {
    ShipGame s;
    if (c.Key >= 0) s.G.Keys[c.Key] = true;
    s.G.Level.ChargeOn[AbilityBooster] = c.Booster;
    s.S.GemType2 = c.Gem;
    s.S.CurSpeed = c.Part;
    s.S.Speed = c.In;
    s.S.ShipFriction(s.G);
    EXPECT_FLOAT_EQ(s.S.Speed, c.Out) << "from " << c.In << " booster " << c.Booster << " gem " << c.Gem;
  }
}

TEST(ShipMotion, PushesAddAsVectorsWithTheModifiersInOrder) {
  ShipGame s;
  auto push = [&](bool up, bool left, bool right) {
    s.S.Speed = 0;
    s.G.Keys[KeyUp] = up;
    s.G.Keys[KeyLeft] = left;
    s.G.Keys[KeyRight] = right;
    s.S.HandleKeys(s.G);
  };
  push(true, false, true);  // a diagonal up and to the right
  EXPECT_NEAR(s.S.Speed, 0.2 * std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(s.S.Heading, -Pi / 4, 1e-6);
  push(true, true, false);  // up and left: arctan + pi
  EXPECT_NEAR(s.S.Heading, 5 * Pi / 4, 1e-6);
  push(false, true, true);  // opposite keys cancel
  EXPECT_NEAR(s.S.Speed, 0, 1e-6);
  // Booster x3, matrix /2, accel gem x5: 0.2 -> 1.5 from rest.
  s.S.Speed = s.S.Heading = 0;
  s.G.Level.ChargeOn[AbilityBooster] = s.G.Level.ChargeOn[AbilityMatrix] = true;
  s.S.GemType1 = 0;
  s.S.AccelShip(s.G, 0.2f, 0);
  EXPECT_EQ(s.S.Speed, 0.2f * 3 / 2 * 5);
  EXPECT_EQ(s.S.Heading, 0.0f);
}

TEST(ShipMotion, OnlyTheCoreCollides) {
  // The ship at 377.5..422.5 by 400..456: each edge just touching (no hit), then one pixel further
  // in; gem 16 in either slot shrinks the core by ten more.
  const struct {
    Integer Gem1, Gem2, Top, Bottom, Left, Right;
    bool Hit;
  } cases[] = {{-1, -1, 448, 600, 0, 800, false}, {-1, -1, 447, 600, 0, 800, true},
               {-1, -1, 0, 408, 0, 800, false},   {-1, -1, 0, 409, 0, 800, true},
               {-1, -1, 0, 600, 0, 385, false},   {-1, -1, 0, 600, 0, 386, true},
               {-1, -1, 0, 600, 415, 800, false}, {-1, -1, 0, 600, 414, 800, true},
               {-1, 16, 438, 600, 0, 800, false}, {-1, 16, 437, 600, 0, 800, true},
               {16, -1, 0, 418, 0, 800, false},   {16, -1, 0, 419, 0, 800, true}};
  ShipGame s;
  for (const auto& c : cases) {
    s.S.GemType1 = c.Gem1;
    s.S.GemType2 = c.Gem2;
    EXPECT_EQ(s.S.CollideWithRect(c.Top, c.Bottom, c.Left, c.Right), c.Hit)
        << c.Top << " " << c.Bottom << " " << c.Left << " " << c.Right << " gems " << c.Gem1 << "," << c.Gem2;
  }
}

TEST(ShipControls, EachPotionKeyDrinksOnlyWhenItHelps) {
  ShipGame s;
  auto& p = s.G.Progress.Potions;
  p = {2, 1, 2};
  // The key held, life and charge before; the stock, life and charge after. Health is refused at full
  // life and, held while taking damage, drinks again; charge is refused at full charge; the full
  // potion only when both are full.
  const struct {
    int Key;
    Single Life, Charge;
    std::array<Integer, 3> Stock;
    Single LifeAfter, ChargeAfter;
  } steps[] = {{KeyA, 200, 200, {2, 1, 2}, 200, 200}, {KeyA, 120, 200, {1, 1, 2}, 200, 200},
               {KeyA, 199, 200, {0, 1, 2}, 200, 200}, {KeyA, 10, 200, {0, 1, 2}, 10, 200},
               {KeyS, 10, 200, {0, 1, 2}, 10, 200},   {KeyS, 10, 30, {0, 0, 2}, 10, 200},
               {KeyD, 200, 200, {0, 0, 2}, 200, 200}, {KeyD, 200, 199.5f, {0, 0, 1}, 200, 200}};
  for (const auto& c : steps) {
    s.G.Keys = {};
    s.G.Keys[c.Key] = true;
    s.S.Life = c.Life;
    s.S.Charge = c.Charge;
    s.S.HandleKeys(s.G);
    EXPECT_EQ(std::tuple(p, s.S.Life, s.S.Charge), std::tuple(c.Stock, c.LifeAfter, c.ChargeAfter))
        << "key " << c.Key << " life " << c.Life << " charge " << c.Charge;
  }
  EXPECT_EQ(s.G.Level.PotionsUsedLevel, 4);
}

TEST(ShipControls, AnAbilityRunsWhileHeldAndAffordable) {
  ShipGame s;
  auto hold = [&](int special, Integer reducer, Single charge, bool z = true) {
    s.S.Special1 = special;
    s.S.CurReducer = reducer;
    s.S.Charge = charge;
    s.G.Keys[KeyZ] = z;
    s.S.HandleKeys(s.G);
    return s.G.Level.ChargeOn[special];
  };
  EXPECT_TRUE(hold(AbilityBooster, 1, 200) && s.S.Pressed);
  EXPECT_EQ(std::tuple(s.S.Charge, s.G.Level.ChargeUsed), std::tuple(197, 3));  // cost 1 x 3 / reducer 1
  EXPECT_FALSE(hold(AbilityBooster, 1, 197, false) || s.S.Pressed);       // released: off, nothing taken
  EXPECT_EQ(s.S.Charge, 197);
  // Reducer 3 makes the cost 1; gem 12 divides by 1.5 and gem 17 by 2 more.
  s.S.GemType1 = 12;
  s.S.GemType2 = 17;
  hold(AbilityBooster, 3, 100);
  EXPECT_FLOAT_EQ(s.S.Charge, 100 - 1.0f / 1.5f / 2);
  // The threshold is cost / reducer, the charge taken three times that: the siphon (10) at
  // reducer 1 is usable at 10 charge and leaves -20 until the upkeep.
  s.S.GemType1 = s.S.GemType2 = -1;
  EXPECT_FALSE(hold(AbilitySiphoner, 1, 9.99f) || s.S.Pressed);
  EXPECT_TRUE(hold(AbilitySiphoner, 1, 10) && s.S.Pressed);
  EXPECT_EQ(s.S.Charge, -20);
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Charge, 0);  // Z held: no regeneration either
}

TEST(ShipLife, RegenerationSiphonAndCaps) {
  // Regeneration (1 + 2) / 100 a frame, / 50 with gem 1 below (not at) 50 life; the siphon adds 2;
  // life and charge stop at 200.
  const struct {
    Integer Gem;
    bool Siphon;
    Single Life, After;
  } cases[] = {{-1, false, 40, 40.03f},     {1, false, 40, 40.06f},  {1, false, 50, 50.03f},
               {-1, false, 199.99f, 200},   {-1, true, 150, 152.03f}};
  for (const auto& c : cases) {
    ShipGame s;
    s.S.GemType2 = c.Gem;
    s.G.Level.ChargeOn[AbilitySiphoner] = c.Siphon;
    s.S.Life = c.Life;
    s.S.Charge = 250;
    s.S.ShipLife(s.G);
    EXPECT_FLOAT_EQ(s.S.Life, c.After) << c.Life << " gem " << c.Gem << " siphon " << c.Siphon;
    EXPECT_EQ(s.S.Charge, 200);
  }
}

TEST(ShipLife, AutomaticPotionFirstThenResurrectionThenDeath) {
  ShipGame s;
  s.S.GemType1 = 10;
  s.S.GemType2 = 8;
  s.G.Progress.Potions[0] = 1;
  // Life before, then after, alive, resurrected and potions left: the automatic potion (not counted
  // as drunk), the resurrection, regeneration first lifting a ship just below zero, then death.
  const std::tuple<Single, Single, bool, bool, Integer> steps[] = {
      {-5, 200, true, false, 0}, {-5, 200, true, true, 0}, {-0.02f, 0.01f, true, true, 0}, {-5, 0, false, true, 0}};
  for (auto [before, after, exists, resurrected, potions] : steps) {
    s.S.Life = before;
    s.S.ShipLife(s.G);
    EXPECT_NEAR(s.S.Life, after, 1e-5) << before;
    EXPECT_EQ(std::tuple(s.S.Exists, s.S.Resurected, s.G.Progress.Potions[0]), std::tuple(exists, resurrected, potions))
        << before;
  }
  EXPECT_EQ(s.G.Level.PotionsUsedLevel, 0);
}

TEST(ShipLife, ChargeRegenerationDivisors) {
  // Gems, then the divisor away from and near death. Gem 2 takes a slot, so with only
  // two slots the "14 and 17" row is reachable away from death only.
  const struct {
    Integer Gem1, Gem2;
    Single Life;
    int D;
  } cases[] = {
      {-1, -1, 40, 50}, {2, -1, 100, 50}, {2, -1, 40, 25}, {-1, 2, 49.9f, 25}, {2, -1, 50, 50},
      {14, -1, 40, 33}, {14, 2, 100, 33}, {14, 2, 40, 18},  {17, -1, 40, 25},   {17, 2, 40, 12},
      {2, 17, 60, 25},  {14, 17, 40, 18}, {17, 14, 200, 18},
  };
  for (const auto& c : cases) {
    ShipGame s;
    s.S.GemType1 = c.Gem1;
    s.S.GemType2 = c.Gem2;
    s.S.Life = c.Life;
    s.S.Charge = 100;
    s.S.CurCharge = 4;
    s.S.ShipLife(s.G);
    EXPECT_EQ(s.S.Charge, 100 + Single(6) / Single(c.D)) << c.Gem1 << " " << c.Gem2 << " " << c.Life;
  }
}

TEST(ShipSetup, PreparesTheShipForALevelAndKeepsWhatCarriesOver) {
  TestGame t;
  Game& g = *t;
  ShipClass& s = g.Ship;
  g.Progress.PartLevel = {3, 4, 5, 6, 7};
  g.Progress.ShotLevel[2] = 5;
  s.CurShot1 = 2, s.CurShot2 = -1, s.CurLevel2 = 7;
  s.Exists = false;
  s.Resurected = s.Pressed = s.Pressed2 = g.Level.PickupTaken = g.Menu.MusicStarted = g.Level.BossCircling = true;
  s.Life = 0, s.Charge = 3, s.Speed = 4, s.Heading = 1.25f, s.AniFrame = 3.5f, s.Left = 120;
  s.NoMove = 9, s.NoShoot = -4, s.LastShot1 = s.LastShot2 = 88;
  g.Level.KillCount = g.Level.PotionsUsedLevel = g.Level.EnemyCount = 5;
  g.Level.ChargeUsed = g.Level.DamageDealt = g.Level.DamageTaken = g.Level.DistanceMoved = 7;
  g.Level.BossTimer = g.Level.MiniGameTime = 40;
  SetupShip(g);
  EXPECT_EQ((std::array{s.CurDefence, s.CurSpeed, s.CurRegen, s.CurCharge, s.CurReducer}),
            (std::array<Integer, 5>{3, 4, 5, 6, 7}));
  EXPECT_EQ(std::tuple(s.CurLevel1, s.CurLevel2), std::tuple(5, 7));  // an empty slot keeps its level
  EXPECT_EQ(std::tuple(s.Life, s.Charge, s.Speed, s.Exists, s.Resurected, s.LastShot1, s.LastShot2),
            std::tuple(200, 200, 0, true, false, 0, 0));
  EXPECT_EQ((std::array{s.Left, s.Top, s.Right, s.Bottom}), (std::array<Single, 4>{377.5f, 400, 422.5f, 456}));
  EXPECT_EQ(std::tuple(s.ShipSpeed, s.ShipAccel, s.SrcRectRight, s.SrcRectBottom), std::tuple(2.0f, 0.15f, 45, 56));
  // Carried over: heading, animation phase, the key latches and the no-move and no-shoot counters.
  EXPECT_EQ(std::tuple(s.Heading, s.AniFrame, s.Pressed, s.Pressed2, s.NoMove, s.NoShoot),
            std::tuple(1.25f, 3.5f, true, true, 9, -4));
  // The level's counters start again.
  g.Level.DeathTime = 321;
  ResetLevelState(g);
  EXPECT_EQ(g.Level.DeathTime, 321) << "reported as the last level left it";
  EXPECT_EQ((std::array{g.Level.ChargeUsed, g.Level.DamageDealt, g.Level.DamageTaken, g.Level.DistanceMoved}), (std::array<Single, 4>{}));
  EXPECT_EQ((std::array{g.Level.KillCount, g.Level.PotionsUsedLevel, g.Level.EnemyCount}), (std::array<Integer, 3>{}));
  EXPECT_EQ(g.Level.BossTimer + g.Level.MiniGameTime, 0);
  EXPECT_FALSE(g.Level.PickupTaken || g.Menu.MusicStarted || g.Level.BossCircling);
}
