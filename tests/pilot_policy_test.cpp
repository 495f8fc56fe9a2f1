// The autopilot's choices: the next level (the campaign's order, and when it goes to earn points
// instead of trying again the same way), and when it holds its shield in a level.
#include <gtest/gtest.h>

#include "autopilot/autopilot.h"
#include "autopilot/pilots.h"
#include "menus/menu_layout.h"
#include "world/game.h"
#include "test_support.h"

namespace {

PilotAttempt Try(int level, bool won, long points = 0, long long frames = 1000, int potions = 0) {
  PilotAttempt a;
  a.Level = level;
  a.Won = won;
  a.PointsWon = points;
  a.Frames = frames;
  a.PotionsUsed = potions;
  return a;
}

// Levels 1 to `won` won, the next one open.
void WonUpTo(Game& g, int won) {
  for (int i = 0; i <= won && i < 10; ++i) g.Progress.LevelOpen[size_t(i)] = true;
}

}  // namespace

TEST(PilotPolicy, TriesAgainOnlyWhatANewPurchaseMayChangeAndEarnsWhereReplaysPayBest) {
  TestGame t;
  Game& g = *t;
  WonUpTo(g, 5);
  std::vector<PilotAttempt> log = {Try(4, true, 1200, 6000), Try(5, true, 3000, 6000), Try(6, false)};

  // Lost level 6: with something bought since, it is tried again; with nothing, points first,
  // where the first win paid more a frame (levels 1 to 3 were won before this run).
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 6);
  EXPECT_EQ(NextCampaignLevel(g, log, false, false), 5);
  // Two losses in a row: points first even after a purchase.
  log.push_back(Try(6, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 5);

  // Replays decide once there are some: level 4 paid 0.2 a frame, level 5 0.1 ...
  log.push_back(Try(5, true, 300, 3000));
  log.push_back(Try(6, false));
  log.push_back(Try(4, true, 400, 2000));
  log.push_back(Try(6, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, false), 4);
  // ... until a replay of level 4 costs two potions for 600 points.
  log.push_back(Try(4, true, 600, 2000, 2));
  log.push_back(Try(6, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, false), 5);
  // A level lost on its last try is passed over.
  log.push_back(Try(5, false));
  log.push_back(Try(6, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, false), 4);

  // Before the last fights the purse goes on five potions; short of them, points first.
  WonUpTo(g, 9);
  log = {Try(8, true, 4000, 8000), Try(8, true, 1000, 8000), Try(9, true, 2800, 8000)};
  g.Progress.Potions[0] = 4;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 8);
  g.Progress.Potions[0] = 5;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 10);

  // Level 10 won: the mini game once, the marathon, the arena, then nothing left.
  g.Progress.GoalDone[9][0] = true;
  for (int i = 10; i <= 12; ++i) g.Progress.LevelOpen[size_t(i)] = true;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 11);
  EXPECT_EQ(NextCampaignLevel(g, log, true, true), 12);
  g.Progress.ShotLevel[19] = 0;
  EXPECT_EQ(NextCampaignLevel(g, log, true, true), 13);
  g.Progress.ShotLevel[18] = 0;
  EXPECT_EQ(NextCampaignLevel(g, log, true, true), 0);
}

// A person's pilot, after a lost try, earns a set sum on levels it has won before it tries the
// lost level again, whatever it bought in between; a won level is not held back. It earns where
// it pays, and stocks more potions for the last fights.
TEST(PilotPolicy, APersonEarnsASetSumAfterEveryLossBeforeTryingAgain) {
  TestGame t;
  Game& g = *t;
  WonUpTo(g, 4);
  const PilotLimits person = PilotLimits::Human();
  const int sum = person.PointsBeforeRetry;
  ASSERT_GT(sum, 0);
  EXPECT_EQ(PilotLimits().PointsBeforeRetry, 0);
  std::vector<PilotAttempt> log = {Try(4, true, 1200, 6000), Try(5, false)};
  // The standard pilot tries again after a purchase; a person goes to earn first.
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 5);
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 4);
  // Replays that have paid less than the sum: on earning.
  log.push_back(Try(4, true, sum - 1, 6000));
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 4);
  // The sum reached: the lost level again.
  log.push_back(Try(4, true, 1, 6000));
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 5);
  // Lost again: the count starts afresh from this loss.
  log.push_back(Try(5, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 4);
  // A level never tried, or won on its last try, is played at once.
  WonUpTo(g, 5);
  log.push_back(Try(4, true, 100, 6000));
  log.push_back(Try(5, true, 900, 6000));
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 6);

  // Where a person earns: a replay lost by bad luck does not make a level look worthless (its
  // first win counts at a third beside it), but it is passed over until the ship is upgraded.
  WonUpTo(g, 7);
  log = {Try(4, true, 1200, 6000), Try(4, true, 300, 6000), Try(7, true, 2100, 7000), Try(8, false)};
  PilotAttempt unlucky = Try(7, false, 0, 3000);
  unlucky.Upgrades = ShipUpgrades(g);
  log.push_back(unlucky);
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 4);
  g.Progress.PartLevel[0] += 1;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 7);
  log.push_back(Try(8, false));
  EXPECT_EQ(NextCampaignLevel(g, log, false, false), 4) << "the standard pilot still passes it over";

  // For the last fights a person stocks five full potions beside the five health potions.
  WonUpTo(g, 9);
  log = {Try(8, true, 4000, 8000), Try(8, true, 1000, 8000), Try(9, true, 2800, 8000)};
  g.Progress.Potions[0] = MaxPotions;
  g.Progress.Potions[2] = MaxPotions - 1;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true), 10);
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 8);
  g.Progress.Potions[2] = MaxPotions;
  EXPECT_EQ(NextCampaignLevel(g, log, false, true, person), 10);
}

// In a level: the shield key is held only while the charge can pay for the ability (a held key
// stops the charge from filling), and the shot eraser, which acts once per press, is let go
// after each use.
TEST(PilotPolicy, HoldsTheShieldOnlyWhenItCanActAndPressesTheEraserOnce) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, 8);
  g.Ship.Special2 = AbilityShotEraser;
  g.Ship.CurReducer = 1;  // the eraser needs the full 200 charge
  // A heavy craft on top of the ship: every way of flying runs into it.
  EnemyClass& craft = g.Enemies[0];
  craft = EnemyClass{};
  craft.Exists = true;
  craft.Kind = 15;
  craft.Life = 10000;
  craft.Top = g.Ship.Top - 20;
  craft.Bottom = g.Ship.Bottom + 20;
  craft.Left = g.Ship.Left - 20;
  craft.Right = g.Ship.Right + 20;
  craft.Width = craft.Right - craft.Left;
  craft.Height = craft.Bottom - craft.Top;

  Autopilot pilot;
  pilot.Decide(g);  // the level's first frame only fires
  auto shieldHeld = [&](Single charge) {
    g.Ship.Charge = charge;
    return pilot.Decide(g).Keys[KeyV];
  };
  EXPECT_FALSE(shieldHeld(150));
  EXPECT_TRUE(shieldHeld(200));
  EXPECT_FALSE(shieldHeld(200)) << "the eraser is pressed anew for each use";
  EXPECT_TRUE(shieldHeld(200));
  // Defence x2 costs little: held for as long as it is wanted.
  g.Ship.Special2 = AbilityDefence2;
  EXPECT_TRUE(shieldHeld(150));
  EXPECT_TRUE(shieldHeld(150));
}

// The pilot with a person's limits, flying level 7 (gunners spraying bullets at random): a key
// it presses stays down four frames at least, it turns to a new way of flying at most every
// fifteen frames, hit or not, it never holds both fire keys, and what it decides does not depend
// on the game's dice, which a person cannot see coming.
TEST(PilotPolicy, WithAPersonsLimitsItIsSlowBlindToTheDiceAndHoldsOneGun) {
  TestGame t;
  Game& g = *t;
  g.Progress.LevelOpen.fill(true);
  StartLevel(g, 6);
  Autopilot pilot(PilotLimits::Human());
  std::array<int, 256> down{};
  int lastTurn = -100, turns = 0;
  std::array<bool, 4> lastArrows{};
  for (int f = 0; f < 1500 && !g.InMenu; ++f) {
    // The same moment with other dice ahead: the same choice.
    if (f % 15 == 5) {
      Autopilot twinA(PilotLimits::Human()), twinB(PilotLimits::Human());
      Game other = g;
      other.Rng.X ^= 0x5A5A5A;
      twinA.Decide(g);  // the first frame of a level only fires
      twinB.Decide(other);
      EXPECT_EQ(twinA.Decide(g).Keys, twinB.Decide(other).Keys) << "frame " << f;
    }
    const PilotInput in = pilot.Decide(g);
    EXPECT_FALSE(in.Keys[KeyX] && in.Keys[KeyC]) << "frame " << f;
    for (size_t k = 0; k < 256; ++k) {
      if (!in.Keys[k] && down[k] > 0) {
        EXPECT_GE(down[k], 4) << "key " << k << " let go at frame " << f;
      }
      down[k] = in.Keys[k] ? down[k] + 1 : 0;
    }
    const std::array<bool, 4> arrows = {in.Keys[KeyUp], in.Keys[KeyDown], in.Keys[KeyLeft], in.Keys[KeyRight]};
    // A new arrow pressed is a new way of flying (letting go is the end of the last one).
    bool pressed = false;
    for (size_t i = 0; i < 4; ++i) pressed = pressed || (arrows[i] && !lastArrows[i]);
    if (pressed) {
      EXPECT_GE(f - lastTurn, 15) << "frame " << f;
      lastTurn = f;
      ++turns;
    }
    lastArrows = arrows;
    t.Plat.KeyState = in.Keys;
    PlayFrame(t);
  }
  EXPECT_GT(turns, 10) << "it flew";
}
