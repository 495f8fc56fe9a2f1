// Enemies, their fire and the spawner: aiming, motion, the play-column and field limits, volleys,
// the boss spin, ramming, enemy shots hitting the ship, the shot eraser and the timeline.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "enemies/enemy_rules.h"
#include "platform/audio.h"
#include "platform/blit.h"
#include "test_support.h"

namespace {

// The ship as the level set-up leaves it, with its centre at (cx, cy).
void PlaceShip(Game& g, Single cx, Single cy, Single speed = 0, Single heading = 0) {
  ShipClass& s = g.Ship;
  s.Width = 45;
  s.Height = 56;
  s.Left = cx - 22.5f;
  s.Right = cx + 22.5f;
  s.Top = cy - 28;
  s.Bottom = cy + 28;
  s.SrcRectTop = 0;
  s.SrcRectBottom = 56;
  s.Speed = speed;
  s.Heading = heading;
  s.Exists = true;
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

// The ship's own collision test comes with the ship's code; until then these tests cannot run.
bool ShipCollisionAvailable() {
  ShipClass s;
  s.Top = 0;
  s.Bottom = 100;
  s.Left = 0;
  s.Right = 100;
  return s.CollideWithRect(-100, 200, -100, 200);
}

}  // namespace

TEST(EnemyAiming, AimedShotsHeadStraightAtTheShip) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  EShotsClass& s = FireAt(g, 8, 400, 100);
  EXPECT_FLOAT_EQ(s.Heading, float(Pi / 2));  // from directly above: straight down
  EXPECT_EQ(s.Accel, 0);
  EXPECT_EQ(s.AccelHeading, 0);
  EXPECT_EQ(FireAt(g, 24, 600, 500).Heading, 0 + float(Pi));  // level with the ship, to its right: left
  EXPECT_EQ(FireAt(g, 30, 200, 500).Heading, 0);              // to its left: right
  EXPECT_EQ(FireAt(g, 8, 400, 700).Heading, float(3 * Pi / 2));
  // The four diagonal quadrants all point at the ship.
  for (auto [x, y] : {std::pair{300.f, 400.f}, {500.f, 400.f}, {300.f, 600.f}, {500.f, 600.f}}) {
    Single h = FireAt(g, 8, x, y).Heading;
    EXPECT_NEAR(std::cos(h), (400 - x) / std::hypot(100.0, 100.0), 1e-6);
    EXPECT_NEAR(std::sin(h), (500 - y) / std::hypot(100.0, 100.0), 1e-6);
  }
  // An ordinary pattern keeps its own heading and push.
  EShotsClass& plain = FireAt(g, 3, 400, 100);
  EXPECT_EQ(plain.Heading, 1);
  EXPECT_EQ(plain.Accel, 0.3f);
}

TEST(EnemyAiming, InterceptionCourseLeadsTheShip) {
  TestGame t;
  Game& g = *t;
  // A standing ship: the later root is |d| / s and the course is straight at it.
  PlaceShip(g, 500, 500);
  Single aim = FireAt(g, 8, 200, 100).Heading;
  EShotsClass& s = FireAt(g, 9, 200, 100, 3);
  EXPECT_NEAR(s.Heading, aim, 1e-6);
  EXPECT_EQ(s.Accel, 0);
  EXPECT_EQ(s.AccelHeading, 0);

  // A ship directly below, flying right at 5 against a bullet of speed 2: the gunner plans with
  // speed 6 and leads it (atan(sqrt(11) / 5)), and the bullet keeps its own speed.
  PlaceShip(g, 400, 500, 5, 0);
  EShotsClass& lead = FireAt(g, 9, 400, 100, 2);
  EXPECT_NEAR(lead.Heading, std::atan(std::sqrt(11.0) / 5), 1e-5);
  EXPECT_EQ(lead.Speed, 2);

  // No meeting time ahead: the ship on the muzzle, or running away as fast as the bullet.
  PlaceShip(g, 400, 500);
  EXPECT_EQ(FireAt(g, 9, 400, 500).Heading, 0);
  PlaceShip(g, 400, 500, 3, float(Pi / 2));
  EXPECT_FLOAT_EQ(FireAt(g, 9, 400, 100, 3).Heading, float(Pi / 2));
  // Straight below a standing ship: ux is 0 and the course is straight down.
  PlaceShip(g, 400, 500);
  EXPECT_FLOAT_EQ(FireAt(g, 9, 400, 100, 3).Heading, float(Pi / 2));
  PlaceShip(g, 400, 500, 3, 0);  // sideways at the bullet's speed: complex roots with real part 0
  EXPECT_TRUE(std::isfinite(FireAt(g, 9, 400, 100, 3).Heading));
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
  g.ChargeOn[AbilityMatrix] = true;
  s.EshotMove(g);
  EXPECT_FLOAT_EQ(s.Top, 95.5f + 0.5f);
  EXPECT_FLOAT_EQ(s.Speed, 2.5f);
  g.ChargeOn[AbilityMatrix] = false;
  s.EshotMove(g);
  EXPECT_FLOAT_EQ(s.Top, 96 + 2.5f);
  EXPECT_FLOAT_EQ(s.Speed, 4.5f);

  // Pattern 35: one draw each, whole degrees from 70 to 109.
  std::set<int> degrees;
  for (int i = 0; i < 2000; ++i) {
    RandomGenerator before = g.Rng;
    Single h = FireAt(g, 35, 400, 100).Heading;
    before.Next();
    EXPECT_EQ(before.X, g.Rng.X);
    double deg = h * 180 / Pi;
    EXPECT_NEAR(deg, std::round(deg), 1e-4);
    degrees.insert(int(std::round(deg)));
  }
  EXPECT_EQ(*degrees.begin(), 70);
  EXPECT_EQ(*degrees.rbegin(), 109);
  EXPECT_EQ(degrees.size(), 40u);

  // Pattern 36 turns the running angle past straight down.
  EXPECT_EQ(FireAt(g, 36, 400, 100, 2, 0).Heading, DegToRad(90) + DegToRad(0));
  EXPECT_EQ(FireAt(g, 36, 400, 100, 2, 45).Heading, DegToRad(45) + DegToRad(90));
}

TEST(EnemyAiming, Pattern37AimsAllFourAndThrustsTheOuterPair) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);  // centre x 400, bottom 100
  e.Shottype = 0;
  e.ShotPattern = 37;
  g.FrameClock = 100;
  e.EnemyShoot(g);
  ASSERT_EQ(LiveEShots(g), 4);
  const float offsets[4] = {-100, -15, 15, 100};
  const float accels[4] = {0.2f, 0, 0, 0.2f};
  for (int i = 0; i < 4; ++i) {
    const EShotsClass& s = g.EShots[i];
    EXPECT_FLOAT_EQ(s.Left, 400 - 4.5f + offsets[i]);
    EXPECT_EQ(s.Bottom, 100);
    EXPECT_EQ(s.Top, 91);
    EXPECT_EQ(s.Accel, accels[i]);
    EXPECT_EQ(s.AccelHeading, s.Heading);
    EXPECT_NEAR(std::cos(s.Heading), -offsets[i] / std::hypot(offsets[i], 404.5), 1e-6);
  }
}

TEST(EnemyMotion, MatrixQuartersTheStepAndThePush) {
  TestGame t;
  Game& g = *t;
  EnemyClass& e = PlaceEnemy(g, 0, 3, 100, 300);
  e.Speed = 4;
  e.Heading = DegToRad(90);
  e.Accel = 1;
  e.AccelHeading = DegToRad(90);
  e.EnemyMove(g);
  EXPECT_FLOAT_EQ(e.Top, 104);
  EXPECT_EQ(e.Bottom, e.Top + 40);
  EXPECT_FLOAT_EQ(e.Speed, 5);
  g.ChargeOn[AbilityMatrix] = true;
  e.EnemyMove(g);
  EXPECT_FLOAT_EQ(e.Top, 105.25f);
  EXPECT_FLOAT_EQ(e.Speed, 5.25f);
  EXPECT_TRUE(e.Exists);
}

TEST(EnemyMotion, FieldAndColumnLimitsAtTheirExactEdges) {
  TestGame t;
  Game& g = *t;
  // Enemies leave only beyond Top -200, Left -100, Right 900, Bottom 800.
  auto stays = [&](Single top, Single left) {
    EnemyClass& e = PlaceEnemy(g, 0, 3, top, left, 40, 40);
    e.EnemyMove(g);
    return e.Exists;
  };
  EXPECT_TRUE(stays(-200, 300));
  EXPECT_FALSE(stays(-200.5f, 300));
  EXPECT_TRUE(stays(100, -100));
  EXPECT_FALSE(stays(100, -100.5f));
  EXPECT_TRUE(stays(100, 860));  // Right 900
  EXPECT_FALSE(stays(100, 860.5f));
  EXPECT_TRUE(stays(760, 300));  // Bottom 800
  EXPECT_FALSE(stays(760.5f, 300));

  // Enemy bullets live inside the play column and down to the screen's bottom.
  auto live = [](Single top, Single left) {
    EShotsClass s;
    s.Exists = true;
    s.Top = top;
    s.Bottom = top + 9;
    s.Left = left;
    s.Right = left + 9;
    s.Limit();
    return s.Exists;
  };
  EXPECT_TRUE(live(-29, 300));  // Bottom -20
  EXPECT_FALSE(live(-29.5f, 300));
  EXPECT_TRUE(live(100, 91));  // Right 100
  EXPECT_FALSE(live(100, 90.5f));
  EXPECT_TRUE(live(100, 700));
  EXPECT_FALSE(live(100, 700.5f));
  EXPECT_TRUE(live(600, 300));
  EXPECT_FALSE(live(600.5f, 300));
}

TEST(EnemyFire, IntervalNeedsStrictlyMoreThanTheRate) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);
  e.Shottype = 0;
  e.ShotPattern = 0;
  e.ShootRate = 50;
  g.FrameClock = 100;  // enters at 100: fires at once
  e.EnemyShoot(g);
  EXPECT_EQ(e.LastShot, 100);
  EXPECT_EQ(LiveEShots(g), 1);
  g.FrameClock = 150;
  e.EnemyShoot(g);
  EXPECT_EQ(LiveEShots(g), 1);
  g.FrameClock = 150.25f;  // under MATRIX: just past, and the rounded clock is kept
  e.EnemyShoot(g);
  EXPECT_EQ(LiveEShots(g), 2);
  EXPECT_EQ(e.LastShot, 150);
  g.FrameClock = 202.5f;  // halves round to even
  e.EnemyShoot(g);
  EXPECT_EQ(e.LastShot, 202);
  EXPECT_EQ(e.ShotRotate, 3);

  // A silent craft keeps its rhythm but never turns its angle or fires.
  EnemyClass& quiet = PlaceEnemy(g, 1, 3, 60, 380);
  quiet.ShootRate = 50;
  g.FrameClock = 300;
  quiet.EnemyShoot(g);
  EXPECT_EQ(quiet.LastShot, 300);
  EXPECT_EQ(quiet.ShotRotate, 0);
  EXPECT_EQ(LiveEShots(g), 3);
}

TEST(EnemyFire, FullPoolDropsShotsAndGemFiveConvertsForGood) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  for (EShotsClass& s : g.EShots) s.Exists = true;
  g.EShots[150].Exists = false;
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);
  e.Shottype = 1;
  e.ShotPattern = 25;  // three shots, one free slot
  g.FrameClock = 100;
  e.EnemyShoot(g);
  EXPECT_EQ(LiveEShots(g), 200);
  EXPECT_EQ(g.EShots[150].Kind, 1);
  EXPECT_FLOAT_EQ(g.EShots[150].Left, 400 - 10.5f - 20);
  g.FrameClock = 200;
  e.EnemyShoot(g);  // nothing free: nothing fired, the interval restarts all the same
  EXPECT_EQ(e.LastShot, 200);
  EXPECT_EQ(e.ShotRotate, 2);

  // With the no-instant-kill gem the gunner switches to common bullets, and stays switched.
  g.EShots = {};
  g.Ship.GemType2 = 5;
  g.FrameClock = 300;
  e.EnemyShoot(g);
  EXPECT_EQ(e.Shottype, 0);
  EXPECT_EQ(g.EShots[0].Kind, 0);
  EXPECT_EQ(g.EShots[0].Height, 9);
  g.Ship.GemType2 = -1;
  g.FrameClock = 400;
  e.EnemyShoot(g);
  EXPECT_EQ(g.EShots[3].Kind, 0);
}

TEST(EnemyFire, LevelSixBossSpinsFasterAsItWeakens) {
  const std::pair<Single, Long> table[] = {{650, 0}, {649.9f, 180}, {500.5f, 180}, {500, 120}, {350, 90}, {200, 72},
                                           {50, 60}, {0.6f, 60},    {0.5f, 0},     {0.4f, 0},  {-3, 60}};
  for (auto [life, add] : table) EXPECT_EQ(BossSpinBonus(life), add) << life;

  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  EnemyClass& boss = PlaceEnemy(g, 0, 25, 60, 380);
  boss.Life = 500;
  EnemyClass& e = PlaceEnemy(g, 1, 3, 60, 380);
  e.Shottype = 0;
  e.ShotPattern = 36;
  g.CurrentLevel = 6;
  g.FrameClock = 4700;  // the spin starts after 4700
  e.EnemyShoot(g);
  EXPECT_EQ(e.ShotRotate, 1);
  g.FrameClock = 4751;
  e.EnemyShoot(g);
  EXPECT_EQ(e.ShotRotate, 1 + 1 + 120);
  EXPECT_EQ(g.EShots[1].Heading, DegToRad(122) + DegToRad(90));
  // In the arena the level-6 boss spins from the start.
  g.CurrentLevel = 13;
  g.ArenaBoss = 6;
  g.FrameClock = 4802;
  e.EnemyShoot(g);
  EXPECT_EQ(e.ShotRotate, 122 + 121);
}

TEST(Ramming, DamageByKindPickupAndKnockBack) {
  TestGame t;
  Game& g = *t;
  g.CurrentLevel = 2;
  PlaceShip(g, 400, 400, 3, 0);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 280, 380);  // centre (400, 300), right above the ship
  e.Speed = 1.5f;
  g.SoundsThisFrame.clear();
  RamEnemy(g, e);
  EXPECT_EQ(g.Ship.Life, 150);
  EXPECT_EQ(g.DamageTaken, 50);
  EXPECT_EQ(g.SoundsThisFrame, std::vector<int>{SoundHitEnemy});
  EXPECT_FLOAT_EQ(g.Ship.Heading, float(Pi / 2));  // thrown straight down, away from the craft
  EXPECT_EQ(g.Ship.Speed, 6);
  EXPECT_EQ(e.Life, 100);

  // Heavy craft: 250 life, 200 on the damage count, no sound. A standing craft stops the ship dead.
  g.SoundsThisFrame.clear();
  EnemyClass& heavy = PlaceEnemy(g, 1, 16, 380, 450, 100, 100);  // centre (500, 430): down-right
  RamEnemy(g, heavy);
  EXPECT_EQ(g.Ship.Life, 150 - 250);
  EXPECT_EQ(g.DamageTaken, 250);
  EXPECT_TRUE(g.SoundsThisFrame.empty());
  EXPECT_EQ(g.Ship.Speed, 0);
  EXPECT_NEAR(std::cos(g.Ship.Heading), -100 / std::hypot(100.0, 30.0), 1e-6);
  EXPECT_NEAR(std::sin(g.Ship.Heading), -30 / std::hypot(100.0, 30.0), 1e-6);

  // The pickup is collected, and throws nobody back.
  PlaceShip(g, 400, 400, 3, 0);
  g.Ship.Life = 200;
  EnemyClass& pickup = PlaceEnemy(g, 2, 19, 280, 380);
  RamEnemy(g, pickup);
  EXPECT_FALSE(pickup.Exists);
  EXPECT_TRUE(g.PickupTaken);
  EXPECT_EQ(g.SoundsThisFrame.back(), SoundCollect);
  EXPECT_EQ(g.Ship.Speed, 3);
  EXPECT_EQ(g.Ship.Life, 200);
}

TEST(Ramming, RammerDealsTwentyAFrameExceptLateInLevelFive) {
  TestGame t;
  Game& g = *t;
  g.ChargeOn[AbilityRammer] = true;
  g.CurrentLevel = 3;
  PlaceShip(g, 400, 200, 3, 0);
  EnemyClass& e = PlaceEnemy(g, 0, 3, 280, 380);  // below the ship
  e.Life = 30;
  e.Speed = 2;
  RamEnemy(g, e);
  EXPECT_EQ(e.Life, 10);
  EXPECT_EQ(g.DamageDealt, 20);
  EXPECT_EQ(g.Ship.Life, 200);
  EXPECT_FLOAT_EQ(g.Ship.Heading, float(3 * Pi / 2));
  EXPECT_EQ(g.Ship.Speed, 8);
  RamEnemy(g, e);
  EXPECT_FALSE(e.Exists);
  EXPECT_EQ(g.KillCount, 1);

  // The pickup only takes the damage; heavy craft hurt nobody.
  EnemyClass& pickup = PlaceEnemy(g, 1, 19, 280, 380);
  pickup.Life = 10000;
  RamEnemy(g, pickup);
  EXPECT_TRUE(pickup.Exists);
  EXPECT_EQ(pickup.Life, 9980);
  EXPECT_FALSE(g.PickupTaken);
  RamEnemy(g, PlaceEnemy(g, 2, 15, 280, 380));
  EXPECT_EQ(g.Ship.Life, 200);
  EXPECT_EQ(g.DamageTaken, 0);

  // Level 5 past 6400: no damage to the craft, but it still counts as dealt.
  g.CurrentLevel = 5;
  g.FrameClock = 6400;
  EnemyClass& late = PlaceEnemy(g, 3, 3, 280, 380);
  RamEnemy(g, late);
  EXPECT_EQ(late.Life, 80);
  g.FrameClock = 6401;
  RamEnemy(g, late);
  EXPECT_EQ(late.Life, 80);
  EXPECT_EQ(g.DamageDealt, 20 * 6);
}

TEST(Ramming, TheStepRamsOnlyAVisibleLiveShip) {
  if (!ShipCollisionAvailable()) GTEST_SKIP() << "needs the ship's collision test";
  TestGame t;
  Game& g = *t;
  g.CurrentLevel = 1;
  PlaceShip(g, 400, 400);
  // The craft's rectangle grows by 5 (rounded, halves to even), the ship's test shrinks by 8:
  // with the ship's top at 372 the grown bottom must pass 380.
  EnemyClass& e = PlaceEnemy(g, 0, 3, 300, 380);
  auto ramsAt = [&](Single top) {
    e.Top = top;
    e.Bottom = top + 40;
    e.Speed = 0;
    Single before = g.Ship.Life;
    StepEnemies(g);
    return g.Ship.Life < before;
  };
  EXPECT_FALSE(ramsAt(335.5f));  // grown bottom 380.5 rounds to 380: touching only
  EXPECT_TRUE(ramsAt(335.6f));
  g.ChargeOn[AbilityCloaker] = true;
  EXPECT_FALSE(ramsAt(340));
  g.ChargeOn[AbilityCloaker] = false;
  g.Ship.Exists = false;
  EXPECT_FALSE(ramsAt(340));
}

TEST(EnemyStep, FreezeDrawMoveAndFireEvenWhenJustGone) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 500);
  g.CurrentLevel = 1;
  g.FrameClock = 100;
  EnemyClass& e = PlaceEnemy(g, 0, 3, 60, 380);
  e.Shottype = 0;
  e.ShotPattern = 0;
  e.FreezeTime = 1;  // 1 -> 0: still frozen this frame
  e.Hurt = true;
  t.Plat.ClearRecords();
  StepEnemies(g);
  EXPECT_EQ(LiveEShots(g), 0);
  EXPECT_EQ(e.FreezeTime, 0);
  ASSERT_EQ(t.Plat.Copies.size(), 1u);
  EXPECT_EQ(t.Plat.Copies[0].Sheet, SheetEnemiesHurt);
  EXPECT_FALSE(e.Hurt);
  StepEnemies(g);  // 0 -> -1: fires
  EXPECT_EQ(LiveEShots(g), 1);
  for (int i = 0; i < 5; ++i) StepEnemies(g);
  EXPECT_EQ(e.FreezeTime, -1);  // rests at -1 instead of running down for ever
  EXPECT_EQ(t.Plat.Copies.back().Sheet, SheetEnemies);

  // A craft that leaves the field in its move still fires its volley in that step.
  g.EShots = {};
  e.Top = -199.5f;
  e.Speed = 1;
  e.Heading = DegToRad(270);
  e.LastShot = 0;
  StepEnemies(g);
  EXPECT_FALSE(e.Exists);
  EXPECT_EQ(LiveEShots(g), 1);
}

TEST(EnemyDrawing, RoundsHalvesToEvenAndPicksTheBulletRowByLevel) {
  TestGame t;
  Game& g = *t;
  EnemyClass& e = PlaceEnemy(g, 0, 3, 10.5f, 11.5f);
  e.SrcRectTop = 5;
  e.SrcRectBottom = 45;
  e.SrcRectLeft = 7;
  e.SrcRectRight = 47;
  t.Plat.ClearRecords();
  e.DrawEnemy(g);
  const CopyRecord& c = t.Plat.Copies.at(0);
  EXPECT_EQ(c.Sheet, SheetEnemies);
  EXPECT_EQ(c.DestTop, 10);
  EXPECT_EQ(c.DestLeft, 12);
  EXPECT_EQ(c.SrcTop, 5);
  EXPECT_EQ(c.SrcRight, 47);
  EXPECT_FALSE(c.Scaled);

  EShotsClass s;
  s.Top = 100;
  s.Bottom = 109;
  s.Left = 200;
  s.Right = 209;
  s.Width = 9;
  s.Height = 9;
  s.SrcTop = 40;
  s.SrcLeft = 0;
  g.CurrentLevel = 3;
  s.DrawEshot(g);  // the common bullet: row 2 of the level column
  EXPECT_EQ(t.Plat.Copies.at(1).Sheet, SheetEShots);
  EXPECT_EQ(t.Plat.Copies[1].SrcTop, 18);
  EXPECT_EQ(t.Plat.Copies[1].SrcBottom, 27);
  g.CurrentLevel = 13;
  s.DrawEshot(g);
  EXPECT_EQ(t.Plat.Copies[2].SrcTop, 108);
  s.Kind = 2;
  s.Width = 8;
  s.Height = 8;
  s.SrcTop = 21;
  s.SrcLeft = 9;
  s.DrawEshot(g);
  EXPECT_EQ(t.Plat.Copies[3].SrcTop, 21);
  EXPECT_EQ(t.Plat.Copies[3].SrcBottom, 29);
  EXPECT_EQ(t.Plat.Copies[3].SrcRight, 17);
}

TEST(EnemyFireHits, EachKindWithTheLevelFactorAndDefenceChain) {
  TestGame t;
  Game& g = *t;
  PlaceShip(g, 400, 400, 8, 1);
  g.Ship.CurDefence = 2;
  g.Ship.Life = 200;
  g.Ship.Charge = 200;
  g.CurrentLevel = 4;
  EShotsClass shot;
  auto hit = [&](Integer kind) {
    shot.Kind = kind;
    shot.Exists = true;
    EShotHitsShip(g, shot, EnemyFireLevelFactor(g));
    EXPECT_FALSE(shot.Exists);
  };
  t.Plat.ClearRecords();
  g.SoundsThisFrame.clear();
  hit(0);
  EXPECT_EQ(g.Ship.Life, 200 - 4 * 50 / 2);
  EXPECT_EQ(g.DamageTaken, 100);
  EXPECT_EQ(g.Ship.Speed, 2);
  EXPECT_EQ(g.SoundsThisFrame, std::vector<int>{SoundShiphit});
  const CopyRecord& flash = t.Plat.Copies.at(0);
  EXPECT_EQ(flash.Sheet, SheetShips);
  EXPECT_EQ(flash.SrcLeft, 405);
  EXPECT_EQ(flash.SrcRight, 450);
  EXPECT_EQ(flash.SrcBottom, 56);
  EXPECT_EQ(flash.DestLeft, 378);  // 377.5 rounds to even
  EXPECT_EQ(flash.DestTop, 372);

  // The defence chain: DEFENCE x2, gem 15, gem 17 together divide by 2 * 2 * 1.5 * 2.
  g.ChargeOn[AbilityDefence2] = true;
  g.Ship.GemType1 = 15;
  g.Ship.GemType2 = 17;
  g.Ship.Life = 200;
  hit(0);
  EXPECT_FLOAT_EQ(g.Ship.Life, 200 - 200.0f / 12);

  // Charge drain: only the defence level softens it, and it is no damage taken.
  Single taken = g.DamageTaken;
  hit(2);
  EXPECT_EQ(g.Ship.Charge, 200 - 4 * 50 / 2);
  EXPECT_EQ(g.DamageTaken, taken);
  hit(1);
  EXPECT_EQ(g.Ship.Life, -10);
  hit(3);
  EXPECT_EQ(g.Ship.NoMove, 40);
  hit(4);
  EXPECT_EQ(g.Ship.NoShoot, 100);

  // The mini game hits as level 3; the arena as the ship's own defence level.
  g.ChargeOn[AbilityDefence2] = false;
  g.Ship.GemType1 = g.Ship.GemType2 = -1;
  g.CurrentLevel = 11;
  g.Ship.Life = 200;
  hit(0);
  EXPECT_EQ(g.Ship.Life, 200 - 3 * 50 / 2);
  g.CurrentLevel = 13;
  g.Ship.CurDefence = 4;
  g.ChargeOn[AbilityDefence2] = true;
  g.Ship.Life = 200;
  hit(0);
  EXPECT_EQ(g.Ship.Life, 200 - 50 / (8 / 4));
  g.Ship.Charge = 200;
  hit(2);
  EXPECT_EQ(g.Ship.Charge, 200 - 50);
}

TEST(EnemyFireHits, ShotEraserClearsEverySlotAfterTheFrame) {
  TestGame t;
  Game& g = *t;
  g.CurrentLevel = 1;
  g.Ship.Exists = false;
  EShotsClass& s = FireAt(g, 0, 300, 300, 2);
  s.Heading = DegToRad(90);
  s.Accel = 0;
  t.Plat.ClearRecords();
  StepEnemyShots(g);
  EXPECT_TRUE(s.Exists);
  EXPECT_FLOAT_EQ(s.Top, 297.5f);
  g.ChargeOn[AbilityShotEraser] = true;
  StepEnemyShots(g);
  EXPECT_FALSE(s.Exists);
  EXPECT_FLOAT_EQ(s.Top, 299.5f);  // still drawn and moved in the erasing frame
  EXPECT_EQ(t.Plat.Copies.size(), 2u);
  EXPECT_EQ(LiveEShots(g), 0);
}

TEST(EnemyFireHits, TheStepHitsAVisibleShipAndDrawsTheShotWhereItStruck) {
  if (!ShipCollisionAvailable()) GTEST_SKIP() << "needs the ship's collision test";
  TestGame t;
  Game& g = *t;
  g.CurrentLevel = 2;
  PlaceShip(g, 400, 400);
  g.Ship.CurDefence = 1;
  g.Ship.Life = 200;
  EShotsClass& s = FireAt(g, 0, 400, 400, 2);
  g.ChargeOn[AbilityCloaker] = true;
  StepEnemyShots(g);
  EXPECT_TRUE(s.Exists);
  EXPECT_EQ(g.Ship.Life, 200);
  g.ChargeOn[AbilityCloaker] = false;
  t.Plat.ClearRecords();
  StepEnemyShots(g);
  EXPECT_FALSE(s.Exists);
  EXPECT_EQ(g.Ship.Life, 100);
  ASSERT_EQ(t.Plat.Copies.size(), 2u);  // the flash, then the shot
  EXPECT_EQ(t.Plat.Copies[1].Sheet, SheetEShots);
}

TEST(Spawner, ClockTimelineCountingAndLostRecords) {
  TestGame t;
  Game& g = *t;
  g.SpawnTable.assign(4, SpawnRec{});
  g.SpawnCount = 4;
  for (int i = 0; i < 4; ++i) {
    g.SpawnTable[i].SpawnTime = 11;
    g.SpawnTable[i].CenterX = 300;
    g.SpawnTable[i].StartY = 10;
    g.SpawnTable[i].Speed = 2;
  }
  g.SpawnTable[0].Kind = 5;
  g.SpawnTable[1].Kind = 7;
  g.SpawnTable[2].Kind = 17;  // bonus craft: spawns, not counted
  g.SpawnTable[3].SpawnTime = 12;
  g.SpawnTable[3].Kind = 19;
  for (int i = 0; i < 49; ++i) g.Enemies[i].Exists = true;  // one free slot

  // Three records at one time: the first takes the slot, the second is lost but counted,
  // the bonus craft is neither.
  g.FrameClock = 10.75f;
  Spawner(g);
  EXPECT_EQ(g.FrameClock, 11);
  EXPECT_EQ(g.EnemyCount, 2);
  const EnemyClass& e = g.Enemies[49];
  EXPECT_EQ(e.Kind, 5);
  EXPECT_EQ(e.Top, 10 - 46);
  EXPECT_EQ(e.Left, 300 - 36);
  EXPECT_EQ(e.Right, 336);
  EXPECT_EQ(e.SrcRectBottom, 46);
  EXPECT_EQ(e.SrcRectRight, 182);
  EXPECT_EQ(e.Life, 50);

  // Under MATRIX the clock creeps by quarters and reaches each whole value once.
  g.ChargeOn[AbilityMatrix] = true;
  g.Enemies[48].Exists = false;
  g.Enemies[49].Exists = false;
  for (int i = 0; i < 3; ++i) Spawner(g);
  EXPECT_EQ(g.FrameClock, 11.75f);
  EXPECT_FALSE(g.Enemies[48].Exists);
  Spawner(g);
  EXPECT_EQ(g.Enemies[48].Kind, 19);  // the pickup, spawned in the lowest free slot, not counted
  EXPECT_TRUE(g.Enemies[48].Exists);
  EXPECT_FALSE(g.Enemies[49].Exists);
  // The last record is the boss by convention.
  EXPECT_EQ(g.BossMaxLife, 10000);
  EXPECT_EQ(g.EnemyCount, 2);
}

TEST(Spawner, BossRecordWithGemFourAndTheLeaveAfterDeath) {
  TestGame t;
  Game& g = *t;
  g.EnemyKinds[24].HitPoints = 1001;
  g.SpawnTable.assign(2, SpawnRec{});
  g.SpawnCount = 2;
  g.SpawnTable[0] = {3, 5};
  g.SpawnTable[1] = {24, 5};
  g.Ship.GemType1 = 4;
  g.FrameClock = 4;
  Spawner(g);
  EXPECT_EQ(g.Enemies[0].Life, 30);  // only the boss is weakened
  EXPECT_FLOAT_EQ(g.Enemies[1].Life, 800.8f);
  EXPECT_EQ(g.BossMaxLife, 1001);

  g.Ship.Exists = false;
  g.DeathTime = 100;
  g.FrameClock = 800;  // exactly 700 after: not yet
  Spawner(g);
  EXPECT_FALSE(g.Keys[KeyEscape]);
  Spawner(g);
  EXPECT_TRUE(g.Keys[KeyEscape]);
}
