// The star field and the explosions.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "effects/backdrop.h"
#include "world/draw.h"
#include "platform/resources.h"
#include "shell/state_json.h"
#include "test_support.h"

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
  g.Level.ChargeOn[AbilityMatrix] = true;
  s.Initialize(300, 100, 3, 0);
  s.MoveStar(g);
  EXPECT_EQ(s.Ypos, 100.75f);
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
  g.Level.ChargeOn[AbilityMatrix] = true;
  for (int i = 0; i < 7; ++i) StepExplosions(g);
  EXPECT_EQ(g.Explosions[0].Frame, 1.375f);
}
