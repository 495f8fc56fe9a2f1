// The fixed tables, one digest of every value of each, and the quadratic solver that aiming uses.
// Whether each table's sprites lie on their sheets is the content test's.
#include <gtest/gtest.h>

#include <tuple>

#include "enemies/data_tables.h"
#include "world/game.h"
#include "shots/shot_types.h"
#include "test_support.h"

// Every value of the shot catalogue and of the enemy, bullet, volley and explosion tables. These
// digests catch a slip in a single number; a table changed on purpose changes its digest here
// too.
TEST(DataTables, EveryValueStandsAsWritten) {
  TestGame t;
  Game& g = *t;
  Digest shots, enemies, bullets, volleys, explosions;
  for (const auto& kind : g.Tables.ShotTypes)
    for (const ShotTypeRec& e : kind) {
      for (Single v : {e.Damage, e.FireDelay}) shots.Add(v);
      for (int v : {e.Height, e.Width, e.SrcTop, e.SrcLeft, e.Frames, e.AnimInterval, e.Count}) shots.Add(v);
      for (const SubShotRec& s : e.SubShots)
        for (Single v : {s.Speed, s.AccelRate, s.AccelHeading, s.Heading, s.XOffset}) shots.Add(v);
    }
  for (int k = 0; k < 20; ++k) {  // the bosses' rows are the level set-up's
    const EnemyKindRec& e = g.Tables.EnemyKinds[k];
    for (int v : {e.SrcTop, e.SrcLeft, e.Height, e.Width}) enemies.Add(v);
    enemies.Add(e.HitPoints);
  }
  for (const EShotTypeRec& s : g.Tables.EShotTypes) {
    bullets.Add(s.Damage);
    for (int v : {s.Height, s.Width, s.SrcTop, s.SrcLeft}) bullets.Add(v);
  }
  for (const EShotPatternRec& p : g.Tables.EShotPatterns) {
    volleys.Add(int(p.Amount));
    for (const auto* column : {&p.Heading, &p.Accel, &p.AccelHeading, &p.OffsetX})
      for (Single v : *column) volleys.Add(v);
  }
  for (const ExploTypeRec& x : g.Tables.ExploTypes)
    for (int v : {x.SrcTop, x.Height, x.Width, x.FrameAmount}) explosions.Add(v);
  EXPECT_EQ(shots.Value, 10754088708241386838ull);
  EXPECT_EQ(enemies.Value, 9216154706613206528ull);
  EXPECT_EQ(bullets.Value, 786234881715893978ull);
  EXPECT_EQ(volleys.Value, 15006525015198924216ull);
  EXPECT_EQ(explosions.Value, 12218486767476784852ull);
}

TEST(AngleHelpers, SolveQuadraticKinds) {
  // Kind 2: one double root; 1: complex, real and imaginary parts; 0: two roots, the larger first.
  const struct {
    double A, B, C;
    Long Kind;
    double R1, R2;
  } cases[] = {{1, 2, 1, 2, -1, -1}, {1, 0, 1, 1, 0, 1}, {1, -3, 2, 0, 2, 1}, {2, 0, -8, 0, 2, -2}};
  for (const auto& c : cases) {
    double r1 = 99, r2 = 99;
    Long kind = -1;
    SolveQuadratic(r1, r2, c.A, c.B, c.C, kind);
    EXPECT_EQ((std::tuple{kind, r1, r2}), (std::tuple{c.Kind, c.R1, c.R2})) << c.A << " " << c.B << " " << c.C;
  }
  // The discriminant is kept in single precision: 1e-46 is below the smallest float, so the roots meet.
  double r1, r2;
  Long kind = -1;
  SolveQuadratic(r1, r2, 1, 1e-23, 0, kind);
  EXPECT_EQ(kind, 2);
}

