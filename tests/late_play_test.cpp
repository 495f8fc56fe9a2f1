// What only long or late play reaches, through the frame function: the shot kinds whose flight
// changes as they go, the bosses of levels 6 to 10 and the arena's last bosses at their
// own ways of moving, and the mini game's corner gunners as the minutes pass. The numbers are the
// rules' own: speeds, pushes, walls, turns and fire intervals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "levels/level_director.h"
#include "test_support.h"

namespace {

constexpr double Pi180 = std::numbers::pi / 180;
double Rad(double degrees) { return degrees * Pi180; }

// A level or mode started as its button starts it, played frame by frame with the ship cloaked,
// so that nothing it meets ends the run, and firing only when told.
struct LatePlay {
  TestGame T;
  Game& G = *T;
  explicit LatePlay(int levelIndex) {
    G.Progress.LevelOpen.fill(true);
    StartLevel(G, levelIndex);
  }
  void Frame() {
    G.Level.ChargeOn[AbilityCloaker] = true;
    PlayFrame(T);
  }
  void PlayUntilClock(Single clock) {
    while (G.Level.FrameClock < clock && !G.LevelOver) Frame();
  }
  void Hold(int key, bool held) { T.Plat.KeyState[size_t(key)] = held; }
};

// ---- Shots ----

// Level 1 with an empty timeline, the ship still at its start (nose at y 400, centre line at
// x 400) with the shot in slot 1 and nothing in slot 2. X is held until the first firing; the
// shot fired is in slot 0 and has made its first move in the frame it was fired.
struct Range : LatePlay {
  explicit Range(int kind, int level) : LatePlay(0) {
    G.Level.SpawnTable.clear();
    G.Level.SpawnCount = 0;
    G.Ship.CurShot1 = Integer(kind);
    G.Ship.CurLevel1 = Integer(level);
    G.Ship.CurShot2 = -1;
    Hold(KeyX, true);
    for (int i = 0; i < 200 && !G.Shots[0].Exists; ++i) Frame();
    Hold(KeyX, false);
  }
  const ShotClass& Shot() const { return G.Shots[0]; }
};

}  // namespace

// What some kinds do later in their flight: the boomerang turns back below half its speed and
// is caught by the ship; the X follower keeps to the ship's centre line as it moves; the plasma
// blade slows to a crawl of one pixel a frame and no less; the crescent brakes from its twelfth
// frame and, once its speed drops below zero, shrinks by 10 pixels a step until it is gone.
TEST(ShotFlight, LaterInTheirFlight) {
  {
    SCOPED_TRACE("boomerang, level 0");
    Range r(1, 0);
    // Launched at 11 and slowed by 0.2 a frame, it falls below 5.5 on its 28th frame.
    for (int i = 1; i < 27; ++i) r.Frame();
    EXPECT_FALSE(r.Shot().ComeBack);
    r.Frame();
    EXPECT_TRUE(r.Shot().ComeBack);
    int frames = 28;
    while (r.Shot().Exists && frames < 300) r.Frame(), ++frames;
    EXPECT_FALSE(r.Shot().Exists);
    EXPECT_GE(r.Shot().Bottom, r.G.Ship.Top - 1) << "it came back down to the ship";
    EXPECT_LE(r.Shot().Top, r.G.Ship.Bottom + 1);
  }
  {
    SCOPED_TRACE("X follower");
    Range r(13, 0);
    r.Hold(KeyRight, true);
    for (int i = 0; i < 20; ++i) {
      // Shots step before the ship: each frame the shot takes the line the ship left it on.
      const Single shipLeft = r.G.Ship.Left;
      r.Frame();
      EXPECT_NEAR(r.Shot().Left, shipLeft + 22.5f - 6, 1e-3);
    }
    EXPECT_GT(r.G.Ship.Left, 400) << "the ship moved";
  }
  {
    SCOPED_TRACE("plasma blade, level 0");
    Range r(14, 0);
    // 11 up less 0.11 a frame: below 1 after 91 frames; from then on it climbs 1 a frame.
    for (int i = 1; i < 100; ++i) r.Frame();
    const Single before = r.Shot().Top;
    r.Frame();
    EXPECT_NEAR(before - r.Shot().Top, 1, 1e-3);
  }
  {
    SCOPED_TRACE("crescent blade, level 0");
    Range r(15, 0);
    // Pushed up by 1 a frame from rest, it rises 0, 1, ..., 10; from its 12th frame its speed
    // loses 3 a frame: it rises 8, 6, 4, 2, 0 (75 in all), then its speed goes below zero on
    // frames 17, 18, 20, 21, 23 and 24, each time 10 pixels narrower and 6 further right, and
    // on the 24th it is gone.
    const Single left0 = r.Shot().Left, top0 = r.Shot().Top;
    for (int i = 1; i < 16; ++i) r.Frame();
    EXPECT_NEAR(top0 - r.Shot().Top, 75, 1e-3);
    EXPECT_EQ(r.Shot().Width, 58);
    r.Frame();
    EXPECT_EQ(r.Shot().Width, 48);
    EXPECT_EQ(r.Shot().Left, left0 + 6);
    for (int i = 17; i < 23; ++i) r.Frame();
    ASSERT_TRUE(r.Shot().Exists);
    EXPECT_EQ(r.Shot().Width, 8);
    EXPECT_EQ(r.Shot().Left, left0 + 30);
    r.Frame();
    EXPECT_FALSE(r.Shot().Exists);
  }
}

// ---- Bosses ----

namespace {

Single Degrees(double d) { return DegToRad(Single(d)); }

// The level's boss, in slot 0 once its time has come (the timelines leave the field empty for it).
const EnemyClass& BossOf(const LatePlay& p, int kind) {
  const EnemyClass& b = p.G.Enemies[0];
  EXPECT_TRUE(b.Exists);
  EXPECT_EQ(b.Kind, kind);
  return b;
}

}  // namespace

// Level 6's boss (91 x 82) enters at x 330 heading down at 2 a frame. Once its top is below 220
// it turns 1.8 degrees every frame for good: a full circle every 200 frames, of radius
// 2 / (1.8 degrees in radians) = 63.66 pixels.
TEST(LateBosses, Level6CirclesOnceBelowItsLine) {
  LatePlay p(5);
  p.PlayUntilClock(4850);
  const EnemyClass& b = BossOf(p, 25);
  EXPECT_EQ(b.Left, Single(330 - 45.5));
  EXPECT_NEAR(b.Top, 220, 1e-3) << "-82 at its entry, 2 a frame from clock 4700";
  EXPECT_FALSE(p.G.Level.BossCircling) << "220 is not below the line";
  p.Frame();
  EXPECT_TRUE(p.G.Level.BossCircling);
  EXPECT_NEAR(b.Heading, Degrees(90) - Degrees(1.8), 1e-5);
  const Single left0 = b.Left, top0 = b.Top;
  Single minLeft = left0, maxLeft = left0, minTop = top0, maxTop = top0;
  for (int i = 0; i < 200; ++i) {
    p.Frame();
    minLeft = std::min(minLeft, b.Left), maxLeft = std::max(maxLeft, b.Left);
    minTop = std::min(minTop, b.Top), maxTop = std::max(maxTop, b.Top);
  }
  EXPECT_NEAR(b.Left, left0, 0.05) << "back where the circle began";
  EXPECT_NEAR(b.Top, top0, 0.05);
  EXPECT_NEAR(maxLeft - minLeft, 127.3, 0.1);
  EXPECT_NEAR(maxTop - minTop, 127.3, 0.1);
  EXPECT_NEAR(b.Speed, 2, 1e-4);
}

// Level 7's boss (320 wide, at x 400) keeps its speed and heading down but is pulled back to the
// top edge every frame.
TEST(LateBosses, Level7HangsAtTheTopEdge) {
  LatePlay p(6);
  p.PlayUntilClock(5700);
  const EnemyClass& b = BossOf(p, 26);
  EXPECT_EQ(b.Top, 0);
  EXPECT_EQ(b.Left, 240);
  EXPECT_EQ(b.Speed, 2);
  EXPECT_EQ(b.Heading, Degrees(90));
}

// Level 8's boss (108 x 61, at x 400, down at 2) parks on the top edge the frame its top passes 0
// (clock 6130) and sweeps at 2 a frame, turning once past x 100 or 700: its left runs from 98 to
// 594. It fires in bursts: every frame of its timer 1 to 150, silent from 151 until the timer
// passes 2500 / 200 + 165 = 177.5, then again from 1.
TEST(LateBosses, Level8SweepsAndFiresInBursts) {
  LatePlay p(7);
  std::vector<int> silent;
  while (p.G.Level.FrameClock < 6300) {
    p.Frame();
    if (p.G.Level.BossPhase && p.G.Enemies[0].ShootRate == 8000) silent.push_back(int(p.G.Level.FrameClock));
  }
  std::vector<int> want;
  for (int c = 6251; c <= 6277; ++c) want.push_back(c);
  EXPECT_EQ(silent, want);

  const EnemyClass& b = BossOf(p, 27);
  EXPECT_EQ(b.Speed, 2);
  EXPECT_NEAR(b.Left, 594 - 2 * (6300 - 6254), 1e-3) << "turned at clock 6254 with its right at 702";
  Single minLeft = b.Left, maxLeft = b.Left;
  for (int i = 0; i < 1000; ++i) {
    p.Frame();
    minLeft = std::min(minLeft, b.Left), maxLeft = std::max(maxLeft, b.Left);
    ASSERT_NEAR(b.Top, 0, 1e-3);
  }
  EXPECT_NEAR(minLeft, 98, 1e-3);
  EXPECT_NEAR(maxLeft, 594, 1e-3);
}

// Level 9's boss (143 x 91) enters at x 400 heading 35 degrees at 5 a frame and bounces off the
// walls of the play column and the screen only once the clock has passed 3540, by when it is in
// view. Its right edge first passes 700 at clock 3555: it turns to 540 - 35 = 505 degrees.
TEST(LateBosses, Level9BouncesOffTheWalls) {
  LatePlay p(8);
  p.PlayUntilClock(3554);
  const EnemyClass& b = BossOf(p, 28);
  EXPECT_NEAR(b.Heading, Degrees(35), 1e-5) << "no bounce yet, though its top was above the screen";
  EXPECT_NEAR(b.Top, -91 + 55 * 5 * std::sin(Rad(35)), 1e-2);
  EXPECT_NEAR(b.Right, 471.5 + 55 * 5 * std::cos(Rad(35)), 1e-2);
  p.Frame();
  EXPECT_GT(b.Right, 700);
  const Single left = b.Left, top = b.Top;
  p.Frame();
  EXPECT_NEAR(b.Left - left, 5 * std::cos(Rad(145)), 1e-3);
  EXPECT_NEAR(b.Top - top, 5 * std::sin(Rad(145)), 1e-3);

  // Bounces keep it within a step of the walls, and it meets all four.
  const double step = 5 * std::cos(Rad(35)) + 0.01, drop = 5 * std::sin(Rad(35)) + 0.01;
  Single minLeft = 1000, maxRight = 0, minTop = 1000, maxBottom = 0;
  for (int i = 0; i < 3000; ++i) {
    p.Frame();
    minLeft = std::min(minLeft, b.Left), maxRight = std::max(maxRight, b.Right);
    minTop = std::min(minTop, b.Top), maxBottom = std::max(maxBottom, b.Bottom);
    ASSERT_NEAR(b.Speed, 5, 1e-3);
  }
  EXPECT_LT(minLeft, 100);
  EXPECT_GE(minLeft, 100 - step);
  EXPECT_GT(maxRight, 700);
  EXPECT_LE(maxRight, 700 + step);
  EXPECT_LT(minTop, 0);
  EXPECT_GE(minTop, -drop);
  EXPECT_GT(maxBottom, 600);
  EXPECT_LE(maxBottom, 600 + drop);
}

// Level 10's boss (250 wide, at x 400) hangs at the top edge inside the play column and, above
// 8000 life, follows the ship 3 pixels a frame towards the ship's left less 105; by its life it
// fires faster, changes its pattern, follows with 125, and below 2000 hangs (2000 - life) / 10
// lower.
TEST(LateBosses, Level10FollowsTheShipAndChangesAsItWeakens) {
  LatePlay p(9);
  p.PlayUntilClock(300);
  EnemyClass& b = p.G.Enemies[0];
  ASSERT_EQ(BossOf(p, 29).Life, 10000);
  EXPECT_NEAR(b.Top, 0, 1e-3);
  EXPECT_EQ(b.ShootRate, 9);
  // The ship's left is 377.5: the boss steps about 377.5 - 105 = 272.5, between 272 and 275.
  for (int i = 0; i < 4; ++i) {
    p.Frame();
    EXPECT_TRUE(b.Left == 272 || b.Left == 275) << b.Left;
  }
  // It steps 3 a frame after the ship; at the column's right it is held at 700 - 250 = 450 and
  // then steps on by 3, at the left at 100 and then back by 3.
  auto follow = [&](int key, Single end) {
    p.Hold(key, true);
    for (int i = 0; i < 400; ++i) {
      const Single before = b.Left;
      p.Frame();
      const bool held = before == 453 || before == 97 || b.Left == 453 || b.Left == 97;
      if (!held) {
        ASSERT_EQ(std::abs(b.Left - before), 3) << "frame " << i;
      }
    }
    p.Hold(key, false);
    EXPECT_EQ(b.Left, end);
  };
  follow(KeyRight, 453);
  follow(KeyLeft, 97);

  // With the ship at the column's left edge: only between 4000 and 6000 life does it follow
  // (with 125), otherwise it is only held in the column.
  struct Band {
    Single Life;
    Single Rate;
    Integer Pattern;
    Single Top, Left;
  } bands[] = {{7000, 6, 9, 0, 100}, {5000, 6, 35, 0, 97}, {3000, 5, 24, 0, 100}, {1000, 6, 24, 100, 100}};
  for (const Band& band : bands) {
    SCOPED_TRACE(band.Life);
    b.Life = band.Life;
    p.Frame();
    EXPECT_EQ(b.ShootRate, band.Rate);
    EXPECT_EQ(b.ShotPattern, band.Pattern);
    EXPECT_NEAR(b.Top, band.Top, 1e-3);
    EXPECT_EQ(b.Left, band.Left);
  }
}

// The arena's last bosses at twice their life: the eighth rests until its timer passes
// 5000 / 200 + 165 = 190, the ninth keeps its heading for the 40 clock units after its stage
// began (its top is above the screen for the first 31), and the tenth, at 20000, follows the ship
// with its above-8000 fire until it has lost 12000.
TEST(LateBosses, TheArenasLastBossesAtTwiceTheirLife) {
  LatePlay p(12);
  auto boss = [&]() -> EnemyClass& { return p.G.Enemies[p.G.Level.ArenaBoss == 2 ? 7 : 0]; };
  while (p.G.Level.ArenaBoss < 8) {
    if (p.G.Level.BossPhase && boss().Exists) boss().Exists = false;  // destroyed
    p.Frame();
  }
  ASSERT_EQ(boss().Life, 5000);
  while (p.G.Level.BossTimer != 0) p.Frame();  // to the end of the first burst and rest
  int silent = 0, cycle = 0;
  while (cycle == 0 || p.G.Level.BossTimer != 0) {
    p.Frame();
    ++cycle;
    silent += boss().ShootRate == 8000;
  }
  EXPECT_EQ(silent, 40);
  EXPECT_EQ(cycle, 191);

  boss().Exists = false;
  p.Frame();
  ASSERT_EQ(p.G.Level.ArenaBoss, 9);
  const int stageTime = p.G.Level.ArenaStageTime;
  EXPECT_EQ(stageTime, RoundToInteger(p.G.Level.FrameClock));
  EXPECT_EQ(boss().Life, 4000);
  while (p.G.Level.FrameClock < Single(stageTime + 40)) {
    p.Frame();
    ASSERT_NEAR(boss().Heading, Degrees(35), 1e-5) << p.G.Level.FrameClock;
  }
  EXPECT_GT(boss().Top, 0);
  for (int i = 0; i < 1000; ++i) {
    p.Frame();
    ASSERT_GT(boss().Top, -5);
    ASSERT_LT(boss().Right, 705);
  }

  boss().Exists = false;
  p.Frame();
  ASSERT_EQ(p.G.Level.ArenaBoss, 10);
  EXPECT_EQ(boss().Life, 20000);
  EXPECT_EQ(boss().ShootRate, 9);
  boss().Life = 8001;
  p.Frame();
  EXPECT_EQ(boss().ShootRate, 9);
  boss().Life = 7999;
  p.Frame();
  EXPECT_EQ(boss().ShootRate, 6);
}

// ---- The mini game ----

// The four corner gunners enter at clock 100 to 103, two from above at x 150 and 650 and two
// from below, 1 a frame. Once the clock has passed 100 the upper pair stops at the top edge and
// the lower pair at y 500; every frame each one's fire interval shrinks by 0.02, from 70 to no
// less than 2 (3400 frames), and its shots' speed grows by 0.0003 from 5. A gunner fires when
// more clock units than its interval have passed since its last volley, so its volleys come
// closer and closer, and after some 3400 frames every second frame.
TEST(MiniGame, TheCornerGunnersSettleAndFireEverFaster) {
  LatePlay p(10);
  std::vector<long> volleys;  // the clock of each volley of the gunner in slot 0
  Long last = -1;
  while (p.G.Level.FrameClock < 3700) {
    p.Frame();
    const EnemyClass& e = p.G.Enemies[0];
    if (e.Exists && e.LastShot != last) volleys.push_back(last = e.LastShot);
    if (p.G.Level.FrameClock == 1000) {
      SCOPED_TRACE("clock 1000");
      for (int slot = 0; slot < 4; ++slot) {
        const EnemyClass& g = p.G.Enemies[slot];
        ASSERT_TRUE(g.Exists);
        EXPECT_EQ(g.Kind, 18);
        EXPECT_EQ(g.Top, slot < 2 ? 0 : 500) << "slot " << slot;
        EXPECT_EQ((g.Left + g.Right) / 2, slot % 2 == 0 ? 150 : 650) << "slot " << slot;
        // Each has shrunk every frame from the one it entered in, but not before clock 101.
        const int frames = 1000 - 100 - std::max(slot - 1, 0);
        EXPECT_NEAR(g.ShootRate, 70 - 0.02 * frames, 1e-3) << "slot " << slot;
        EXPECT_NEAR(g.ShotSpeed, 5 + 0.0003 * frames, 1e-4) << "slot " << slot;
      }
    }
  }
  // The same rule in single precision, step by step: fire first, then the interval shrinks.
  std::vector<long> want = {100};
  Single rate = 70;
  for (long c = 101; c <= 3700; ++c) {
    if (Single(c - want.back()) > rate) want.push_back(c);
    if (rate > 2) rate = rate - 0.02f;
  }
  EXPECT_EQ(volleys, want);
  ASSERT_GE(want.size(), 3u);
  EXPECT_EQ(want[1], 169);
  EXPECT_EQ(want[2], 237);
  EXPECT_EQ(want.back() - want[want.size() - 2], 2);
  EXPECT_LE(p.G.Enemies[0].ShootRate, 2);
  EXPECT_GT(p.G.Enemies[0].ShootRate, 1.98);
}
