// The shop: prices, refusals, the unlock conditions of the rare shots, equipping and marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "menus/menus.h"
#include "platform/audio.h"
#include "platform/blit.h"
#include "test_support.h"

namespace {

void Hover(Game& g, int x, int y) { MenuAt(g, x, y); }
void Click(Game& g, int x, int y) { MenuAt(g, x, y, true); }

// Pointer positions: the equip and level bands of grid cell n, an ability row, a gem cell.
int CellX(int shot) { return 190 + 49 * (shot % 5); }
int EquipY(int shot) { return 113 + 49 * (shot / 5); }
int LevelY(int shot) { return 140 + 49 * (shot / 5); }
int AbilityY(int a) { return 350 + 27 * a; }
int GemX(int gem) { return gem < 9 ? 400 : 437; }
int GemY(int gem) { return 350 + 27 * (gem % 9); }

bool HasText(const NullPlatform& p, int x, int y, const std::string& text) {
  return std::any_of(p.Texts.begin(), p.Texts.end(),
                     [&](const TextRecord& t) { return t.X == x && t.Y == y && t.Text == text; });
}

}  // namespace

TEST(Shop, WithNoPointsEveryPurchaseFailsSilently) {
  TestGame t;
  Game& g = *t;
  Hover(g, 0, 0);
  const ProgressBlock before = g.Progress;
  t.Plat.ClearRecords();
  Click(g, CellX(1), LevelY(1));  // unlock a shot
  Click(g, CellX(0), LevelY(0));  // level up the power beam
  Click(g, 740, 120);             // a part
  for (int k = 0; k < 3; ++k) Click(g, 500 + 80 * k, 520);  // the potions
  EXPECT_EQ(g.Progress, before);
  EXPECT_TRUE(t.Plat.SoundsPlayed.empty());
}

TEST(Shop, UnlockingAShotCostsExactlyOneHundred) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 100;
  Click(g, CellX(13), EquipY(13));  // row 2: X FOLLOWER
  EXPECT_EQ(std::tuple(g.Progress.Points, g.Progress.ShotLevel[13]), std::tuple(0, 0));
  EXPECT_EQ(t.Plat.SoundsPlayed, (std::vector<int>{SoundLevelUp}));
  EXPECT_EQ(g.Menu.HelpLines[1], "X FOLLOWER. CLICK HERE TO SPEND");
  t.Plat.ClearRecords();
  Hover(g, 0, 0);
  EXPECT_TRUE(HasText(t.Plat, 187 + 49 * 3, 135 + 49 * 2, "1"));
  EXPECT_FALSE(HasCopy(t.Plat, SheetButtons, 0, 0, 48, 47, 166 + 49 * 3, 106 + 49 * 2));

  // 99 points are not enough for the next one.
  g.Progress.Points = 99;
  Click(g, CellX(14), LevelY(14));
  EXPECT_EQ(std::tuple(g.Progress.Points, g.Progress.ShotLevel[14]), std::tuple(99, -1));
}

TEST(Shop, ShotLevelsCostThreeHundredMoreEachStep) {
  TestGame t;
  Game& g = *t;
  Hover(g, CellX(0), LevelY(0));
  EXPECT_EQ(g.Menu.HelpLines[0], "IT COSTS 100 POINTS TO LEVEL THIS SHOT");
  EXPECT_EQ(g.Menu.HelpLines[1], "UP TO LEVEL 2. CLICK HERE TO SPEND");
  EXPECT_EQ(g.Menu.HelpLines[2], "POINTS LEVEL IT UP");
  // Level and points before the click, then after it, and the price the panel shows next: 100 for
  // level 0 to 1, 400 next; 2499 short of the last step, which costs 2500; nothing past level 9.
  const std::tuple<Integer, Long, Integer, Long, const char*> clicks[] = {
      {0, 500, 1, 400, "IT COSTS 400 POINTS TO LEVEL THIS SHOT"},
      {8, 2499, 8, 2499, "IT COSTS 2500 POINTS TO LEVEL THIS SHOT"},
      {8, 2500, 9, 0, "THIS SHOT IS FULLY LEVELED UP"},
      {9, 100000, 9, 100000, "THIS SHOT IS FULLY LEVELED UP"}};
  for (auto [level, points, levelAfter, pointsAfter, line] : clicks) {
    g.Progress.ShotLevel[0] = level;
    g.Progress.Points = points;
    t.Plat.ClearRecords();
    Click(g, CellX(0), LevelY(0));
    EXPECT_EQ(std::tuple(g.Progress.ShotLevel[0], g.Progress.Points), std::tuple(levelAfter, pointsAfter)) << points;
    EXPECT_EQ(g.Menu.HelpLines[0], line);
  }
  EXPECT_EQ(g.Menu.HelpLines[1], "");
  EXPECT_TRUE(HasText(t.Plat, 187, 135, "10"));
}

TEST(Shop, TheLastRowCannotBeBoughtAndSaysHowToWinIt) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 100000;
  const char* expected[5][3] = {
      {"TO UNLOCK THIS SHOT, GET OVER 50%", "COMPLETION.", ""},
      {"TO UNLOCK THIS SHOT, GET OVER 65%", "COMPLETION.", ""},
      {"TO UNLOCK THIS SHOT, GET OVER 80%", "COMPLETION.", ""},
      {"THIS SHOT IS NOT THAT EASY TO GET.", "BEAT THE ? LEVEL, AND YOU GET THIS", "WONDERFUL SUPPORT SHOT."},
      {"YOU CANT JUST BUY A SHOT THIS GOOD.", "BEAT THE ? LEVEL, AND THIS SHOT", "WILL BE YOURS."},
  };
  for (int column = 0; column < 5; ++column) {
    Click(g, CellX(15 + column), LevelY(15 + column));
    EXPECT_EQ(g.Progress.ShotLevel[15 + column], -1);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(g.Menu.HelpLines[k], expected[column][k]) << column;
  }
  EXPECT_EQ(g.Progress.Points, 100000);
  // Once the boss arena and the marathon are open, their names replace the question marks.
  g.Progress.LevelOpen[11] = g.Progress.LevelOpen[12] = true;
  for (auto [shot, line] : {std::pair(18, "BEAT THE BOSS ARENA, AND YOU GET THIS"),
                            {19, "BEAT THE MARATHON LEVEL, AND THIS SHOT"}}) {
    Hover(g, CellX(shot), EquipY(shot));
    EXPECT_EQ(g.Menu.HelpLines[1], line);
  }
}

TEST(Shop, EquippingNeverPutsOneItemInBothSlots) {
  TestGame t;
  Game& g = *t;
  ProgressBlock& p = g.Progress;
  p.ShotLevel[6] = 2;
  p.ChargeOwned[2] = p.ChargeOwned[5] = true;
  p.GemOwned[4] = p.GemOwned[13] = true;
  Hover(g, 0, 0);
  const ProgressBlock before = p;

  // Left clicks fill slot 1, right clicks slot 2; what the other slot holds (or is not owned) is
  // refused. After each click: the two shot, ability and gem slots.
  using Slots = std::array<int, 6>;
  const std::tuple<bool, int, int, Slots> clicks[] = {
      {true, CellX(6), EquipY(6), {0, 6, -1, -1, -1, -1}}, {false, CellX(6), EquipY(6), {0, 6, -1, -1, -1, -1}},
      {true, CellX(0), EquipY(0), {0, 6, -1, -1, -1, -1}}, {false, 300, AbilityY(5), {0, 6, 5, -1, -1, -1}},
      {true, 300, AbilityY(5), {0, 6, 5, -1, -1, -1}},     {true, 300, AbilityY(2), {0, 6, 5, 2, -1, -1}},
      {false, 300, AbilityY(3), {0, 6, 5, 2, -1, -1}},     {false, GemX(13), GemY(13), {0, 6, 5, 2, 13, -1}},
      {true, GemX(13), GemY(13), {0, 6, 5, 2, 13, -1}},    {true, GemX(4), GemY(4), {0, 6, 5, 2, 13, 4}},
      {false, GemX(4), GemY(4), {0, 6, 5, 2, 13, 4}}};
  for (const auto& [right, x, y, after] : clicks) {
    MenuAt(g, x, y, !right, right);
    const ShipClass& s = g.Ship;
    EXPECT_EQ((Slots{s.CurShot1, s.CurShot2, s.Special1, s.Special2, s.GemType1, s.GemType2}), after)
        << (right ? "right " : "left ") << x << "," << y;
  }
  EXPECT_EQ(p, before);  // equipping costs nothing and changes no progress

  t.Plat.ClearRecords();
  Hover(g, 0, 0);
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 48, 48, 63, 166, 106));            // shot slot 1
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 48, 48, 96, 63, 166 + 49, 106 + 49));  // shot slot 2
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 89, 102, 115, 278, 340 + 27 * 5));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 48, 18, 150, 44, 278, 340 + 27 * 2));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 141, 35, 167, 422, 340 + 27 * 4));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 35, 141, 70, 167, 385, 340 + 27 * 4));
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 63, 101, 88, 278, 340));  // ability 0 locked
  EXPECT_TRUE(HasCopy(t.Plat, SheetButtons, 0, 115, 35, 140, 385, 340));  // gem 0 locked
}

TEST(Shop, LockedAbilitiesAndGemsTellTheirConditions) {
  TestGame t;
  Game& g = *t;
  const std::tuple<int, int, const char*> cases[] = {
      {375, AbilityY(8), "COMPLETE LEVEL 9'S GOAL TO UNLOCK."},
      {GemX(3), GemY(3), "COMPLETE LEVEL 4'S GOAL TO UNLOCK."},
      {GemX(12), GemY(12), "DONT USE CHARGE ONCE IN ALL LEVELS TO UNLOCK."},
      {GemX(17), GemY(17), "GET 99% COMPLETION TO UNLOCK."}};
  for (auto [x, y, line] : cases) {
    Hover(g, x, y);
    EXPECT_EQ(std::tuple(g.Menu.HelpLines[0], g.Menu.HelpLines[1]), std::tuple(std::string(line), std::string()));
  }
}

TEST(Shop, PartsCostOneHundredPerLevelUpToTen) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 1000;
  Click(g, 714, 107 + 39 * 4);  // reducer, 1 -> 2
  EXPECT_EQ(std::tuple(g.Progress.PartLevel[4], g.Progress.Points), std::tuple(2, 900));
  EXPECT_EQ(g.Menu.HelpLines[2], "IT COSTS 200 TO LEVEL THIS PART UP");
  g.Progress.PartLevel[2] = 9;
  Click(g, 778, 142 + 39 * 2);
  EXPECT_EQ(std::tuple(g.Progress.PartLevel[2], g.Progress.Points), std::tuple(10, 0));
  EXPECT_EQ(g.Menu.HelpLines[2], "THIS PART IS FULLY LEVELED UP");
  g.Progress.Points = 5000;
  t.Plat.ClearRecords();
  Click(g, 778, 142 + 39 * 2);
  EXPECT_EQ(std::tuple(g.Progress.PartLevel[2], g.Progress.Points), std::tuple(10, 5000));
  EXPECT_TRUE(HasText(t.Plat, 742, 125 + 39 * 2, "10"));
  EXPECT_TRUE(HasText(t.Plat, 742, 125 + 39 * 4, "2"));
}

TEST(Shop, PotionsHaveTheirPricesAndAStockOfFive) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 1700;
  // Health 500, charge 200, both 1000, each clicked at a corner of its button.
  const std::tuple<int, int, std::array<Integer, 3>, Long> buys[] = {
      {463, 476, {1, 0, 0}, 1200}, {621, 579, {1, 1, 0}, 1000}, {623, 500, {1, 1, 1}, 0}};
  for (const auto& [x, y, stock, points] : buys) {
    Click(g, x, y);
    EXPECT_EQ(std::tuple(g.Progress.Potions, g.Progress.Points), std::tuple(stock, points)) << x << "," << y;
  }

  g.Progress.Points = 10000;
  g.Progress.Potions[1] = 5;
  t.Plat.ClearRecords();
  Click(g, 580, 520);  // a sixth charge potion
  EXPECT_EQ(std::tuple(g.Progress.Potions[1], g.Progress.Points), std::tuple(5, 10000));
  EXPECT_TRUE(t.Plat.SoundsPlayed.empty());
  EXPECT_TRUE(HasText(t.Plat, 498 + 81, 498, "5"));
}
