// The player's ship: movement, looks, controls, life and death, the ship step and set-up.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "enemies/data_tables.h"
#include "platform/blit.h"
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
  std::vector<CopyRecord> ShipCopies() const {
    std::vector<CopyRecord> out;
    for (const CopyRecord& c : T.Plat.Copies)
      if (c.Sheet == SheetShips || c.Sheet == SheetShots) out.push_back(c);
    return out;
  }
};

void ExpectSource(const CopyRecord& c, int left, int top, int right, int bottom) {
  EXPECT_EQ(c.SrcLeft, left);
  EXPECT_EQ(c.SrcTop, top);
  EXPECT_EQ(c.SrcRight, right);
  EXPECT_EQ(c.SrcBottom, bottom);
}

}  // namespace

TEST(ShipMotion, FrictionCapsTheSpeedAndBrakesWhenNoArrowIsHeld) {
  ShipGame s;
  // Part level 1: top speed 1/2 + 2.
  s.S.Speed = 10;
  s.G.Keys[KeyUp] = true;
  s.S.ShipFriction(s.G);
  EXPECT_EQ(s.S.Speed, 2.5f);
  // The booster doubles the top speed.
  s.S.Speed = 10;
  s.G.ChargeOn[AbilityBooster] = true;
  s.S.ShipFriction(s.G);
  EXPECT_EQ(s.S.Speed, 5.0f);
  s.G.ChargeOn[AbilityBooster] = false;
  // No arrow held: braking by 1/10 + 0.1, or + 0.3 with the accel gem in either slot.
  s.G.Keys[KeyUp] = false;
  s.S.Speed = 2;
  s.S.ShipFriction(s.G);
  EXPECT_FLOAT_EQ(s.S.Speed, 1.8f);
  s.S.GemType2 = 0;
  s.S.Speed = 2;
  s.S.ShipFriction(s.G);
  EXPECT_FLOAT_EQ(s.S.Speed, 1.6f);
  // Braking ends at exactly zero.
  s.S.Speed = 0.1f;
  s.S.ShipFriction(s.G);
  EXPECT_EQ(s.S.Speed, 0.0f);
  // Speed part 10: top speed 7.
  s.S.CurSpeed = 10;
  s.S.Speed = 10;
  s.G.Keys[KeyLeft] = true;
  s.S.ShipFriction(s.G);
  EXPECT_EQ(s.S.Speed, 7.0f);
}

TEST(ShipMotion, PushesAddAsVectorsWithTheModifiersInOrder) {
  ShipGame s;
  // Up and Right from rest give a diagonal up and to the right.
  s.S.Speed = 0;
  s.S.Heading = 0;
  s.G.Keys[KeyUp] = s.G.Keys[KeyRight] = true;
  s.S.HandleKeys(s.G);
  EXPECT_NEAR(s.S.Speed, 0.2 * std::sqrt(2.0), 1e-6);
  EXPECT_NEAR(s.S.Heading, -Pi / 4, 1e-6);
  // Up and Left: the heading lands in the left half (arctan + pi).
  s.S.Speed = 0;
  s.G.Keys[KeyRight] = false;
  s.G.Keys[KeyLeft] = true;
  s.S.HandleKeys(s.G);
  EXPECT_NEAR(s.S.Heading, 5 * Pi / 4, 1e-6);
  // Opposite keys cancel.
  s.S.Speed = 0;
  s.G.Keys[KeyUp] = false;
  s.G.Keys[KeyRight] = true;
  s.S.HandleKeys(s.G);
  EXPECT_NEAR(s.S.Speed, 0, 1e-6);

  // Booster x3, matrix /2, accel gem x5: 0.2 -> 1.5 from rest.
  s.S.Speed = 0;
  s.G.ChargeOn[AbilityBooster] = s.G.ChargeOn[AbilityMatrix] = true;
  s.S.GemType1 = 0;
  s.S.AccelShip(s.G, 0.2f, 0);
  EXPECT_EQ(s.S.Speed, 0.2f * 3 / 2 * 5);
  EXPECT_EQ(s.S.Heading, 0.0f);
}

TEST(ShipMotion, APushCancellingTheSidewaysSpeedKeepsTheHeading) {
  ShipGame s;
  // A push mirrored about the vertical cancels vx exactly.
  const Single h = DegToRad(60);
  s.S.Speed = 0.3f;
  s.S.Heading = h;
  s.S.AccelShip(s.G, -0.3f, -h);
  EXPECT_EQ(s.S.Heading, h);
  const double vy = double(-0.3f) * std::sin(double(-h)) + double(0.3f) * std::sin(double(h));
  EXPECT_EQ(s.S.Speed, static_cast<Single>(std::fabs(vy)));
  EXPECT_NEAR(s.S.Speed, 0.6 * std::sin(Pi / 3), 1e-6);
}

TEST(ShipMotion, ThePlayColumnClampKeepsTheVelocity) {
  ShipGame s;
  s.S.Speed = 2.5f;
  s.S.Heading = 3;
  s.S.Left = 95;
  s.S.Top = -3;
  s.S.LimitInScreen();
  EXPECT_EQ(s.S.Left, 100);
  EXPECT_EQ(s.S.Right, 145);
  EXPECT_EQ(s.S.Top, 0);
  EXPECT_EQ(s.S.Bottom, 56);
  s.S.Left = 660;
  s.S.Right = 705;
  s.S.Top = 550;
  s.S.Bottom = 606;
  s.S.LimitInScreen();
  EXPECT_EQ(s.S.Left, 655);
  EXPECT_EQ(s.S.Right, 700);
  EXPECT_EQ(s.S.Top, 544);
  EXPECT_EQ(s.S.Bottom, 600);
  EXPECT_EQ(s.S.Speed, 2.5f);
  EXPECT_EQ(s.S.Heading, 3.0f);
  // Flush with an edge is inside.
  s.S.Left = 100;
  s.S.Right = 145;
  s.S.LimitInScreen();
  EXPECT_EQ(s.S.Left, 100);
}

TEST(ShipMotion, OnlyTheCoreCollides) {
  ShipGame s;  // ship 400..456 high, 377.5..422.5 wide
  const ShipClass& ship = s.S;
  // Each edge just touching (no hit), then one pixel further in (hit).
  EXPECT_FALSE(ship.CollideWithRect(448, 600, 0, 800));
  EXPECT_TRUE(ship.CollideWithRect(447, 600, 0, 800));
  EXPECT_FALSE(ship.CollideWithRect(0, 408, 0, 800));
  EXPECT_TRUE(ship.CollideWithRect(0, 409, 0, 800));
  EXPECT_FALSE(ship.CollideWithRect(0, 600, 0, 385));
  EXPECT_TRUE(ship.CollideWithRect(0, 600, 0, 386));
  EXPECT_FALSE(ship.CollideWithRect(0, 600, 415, 800));
  EXPECT_TRUE(ship.CollideWithRect(0, 600, 414, 800));
  // The small core: ten pixels further in, from either gem slot.
  s.S.GemType2 = 16;
  EXPECT_FALSE(ship.CollideWithRect(447, 600, 0, 800));
  EXPECT_FALSE(ship.CollideWithRect(438, 600, 0, 800));
  EXPECT_TRUE(ship.CollideWithRect(437, 600, 0, 800));
  s.S.GemType2 = -1;
  s.S.GemType1 = 16;
  EXPECT_FALSE(ship.CollideWithRect(0, 418, 0, 800));
  EXPECT_TRUE(ship.CollideWithRect(0, 419, 0, 800));
}

TEST(ShipMotion, SpaceAndMatrixMoveHalfAStepAndNoMoveHoldsTheShip) {
  ShipGame s;
  s.S.Heading = 0;
  s.S.Speed = 2;
  s.S.ShipMove(s.G);
  EXPECT_EQ(s.S.Left, 379.5f);
  EXPECT_EQ(s.S.Right, 424.5f);
  EXPECT_FLOAT_EQ(s.G.DistanceMoved, 0.2f);
  s.G.Keys[KeySpace] = true;
  s.S.ShipMove(s.G);
  EXPECT_EQ(s.S.Left, 380.5f);
  EXPECT_FLOAT_EQ(s.G.DistanceMoved, 0.3f);
  s.G.Keys[KeySpace] = false;
  s.G.ChargeOn[AbilityMatrix] = true;
  s.S.ShipMove(s.G);
  EXPECT_EQ(s.S.Left, 381.5f);
  EXPECT_FLOAT_EQ(s.G.DistanceMoved, 0.4f);
  s.G.ChargeOn[AbilityMatrix] = false;

  // NoMove 2 becomes 1: held. NoMove 1 becomes 0: free again. Both counters run on below zero.
  s.S.NoMove = 2;
  s.S.NoShoot = 0;
  s.S.ShipMove(s.G);
  EXPECT_EQ(s.S.Speed, 0.0f);
  EXPECT_EQ(s.S.Left, 381.5f);
  s.S.Speed = 2;
  s.S.ShipMove(s.G);
  EXPECT_EQ(s.S.NoMove, 0);
  EXPECT_EQ(s.S.NoShoot, -2);
  EXPECT_EQ(s.S.Left, 383.5f);
}

TEST(ShipLooks, AnimationPhaseWrapsAtSeven) {
  ShipGame s;
  s.S.AniFrame = 6.5f;
  s.S.DrawShip(s.G);
  EXPECT_EQ(s.S.AniFrame, 6.75f);
  s.S.DrawShip(s.G);
  EXPECT_EQ(s.S.AniFrame, 0.0f);
  // Under the matrix: 0.06 per frame, still wrapping at 7.
  s.G.ChargeOn[AbilityMatrix] = true;
  s.S.AniFrame = 6.9f;
  s.S.DrawShip(s.G);
  EXPECT_EQ(s.S.AniFrame, 6.9f + 0.06f);
  s.S.DrawShip(s.G);
  EXPECT_EQ(s.S.AniFrame, 0.0f);
}

TEST(ShipLooks, BodyAndOneOverlayPerFittedPart) {
  ShipGame s;
  s.S.CurSpeed = 3;
  s.S.CurDefence = 0;
  s.S.CurRegen = 1;
  s.S.CurCharge = 10;
  s.S.CurReducer = 2;
  s.S.Left = 376.5f;  // rounds to 376 (halves to even)
  s.S.Top = 400;
  s.S.DrawShip(s.G);
  auto c = s.ShipCopies();
  ASSERT_EQ(c.size(), 5u);  // body, speed, regen, charge, reducer; no defence
  ExpectSource(c[0], 0, 0, 45, 56);
  ExpectSource(c[1], 90, 112, 135, 168);   // speed level 3, row 2
  ExpectSource(c[2], 0, 168, 45, 224);     // regen level 1, row 3
  ExpectSource(c[3], 405, 224, 450, 280);  // charge level 10, row 4
  ExpectSource(c[4], 45, 280, 90, 336);    // reducer level 2, row 5
  for (const auto& x : c) {
    EXPECT_EQ(x.DestLeft, 376);
    EXPECT_EQ(x.DestTop, 400);
    EXPECT_FALSE(x.Scaled);
  }
}

TEST(ShipLooks, ReducerAndDefenceOverlaysAndTheSpecialLooks) {
  ShipGame s;
  s.S.CurSpeed = 1;
  s.S.CurDefence = 4;
  s.S.CurRegen = 0;
  s.S.CurCharge = 0;
  s.S.CurReducer = 2;
  s.S.DrawShip(s.G);
  auto c = s.ShipCopies();
  ASSERT_EQ(c.size(), 4u);
  ExpectSource(c[1], 0, 112, 45, 168);    // speed first
  ExpectSource(c[2], 135, 56, 180, 112);  // then defence level 4, row 1
  ExpectSource(c[3], 45, 280, 90, 336);   // reducer level 2, row 5
  EXPECT_EQ(c[0].DestLeft, 378);          // 377.5 rounds to 378

  // Fully upgraded: one animated frame instead of body and overlays.
  s.S.CurSpeed = s.S.CurDefence = s.S.CurRegen = s.S.CurCharge = s.S.CurReducer = 10;
  s.S.AniFrame = 6.5f;  // becomes 6.75: frame 6, column 8
  s.T.Plat.ClearRecords();
  s.S.DrawShip(s.G);
  c = s.ShipCopies();
  ASSERT_EQ(c.size(), 1u);
  ExpectSource(c[0], 360, 0, 405, 56);
  s.T.Plat.ClearRecords();
  s.S.DrawShip(s.G);  // wraps to frame 0, column 2
  ExpectSource(s.ShipCopies().at(0), 90, 0, 135, 56);

  // The rammer look, and the cloak over everything.
  s.G.ChargeOn[AbilityRammer] = true;
  s.T.Plat.ClearRecords();
  s.S.DrawShip(s.G);
  c = s.ShipCopies();
  ASSERT_EQ(c.size(), 1u);
  ExpectSource(c[0], 45, 0, 90, 56);
  s.G.ChargeOn[AbilityCloaker] = true;
  s.T.Plat.ClearRecords();
  s.S.DrawShip(s.G);
  c = s.ShipCopies();
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].Sheet, SheetShots);
  ExpectSource(c[0], 141, 15, 186, 71);
}

TEST(ShipControls, EachPotionKeyDrinksOnlyWhenItHelps) {
  ShipGame s;
  auto& p = s.G.Progress.Potions;
  p = {2, 1, 2};
  // Health potion: not at full life.
  s.G.Keys[KeyA] = true;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(p[0], 2);
  s.S.Life = 120;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(s.S.Life, 200);
  EXPECT_EQ(p[0], 1);
  // Held while taking damage: one more potion on the next damaged frame.
  s.S.Life = 199;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(p[0], 0);
  s.S.Life = 10;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(s.S.Life, 10);  // none left
  s.G.Keys[KeyA] = false;
  EXPECT_EQ(s.G.PotionsUsedLevel, 2);

  // Charge potion.
  s.G.Keys[KeyS] = true;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(p[1], 1);  // charge full
  s.S.Charge = 30;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(s.S.Charge, 200);
  EXPECT_EQ(s.S.Life, 10);
  EXPECT_EQ(p[1], 0);
  s.G.Keys[KeyS] = false;

  // Full potion: refused only when both are full.
  s.G.Keys[KeyD] = true;
  s.S.Life = 200;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(p[2], 2);
  s.S.Charge = 199.5f;
  s.S.HandleKeys(s.G);
  EXPECT_EQ(p[2], 1);
  EXPECT_EQ(s.S.Charge, 200);
  EXPECT_EQ(s.S.Life, 200);
  EXPECT_EQ(s.G.PotionsUsedLevel, 4);
}

TEST(ShipControls, AnAbilityRunsWhileHeldAndAffordable) {
  ShipGame s;
  s.S.Special1 = AbilityBooster;
  s.S.CurReducer = 1;
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilityBooster]);
  EXPECT_TRUE(s.S.Pressed);
  EXPECT_EQ(s.S.Charge, 197);  // cost 1 x 3 / reducer 1
  EXPECT_EQ(s.G.ChargeUsed, 3);
  s.G.Keys[KeyZ] = false;
  s.S.HandleKeys(s.G);
  EXPECT_FALSE(s.G.ChargeOn[AbilityBooster]);
  EXPECT_FALSE(s.S.Pressed);
  EXPECT_EQ(s.S.Charge, 197);

  // Reducer 3 makes the cost 1; gem 12 divides by 1.5 and gem 17 by 2 more.
  s.S.CurReducer = 3;
  s.S.GemType1 = 12;
  s.S.GemType2 = 17;
  s.S.Charge = 100;
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  EXPECT_FLOAT_EQ(s.S.Charge, 100 - 1.0f / 1.5f / 2);
  s.S.GemType1 = s.S.GemType2 = -1;

  // The threshold is cost / reducer, the charge taken three times that: the siphon
  // (10) at reducer 1 is usable at 10 charge and leaves -20 until the upkeep.
  s.S.Special1 = AbilitySiphoner;
  s.S.CurReducer = 1;
  s.S.Charge = 9.99f;
  s.S.HandleKeys(s.G);
  EXPECT_FALSE(s.G.ChargeOn[AbilitySiphoner]);
  EXPECT_FALSE(s.S.Pressed);
  s.S.Charge = 10;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilitySiphoner]);
  EXPECT_EQ(s.S.Charge, -20);
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Charge, 0);  // Z held: no regeneration either
}

TEST(ShipControls, TheShotEraserFiresOncePerPress) {
  ShipGame s;
  s.S.Special1 = AbilityShotEraser;
  s.S.CurReducer = 10;  // cost 200 / (10 / 3) = 60
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilityShotEraser]);
  EXPECT_FLOAT_EQ(s.S.Charge, 140);
  const Single used = s.G.ChargeUsed;
  EXPECT_FLOAT_EQ(used, 60);
  // Held on: off again, nothing taken, nothing counted.
  for (int i = 0; i < 3; ++i) {
    s.S.HandleKeys(s.G);
    EXPECT_FALSE(s.G.ChargeOn[AbilityShotEraser]);
    EXPECT_FLOAT_EQ(s.S.Charge, 140);
    EXPECT_EQ(s.G.ChargeUsed, used);
    EXPECT_TRUE(s.S.Pressed);
  }
  // Released and pressed again: once more.
  s.G.Keys[KeyZ] = false;
  s.S.HandleKeys(s.G);
  EXPECT_FALSE(s.S.Pressed);
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilityShotEraser]);
  EXPECT_FLOAT_EQ(s.S.Charge, 80);

  // The same on slot 2 with V.
  s.S.Special1 = -1;
  s.S.Special2 = AbilityShotEraser;
  s.S.Pressed2 = false;
  s.G.Keys[KeyZ] = false;
  s.G.Keys[KeyV] = true;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilityShotEraser]);
  s.S.HandleKeys(s.G);
  EXPECT_FALSE(s.G.ChargeOn[AbilityShotEraser]);
  EXPECT_FLOAT_EQ(s.S.Charge, 20);
}

TEST(ShipControls, BothSlotsWithOneAbilityLetSlotTwoDecide) {
  ShipGame s;
  s.S.Special1 = s.S.Special2 = AbilityMatrix;
  s.S.CurReducer = 1;
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  // Slot 1 paid, but V is not held, so slot 2 switches the matrix off.
  EXPECT_FALSE(s.G.ChargeOn[AbilityMatrix]);
  EXPECT_TRUE(s.S.Pressed);
  EXPECT_FALSE(s.S.Pressed2);
  EXPECT_EQ(s.S.Charge, 197);
  // Both held: paid twice.
  s.G.Keys[KeyV] = true;
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.ChargeOn[AbilityMatrix]);
  EXPECT_EQ(s.S.Charge, 191);
}

TEST(ShipControls, HoldingVWithAnEmptySlotStillStopsChargeRegeneration) {
  ShipGame s;
  s.S.Special2 = -1;
  s.S.Charge = 100;
  s.G.Keys[KeyV] = true;
  s.S.HandleKeys(s.G);
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Charge, 100);
  s.G.Keys[KeyV] = false;
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Charge, 100 + 3.0f / 50);
}

TEST(ShipLife, RegenerationSiphonAndCaps) {
  ShipGame s;
  s.S.Life = 40;
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Life, 40.03f);  // (1 + 2) / 100
  s.S.GemType2 = 1;
  s.S.Life = 40;
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Life, 40.06f);  // near death: (1 + 2) / 50
  s.S.Life = 50;                      // not below 50: the normal rate
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Life, 50.03f);
  s.S.GemType2 = -1;
  s.S.Life = 199.99f;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Life, 200);
  s.G.ChargeOn[AbilitySiphoner] = true;
  s.S.Life = 150;
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Life, 152.03f);
  s.S.Charge = 250;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Charge, 200);
}

TEST(ShipLife, AutomaticPotionFirstThenResurrectionThenDeath) {
  ShipGame s;
  s.S.GemType1 = 10;
  s.S.GemType2 = 8;
  s.G.Progress.Potions[0] = 1;
  s.S.Life = -5;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Life, 200);
  EXPECT_EQ(s.G.Progress.Potions[0], 0);
  EXPECT_FALSE(s.S.Resurected);
  EXPECT_EQ(s.G.PotionsUsedLevel, 0);  // the automatic potion is not counted
  s.S.Life = -5;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Life, 200);
  EXPECT_TRUE(s.S.Resurected);
  EXPECT_TRUE(s.S.Exists);
  // Regeneration comes first: a ship just below zero is lifted back above it.
  s.S.Life = -0.02f;
  s.S.ShipLife(s.G);
  EXPECT_TRUE(s.S.Exists);
  s.S.Life = -5;
  s.S.ShipLife(s.G);
  EXPECT_FALSE(s.S.Exists);
  EXPECT_EQ(s.S.Life, 0);
}

TEST(ShipLife, DeathStopsTheShipAndSetsOffStaggeredExplosions) {
  ShipGame s;
  s.G.CurrentLevel = 11;
  s.G.FrameClock = 1234.5f;
  s.G.Progress.Stats[StatDeaths] = 4;
  s.S.Charge = 100;
  s.S.GemType1 = 2;  // charge up near death: the frame of death is near death
  s.S.Left = 300;
  s.S.Top = 200;
  s.S.Life = -1;
  RandomGenerator rng = s.G.Rng;
  s.S.ShipLife(s.G);

  EXPECT_EQ(s.S.Life, 0);
  EXPECT_FALSE(s.S.Exists);
  EXPECT_EQ(s.G.DeathTime, 1234);  // halves to even
  EXPECT_EQ(s.G.MiniGameTime, 1234);
  EXPECT_EQ(s.G.Progress.Stats[StatDeaths], 5);
  EXPECT_EQ(s.T.Plat.MusicCalls, (std::vector<std::string>{"stop", "volume -500", "load Death", "play"}));
  EXPECT_EQ(s.T.Plat.SoundsPlayed, (std::vector<int>{2}));
  EXPECT_FLOAT_EQ(s.S.Charge, 100 + 3.0f / 25);  // charge still regenerates on that frame

  // Start frames round(-0.7 i) in double, halves to even: -3.5 gives -4.
  const int starts[25] = {0,   -1,  -1,  -2,  -3,  -4,  -4,  -5,  -6,  -6,  -7,  -8, -8,
                          -9,  -10, -10, -11, -12, -13, -13, -14, -15, -15, -16, -17};
  for (int i = 0; i < 25; ++i) {
    const ExploClass& x = s.G.Explosions[i];
    ASSERT_TRUE(x.Exists) << i;
    const Single r1 = rng.Next(), r2 = rng.Next(), r3 = rng.Next();
    const int kind = int(std::nearbyint(2 * r1));
    EXPECT_EQ(x.AmtFrames, s.G.ExploTypes[kind].FrameAmount) << i;
    EXPECT_EQ(x.Xpos, 300 + 80 * r2 - 45) << i;
    EXPECT_EQ(x.Ypos, 200 + 80 * r3 - 40) << i;
    EXPECT_EQ(x.Frame, starts[i]) << i;
  }
  EXPECT_FALSE(s.G.Explosions[25].Exists);
  EXPECT_EQ(s.G.Rng.X, rng.X);  // three draws per explosion, nothing else
}

TEST(ShipLife, DeathOutsideTheMiniGameWithSoundAndMusicOff) {
  ShipGame s;
  s.G.CurrentLevel = 3;
  s.G.FrameClock = 77.5f;
  s.G.MiniGameTime = 0;
  s.G.Progress.SoundOn = s.G.Progress.MusicOn = false;
  // A nearly full explosion pool keeps only the first of the 25.
  for (int i = 0; i < 40; ++i) AddExplosion(s.G, 0, 0, 0, 0);
  s.S.Life = -1;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.G.DeathTime, 78);
  EXPECT_EQ(s.G.MiniGameTime, 0);
  EXPECT_EQ(s.T.Plat.MusicCalls, (std::vector<std::string>{"stop", "volume -500", "load Death"}));
  EXPECT_TRUE(s.T.Plat.SoundsPlayed.empty());
  for (int i = 40; i < 50; ++i) EXPECT_EQ(s.G.Explosions[i].Frame, Single(std::nearbyint(-0.7 * (i - 40)))) << i;
}

TEST(ShipLife, ChargeRegenerationDivisors) {
  // Gems, then the divisor away from and near death. Gem 2 takes a slot, so with only
  // two slots the "14 and 17" row is reachable away from death only.
  struct Case {
    Integer Gem1, Gem2;
    Single Life;
    int D;
  } cases[] = {
      {-1, -1, 40, 50}, {2, -1, 100, 50}, {2, -1, 40, 25}, {-1, 2, 49.9f, 25}, {2, -1, 50, 50},
      {14, -1, 40, 33}, {14, 2, 100, 33}, {14, 2, 40, 18},  {17, -1, 40, 25},   {17, 2, 40, 12},
      {2, 17, 60, 25},  {14, 17, 40, 18}, {17, 14, 200, 18},
  };
  for (const Case& c : cases) {
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

TEST(ShipStep, NothingHappensWhileTheShipIsGone) {
  ShipGame s;
  s.S.Exists = false;
  s.S.Charge = 50;
  s.G.ChargeOn[AbilityBooster] = true;
  s.G.Keys[KeyUp] = true;
  s.G.Keys[KeyZ] = true;
  s.S.Special1 = AbilityMatrix;
  StepShip(s.G);
  EXPECT_EQ(s.S.Charge, 50);
  EXPECT_EQ(s.S.Speed, 0);
  EXPECT_TRUE(s.G.ChargeOn[AbilityBooster]);
  EXPECT_FALSE(s.G.ChargeOn[AbilityMatrix]);
  EXPECT_TRUE(s.ShipCopies().empty());
}

TEST(ShipSetup, PreparesTheShipForALevelAndKeepsWhatCarriesOver) {
  TestGame t;
  Game& g = *t;
  ShipClass& s = g.Ship;
  g.Progress.PartLevel = {3, 4, 5, 6, 7};
  g.Progress.ShotLevel[2] = 5;
  s.CurShot1 = 2;
  s.CurShot2 = -1;
  s.CurLevel2 = 7;
  s.Exists = false;
  s.Life = 0;
  s.Charge = 3;
  s.Speed = 4;
  s.Heading = 1.25f;
  s.AniFrame = 3.5f;
  s.Pressed = true;
  s.Pressed2 = true;
  s.NoMove = 9;
  s.NoShoot = -4;
  s.LastShot1 = s.LastShot2 = 88;
  s.Resurected = true;
  s.Left = 120;
  g.KillCount = 5;
  g.ChargeUsed = 6;
  g.DamageDealt = g.DamageTaken = g.DistanceMoved = 7;
  g.PotionsUsedLevel = 2;
  g.PickupTaken = g.MusicStarted = g.BossCircling = true;
  g.EnemyCount = 12;
  g.BossTimer = 40;
  g.MiniGameTime = 99;
  SetupShip(g);

  EXPECT_EQ(s.CurDefence, 3);
  EXPECT_EQ(s.CurSpeed, 4);
  EXPECT_EQ(s.CurRegen, 5);
  EXPECT_EQ(s.CurCharge, 6);
  EXPECT_EQ(s.CurReducer, 7);
  EXPECT_EQ(s.CurLevel1, 5);
  EXPECT_EQ(s.CurLevel2, 7);  // empty slot keeps its level
  EXPECT_EQ(s.Life, 200);
  EXPECT_EQ(s.Charge, 200);
  EXPECT_TRUE(s.Exists);
  EXPECT_EQ(s.Speed, 0);
  EXPECT_EQ(s.LastShot1, 0);
  EXPECT_EQ(s.LastShot2, 0);
  EXPECT_FALSE(s.Resurected);
  EXPECT_EQ(s.Heading, 1.25f);
  EXPECT_EQ(s.AniFrame, 3.5f);
  EXPECT_TRUE(s.Pressed);
  EXPECT_TRUE(s.Pressed2);
  EXPECT_EQ(s.NoMove, 9);
  EXPECT_EQ(s.NoShoot, -4);
  EXPECT_EQ(s.Top, 400);
  EXPECT_EQ(s.Bottom, 456);
  EXPECT_EQ(s.Left, 377.5f);
  EXPECT_EQ(s.Right, 422.5f);
  EXPECT_EQ(s.ShipSpeed, 2.0f);
  EXPECT_EQ(s.ShipAccel, 0.15f);
  EXPECT_EQ(s.SrcRectRight, 45);
  EXPECT_EQ(s.SrcRectBottom, 56);
  EXPECT_EQ(g.KillCount, 0);
  EXPECT_EQ(g.ChargeUsed, 0);
  EXPECT_EQ(g.DamageDealt, 0);
  EXPECT_EQ(g.DamageTaken, 0);
  EXPECT_EQ(g.DistanceMoved, 0);
  EXPECT_EQ(g.PotionsUsedLevel, 0);
  EXPECT_FALSE(g.PickupTaken);
  EXPECT_FALSE(g.MusicStarted);
  EXPECT_FALSE(g.BossCircling);
  EXPECT_EQ(g.EnemyCount, 0);
  EXPECT_EQ(g.BossTimer, 0);
  EXPECT_EQ(g.MiniGameTime, 0);
}

TEST(ShipSetup, PicksALevelTrackAtRandomWithItsVolume) {
  TestGame t;
  Game& g = *t;
  bool sawTrack1 = false, sawOther = false;
  for (int i = 0; i < 40 && !(sawTrack1 && sawOther); ++i) {
    RandomGenerator rng = g.Rng;
    const int track = int(std::floor(4 * rng.Next()));
    t.Plat.ClearRecords();
    SetupShip(g);
    const std::string volume = track == 1 ? "volume -1000" : "volume -1700";
    EXPECT_EQ(t.Plat.MusicCalls,
              (std::vector<std::string>{"stop", volume, "load " + std::to_string(track), "play"}));
    EXPECT_EQ(g.Rng.X, rng.X);  // one draw
    (track == 1 ? sawTrack1 : sawOther) = true;
  }
  EXPECT_TRUE(sawTrack1 && sawOther);
}

namespace {

// The ship's flight worked out from the rules of motion alone, frame by frame, for a
// ship with every part at level 1 and no gems or abilities.
struct FlightModel {
  Single Top = 400, Left = 377.5f, Speed = 0, Heading = 0, Distance = 0;
  int DrawLeft = 0, DrawTop = 0;

  void Push(double degrees) {
    const Single p = 0.15f + 1.0f / 20;
    const Single dir = static_cast<Single>(degrees / 180 * Pi);
    const double vx = double(p) * std::cos(double(dir)) + double(Speed) * std::cos(double(Heading));
    const double vy = double(p) * std::sin(double(dir)) + double(Speed) * std::sin(double(Heading));
    if (vx > 0) Heading = static_cast<Single>(std::atan(vy / vx));
    if (vx < 0) Heading = static_cast<Single>(std::atan(vy / vx) + Pi);
    Speed = static_cast<Single>(std::sqrt(vx * vx + vy * vy));
  }

  void Frame(bool up, bool down, bool left, bool right) {
    // The clamp and the drawing come first: the picture shows the last frame's move.
    if (Top < 0) Top = 0;
    if (Top + 56 > 600) Top = 544;
    if (Left < 100) Left = 100;
    if (Left + 45 > 700) Left = 655;
    DrawLeft = int(std::nearbyint(Left));
    DrawTop = int(std::nearbyint(Top));
    if (up) Push(270);
    if (down) Push(90);
    if (left) Push(180);
    if (right) Push(0);
    if (Speed > 2.5f) Speed = 2.5f;
    if (!(up || down || left || right)) Speed = Speed - (1.0f / 10 + 0.1f);
    if (Speed < 0) Speed = 0;
    Top = static_cast<Single>(double(Top) + double(Speed) * std::sin(double(Heading)));
    Left = static_cast<Single>(double(Left) + double(Speed) * std::cos(double(Heading)));
    Distance = Distance + Speed / 10;
  }
};

}  // namespace

TEST(ShipScenario, ALevelFlownWithTheArrowKeysFollowsTheRulesOfMotion) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 0);
  ASSERT_FALSE(g.InMenu);
  g.SpawnCount = 0;  // an empty sky: nothing rams or shoots the ship
  FlightModel m;
  struct Phase {
    int Frames;
    bool Up, Down, Left, Right;
  } phases[] = {
      {40, true, false, false, true},    // diagonal up and right
      {140, true, false, false, false},  // up into the top edge, held there at full speed
      {150, false, false, true, false},  // along the top edge into the left edge
      {6, false, true, true, false},     // down and left
      {20, false, false, false, false},  // coasting to a stop
  };
  for (const Phase& ph : phases) {
    t.Plat.KeyState = {};
    t.Plat.KeyState[KeyUp] = ph.Up;
    t.Plat.KeyState[KeyDown] = ph.Down;
    t.Plat.KeyState[KeyLeft] = ph.Left;
    t.Plat.KeyState[KeyRight] = ph.Right;
    for (int f = 0; f < ph.Frames; ++f) {
      t.Plat.ClearRecords();
      RunFrame(g);
      m.Frame(ph.Up, ph.Down, ph.Left, ph.Right);
      int drawn = 0;
      for (const CopyRecord& c : t.Plat.Copies) {
        if (c.Sheet != SheetShips) continue;
        ++drawn;
        EXPECT_EQ(c.DestLeft, m.DrawLeft);
        EXPECT_EQ(c.DestTop, m.DrawTop);
      }
      EXPECT_EQ(drawn, 6);  // the body and the five level-1 overlays
    }
    EXPECT_EQ(g.Ship.Left, m.Left);
    EXPECT_EQ(g.Ship.Top, m.Top);
    EXPECT_EQ(g.Ship.Speed, m.Speed);
    EXPECT_EQ(g.Ship.Heading, m.Heading);
    EXPECT_EQ(g.DistanceMoved, m.Distance);
  }
  EXPECT_EQ(g.Ship.Speed, 0);
  EXPECT_LT(g.Ship.Top, 20);    // it did reach the top edge
  EXPECT_LT(g.Ship.Left, 110);  // and the left one
  EXPECT_TRUE(g.Ship.Exists);
  EXPECT_EQ(g.Ship.Life, 200);
}
