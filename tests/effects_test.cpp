// The star field, the explosions and the backdrop behind them.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "effects/backdrop.h"
#include "platform/blit.h"
#include "platform/resources.h"
#include "shell/state_json.h"
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
  g.Level.ChargeOn[AbilityMatrix] = true;
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
  g.Level.ChargeOn[AbilityMatrix] = true;
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

// The nebula behind the play column: two copies that tile the column from top to bottom
// whatever the clock, and the notice of a lost ship; neither changes the game or draws a
// random number, so recorded runs play the same with or without them.
TEST(Backdrop, TilesThePlayColumnAtAnyClockAndLeavesTheGameAlone) {
  TestGame t;
  Game& g = *t;
  g.InMenu = false;
  for (Single clock : {0.0f, 9.0f, 1234.5f, 5999.9f, 6000.0f, 987654.0f}) {
    g.Level.FrameClock = clock;
    g.Ship.Exists = clock < 6000;
    const std::string before = StateJson(g, false);
    const uint32_t rng = g.Rng.X;
    t.Plat.Copies.clear();
    DrawBackdrop(g);
    DrawShipLostNotice(g);
    EXPECT_EQ(StateJson(g, false), before);
    EXPECT_EQ(g.Rng.X, rng);
    // Every screen row of the column gets exactly one tile row, and the tile's rows follow on
    // from one copy to the next (its last row above its first).
    std::vector<int> tileRowAt(600, -1);
    int notices = 0;
    for (const CopyRecord& c : CopiesOn(t.Plat, SheetBackdrop)) {
      if (c.SrcTop >= BackdropTileSize) {
        ++notices;
        EXPECT_GE(c.DestLeft, 100);
        EXPECT_LE(c.DestLeft + (c.SrcRight - c.SrcLeft), 700);
        continue;
      }
      EXPECT_EQ(std::tuple(c.DestLeft, c.SrcLeft, c.SrcRight), std::tuple(100, 0, BackdropTileSize));
      for (int y = c.DestTop; y < c.DestTop + (c.SrcBottom - c.SrcTop) && y < 600; ++y) {
        ASSERT_GE(y, 0);
        EXPECT_EQ(tileRowAt[size_t(y)], -1) << "row " << y << " drawn twice at clock " << clock;
        tileRowAt[size_t(y)] = c.SrcTop + (y - c.DestTop);
      }
    }
    for (int y = 1; y < 600; ++y)
      ASSERT_EQ(tileRowAt[size_t(y)], (tileRowAt[size_t(y - 1)] + 1) % BackdropTileSize) << y << " at clock " << clock;
    EXPECT_EQ(notices, g.Ship.Exists ? 0 : 1) << "clock " << clock;
  }
  // The drift is slow: a tenth of a pixel a clock unit, far slower than any star.
  t.Plat.Copies.clear();
  g.Level.FrameClock = 100;
  DrawBackdrop(g);
  EXPECT_EQ(CopiesOn(t.Plat, SheetBackdrop).front().DestBottom, 10);
}

// The painted backdrop: dark enough everywhere that sprites and bullets keep their contrast,
// a tile whose last row runs on into its first, and the notice lettered inside its rectangle.
TEST(Backdrop, TheSheetIsADarkSeamlessTileWithTheNoticeInItsBox) {
  EmbeddedResource res = FindSheetImage(Sheets[SheetBackdrop].Name);
  ASSERT_TRUE(res.Data);
  SDL_Surface* raw = IMG_Load_RW(SDL_RWFromConstMem(res.Data, int(res.Size)), 1);
  ASSERT_TRUE(raw);
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(raw);
  ASSERT_EQ(std::pair(s->w, s->h), std::pair(Sheets[SheetBackdrop].Width, Sheets[SheetBackdrop].Height));
  auto at = [&](int x, int y) {
    uint32_t p = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch)[x];
    return std::array<int, 3>{int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
  };
  int painted = 0, brightest = 0;
  double seam = 0, inside = 0;
  for (int y = 0; y < BackdropTileSize; ++y)
    for (int x = 0; x < BackdropTileSize; ++x) {
      auto p = at(x, y);
      brightest = std::max({brightest, p[0], p[1], p[2]});
      painted += p != std::array<int, 3>{0, 0, 0};
      auto below = at(x, (y + 1) % BackdropTileSize);
      double step = std::abs(below[0] - p[0]) + std::abs(below[1] - p[1]) + std::abs(below[2] - p[2]);
      (y == BackdropTileSize - 1 ? seam : inside) += step;
    }
  EXPECT_LE(brightest, 52);
  EXPECT_GT(painted, BackdropTileSize * BackdropTileSize / 3) << "a nebula, not an empty sky";
  // The step from the last row to the first is no bigger than between two rows inside.
  EXPECT_LT(seam, 2.0 * inside / (BackdropTileSize - 1));
  int lettered = 0, stray = 0;
  for (int y = BackdropTileSize; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x) {
      bool drawn = at(x, y) != std::array<int, 3>{0, 0, 0};
      // Inside the box with a free pixel along each edge.
      bool box = x > ShipLostLeft && x < ShipLostLeft + ShipLostWidth - 1 && y > ShipLostTop &&
                 y < ShipLostTop + ShipLostHeight - 1;
      (box ? lettered : stray) += drawn;
    }
  EXPECT_EQ(stray, 0) << "the notice touches or leaves its box";
  EXPECT_GT(lettered, 1500);
  SDL_FreeSurface(s);
}
