// The player's ship: movement, looks, controls, life and death, the ship step and set-up.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "platform/blit.h"
#include "test_support.h"

namespace {

using Strings = std::vector<std::string>;
using Sources = std::vector<std::array<int, 4>>;

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
  // Draws the ship afresh; returns the source rectangles of what it drew.
  Sources Draw() {
    T.Plat.ClearRecords();
    S.DrawShip(G);
    Sources out;
    for (const CopyRecord& c : T.Plat.Copies)
      if (c.Sheet == SheetShips || c.Sheet == SheetShots) out.push_back(Src(c));
    return out;
  }
};

void Place(ShipClass& s, Single left, Single top) {
  s.Left = left;
  s.Right = left + 45;
  s.Top = top;
  s.Bottom = top + 56;
}

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

TEST(ShipMotion, APushCancellingTheSidewaysSpeedKeepsTheHeading) {
  ShipGame s;
  const Single h = DegToRad(60);
  s.S.Speed = 0.3f;
  s.S.Heading = h;
  s.S.AccelShip(s.G, -0.3f, -h);  // mirrored about the vertical: vx is exactly 0
  EXPECT_EQ(s.S.Heading, h);
  const double vy = double(-0.3f) * std::sin(double(-h)) + double(0.3f) * std::sin(double(h));
  EXPECT_EQ(s.S.Speed, static_cast<Single>(std::fabs(vy)));
}

TEST(ShipMotion, ThePlayColumnClampKeepsTheVelocity) {
  ShipGame s;
  s.S.Speed = 2.5f;
  s.S.Heading = 3;
  // Left and top before, then after: past the left and top edges, past the others, flush with both.
  const Single cases[][4] = {{95, -3, 100, 0}, {660, 550, 655, 544}, {100, 544, 100, 544}};
  for (const auto& c : cases) {
    Place(s.S, c[0], c[1]);
    s.S.LimitInScreen();
    EXPECT_EQ((std::array{s.S.Left, s.S.Top, s.S.Right, s.S.Bottom}),
              (std::array<Single, 4>{c[2], c[3], c[2] + 45, c[3] + 56}))
        << c[0] << "," << c[1];
  }
  EXPECT_EQ(s.S.Speed, 2.5f);
  EXPECT_EQ(s.S.Heading, 3.0f);
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

TEST(ShipMotion, SpaceAndMatrixMoveHalfAStepAndNoMoveHoldsTheShip) {
  ShipGame s;
  s.S.Heading = 0;
  // A full step of 2, then half steps under Space and under the matrix; a tenth counts as distance.
  const struct {
    bool Space, Matrix;
    Single Left, Distance;
  } steps[] = {{false, false, 379.5f, 0.2f}, {true, false, 380.5f, 0.3f}, {false, true, 381.5f, 0.4f}};
  for (const auto& c : steps) {
    s.S.Speed = 2;
    s.G.Keys[KeySpace] = c.Space;
    s.G.Level.ChargeOn[AbilityMatrix] = c.Matrix;
    s.S.ShipMove(s.G);
    EXPECT_EQ(s.S.Left, c.Left);
    EXPECT_EQ(s.S.Right, c.Left + 45);
    EXPECT_FLOAT_EQ(s.G.Level.DistanceMoved, c.Distance);
  }
  s.G.Level.ChargeOn[AbilityMatrix] = false;
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

TEST(ShipLooks, BodyThenOneOverlayPerFittedPartInOrder) {
  ShipGame s;
  s.S.CurSpeed = 3;
  s.S.CurDefence = 0;
  s.S.CurRegen = 1;
  s.S.CurCharge = 10;
  s.S.CurReducer = 2;
  s.S.Left = 376.5f;  // rounds to 376 (halves to even)
  // Body; speed level 3 on row 2, regen 1 on row 3, charge 10 on row 4, reducer 2 on row 5; no defence.
  EXPECT_EQ(s.Draw(), (Sources{{0, 0, 45, 56}, {90, 112, 135, 168}, {0, 168, 45, 224}, {405, 224, 450, 280},
                               {45, 280, 90, 336}}));
  for (const auto& x : s.T.Plat.Copies) {
    EXPECT_EQ(x.DestLeft, 376);
    EXPECT_EQ(x.DestTop, 400);
    EXPECT_FALSE(x.Scaled);
  }
  s.S.CurSpeed = 1;
  s.S.CurDefence = 4;
  s.S.CurRegen = s.S.CurCharge = 0;
  s.S.Left = 377.5f;  // rounds to 378
  EXPECT_EQ(s.Draw(), (Sources{{0, 0, 45, 56}, {0, 112, 45, 168}, {135, 56, 180, 112}, {45, 280, 90, 336}}));
  EXPECT_EQ(s.T.Plat.Copies[0].DestLeft, 378);
}

TEST(ShipLooks, AnimationWrapAndTheFullyUpgradedRammerAndCloakedLooks) {
  ShipGame s;
  // Fully upgraded: one animated frame instead of body and overlays.
  s.S.CurSpeed = s.S.CurDefence = s.S.CurRegen = s.S.CurCharge = s.S.CurReducer = 10;
  s.S.AniFrame = 6.5f;                                      // becomes 6.75: frame 6, column 8
  EXPECT_EQ(s.Draw(), (Sources{{360, 0, 405, 56}}));
  EXPECT_EQ(s.Draw(), (Sources{{90, 0, 135, 56}}));         // wraps to frame 0, column 2
  EXPECT_EQ(s.S.AniFrame, 0.0f);
  s.G.Level.ChargeOn[AbilityMatrix] = true;                       // 0.06 a frame, still wrapping at 7
  s.S.AniFrame = 6.9f;
  s.Draw();
  EXPECT_EQ(s.S.AniFrame, 6.9f + 0.06f);
  s.Draw();
  EXPECT_EQ(s.S.AniFrame, 0.0f);
  s.G.Level.ChargeOn[AbilityRammer] = true;
  EXPECT_EQ(s.Draw(), (Sources{{45, 0, 90, 56}}));
  s.G.Level.ChargeOn[AbilityCloaker] = true;                      // the cloak over everything
  EXPECT_EQ(s.Draw(), (Sources{{141, 15, 186, 71}}));
  EXPECT_EQ(s.T.Plat.Copies.at(0).Sheet, SheetShots);
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

TEST(ShipControls, TheShotEraserFiresOncePerPress) {
  ShipGame s;
  s.S.Special1 = AbilityShotEraser;
  s.S.CurReducer = 10;  // cost 200 / (10 / 3) = 60
  auto frame = [&](bool z, bool v) {
    s.G.Keys[KeyZ] = z;
    s.G.Keys[KeyV] = v;
    s.S.HandleKeys(s.G);
    return s.G.Level.ChargeOn[AbilityShotEraser];
  };
  EXPECT_TRUE(frame(true, false));
  EXPECT_FLOAT_EQ(s.S.Charge, 140);
  EXPECT_FLOAT_EQ(s.G.Level.ChargeUsed, 60);
  for (int i = 0; i < 3; ++i) {  // held on: off again, nothing taken, nothing counted
    EXPECT_FALSE(frame(true, false));
    EXPECT_FLOAT_EQ(s.S.Charge, 140);
    EXPECT_FLOAT_EQ(s.G.Level.ChargeUsed, 60);
    EXPECT_TRUE(s.S.Pressed);
  }
  EXPECT_FALSE(frame(false, false));  // released and pressed again: once more
  EXPECT_FALSE(s.S.Pressed);
  EXPECT_TRUE(frame(true, false));
  EXPECT_FLOAT_EQ(s.S.Charge, 80);
  // The same on slot 2 with V.
  s.S.Special1 = -1;
  s.S.Special2 = AbilityShotEraser;
  s.S.Pressed2 = false;
  EXPECT_TRUE(frame(false, true));
  EXPECT_FALSE(frame(false, true));
  EXPECT_FLOAT_EQ(s.S.Charge, 20);
}

TEST(ShipControls, BothSlotsWithOneAbilityLetSlotTwoDecide) {
  ShipGame s;
  s.S.Special1 = s.S.Special2 = AbilityMatrix;
  s.S.CurReducer = 1;
  s.G.Keys[KeyZ] = true;
  s.S.HandleKeys(s.G);
  // Slot 1 paid, but V is not held, so slot 2 switches the matrix off.
  EXPECT_EQ(std::tuple(s.G.Level.ChargeOn[AbilityMatrix], s.S.Pressed, s.S.Pressed2, s.S.Charge),
            std::tuple(false, true, false, 197));
  s.G.Keys[KeyV] = true;  // both held: paid twice
  s.S.HandleKeys(s.G);
  EXPECT_TRUE(s.G.Level.ChargeOn[AbilityMatrix]);
  EXPECT_EQ(s.S.Charge, 191);
  // V held with an empty slot 2 still stops charge regeneration.
  s.S.Special1 = s.S.Special2 = -1;
  s.G.Keys[KeyZ] = false;
  s.S.Charge = 100;
  s.S.HandleKeys(s.G);
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.S.Charge, 100);
  s.G.Keys[KeyV] = false;
  s.S.ShipLife(s.G);
  EXPECT_FLOAT_EQ(s.S.Charge, 100 + 3.0f / 50);
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

TEST(ShipLife, DeathStopsTheShipAndSetsOffStaggeredExplosions) {
  ShipGame s;
  s.G.CurrentLevel = 11;
  s.G.Level.FrameClock = 1234.5f;
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
  EXPECT_EQ(s.G.Level.DeathTime, 1234);  // halves to even
  EXPECT_EQ(s.G.Level.MiniGameTime, 1234);
  EXPECT_EQ(s.G.Progress.Stats[StatDeaths], 5);
  EXPECT_EQ(s.T.Plat.MusicCalls, (Strings{"stop", "volume -500", "load Death", "play"}));
  EXPECT_EQ(s.T.Plat.SoundsPlayed, (std::vector<int>{2}));
  EXPECT_FLOAT_EQ(s.S.Charge, 100 + 3.0f / 25);  // charge still regenerates on that frame
  for (int i = 0; i < 25; ++i) {
    const ExploClass& x = s.G.Explosions[i];
    ASSERT_TRUE(x.Exists) << i;
    const Single r1 = rng.Next(), r2 = rng.Next(), r3 = rng.Next();
    EXPECT_EQ(x.AmtFrames, s.G.Tables.ExploTypes[int(std::nearbyint(2 * r1))].FrameAmount) << i;
    EXPECT_EQ(x.Xpos, 300 + 80 * r2 - 45) << i;
    EXPECT_EQ(x.Ypos, 200 + 80 * r3 - 40) << i;
  }
  // Start frames round(-0.7 i) in double, halves to even: -3.5 gives -4.
  EXPECT_EQ(s.G.Explosions[5].Frame, -4);
  EXPECT_EQ(s.G.Explosions[24].Frame, -17);
  EXPECT_FALSE(s.G.Explosions[25].Exists);
  EXPECT_EQ(s.G.Rng.X, rng.X);  // three draws per explosion, nothing else
}

TEST(ShipLife, DeathOutsideTheMiniGameWithSoundAndMusicOff) {
  ShipGame s;
  s.G.CurrentLevel = 3;
  s.G.Level.FrameClock = 77.5f;
  s.G.Level.MiniGameTime = 0;
  s.G.Progress.SoundOn = s.G.Progress.MusicOn = false;
  for (int i = 0; i < 40; ++i) AddExplosion(s.G, 0, 0, 0, 0);  // room for only ten of the 25
  s.S.Life = -1;
  s.S.ShipLife(s.G);
  EXPECT_EQ(s.G.Level.DeathTime, 78);
  EXPECT_EQ(s.G.Level.MiniGameTime, 0);
  EXPECT_EQ(s.T.Plat.MusicCalls, (Strings{"stop", "volume -500", "load Death"}));
  EXPECT_TRUE(s.T.Plat.SoundsPlayed.empty());
  for (int i = 40; i < 50; ++i) EXPECT_EQ(s.G.Explosions[i].Frame, Single(std::nearbyint(-0.7 * (i - 40)))) << i;
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

TEST(ShipStep, NothingHappensWhileTheShipIsGone) {
  ShipGame s;
  s.S.Exists = false;
  s.S.Charge = 50;
  s.G.Level.ChargeOn[AbilityBooster] = true;
  s.G.Keys[KeyUp] = s.G.Keys[KeyZ] = true;
  s.S.Special1 = AbilityMatrix;
  StepShip(s.G);
  EXPECT_EQ(s.S.Charge, 50);
  EXPECT_EQ(s.S.Speed, 0);
  EXPECT_TRUE(s.G.Level.ChargeOn[AbilityBooster]);
  EXPECT_FALSE(s.G.Level.ChargeOn[AbilityMatrix]);
  EXPECT_TRUE(s.T.Plat.Copies.empty());
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
  // The level's counters start again (a level start resets them after the ship's set-up).
  ResetLevelCounters(g);
  EXPECT_EQ((std::array{g.Level.ChargeUsed, g.Level.DamageDealt, g.Level.DamageTaken, g.Level.DistanceMoved}), (std::array<Single, 4>{}));
  EXPECT_EQ((std::array{g.Level.KillCount, g.Level.PotionsUsedLevel, g.Level.EnemyCount}), (std::array<Integer, 3>{}));
  EXPECT_EQ(g.Level.BossTimer + g.Level.MiniGameTime, 0);
  EXPECT_FALSE(g.Level.PickupTaken || g.Menu.MusicStarted || g.Level.BossCircling);
}

TEST(LevelStart, PicksALevelTrackAtRandomWithItsVolume) {
  TestGame t;
  Game& g = *t;
  bool sawTrack1 = false, sawOther = false;
  for (int i = 0; i < 40 && !(sawTrack1 && sawOther); ++i) {
    RandomGenerator rng = g.Rng;
    const int track = int(std::floor(4 * rng.Next()));
    t.Plat.ClearRecords();
    StartLevelMusic(g);
    const std::string volume = track == 1 ? "volume -1000" : "volume -1700";
    EXPECT_EQ(t.Plat.MusicCalls, (Strings{"stop", volume, "load " + std::to_string(track), "play"}));
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
  g.Level.SpawnCount = 0;  // an empty sky: nothing rams or shoots the ship
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
      const auto drawn = CopiesOn(t.Plat, SheetShips);
      EXPECT_EQ(drawn.size(), 6u);  // the body and the five level-1 overlays
      for (const CopyRecord& c : drawn) {
        EXPECT_EQ(c.DestLeft, m.DrawLeft);
        EXPECT_EQ(c.DestTop, m.DrawTop);
      }
    }
    EXPECT_EQ(g.Ship.Left, m.Left);
    EXPECT_EQ(g.Ship.Top, m.Top);
    EXPECT_EQ(g.Ship.Speed, m.Speed);
    EXPECT_EQ(g.Ship.Heading, m.Heading);
    EXPECT_EQ(g.Level.DistanceMoved, m.Distance);
  }
  EXPECT_EQ(g.Ship.Speed, 0);
  EXPECT_LT(g.Ship.Top, 20);    // it did reach the top edge
  EXPECT_LT(g.Ship.Left, 110);  // and the left one
  EXPECT_TRUE(g.Ship.Exists);
  EXPECT_EQ(g.Ship.Life, 200);
}
