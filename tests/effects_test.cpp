// The star field and the explosions.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/blit.h"
#include "test_support.h"

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
  // Drawn unscaled at the centre minus 1 or 2, halves to even: 199.5 gives 200, 48.5 gives 48.
  EXPECT_TRUE(HasCopy(t.Plat, SheetStars, 0, 0, 2, 2, 200, 99));
  EXPECT_TRUE(HasCopy(t.Plat, SheetStars, 3, 0, 6, 3, 298, 48));
  EXPECT_TRUE(HasCopy(t.Plat, SheetStars, 7, 0, 11, 4, 398, 58));
  EXPECT_EQ(CopiesOn(t.Plat, SheetStars).size(), 3u);
}

TEST(Explosions, AnimationTimingAndDelayedStart) {
  TestGame t;
  Game& g = *t;
  AddExplosion(g, 0, 10.5f, 20, 0);
  ASSERT_EQ(g.Explosions[0].AmtFrames, 11);
  int frames = 0;
  for (; g.Explosions[0].Exists && frames < 100; ++frames) {
    t.Plat.ClearRecords();
    StepExplosions(g);
    const int f = frames / 2;  // each picture shows twice; 10.5 rounds to 10
    EXPECT_TRUE(HasCopy(t.Plat, SheetExplosions, f * 60, 0, f * 60 + 60, 57, 10, 20)) << frames;
    EXPECT_EQ(t.Plat.Copies.size(), 1u);
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
    EXPECT_TRUE(t.Plat.Copies.empty() && g.Explosions[0].Exists) << i;
  }
  t.Plat.ClearRecords();
  StepExplosions(g);
  EXPECT_TRUE(HasCopy(t.Plat, SheetExplosions, 0, 132, 30, 159, 0, 0));
  // Under the matrix a picture lasts eight frames.
  g.ChargeOn[AbilityMatrix] = true;
  for (int i = 0; i < 7; ++i) StepExplosions(g);
  EXPECT_EQ(g.Explosions[0].Frame, 1.375f);
}

TEST(Explosions, AFullPoolIgnoresMoreAndTheLowestFreeSlotIsTaken) {
  TestGame t;
  Game& g = *t;
  for (int i = 0; i < 50; ++i) AddExplosion(g, 1, Single(i), 0, 0);
  AddExplosion(g, 0, 999, 999, 0);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(g.Explosions[i].Xpos, i);
  g.Explosions[7].Exists = g.Explosions[30].Exists = false;
  AddExplosion(g, 2, 999, 5, -1);
  const ExploClass& x = g.Explosions[7];
  EXPECT_TRUE(x.Exists);
  EXPECT_EQ((std::array{x.Xpos, x.Frame, Single(x.Width), Single(x.Height)}), (std::array<Single, 4>{999, -1, 30, 27}));
  EXPECT_FALSE(g.Explosions[30].Exists);
}
