// The shop: prices, refusals and the stock of potions.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "menus/menus.h"
#include "world/sound.h"
#include "world/draw.h"
#include "test_support.h"

namespace {

void Hover(TestGame& t, int x, int y) { MenuAt(t, x, y); }
void Click(TestGame& t, int x, int y) { MenuAt(t, x, y, true); }

// Pointer positions: the equip and level bands of grid cell n.
int CellX(int shot) { return 190 + 49 * (shot % 5); }
int EquipY(int shot) { return 113 + 49 * (shot / 5); }
int LevelY(int shot) { return 140 + 49 * (shot / 5); }

bool HasText(const NullPlatform& p, int x, int y, const std::string& text) {
  return std::any_of(p.Texts.begin(), p.Texts.end(),
                     [&](const TextRecord& t) { return t.X == x && t.Y == y && t.Text == text; });
}

}  // namespace

TEST(Shop, UnlockingAShotCostsExactlyOneHundred) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 100;
  Click(t, CellX(13), EquipY(13));  // row 2: X FOLLOWER
  EXPECT_EQ(std::tuple(g.Progress.Points, g.Progress.ShotLevel[13]), std::tuple(0, 0));
  EXPECT_EQ(t.Plat.SoundsPlayed, (std::vector<int>{SoundLevelUp}));
  EXPECT_EQ(g.Menu.HelpLines[1], "X FOLLOWER. CLICK HERE TO SPEND");
  t.Plat.ClearRecords();
  Hover(t, 0, 0);
  EXPECT_TRUE(HasText(t.Plat, 187 + 49 * 3, 135 + 49 * 2, "1"));
  EXPECT_FALSE(HasCopy(t.Plat, SheetButtons, 0, 0, 48, 47, 166 + 49 * 3, 106 + 49 * 2));

  // 99 points are not enough for the next one.
  g.Progress.Points = 99;
  Click(t, CellX(14), LevelY(14));
  EXPECT_EQ(std::tuple(g.Progress.Points, g.Progress.ShotLevel[14]), std::tuple(99, -1));
}

TEST(Shop, ShotLevelsCostThreeHundredMoreEachStep) {
  TestGame t;
  Game& g = *t;
  Hover(t, CellX(0), LevelY(0));
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
    Click(t, CellX(0), LevelY(0));
    EXPECT_EQ(std::tuple(g.Progress.ShotLevel[0], g.Progress.Points), std::tuple(levelAfter, pointsAfter)) << points;
    EXPECT_EQ(g.Menu.HelpLines[0], line);
  }
  EXPECT_EQ(g.Menu.HelpLines[1], "");
  EXPECT_TRUE(HasText(t.Plat, 187, 135, "10"));
}

TEST(Shop, PartsCostOneHundredPerLevelUpToTen) {
  TestGame t;
  Game& g = *t;
  g.Progress.Points = 1000;
  Click(t, 714, 107 + 39 * 4);  // reducer, 1 -> 2
  EXPECT_EQ(std::tuple(g.Progress.PartLevel[4], g.Progress.Points), std::tuple(2, 900));
  EXPECT_EQ(g.Menu.HelpLines[2], "IT COSTS 200 TO LEVEL THIS PART UP");
  g.Progress.PartLevel[2] = 9;
  Click(t, 778, 142 + 39 * 2);
  EXPECT_EQ(std::tuple(g.Progress.PartLevel[2], g.Progress.Points), std::tuple(10, 0));
  EXPECT_EQ(g.Menu.HelpLines[2], "THIS PART IS FULLY LEVELED UP");
  g.Progress.Points = 5000;
  t.Plat.ClearRecords();
  Click(t, 778, 142 + 39 * 2);
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
    Click(t, x, y);
    EXPECT_EQ(std::tuple(g.Progress.Potions, g.Progress.Points), std::tuple(stock, points)) << x << "," << y;
  }

  g.Progress.Points = 10000;
  g.Progress.Potions[1] = 5;
  t.Plat.ClearRecords();
  Click(t, 580, 520);  // a sixth charge potion
  EXPECT_EQ(std::tuple(g.Progress.Potions[1], g.Progress.Points), std::tuple(5, 10000));
  EXPECT_TRUE(t.Plat.SoundsPlayed.empty());
  EXPECT_TRUE(HasText(t.Plat, 498 + 81, 498, "5"));
}
