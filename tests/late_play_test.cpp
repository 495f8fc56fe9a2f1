// What only long or late play reaches, through the frame function: every shot kind's flight at
// its first and last level, the bosses of levels 6 to 10 and the arena's last bosses at their
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

// The first sub-shot of a catalogue entry: how it leaves the ship and what pushes it.
struct Flight {
  int Kind, Level;
  int Width;
  double Speed, Heading, Push, PushHeading, XOffset;  // degrees for the headings
};

// Kinds 0 to 19 at levels 0 and 9, their first sub-shot as the catalogue gives it.
const Flight Flights[] = {
    {0, 0, 3, 12, 270, 0, 0, 0},         {0, 9, 3, 15, 270, 0, 0, -40},
    {1, 0, 20, 11, 270, 0.2, 0, 0},      {1, 9, 20, 16, 270, 0.2, 0, -40},
    {2, 0, 5, 25, 270, 0, 0, 0},         {2, 9, 5, 55, 270, 0, 0, 0},
    {3, 0, 30, 3, 270, 0, 0, 0},         {3, 9, 30, 7, 270, 0, 0, -30},
    {4, 0, 10, 7, 270, 0, 0, 0},         {4, 9, 10, 11, 270, 0, 0, -15},
    {5, 0, 9, 10, 262, 0, 0, 0},         {5, 9, 9, 11, 250, 0, 0, 0},
    {6, 0, 55, 8, 270, 0, 0, 0},         {6, 9, 135, 12, 270, 0, 0, 0},
    {7, 0, 17, 3, 270, 0, 0, 0},         {7, 9, 17, 1, 271.5, 0, 0, -20},
    {8, 0, 29, 2, 270, 0.5, 270, 0},     {8, 9, 29, 3, 270, 1, 270, -6},
    {9, 0, 13, 2, 270, 0.2, 270, 0},     {9, 9, 13, 2.5, 270, 0.7, 270, 0},
    {10, 0, 45, 0, 270, 0.3, 270, 0},    {10, 9, 45, 0, 270, 0.6, 270, 0},
    {11, 0, 9, 0, 270, 0.05, 270, 0},    {11, 9, 9, 0, 270, 0.15, 270, 0},
    {12, 0, 16, 6, 270, 0, 0, 0},        {12, 9, 16, 8, 270, 0, 0, -25},
    {13, 0, 12, 5, 270, 0, 0, 0},        {13, 9, 12, 12, 270, 0, 0, 0},
    {14, 0, 17, 11, 270, 0.11, 90, 0},   {14, 9, 17, 16, 270, 0.233, 90, 0},
    {15, 0, 58, 0, 270, 1, 270, 0},      {15, 9, 58, 0, 270, 1.9, 270, 0},
    {16, 0, 17, 1, 270, 0, 90, 0},       {16, 9, 17, 2, 270, 0, 90, 0},
    {17, 0, 7, 6, 270, 0, 0, 0},         {17, 9, 7, 6, 270, 0, 0, 0},
    {18, 0, 16, 4, 270, 0, 0, 0},        {18, 9, 16, 10, 270, 0, 0, 0},
    {19, 0, 10, 8, 270, 0, 0, 0},        {19, 9, 10, 12, 270, 0, 0, -50},
};

void PrintTo(const Flight& f, std::ostream* os) { *os << "kind " << f.Kind << " level " << f.Level; }

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

class ShotFlight : public ::testing::TestWithParam<Flight> {};

}  // namespace

// After n moves a shot launched at v0 and pushed by a each frame (the push comes after the
// move) stands at p0 + n v0 + a n (n - 1) / 2. The boomerang instead loses its push from its
// speed before each move, the missiles leave from a random spot along the ship and the sticks
// at a random angle.
TEST_P(ShotFlight, FliesByItsCatalogueEntry) {
  const Flight& f = GetParam();
  Range r(f.Kind, f.Level);
  ASSERT_TRUE(r.Shot().Exists);
  EXPECT_EQ(r.Shot().Kind, f.Kind);
  constexpr int Moves = 10;
  for (int i = 1; i < Moves; ++i) r.Frame();
  ASSERT_TRUE(r.Shot().Exists);

  const double x0 = std::nearbyint(400 - f.Width / 2.0 + f.XOffset), y0 = 400;
  const double n = Moves, lift = n * (n - 1) / 2;
  double x = x0 + n * f.Speed * std::cos(Rad(f.Heading)) + f.Push * lift * std::cos(Rad(f.PushHeading));
  double y = y0 + n * f.Speed * std::sin(Rad(f.Heading)) + f.Push * lift * std::sin(Rad(f.PushHeading));
  if (f.Kind == 1) x = x0, y = y0 - (n * f.Speed - f.Push * n * (n + 1) / 2);
  const ShotClass& s = r.Shot();
  if (f.Kind == 11) {
    EXPECT_GE(s.Left, x0 - 25.01);
    EXPECT_LE(s.Left, x0 + 24.01);
  } else if (f.Kind == 12) {
    const double dx = s.Left - x0, dy = s.Top - y0;
    EXPECT_NEAR(std::hypot(dx, dy), n * f.Speed, 0.01);
    const double degrees = std::atan2(dy, dx) / Pi180 + 360;
    EXPECT_GE(degrees, 260 - 0.01);
    EXPECT_LE(degrees, 279 + 0.01);
  } else {
    EXPECT_NEAR(s.Left, x, 0.01);
  }
  if (f.Kind != 12) EXPECT_NEAR(s.Top, y, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ShotFlight, ::testing::ValuesIn(Flights),
                         [](const ::testing::TestParamInfo<Flight>& info) {
                           return "Kind" + std::to_string(info.param.Kind) + "Level" +
                                  std::to_string(info.param.Level);
                         });

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
