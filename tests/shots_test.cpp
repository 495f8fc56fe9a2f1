// The player's shots: firing the two slots, the boomerang's return and the scattering kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "enemies/data_tables.h"
#include "world/draw.h"
#include "test_support.h"

namespace {

struct Sub {
  Single Speed, AccelRate, AccelHeadingDeg, HeadingDeg, XOffset;
};

// Writes one catalogue entry the way the game's catalogue holds it (angles in degrees here).
void WriteEntry(Game& g, int kind, int level, Single damage, int width, int height, int srcTop, int srcLeft,
                int frames, Single delay, int anim, std::initializer_list<Sub> subs) {
  ShotTypeRec& t = g.Tables.ShotTypes[kind][level];
  t = ShotTypeRec{};
  t.Damage = damage, t.FireDelay = delay, t.Count = Integer(subs.size());
  t.Width = Integer(width), t.Height = Integer(height), t.SrcTop = Integer(srcTop), t.SrcLeft = Integer(srcLeft);
  t.Frames = Integer(frames), t.AnimInterval = Integer(anim);
  int j = 0;
  for (const Sub& s : subs)
    t.SubShots[j++] = {s.Speed, s.AccelRate, DegToRad(s.AccelHeadingDeg), DegToRad(s.HeadingDeg), s.XOffset};
}

// Real entries of the catalogue that these tests fire.
void WritePowerBeam(Game& g) {
  WriteEntry(g, 0, 0, 3, 3, 11, 0, 0, 4, 8, 3, {{12, 0, 0, 270, 0}});
  WriteEntry(g, 0, 2, 2, 3, 11, 0, 0, 4, 7, 3, {{14, 0, 0, 270, -8}, {14, 0, 0, 270, 8}});
  WriteEntry(g, 0, 8, 1.6f, 3, 11, 0, 0, 4, 5, 3,
             {{15, 0, 0, 270, -30}, {15, 0, 0, 270, -25}, {15, 0, 0, 270, -10}, {15, 0, 0, 270, 0},
              {15, 0, 0, 270, 10}, {15, 0, 0, 270, 25}, {15, 0, 0, 270, 30}});
}
void WriteEnergySpread(Game& g) {
  WriteEntry(g, 5, 0, 3, 9, 9, 73, 0, 7, 13, 4, {{10, 0, 0, 262, 0}, {10, 0, 0, 278, 0}});
  WriteEntry(g, 5, 9, 2, 9, 9, 73, 0, 7, 6, 4,
             {{11, 0, 0, 250, 0}, {11, 0, 0, 255, 0}, {11, 0, 0, 265, 0}, {11, 0, 0, 268, 0}, {11, 0, 0, 270, 0},
              {11, 0, 0, 272, 0}, {11, 0, 0, 275, 0}, {11, 0, 0, 285, 0}, {11, 0, 0, 290, 0}});
}

// The ship where a level starts it: x 377.5..422.5 (centre 400), y 400..456, free to fire.
void PlaceShip(Game& g, Single top = 400, Single left = 377.5f) {
  ShipClass& s = g.Ship;
  s.Width = 45, s.Height = 56, s.Top = top, s.Bottom = top + 56, s.Left = left, s.Right = left + 45;
  s.Exists = true, s.NoShoot = -1, s.LastShot1 = s.LastShot2 = 0, s.GemType1 = s.GemType2 = -1;
}

// A game in play with slot 1 holding (kind, level) and slot 2 empty; the clock at 0.
Game& Play(TestGame& t, int kind = 0, int level = 0) {
  Game& g = *t;
  g.InMenu = false, g.Level.FrameClock = 0, g.Keys = {}, g.Level.ChargeOn = {};
  PlaceShip(g);
  g.Ship.CurShot1 = Integer(kind), g.Ship.CurLevel1 = Integer(level), g.Ship.CurShot2 = -1;
  WritePowerBeam(g);
  return g;
}

// One shot step on the next clock value (a quarter under MATRIX).
void Step(Game& g) {
  g.Level.FrameClock = g.Level.ChargeOn[AbilityMatrix] ? g.Level.FrameClock + 0.25f : std::floor(g.Level.FrameClock) + 1;
  StepShots(g);
}

// Fires slot 1 once at clock 101 and lets go of X; returns the lowest slot.
ShotClass& FireOnce(Game& g) {
  g.Level.FrameClock = 100;
  g.Keys[KeyX] = true;
  Step(g);
  g.Keys[KeyX] = false;
  return g.Shots[0];
}

int LiveShots(const Game& g) {
  int n = 0;
  for (const ShotClass& s : g.Shots) n += s.Exists;
  return n;
}

// The shot-sheet copies (a shot is drawn before it moves: its launch position on its first frame).
std::vector<CopyRecord> ShotCopies(TestGame& t) { return CopiesOn(t.Plat, SheetShots); }

}  // namespace

TEST(ShotFiring, DelayIsStrictAndAFullPoolStillConsumesIt) {
  TestGame t;
  Game& g = Play(t);  // POWER BEAM level 0: delay 8
  g.Keys[KeyX] = true;
  // The clock, then the shots alive and LastShot1: exactly the delay is not yet, one tick later
  // fires; the clock is kept rounded, halves to even (8.5 down to 8, 25.5 up to 26).
  const std::tuple<Single, int, Long> frames[] = {{8, 0, 0}, {8.5f, 1, 8}, {16, 1, 8}, {16.25f, 2, 16}, {25.5f, 3, 26}};
  for (auto [clock, shots, last] : frames) {
    g.Level.FrameClock = clock;
    StepShots(g);
    EXPECT_EQ(std::tuple(LiveShots(g), g.Ship.LastShot1), std::tuple(shots, last)) << clock;
  }

  // Every slot taken: the firing launches nothing but the delay starts again.
  for (ShotClass& s : g.Shots) {
    s = ShotClass{};
    s.Shoot(100, 200, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0);
  }
  g.Level.FrameClock = 40;
  StepShots(g);
  EXPECT_EQ(g.Ship.LastShot1, 40);
  for (const ShotClass& s : g.Shots) EXPECT_EQ(s.Kind, 2);
}

TEST(ShotFiring, KeysDoubleShotAndTheBlocks) {
  // Slot 1 holds POWER BEAM level 0 (one shot), slot 2 ENERGY SPREAD level 0 (two) or nothing.
  const struct {
    bool X, C, Double;
    Integer Slot2;
    Long NoShoot;
    int Beams, Spreads;
  } cases[] = {
      {true, true, false, 5, -1, 0, 0},    // X and C together without the double shot: neither slot
      {true, false, false, 5, -1, 1, 0},   {false, true, false, 5, -1, 0, 2},
      {false, false, true, 5, -1, 1, 2},   // the double shot fires both with no key held
      {false, false, true, -1, -1, 1, 0},  // an empty second slot fires nothing of its own
      {true, false, false, 5, 0, 0, 0},    {true, false, false, 5, 5, 0, 0},  // under a no-shoot spell
  };
  for (const auto& c : cases) {
    TestGame t;
    Game& g = Play(t);
    WriteEnergySpread(g);
    g.Ship.CurShot2 = c.Slot2;
    g.Ship.CurLevel2 = 0;
    g.Ship.NoShoot = c.NoShoot;
    g.Keys[KeyX] = c.X;
    g.Keys[KeyC] = c.C;
    g.Level.ChargeOn[AbilityDoubleShot] = c.Double;
    g.Level.FrameClock = 100;
    StepShots(g);
    int beams = 0, spreads = 0;
    for (const ShotClass& s : g.Shots) (s.Kind == 0 ? beams : spreads) += s.Exists;
    EXPECT_EQ(std::tuple(beams, spreads), std::tuple(c.Beams, c.Spreads))
        << c.X << c.C << c.Double << " slot 2 " << c.Slot2 << " no-shoot " << c.NoShoot;
    EXPECT_EQ(g.Ship.LastShot1, c.Beams ? 100 : 0);
    EXPECT_TRUE(!c.Double || (g.Keys[KeyX] && g.Keys[KeyC]));  // the double shot leaves both keys held
  }
  // A dead ship fires nothing, but the shots already in flight still move.
  TestGame t;
  Game& g = Play(t);
  g.Keys[KeyX] = true;
  g.Ship.Exists = false;
  g.Shots[7].Shoot(300, 300, 10, 1, 3, 11, DegToRad(270), 0, 0, 11, 0, 0, 0, 0, 0);
  g.Level.FrameClock = 100;
  StepShots(g);
  EXPECT_EQ(LiveShots(g), 1);
  EXPECT_NEAR(g.Shots[7].Top, 290, 1e-4);
}

TEST(ShotFiring, LaunchesEachSubShotFromTheNoseIntoTheLowestFreeSlot) {
  TestGame t;
  Game& g = Play(t, 0, 2);  // two beams at -8 and +8, width 3
  g.Keys[KeyX] = true;
  g.Shots[0].Shoot(100, 200, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0);
  g.Shots[2].Shoot(100, 200, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0);
  g.Ship.Top = 400.5f;  // rounds half to even: 400
  t.Plat.ClearRecords();
  g.Level.FrameClock = 20;
  StepShots(g);
  // 400 - 1.5 - 8 = 390.5 -> 390 and 400 - 1.5 + 8 = 406.5 -> 406, halves to even.
  std::vector<std::pair<int, int>> drawn;
  for (const CopyRecord& c : ShotCopies(t))
    if (c.DestTop == 400) drawn.push_back({c.DestLeft, c.SrcRight - c.SrcLeft});
  EXPECT_EQ(drawn, (std::vector<std::pair<int, int>>{{390, 3}, {406, 3}}));
  for (int slot : {1, 3}) {
    const ShotClass& s = g.Shots[slot];
    ASSERT_TRUE(s.Exists);
    EXPECT_EQ(std::tuple(s.Kind, s.Level, s.HalfSpeed, s.Damage, s.SrcBottom, s.AlreadyHit),
              std::tuple(0, 2, 7, 2, 11, -1));
    EXPECT_NEAR(s.Top, 386, 1e-4);  // moved 14 up in its first frame
  }
  g.Ship.Top = 401.5f;  // -> 402
  g.Level.FrameClock = 40;
  t.Plat.ClearRecords();
  StepShots(g);
  EXPECT_NEAR(g.Shots[4].Top, 402 - 14, 1e-4);
}

TEST(Boomerang, CaughtByTheShipOnlyAfterItsTurn) {
  TestGame t;
  Game& g = Play(t, 1, 0);
  WriteEntry(g, 1, 0, 4, 20, 20, 0, 15, 3, 9, 3, {{11, 0.2f, 0, 270, 0}});
  // Fired while overlapping the ship: still heading straight up, so not caught.
  ShotClass& b = FireOnce(g);
  EXPECT_TRUE(b.Exists);
  // Turned back and reaching the ship: caught on the first overlap. Its top at 447.5
  // rounds to 448, and 456 > 448 + 8 fails, so there it just misses.
  b.ComeBack = true;
  b.Speed = 0;
  b.Left = 390, b.Right = 410;
  for (Single top : {447.5f, 446.5f}) {  // the second rounds to 446: inside the core
    b.Heading = DegToRad(90);
    b.Top = top, b.Bottom = top + 20;
    b.ShotReturn(g);
    EXPECT_EQ(b.Exists, top > 447) << top;
  }
}

TEST(ShotKinds, MissileAndStickSpreadOffsetsCoverTheirRanges) {
  TestGame t;
  Game& g = Play(t, 11, 0);
  WriteEntry(g, 11, 0, 4, 9, 26, 15, 186, 5, 10, 3, {{0, 0.05f, 270, 270, 0}});
  WriteEntry(g, 12, 5, 3, 16, 16, 112, 68, 7, 4, 3, {{8, 0, 0, 270, -25}, {8, 0, 0, 270, 25}});
  g.Keys[KeyX] = true;
  // Missiles: from the launch point 400 - 4.5 = 395.5 -> 396, anywhere from 25 left to 24 right.
  std::vector<int> seen(50, 0);
  for (int n = 0; n < 2000; ++n) {
    g.Shots = {};
    g.Level.FrameClock += 20;
    t.Plat.ClearRecords();
    StepShots(g);
    ASSERT_EQ(ShotCopies(t).size(), 1u);
    const int off = ShotCopies(t)[0].DestLeft - 396;
    ASSERT_TRUE(off >= -25 && off <= 24) << off;
    ++seen[off + 25];
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 0);

  // Sticks: each of the two sub-shots turned by a whole number of degrees, -10 to 9.
  g.Ship.CurShot1 = 12;
  g.Ship.CurLevel1 = 5;
  std::vector<int> turns(20, 0);
  for (int n = 0; n < 1000; ++n) {
    g.Shots = {};
    g.Level.FrameClock += 20;
    StepShots(g);
    for (int slot : {0, 1}) {
      double deg = std::remainder(double(g.Shots[slot].Heading) - 1.5 * Pi, 2 * Pi) * 180 / Pi;
      ASSERT_NEAR(deg, std::round(deg), 1e-3);
      const int d = int(std::lround(deg));
      ASSERT_TRUE(d >= -10 && d <= 9) << d;
      ++turns[d + 10];
    }
  }
  EXPECT_EQ(std::count(turns.begin(), turns.end(), 0), 0);
}
