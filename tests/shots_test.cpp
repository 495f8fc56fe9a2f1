// The player's shots: firing the two slots, flight, culling, animation and the kinds
// with behaviours of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "enemies/data_tables.h"
#include "platform/blit.h"
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

// The same direction, whatever turn of the circle each is written in.
void ExpectSameDirection(double a, double b) {
  EXPECT_NEAR(std::cos(a), std::cos(b), 1e-5);
  EXPECT_NEAR(std::sin(a), std::sin(b), 1e-5);
}

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

TEST(ShotFiring, Gem7ShortensTheDelayAndMatrixStretchesIt) {
  TestGame t;
  Game& g = Play(t);
  g.Keys[KeyX] = true;
  g.Ship.GemType2 = 7;  // delay 8 becomes 6: not at 6, at 6.25
  for (auto [clock, shots] : {std::pair(6.0f, 0), {6.25f, 1}}) {
    g.Level.FrameClock = clock;
    StepShots(g);
    EXPECT_EQ(LiveShots(g), shots) << clock;
  }

  // ENERGY DNA level 6 has a delay of 1: every other frame, or every frame with gem 7 (0.75).
  for (int gem : {-1, 7}) {
    TestGame t2;
    Game& g2 = Play(t2, 3, 6);
    WriteEntry(g2, 3, 6, 2.75f, 30, 30, 82, 0, 7, 1, 4, {{6, 0, 0, 270, 0}});
    g2.Ship.GemType1 = Integer(gem);
    g2.Keys[KeyX] = true;
    for (int f = 0; f < 10; ++f) Step(g2);
    EXPECT_EQ(LiveShots(g2), gem == 7 ? 10 : 5) << "gem " << gem;
  }

  // Under MATRIX the clock runs at a quarter pace, so the delay of 8 lasts 32 frames.
  TestGame t3;
  Game& g3 = Play(t3);
  g3.Level.ChargeOn[AbilityMatrix] = true;
  g3.Keys[KeyX] = true;
  std::vector<int> firingFrames;
  for (int f = 1; f <= 100; ++f) {
    int before = LiveShots(g3);
    Step(g3);
    if (LiveShots(g3) > before) firingFrames.push_back(f);
  }
  EXPECT_EQ(firingFrames, (std::vector<int>{33, 65, 97}));
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

TEST(ShotFlight, CullingBounds) {
  TestGame t;
  Game& g = *t;
  struct Case {
    int top, left, width, height, kind;
    bool stays;
  };
  const Case cases[] = {
      {300, 790, 10, 5, 0, true},   {300, 791, 10, 5, 0, false},  // right edge at 800 / 801
      {800, 300, 10, 5, 0, true},   {801, 300, 10, 5, 0, false},  // top at 800 / 801
      {300, 0, 10, 5, 0, true},     {300, -1, 10, 5, 0, false},   // left at 0 / -1
      {-210, 300, 10, 10, 0, true}, {-211, 300, 10, 10, 0, false},  // bottom at -200 / -201
      {-5000, 300, 10, 10, 1, true},  // the boomerang is never lost at the top
      {801, 300, 10, 10, 1, false},
  };
  for (const Case& c : cases) {
    ShotClass s;
    s.Shoot(Integer(c.top), Integer(c.left), 0, 1, Integer(c.width), Integer(c.height), 0, 0, 0, 0, 0, 0, 0,
            Integer(c.kind), 0);
    s.MoveShot(g);
    EXPECT_EQ(s.Exists, c.stays) << c.top << " " << c.left << " kind " << c.kind;
  }
}

TEST(ShotFlight, MatrixHalvesTheStepButNotThePush) {
  TestGame t;
  Game& g = *t;
  for (bool matrix : {false, true}) {
    g.Level.ChargeOn[AbilityMatrix] = matrix;
    ShotClass s;
    s.Shoot(300, 300, 10, 1, 5, 5, DegToRad(90), 0, 0, 5, 2, DegToRad(90), 0, 0, 0);
    s.MoveShot(g);
    EXPECT_NEAR(s.Top, matrix ? 305 : 310, 1e-4);
    EXPECT_NEAR(s.Bottom - s.Top + s.Speed, 5 + 12, 1e-4);
  }
  // A negative speed turns into a positive one with the heading reversed.
  ShotClass s;
  s.Shoot(300, 300, -4, 1, 5, 5, DegToRad(270), 0, 0, 5, 0, 0, 0, 0, 0);
  s.AccelShot(0, 0);
  EXPECT_NEAR(s.Speed, 4, 1e-5);
  ExpectSameDirection(s.Heading, Pi / 2);
  // With no sideways motion at all the heading is kept.
  s.Heading = 1.25f, s.Speed = 0;
  s.AccelShot(0, 0);
  EXPECT_EQ(s.Heading, 1.25f);
}

TEST(ShotFlight, AnimationStepsStrictlyAfterItsIntervalAndWraps) {
  TestGame t;
  Game& g = Play(t);  // POWER BEAM level 0: 5 frames (Frames 4), interval 3
  ShotClass s;
  s.Shoot(300, 300, 0, 1, 3, 11, 0, 4, 0, 11, 0, 0, 0, 0, 0);
  // Exactly the interval: no step; then just past it each time, wrapping after frame 4. The count
  // keeps the rounded clock, halves to even: 4.5 gives 4.
  std::vector<int> seen;
  for (Single clock : {3.0f, 4.5f, 7.25f, 10.25f, 13.25f, 16.25f, 19.25f}) {
    g.Level.FrameClock = clock;
    s.MoveShot(g);
    seen.push_back(s.AniFrame);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 0, 1}));

  // Each frame is its own column of the row: frame 2 of a 3-wide shot is x 6..9.
  s.AniFrame = 2, s.Top = -5.5f, s.Left = 10.5f;  // top -6 after rounding: the screen's top clips it
  t.Plat.ClearRecords();
  s.DrawShot(g);
  ASSERT_EQ(t.Plat.Copies.size(), 1u);
  EXPECT_TRUE(HasCopy(t.Plat, SheetShots, 6, 6, 9, 11, 10, 0));

  // Frames 0 shows frame 0 for ever.
  ShotClass still;
  still.Shoot(300, 300, 0, 1, 3, 11, 0, 0, 0, 11, 0, 0, 0, 0, 0);
  for (int k = 1; k <= 20; ++k) {
    g.Level.FrameClock = float(k * 4);
    still.MoveShot(g);
    EXPECT_EQ(still.AniFrame, 0);
  }
}

TEST(Boomerang, SlowsThenTurnsBackOnceBelowHalfSpeed) {
  TestGame t;
  Game& g = Play(t, 1, 0);
  WriteEntry(g, 1, 0, 4, 20, 20, 0, 15, 3, 9, 3, {{11, 0.2f, 0, 270, 0}});
  ShotClass& b = FireOnce(g);
  ASSERT_TRUE(b.Exists);
  EXPECT_EQ(b.HalfSpeed, 5.5f);
  // 27 steps of 0.2 leave 5.6: still flying out, exactly straight up.
  for (int f = 2; f <= 27; ++f) Step(g);
  EXPECT_EQ(std::tuple(b.ComeBack, b.Heading), std::tuple(false, DegToRad(270)));
  EXPECT_NEAR(b.Speed, 5.6, 1e-4);
  const Single top = b.Top;
  Step(g);  // 5.4: turns back, but this frame still flies up
  EXPECT_TRUE(b.ComeBack && b.Top < top);
  Step(g);  // now it heads for the ship and speeds up by half the rate
  EXPECT_NEAR(b.Speed, 5.5, 1e-4);
  ExpectSameDirection(b.Heading, Pi / 2);  // the ship is straight below
  PlaceShip(g, 400, 577.5f);
  Step(g);
  EXPECT_TRUE(std::cos(b.Heading) > 0.5 && b.ComeBack);  // it follows the ship

  // Under MATRIX it slows by half the rate and speeds up by a quarter.
  g.Level.ChargeOn[AbilityMatrix] = true;
  Single speed = b.Speed;
  Step(g);
  EXPECT_NEAR(b.Speed, speed + 0.05f, 1e-5);
  ShotClass fresh;
  fresh.Shoot(100, 400, 11, 4, 20, 20, DegToRad(270), 3, 0, 20, 0.2f, 0, 15, 1, 0);
  fresh.ShotReturn(g);
  EXPECT_NEAR(fresh.Speed, 10.9, 1e-5);

  // Exactly half the launch speed is not yet below it.
  g.Level.ChargeOn[AbilityMatrix] = false;
  ShotClass edge;
  edge.Shoot(100, 400, 11, 4, 20, 20, DegToRad(270), 3, 0, 20, 0.5f, 0, 15, 1, 0);
  edge.Speed = 6;
  edge.ShotReturn(g);
  EXPECT_EQ(std::tuple(edge.Speed, edge.ComeBack), std::tuple(5.5f, false));
  edge.ShotReturn(g);
  EXPECT_TRUE(edge.ComeBack);
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

TEST(ShotKinds, CrescentBladeBrakesAfterTwelveFramesThenShrinksAway) {
  TestGame t;
  Game& g = Play(t, 15, 0);
  WriteEntry(g, 15, 0, 10, 58, 15, 146, 0, 0, 20, 0, {{0, 1, 270, 270, 0}});
  ShotClass& c = FireOnce(g);
  std::vector<int> speeds;
  for (int f = 2; f <= 12; ++f) {
    Step(g);
    speeds.push_back(int(std::lround(c.Speed)));
  }
  // It gains 1 a frame; on its twelfth frame the brake takes 3 back.
  EXPECT_EQ(speeds, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 9}));
  std::vector<int> widths;
  Single left = c.Left;
  while (c.Exists && widths.size() < 20) {
    Step(g);
    widths.push_back(c.Width);
  }
  EXPECT_FALSE(c.Exists);
  // It shrinks on each frame the brake leaves its speed below 0. The push then turns it
  // round, so every third frame the brake lands on exactly 0 and the width holds.
  EXPECT_EQ(widths, (std::vector<int>{58, 58, 58, 58, 48, 38, 38, 28, 18, 18, 8, -2}));
  EXPECT_NEAR(c.Left - left, 36, 1e-3);  // 6 to the right for each shrink
  EXPECT_EQ(std::tuple(c.SrcLeft, c.SrcRight), std::tuple(15, 20));
}

TEST(ShotKinds, PlasmaBladeNeverStopsAndXFollowerRidesTheCentreLine) {
  TestGame t;
  Game& g = Play(t, 14, 0);
  g.Ship.CurShot1 = -1;
  WriteEntry(g, 14, 0, 4, 17, 12, 0, 95, 0, 11, 0, {{11, 0.11f, 90, 270, 0}});
  ShotClass& p = g.Shots[0];
  p.Shoot(300, 300, 0.5f, 4, 17, 12, DegToRad(270), 0, 0, 12, 0.11f, DegToRad(90), 95, 14, 0);
  Step(g);
  EXPECT_NEAR(p.Top, 299, 1e-4);  // lifted to 1 before it moves
  EXPECT_NEAR(p.Speed, 0.89, 1e-4);
  p.Speed = 5;
  Step(g);
  EXPECT_NEAR(p.Top, 294, 1e-4);  // faster blades are left alone

  // The follower keeps to the ship's centre line wherever the ship goes:
  // 200 + 22.5 - 6 = 216.5, drawn at 216 (halves to even).
  WriteEntry(g, 13, 0, 2.8f, 12, 37, 41, 186, 3, 7, 3, {{5, 0, 0, 270, 0}});
  ShotClass& x = g.Shots[1];
  x.Shoot(300, 394, 5, 2.8f, 12, 37, DegToRad(270), 3, 41, 78, 0, 0, 186, 13, 0);
  PlaceShip(g, 400, 200);
  t.Plat.ClearRecords();
  Step(g);
  ASSERT_EQ(ShotCopies(t).size(), 2u);
  EXPECT_EQ(ShotCopies(t)[1].DestLeft, 216);
  EXPECT_NEAR(x.Left, 216.5, 1e-3);
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

namespace {

// Kind 17 keeps its split chance in AccelHeading: the catalogue writes 20 through
// RadToDeg and DegToRad, which leaves 20.000002; the step uses its whole part, 20.
void WritePhazonWave(Game& g) {
  WriteEntry(g, 17, 0, 6, 7, 15, 0, 112, 0, 17, 0, {{6, 0, RadToDeg(20), 270, 0}});
}

// A generator whose next draw splits a wave (whole part of 20 r is 1) and whose draw
// after that gives a piece heading other than 0.
RandomGenerator SplittingGenerator() {
  for (uint32_t x = 1;; ++x) {
    RandomGenerator r{x};
    Single r1 = r.Next();
    Single r2 = r.Next();
    if (std::floor(r1 * 20.0f) == 1 && std::floor(360 * r2) > 0) return RandomGenerator{x};
  }
}

}  // namespace

TEST(ShotKinds, PhazonWaveSplitsOnlyWhileHeadingExactlyStraightUp) {
  TestGame t;
  Game& g = Play(t, 17, 0);
  WritePhazonWave(g);
  ASSERT_EQ(std::floor(g.Tables.ShotTypes[17][0].SubShots[0].AccelHeading), 20);
  g.Level.FrameClock = 100;
  g.Keys[KeyX] = true;
  g.Rng = SplittingGenerator();
  RandomGenerator expect = g.Rng;
  expect.Next();
  Single w = std::floor(360 * expect.Next());
  expect.Next();  // the piece draws its own chance, too
  t.Plat.ClearRecords();
  Step(g);
  EXPECT_EQ(g.Rng.X, expect.X);
  // The piece went into slot 1, above its parent, so it was drawn and moved this frame.
  const ShotClass& piece = g.Shots[1];
  ASSERT_TRUE(piece.Exists);
  // Half the damage, half the height (7.5, halves to even) from the middle of the picture.
  EXPECT_EQ(std::tuple(piece.Kind, piece.Damage, piece.Height, piece.SrcTop, piece.SrcBottom),
            std::tuple(17, 3, 8, 5, 10));
  ASSERT_EQ(ShotCopies(t).size(), 2u);
  EXPECT_EQ(std::tuple(ShotCopies(t)[1].DestTop, ShotCopies(t)[1].DestLeft), std::tuple(400, 396));
  EXPECT_NEAR(piece.Top, 400 + 6 * std::sin(double(w)), 1e-3);
  ExpectSameDirection(piece.Heading, w);

  // Its first move recomputed the parent's heading as -90 degrees: on the next frame even
  // a winning draw splits nothing.
  const ShotClass& parent = g.Shots[0];
  EXPECT_EQ(parent.Heading, static_cast<Single>(-Pi / 2));
  g.Keys[KeyX] = false;
  g.Rng = SplittingGenerator();
  Step(g);
  EXPECT_EQ(LiveShots(g), 2);
  // The second move brings it back to exactly 270 degrees (the single-precision -90 has a
  // slightly negative cosine), so the third frame has its chance again.
  EXPECT_EQ(parent.Heading, DegToRad(270));
  g.Rng = SplittingGenerator();
  Step(g);
  EXPECT_EQ(LiveShots(g), 3);
  EXPECT_EQ(parent.Heading, static_cast<Single>(-Pi / 2));

  // A piece that lands in a slot below its parent waits for the next frame to move.
  TestGame t2;
  Game& g2 = Play(t2, 17, 0);
  WritePhazonWave(g2);
  g2.Shots[5].Shoot(300, 300, 6, 6, 7, 15, DegToRad(270), 0, 0, 15, 0, g2.Tables.ShotTypes[17][0].SubShots[0].AccelHeading,
                    112, 17, 0);
  g2.Rng = SplittingGenerator();
  Step(g2);
  ASSERT_TRUE(g2.Shots[0].Exists);
  EXPECT_EQ(g2.Shots[0].Top, 300);
  EXPECT_EQ(g2.Shots[0].Left, 300);
}

namespace {

// Until the spawner keeps the level clock, the scenario below turns it the same way.
bool SpawnerKeepsTheClock() {
  TestGame t;
  StartLevel(*t, 0);
  t->Level.SpawnCount = 0;
  RunFrame(*t);
  return t->Level.FrameClock != 0;
}

}  // namespace

TEST(ShotScenario, HoldingXFiresTheCatalogueEntryFrameByFrame) {
  const bool spawnerClock = SpawnerKeepsTheClock();
  struct Case {
    int kind, level;
  };
  for (Case c : {Case{0, 8}, Case{5, 9}, Case{6, 3}, Case{8, 7}}) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " level " << c.level);
    TestGame t;
    Game& g = *t;
    WritePowerBeam(g);
    WriteEnergySpread(g);
    WriteEntry(g, 6, 3, 4.5f, 79, 5, 37, 0, 0, 8, 0, {{10, 0, 0, 270, 0}});
    WriteEntry(g, 8, 7, 4.75f, 29, 29, 42, 97, 0, 6, 0, {{3, 0.85f, 270, 270, -6}, {3, 0.85f, 270, 270, 6}});
    g.Progress.ShotLevel[c.kind] = Integer(c.level);
    g.Ship.CurShot1 = Integer(c.kind);
    g.Ship.CurShot2 = -1;
    StartLevel(g, 0);
    g.Level.SpawnCount = 0;  // an empty sky
    PlaceShip(g);
    g.Ship.CurLevel1 = Integer(c.level);
    t.Plat.KeyState[KeyX] = true;

    const ShotTypeRec& e = g.Tables.ShotTypes[c.kind][c.level];
    const int period = int(e.FireDelay) + 1;  // strictly more than the delay
    int launched = 0;
    for (int frame = 1; frame <= 3 * period; ++frame) {
      if (!spawnerClock) g.Level.FrameClock = std::floor(g.Level.FrameClock) + 1;
      t.Plat.ClearRecords();
      RunFrame(g);
      ASSERT_EQ(g.Level.FrameClock, Single(frame));
      std::vector<CopyRecord> fresh;
      for (const CopyRecord& cp : ShotCopies(t))
        if (cp.DestTop == 400) fresh.push_back(cp);
      if (frame % period != 0) {
        EXPECT_TRUE(fresh.empty()) << "frame " << frame;
        continue;
      }
      ASSERT_EQ(int(fresh.size()), e.Count) << "frame " << frame;
      for (int j = 0; j < e.Count; ++j) {
        const SubShotRec& sub = e.SubShots[j];
        const ShotClass& s = g.Shots[launched + j];
        ASSERT_TRUE(s.Exists);
        EXPECT_EQ(fresh[j].DestLeft, int(std::nearbyint(400 - e.Width / 2.0 + sub.XOffset)));
        EXPECT_EQ(Src(fresh[j]), (std::array<int, 4>{e.SrcLeft, e.SrcTop, e.SrcLeft + e.Width, e.SrcTop + e.Height}));
        EXPECT_EQ(std::tuple(s.HalfSpeed, s.Damage, s.Width, s.Height),
                  std::tuple(sub.Speed / 2, e.Damage, e.Width, e.Height));
        // After its first move: the push (along the heading here) added once.
        EXPECT_NEAR(s.Speed, sub.Speed + sub.AccelRate, 1e-4);
        ExpectSameDirection(s.Heading, sub.Heading);
        EXPECT_NEAR(s.Top, 400 + sub.Speed * std::sin(double(sub.Heading)), 1e-3);
      }
      launched += e.Count;
    }
    EXPECT_EQ(LiveShots(g), launched);
    EXPECT_EQ(launched, 3 * e.Count);
  }
}
