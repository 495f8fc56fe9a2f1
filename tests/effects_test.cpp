// The star field and the explosions.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/blit.h"
#include "test_support.h"

namespace {

std::vector<CopyRecord> CopiesOn(const NullPlatform& p, int sheet) {
  std::vector<CopyRecord> out;
  for (const CopyRecord& c : p.Copies)
    if (c.Sheet == sheet) out.push_back(c);
  return out;
}

}  // namespace

TEST(Stars, SeedingScattersStarsOverThePlayColumn) {
  TestGame t;
  Game& g = *t;
  RandomGenerator rng = g.Rng;
  SeedStars(g);
  for (const StarClass& s : g.Stars) {
    // Four draws per star, in the order column, height, speed, size.
    const Single r1 = rng.Next(), r2 = rng.Next(), r3 = rng.Next(), r4 = rng.Next();
    EXPECT_EQ(s.Xpos, std::floor(r1 * 590) + 105);
    EXPECT_EQ(s.Ypos, std::floor(r2 * 600));
    EXPECT_EQ(s.Speed, r3 * 4 + 1);
    EXPECT_EQ(s.Kind, int(std::floor(r4 * 3)));
    EXPECT_GE(s.Xpos, 105);
    EXPECT_LE(s.Xpos, 694);
    EXPECT_GE(s.Ypos, 0);
    EXPECT_LE(s.Ypos, 599);
    EXPECT_GE(s.Speed, 1);
    EXPECT_LT(s.Speed, 5);
    EXPECT_GE(s.Kind, 0);
    EXPECT_LE(s.Kind, 2);
  }
}

TEST(Stars, FallAndAreRebornAboveTheTopOncePast605) {
  TestGame t;
  Game& g = *t;
  g.InMenu = false;
  StarClass s;
  s.Initialize(300, 600, 5, 1);
  s.MoveStar(g);
  s.ScreenLimit(g);
  EXPECT_EQ(s.Ypos, 605);  // exactly 605 stays
  EXPECT_EQ(s.Xpos, 300);

  s.Initialize(300, 600.01f, 5, 1);
  s.MoveStar(g);
  RandomGenerator rng = g.Rng;
  s.ScreenLimit(g);
  const Single r1 = rng.Next(), r2 = rng.Next(), r3 = rng.Next();
  EXPECT_EQ(s.Ypos, -5);
  EXPECT_EQ(s.Xpos, std::floor(r1 * 590) + 105);
  EXPECT_EQ(s.Speed, r2 * 6 + 1);
  EXPECT_EQ(s.Kind, int(std::floor(r3 * 3)));
  EXPECT_EQ(g.Rng.X, rng.X);

  // In the menus the reborn star may fall anywhere across the screen.
  g.InMenu = true;
  s.Initialize(300, 606, 1, 0);
  rng = g.Rng;
  s.ScreenLimit(g);
  EXPECT_EQ(s.Xpos, std::floor(rng.Next() * 790));
  bool outsideColumn = false;
  for (int i = 0; i < 200; ++i) {
    s.Initialize(300, 606, 1, 0);
    s.ScreenLimit(g);
    EXPECT_GE(s.Xpos, 0);
    EXPECT_LE(s.Xpos, 789);
    EXPECT_LE(s.Speed, 7);
    outsideColumn |= s.Xpos < 105 || s.Xpos > 694;
  }
  EXPECT_TRUE(outsideColumn);

  // The matrix slows the fall to a quarter.
  g.ChargeOn[AbilityMatrix] = true;
  s.Initialize(300, 100, 3, 0);
  s.MoveStar(g);
  EXPECT_EQ(s.Ypos, 100.75f);
}

TEST(Stars, EachSizeDrawsItsOwnSpriteAroundTheCentre) {
  TestGame t;
  Game& g = *t;
  g.InMenu = false;
  for (StarClass& s : g.Stars) s.Initialize(200, 100, 0, 3);  // an unknown size draws nothing
  g.Stars[0].Initialize(200.5f, 100, 0, 0);
  g.Stars[1].Initialize(300, 50.5f, 0, 1);
  g.Stars[2].Initialize(400, 60, 0, 2);
  t.Plat.ClearRecords();
  StepStars(g);
  auto c = CopiesOn(t.Plat, SheetStars);
  ASSERT_EQ(c.size(), 3u);
  // (left, top, right, bottom) on the sheet; drawn unscaled at the centre minus 1 or 2.
  EXPECT_EQ((std::vector<int>{c[0].SrcLeft, c[0].SrcTop, c[0].SrcRight, c[0].SrcBottom, c[0].DestLeft, c[0].DestTop}),
            (std::vector<int>{0, 0, 2, 2, 200, 99}));  // 199.5 rounds to 200
  EXPECT_EQ((std::vector<int>{c[1].SrcLeft, c[1].SrcTop, c[1].SrcRight, c[1].SrcBottom, c[1].DestLeft, c[1].DestTop}),
            (std::vector<int>{3, 0, 6, 3, 298, 48}));  // 48.5 rounds to 48
  EXPECT_EQ((std::vector<int>{c[2].SrcLeft, c[2].SrcTop, c[2].SrcRight, c[2].SrcBottom, c[2].DestLeft, c[2].DestTop}),
            (std::vector<int>{7, 0, 11, 4, 398, 58}));
  EXPECT_FALSE(c[0].Scaled);
}

TEST(Explosions, AnimationTimingAndDelayedStart) {
  TestGame t;
  Game& g = *t;
  AddExplosion(g, 0, 10.5f, 20, 0);
  const ExploClass& x = g.Explosions[0];
  ASSERT_TRUE(x.Exists);
  EXPECT_EQ(x.AmtFrames, 11);
  int frames = 0;
  while (g.Explosions[0].Exists && frames < 100) {
    t.Plat.ClearRecords();
    StepExplosions(g);
    auto c = CopiesOn(t.Plat, SheetExplosions);
    ASSERT_EQ(c.size(), 1u);
    const int f = frames / 2;  // each picture shows twice
    EXPECT_EQ(c[0].SrcLeft, f * 60);
    EXPECT_EQ(c[0].SrcRight, f * 60 + 60);
    EXPECT_EQ(c[0].SrcTop, 0);
    EXPECT_EQ(c[0].SrcBottom, 57);
    EXPECT_EQ(c[0].DestLeft, 10);  // 10.5 rounds to 10
    EXPECT_EQ(c[0].DestTop, 20);
    ++frames;
  }
  EXPECT_EQ(frames, 22);
  t.Plat.ClearRecords();
  StepExplosions(g);
  EXPECT_TRUE(t.Plat.Copies.empty());

  // A start of -3 keeps the slot busy and invisible for six frames.
  AddExplosion(g, 2, 0, 0, -3);
  for (int i = 0; i < 6; ++i) {
    t.Plat.ClearRecords();
    StepExplosions(g);
    EXPECT_TRUE(t.Plat.Copies.empty()) << i;
    EXPECT_TRUE(g.Explosions[0].Exists);
  }
  t.Plat.ClearRecords();
  StepExplosions(g);
  auto c = CopiesOn(t.Plat, SheetExplosions);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].SrcLeft, 0);
  EXPECT_EQ(c[0].SrcTop, 132);
  EXPECT_EQ(c[0].SrcBottom, 159);

  // Under the matrix a picture lasts eight frames.
  g.ChargeOn[AbilityMatrix] = true;
  for (int i = 0; i < 7; ++i) StepExplosions(g);
  EXPECT_EQ(g.Explosions[0].Frame, 1.375f);
}

TEST(Explosions, AFullPoolIgnoresMoreAndTheLowestFreeSlotIsTaken) {
  TestGame t;
  Game& g = *t;
  for (int i = 0; i < 50; ++i) AddExplosion(g, 1, Single(i), 0, 0);
  const auto before = g.Explosions;
  AddExplosion(g, 0, 999, 999, 0);
  for (int i = 0; i < 50; ++i) {
    EXPECT_TRUE(g.Explosions[i].Exists);
    EXPECT_EQ(g.Explosions[i].Xpos, before[i].Xpos);
    EXPECT_EQ(g.Explosions[i].AmtFrames, 12);
  }
  g.Explosions[7].Exists = false;
  g.Explosions[30].Exists = false;
  AddExplosion(g, 2, 999, 5, -1);
  EXPECT_TRUE(g.Explosions[7].Exists);
  EXPECT_EQ(g.Explosions[7].Xpos, 999);
  EXPECT_EQ(g.Explosions[7].Frame, -1);
  EXPECT_EQ(g.Explosions[7].Width, 30);
  EXPECT_EQ(g.Explosions[7].Height, 27);
  EXPECT_FALSE(g.Explosions[30].Exists);
}
