// Enemies, their fire and the spawner: aiming, the play-column and field limits, volleys,
// ramming and the timeline.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "enemies/enemy_rules.h"
#include "world/sound.h"
#include "world/draw.h"
#include "test_support.h"

namespace {

// The ship as the level set-up leaves it, with its centre at (cx, cy).
void PlaceShip(Game& g, Single cx, Single cy, Single speed = 0, Single heading = 0) {
  ShipClass& s = g.Ship;
  s.Width = 45, s.Height = 56, s.Left = cx - 22.5f, s.Right = cx + 22.5f, s.Top = cy - 28, s.Bottom = cy + 28;
  s.SrcRectTop = 0, s.SrcRectBottom = 56, s.Speed = speed, s.Heading = heading, s.Exists = true;
}

// A 9 x 9 enemy bullet centred on (cx, cy), filled through the pattern's aiming rule.
EShotsClass& FireAt(Game& g, Integer pattern, Single cx, Single cy, Single speed = 2, Single rotation = 0) {
  EShotsClass& s = g.EShots[0];
  s.Initialize(g, cy - 4.5f, cy + 4.5f, cx - 4.5f, cx + 4.5f, 9, 9, 50, speed, 0.3f, 1, 1, pattern, 0, 0, 0, rotation);
  return s;
}

// A live enemy of the given kind, standing still, its top-left at (left, top), that never fires.
EnemyClass& PlaceEnemy(Game& g, int slot, Integer kind, Single top, Single left, Single width = 40,
                       Single height = 40) {
  EnemyClass& e = g.Enemies[slot];
  e.Exists = true;
  e.Initialize(top, top + height, left, left + width, 0, 0, Integer(width), Integer(height), 0, Integer(height), 0,
               Integer(width), 0, 0, 100, -1, 50, 3, 0, kind);
  return e;
}

int LiveEShots(const Game& g) {
  int n = 0;
  for (const EShotsClass& s : g.EShots) n += s.Exists;
  return n;
}

}  // namespace

TEST(EnemyAiming, AimedShotsAndTheInterceptionCourse) {
  // The ship's centre, speed and heading; the bullet's pattern, centre and speed; its heading.
  // Patterns 8, 24 and 30 aim straight at the ship: from directly above straight down, level with it
  // 0 or pi. Pattern 9 plans an interception: against a standing ship straight at it (ux 0 straight
  // down); against a ship flying right at 5, faster than the bullet, it plans with speed 6 and leads
  // by atan(sqrt(11) / 5); with no meeting time ahead (the ship on the muzzle, or running away as fast
  // as the bullet) straight at the ship.
  const struct {
    Single Cx, Cy, Speed, Heading;
    Integer Pattern;
    Single X, Y, ShotSpeed;
    double Expected;
  } cases[] = {{400, 500, 0, 0, 8, 400, 100, 2, Pi / 2},      {400, 500, 0, 0, 24, 600, 500, 2, Pi},
               {400, 500, 0, 0, 30, 200, 500, 2, 0},          {400, 500, 0, 0, 8, 400, 700, 2, 3 * Pi / 2},
               {500, 500, 0, 0, 9, 200, 100, 3, std::atan(4.0 / 3)}, {400, 500, 0, 0, 9, 400, 100, 3, Pi / 2},
               {400, 500, 5, 0, 9, 400, 100, 2, std::atan(std::sqrt(11.0) / 5)},
               {400, 500, 0, 0, 9, 400, 500, 2, 0},           {400, 500, 3, Pi / 2, 9, 400, 100, 3, Pi / 2}};
  TestGame t;
  Game& g = *t;
  for (const auto& c : cases) {
    PlaceShip(g, c.Cx, c.Cy, c.Speed, c.Heading);
    const EShotsClass& s = FireAt(g, c.Pattern, c.X, c.Y, c.ShotSpeed);
    EXPECT_NEAR(s.Heading, c.Expected, 1e-5) << "pattern " << c.Pattern << " from " << c.X << "," << c.Y;
    EXPECT_EQ(std::tuple(s.Speed, s.Accel, s.AccelHeading), std::tuple(c.ShotSpeed, 0.0f, 0.0f));
  }
  PlaceShip(g, 400, 500, 3, 0);  // sideways at the bullet's speed: complex roots with real part 0
  EXPECT_TRUE(std::isfinite(FireAt(g, 9, 400, 100, 3).Heading));
  // The four diagonal quadrants all point at the ship.
  PlaceShip(g, 400, 500);
  for (auto [x, y] : {std::pair{300.f, 400.f}, {500.f, 400.f}, {300.f, 600.f}, {500.f, 600.f}}) {
    Single h = FireAt(g, 8, x, y).Heading;
    EXPECT_NEAR(std::cos(h), (400 - x) / std::hypot(100.0, 100.0), 1e-6);
    EXPECT_NEAR(std::sin(h), (500 - y) / std::hypot(100.0, 100.0), 1e-6);
  }
  // An ordinary pattern keeps its own heading and push.
  EShotsClass& plain = FireAt(g, 3, 400, 100);
  EXPECT_EQ(std::tuple(plain.Heading, plain.Accel), std::tuple(1.0f, 0.3f));
}

TEST(EnemyAiming, AcceleratingSpreadAndRotatingPatterns) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  // Pattern 10 pushes by its own launch speed along the aim: a quarter of it under MATRIX.
  EShotsClass& s = FireAt(g, 10, 400, 100, 2);
  EXPECT_EQ(s.Accel, 2);
  EXPECT_FLOAT_EQ(s.AccelHeading, float(Pi / 2));
  EXPECT_EQ(s.AccelHeading, s.Heading);
  for (auto [matrix, top, speed] : {std::tuple(true, 96.0f, 2.5f), {false, 98.5f, 4.5f}}) {
    g.Level.ChargeOn[AbilityMatrix] = matrix;
    s.EshotMove(g);
    EXPECT_FLOAT_EQ(s.Top, top);
    EXPECT_FLOAT_EQ(s.Speed, speed);
  }

  // Pattern 35: one draw each, whole degrees from 70 to 109.
  std::set<int> degrees;
  for (int i = 0; i < 2000; ++i) {
    RandomGenerator before = g.Rng;
    const double deg = FireAt(g, 35, 400, 100).Heading * 180 / Pi;
    before.Next();
    ASSERT_EQ(before.X, g.Rng.X);
    ASSERT_NEAR(deg, std::round(deg), 1e-4);
    degrees.insert(int(std::round(deg)));
  }
  EXPECT_EQ(std::tuple(*degrees.begin(), *degrees.rbegin(), degrees.size()), std::tuple(70, 109, 40u));

  // Pattern 36 turns the running angle past straight down.
  EXPECT_EQ(FireAt(g, 36, 400, 100, 2, 0).Heading, DegToRad(90) + DegToRad(0));
  EXPECT_EQ(FireAt(g, 36, 400, 100, 2, 45).Heading, DegToRad(45) + DegToRad(90));
}

TEST(EnemyMotion, FieldAndColumnLimitsAtTheirExactEdges) {
  TestGame t;
  Game& g = *t;
  // 40 x 40 enemies leave only beyond Top -200, Left -100, Right 900, Bottom 800; 9 x 9 enemy
  // bullets live between Bottom -20, Right 100, Left 700 and Top 600.
  const struct {
    bool Bullet;
    Single Top, Left;
    bool Stays;
  } cases[] = {{false, -200, 300, true}, {false, -200.5f, 300, false}, {false, 100, -100, true},
               {false, 100, -100.5f, false}, {false, 100, 860, true}, {false, 100, 860.5f, false},
               {false, 760, 300, true}, {false, 760.5f, 300, false}, {true, -29, 300, true},
               {true, -29.5f, 300, false}, {true, 100, 91, true}, {true, 100, 90.5f, false},
               {true, 100, 700, true}, {true, 100, 700.5f, false}, {true, 600, 300, true},
               {true, 600.5f, 300, false}};
  for (const auto& c : cases) {
    bool stays;
    if (c.Bullet) {
      EShotsClass s;
      s.Exists = true;
      s.Top = c.Top, s.Bottom = c.Top + 9, s.Left = c.Left, s.Right = c.Left + 9;
      s.Limit();
      stays = s.Exists;
    } else {
      EnemyClass& e = PlaceEnemy(g, 0, 3, c.Top, c.Left, 40, 40);
      e.EnemyMove(g);
      stays = e.Exists;
    }
    EXPECT_EQ(stays, c.Stays) << (c.Bullet ? "bullet " : "enemy ") << c.Top << "," << c.Left;
  }
}

TEST(EnemyFire, IntervalNeedsStrictlyMoreThanTheRate) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);
  e.Shottype = 0;
  e.ShotPattern = 0;
  e.ShootRate = 50;
  // The clock, then the shots alive and LastShot after: it enters at 100 and fires at once; 150 is
  // the rate exactly, 150.25 (under MATRIX) just past with the rounded clock kept; halves to even.
  const std::tuple<Single, int, Long> frames[] = {{100, 1, 100}, {150, 1, 100}, {150.25f, 2, 150}, {202.5f, 3, 202}};
  for (auto [clock, shots, last] : frames) {
    g.Level.FrameClock = clock;
    e.EnemyShoot(g);
    EXPECT_EQ(std::tuple(LiveEShots(g), e.LastShot), std::tuple(shots, last)) << clock;
  }
  EXPECT_EQ(e.ShotRotate, 3);

  // A silent craft keeps its rhythm but never turns its angle or fires.
  EnemyClass& quiet = PlaceEnemy(g, 1, 3, 60, 380);
  quiet.ShootRate = 50;
  g.Level.FrameClock = 300;
  quiet.EnemyShoot(g);
  EXPECT_EQ(std::tuple(quiet.LastShot, quiet.ShotRotate, LiveEShots(g)), std::tuple(300, 0, 3));
}

TEST(EnemyFire, FullPoolDropsShotsAndGemFiveConvertsForGood) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  for (EShotsClass& s : g.EShots) s.Exists = true;
  g.EShots[150].Exists = false;
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);
  e.Shottype = 1, e.ShotPattern = 25;  // three shots, one free slot
  g.Level.FrameClock = 100;
  e.EnemyShoot(g);
  EXPECT_EQ(std::tuple(LiveEShots(g), g.EShots[150].Kind), std::tuple(200, 1));
  EXPECT_FLOAT_EQ(g.EShots[150].Left, 400 - 10.5f - 20);
  g.Level.FrameClock = 200;
  e.EnemyShoot(g);  // nothing free: nothing fired, the interval restarts all the same
  EXPECT_EQ(std::tuple(e.LastShot, e.ShotRotate), std::tuple(200, 2));

  // With the no-instant-kill gem the gunner switches to common bullets, and stays switched.
  g.EShots = {};
  g.Ship.GemType2 = 5;
  g.Level.FrameClock = 300;
  e.EnemyShoot(g);
  EXPECT_EQ(std::tuple(e.Shottype, g.EShots[0].Kind, g.EShots[0].Height), std::tuple(0, 0, 9));
  g.Ship.GemType2 = -1;
  g.Level.FrameClock = 400;
  e.EnemyShoot(g);
  EXPECT_EQ(g.EShots[3].Kind, 0);
}

TEST(Ramming, DamageByKindPickupAndKnockBack) {
  TestGame t;
  Game& g = *t;
  g.CurrentLevel = 2;
  PlaceShip(g, 400, 400, 3, 0);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 280, 380);  // centre (400, 300), right above the ship
  e.Speed = 1.5f;
  g.Harness.SoundsThisFrame.clear();
  RamEnemy(g, e);
  EXPECT_EQ(std::tuple(g.Ship.Life, g.Level.DamageTaken, e.Life), std::tuple(150, 50, 100));
  EXPECT_EQ(g.Harness.SoundsThisFrame, std::vector<int>{SoundHitEnemy});
  EXPECT_FLOAT_EQ(g.Ship.Heading, float(Pi / 2));  // thrown straight down, away from the craft
  EXPECT_EQ(g.Ship.Speed, 6);

  // Heavy craft: 250 life, 200 on the damage count, no sound. A standing craft stops the ship dead.
  g.Harness.SoundsThisFrame.clear();
  EnemyClass& heavy = PlaceEnemy(g, 1, 16, 380, 450, 100, 100);  // centre (500, 430): down-right
  RamEnemy(g, heavy);
  EXPECT_EQ(std::tuple(g.Ship.Life, g.Level.DamageTaken, g.Ship.Speed), std::tuple(150 - 250, 250, 0));
  EXPECT_TRUE(g.Harness.SoundsThisFrame.empty());
  EXPECT_NEAR(std::cos(g.Ship.Heading), -100 / std::hypot(100.0, 30.0), 1e-6);
  EXPECT_NEAR(std::sin(g.Ship.Heading), -30 / std::hypot(100.0, 30.0), 1e-6);

  // The pickup is collected, and throws nobody back.
  PlaceShip(g, 400, 400, 3, 0);
  g.Ship.Life = 200;
  EnemyClass& pickup = PlaceEnemy(g, 2, 19, 280, 380);
  RamEnemy(g, pickup);
  EXPECT_TRUE(!pickup.Exists && g.Level.PickupTaken);
  EXPECT_EQ(g.Harness.SoundsThisFrame.back(), SoundCollect);
  EXPECT_EQ(std::tuple(g.Ship.Speed, g.Ship.Life), std::tuple(3, 200));
}

TEST(Ramming, RammerDealsTwentyAFrameExceptLateInLevelFive) {
  TestGame t;
  Game& g = *t;
  g.Level.ChargeOn[AbilityRammer] = true;
  g.CurrentLevel = 3;
  PlaceShip(g, 400, 200, 3, 0);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 280, 380);  // below the ship
  e.Life = 30, e.Speed = 2;
  RamEnemy(g, e);
  EXPECT_EQ(std::tuple(e.Life, g.Level.DamageDealt, g.Ship.Life, g.Ship.Speed), std::tuple(10, 20, 200, 8));
  EXPECT_FLOAT_EQ(g.Ship.Heading, float(3 * Pi / 2));
  RamEnemy(g, e);
  EXPECT_EQ(std::tuple(e.Exists, g.Level.KillCount), std::tuple(false, 1));

  // The pickup only takes the damage; heavy craft hurt nobody.
  EnemyClass& pickup = PlaceEnemy(g, 1, 19, 280, 380);
  pickup.Life = 10000;
  RamEnemy(g, pickup);
  EXPECT_TRUE(pickup.Exists && !g.Level.PickupTaken);
  EXPECT_EQ(pickup.Life, 9980);
  RamEnemy(g, PlaceEnemy(g, 2, 15, 280, 380));
  EXPECT_EQ(std::tuple(g.Ship.Life, g.Level.DamageTaken), std::tuple(200, 0));

  // Level 5 past 6400: no damage to the craft, but it still counts as dealt.
  g.CurrentLevel = 5;
  g.Level.FrameClock = 6400;
  EnemyClass& late = PlaceEnemy(g, 3, 3, 280, 380);
  RamEnemy(g, late);
  EXPECT_EQ(late.Life, 80);
  g.Level.FrameClock = 6401;
  RamEnemy(g, late);
  EXPECT_EQ(late.Life, 80);
  EXPECT_EQ(g.Level.DamageDealt, 20 * 6);
}

TEST(Spawner, ClockTimelineCountingAndLostRecords) {
  TestGame t;
  Game& g = *t;
  // Kinds 5 and 7 and the bonus craft 17 at time 11, the pickup 19 at 12; one free enemy slot.
  g.Level.SpawnTable.assign(4, SpawnRec{});
  g.Level.SpawnCount = 4;
  const Integer kinds[4] = {5, 7, 17, 19};
  for (int i = 0; i < 4; ++i) {
    SpawnRec& r = g.Level.SpawnTable[i];
    r.Kind = kinds[i], r.SpawnTime = i < 3 ? 11 : 12, r.CenterX = 300, r.StartY = 10, r.Speed = 2;
  }
  for (int i = 0; i < 49; ++i) g.Enemies[i].Exists = true;
  // Three records at one time: the first takes the slot, the second is lost but counted,
  // the bonus craft is neither.
  g.Level.FrameClock = 10.75f;
  Spawner(g);
  EXPECT_EQ(g.Level.FrameClock, 11);
  EXPECT_EQ(g.Level.EnemyCount, 2);
  const EnemyClass& e = g.Enemies[49];
  EXPECT_EQ(std::tuple(e.Kind, e.Top, e.Left, e.Right, e.Life), std::tuple(5, 10 - 46, 300 - 36, 336, 50));
  EXPECT_EQ(std::tuple(e.SrcRectBottom, e.SrcRectRight), std::tuple(46, 182));
  // Under MATRIX the clock creeps by quarters and reaches each whole value once.
  g.Level.ChargeOn[AbilityMatrix] = true;
  g.Enemies[48].Exists = g.Enemies[49].Exists = false;
  for (int i = 0; i < 3; ++i) Spawner(g);
  EXPECT_EQ(g.Level.FrameClock, 11.75f);
  EXPECT_FALSE(g.Enemies[48].Exists);
  Spawner(g);
  // The pickup, spawned in the lowest free slot, not counted.
  EXPECT_TRUE(g.Enemies[48].Exists && !g.Enemies[49].Exists);
  EXPECT_EQ(g.Enemies[48].Kind, 19);
  EXPECT_EQ(g.Level.EnemyCount, 2);
  EXPECT_EQ(g.Level.BossMaxLife, 10000);  // the last record is the boss by convention
}
