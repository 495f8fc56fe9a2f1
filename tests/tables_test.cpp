// The fixed tables: the shot catalogue's shape, sprites that fit their sheets, one digest of every
// value of each table, and the quadratic solver that aiming uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include "enemies/data_tables.h"
#include "world/game.h"
#include "shots/shot_types.h"
#include "test_support.h"

namespace {

constexpr Single Unwritten = std::numeric_limits<Single>::quiet_NaN();
constexpr Integer UnwrittenInt = -32768;

// How many of a sub-shot's five fields still hold the mark: 0 when written, 5 when untouched.
int Marked(const SubShotRec& s) {
  return std::isnan(s.Speed) + std::isnan(s.AccelRate) + std::isnan(s.AccelHeading) + std::isnan(s.Heading) +
         std::isnan(s.XOffset);
}

// A game whose catalogue holds a mark in every field, so that what the filling writes shows.
std::unique_ptr<Game> MarkedGame() {
  auto g = std::make_unique<Game>();
  for (auto& kind : g->Tables.ShotTypes)
    for (ShotTypeRec& e : kind) {
      e.Damage = e.FireDelay = Unwritten;
      e.Height = e.Width = e.SrcTop = e.SrcLeft = e.Frames = e.AnimInterval = e.Count = UnwrittenInt;
      for (SubShotRec& s : e.SubShots) s = {Unwritten, Unwritten, Unwritten, Unwritten, Unwritten};
    }
  return g;
}

struct Rect {
  int Left, Top, Right, Bottom;
};

bool Overlap(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

Single Deg(double d) { return DegToRad(Single(d)); }

}  // namespace

TEST(ShotCatalogue, EveryEntryFiresOneToNineSubShotsAndWritesExactlyThose) {
  auto g = MarkedGame();
  FillShotCatalogue(*g);
  int total = 0;
  for (int k = 0; k < ShotKinds; ++k)
    for (int l = 0; l < ShotLevels; ++l) {
      SCOPED_TRACE(testing::Message() << "kind " << k << " level " << l);
      const ShotTypeRec& e = g->Tables.ShotTypes[k][l];
      ASSERT_GE(e.Count, 1);
      ASSERT_LE(e.Count, 9);
      EXPECT_FALSE(std::isnan(e.Damage));
      EXPECT_FALSE(std::isnan(e.FireDelay));
      EXPECT_NE(e.Width, UnwrittenInt);
      for (int j = 0; j < 9; ++j) EXPECT_EQ(Marked(e.SubShots[j]), j < e.Count ? 0 : 5) << "sub-shot " << j;
      total += e.Count;
    }
  EXPECT_EQ(total, 304);
}

TEST(ShotCatalogue, SetterIgnoresIndexesOutsideTheTable) {
  auto g = MarkedGame();
  for (auto [level, kind, sub] : {std::array{10, 0, 0}, {0, 20, 0}, {0, 0, 9}, {-1, -1, -1}})
    SetShotSpec(*g, Integer(level), Integer(kind), Integer(sub), 1, 1, 1, 1, 1, 1, 0, 0, 270, 1, 0, 0, 0, 1);
  for (auto& kind : g->Tables.ShotTypes)
    for (ShotTypeRec& e : kind) {
      EXPECT_EQ(e.Count, UnwrittenInt);
      for (SubShotRec& s : e.SubShots) EXPECT_EQ(Marked(s), 5);
    }
  // A call inside the table converts both angles from degrees.
  SetShotSpec(*g, 9, 19, 8, 1, 2.5f, 3, 4, 9, 6, 90, 0.5f, 270, 12, -5, 7, 8, 10);
  const ShotTypeRec& e = g->Tables.ShotTypes[19][9];
  EXPECT_EQ(e.Count, 9);
  EXPECT_EQ(e.SubShots[8].AccelHeading, Deg(90));
  EXPECT_EQ(e.SubShots[8].Heading, Deg(270));
  EXPECT_EQ(e.SubShots[8].XOffset, -5.0f);
}

TEST(ShotCatalogue, EveryVolleyClimbsAndIsMirroredAboutTheShipsCentreLine) {
  TestGame t;
  Game& g = *t;
  for (int k = 0; k < ShotKinds; ++k)
    for (int l = 0; l < ShotLevels; ++l) {
      SCOPED_TRACE(testing::Message() << "kind " << k << " level " << l);
      const ShotTypeRec& e = g.Tables.ShotTypes[k][l];
      EXPECT_GT(e.Damage, 0);
      EXPECT_GE(e.FireDelay, 1);
      std::vector<bool> matched(e.Count, false);
      for (int j = 0; j < e.Count; ++j) {
        const SubShotRec& s = e.SubShots[j];
        EXPECT_LT(std::sin(double(s.Heading)), -0.9) << "sub-shot " << j << " does not fly upward";
        EXPECT_EQ(s.Speed, e.SubShots[0].Speed);
        EXPECT_EQ(s.AccelRate, e.SubShots[0].AccelRate);
        // Its mirror image: the opposite offset, the heading reflected about straight up.
        bool found = false;
        for (int m = 0; m < e.Count && !found; ++m) {
          const SubShotRec& o = e.SubShots[m];
          if (!matched[m] && o.XOffset == -s.XOffset &&
              std::abs(double(o.Heading) - (3 * Pi - double(s.Heading))) < 1e-5) {
            matched[m] = found = true;
          }
        }
        EXPECT_TRUE(found) << "sub-shot " << j << " has no mirror image";
      }
    }
}

TEST(ShotCatalogue, EachKindsSpritesLieOnTheShotsSheetWithoutOverlapping) {
  TestGame t;
  Game& g = *t;
  std::vector<Rect> strips;
  for (int k = 0; k < ShotKinds; ++k) {
    SCOPED_TRACE(testing::Message() << "kind " << k);
    const ShotTypeRec& first = g.Tables.ShotTypes[k][0];
    Rect strip{first.SrcLeft, first.SrcTop, first.SrcLeft, first.SrcTop + first.Height};
    for (int l = 0; l < ShotLevels; ++l) {
      const ShotTypeRec& e = g.Tables.ShotTypes[k][l];
      // A kind looks the same at every level; only the WIDE BEAM grows wider.
      EXPECT_EQ((std::array{e.SrcTop, e.SrcLeft, e.Height, e.Frames, e.AnimInterval}),
                (std::array{first.SrcTop, first.SrcLeft, first.Height, first.Frames, first.AnimInterval}));
      const Integer before = l > 0 ? g.Tables.ShotTypes[k][l - 1].Width : Integer(0);
      EXPECT_TRUE(k == 6 ? e.Width > before : e.Width == first.Width) << "level " << l;
      EXPECT_TRUE(e.Width > 0 && e.Height > 0 && e.Frames >= 0);
      strip.Right = std::max(strip.Right, e.SrcLeft + (e.Frames + 1) * e.Width);
    }
    EXPECT_GE(strip.Left, 0);
    EXPECT_LE(strip.Right, 240);
    EXPECT_LE(strip.Bottom, 161);
    for (size_t o = 0; o < strips.size(); ++o) EXPECT_FALSE(Overlap(strip, strips[o])) << "with kind " << o;
    strips.push_back(strip);
  }
  // The GHOST ATTACK flies the cloaked ship's picture, 141,15..186,71.
  const ShotTypeRec& ghost = g.Tables.ShotTypes[10][0];
  EXPECT_EQ((std::array{ghost.SrcLeft, ghost.SrcTop, Integer(ghost.SrcLeft + ghost.Width),
                        Integer(ghost.SrcTop + ghost.Height)}),
            (std::array<Integer, 4>{141, 15, 186, 71}));
}

// Every value of the shot catalogue and of the enemy, bullet, volley and explosion tables. The
// rules above hold for any sound table; these digests catch a slip in a single number. A table
// changed on purpose changes its digest here too.
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

TEST(DataTables, EnemyExplosionAndBulletSpritesLieOnTheirSheets) {
  TestGame t;
  Game& g = *t;
  for (int k = 0; k < 30; ++k) {
    const EnemyKindRec& e = g.Tables.EnemyKinds[k];
    if (k < 20) {
      EXPECT_TRUE(e.Width > 0 && e.HitPoints > 0) << "kind " << k;
      EXPECT_LE(e.SrcLeft + e.Width, 982) << "kind " << k;
      EXPECT_LE(e.SrcTop + e.Height, 323) << "kind " << k;
    } else {  // bosses are written by each level's set-up, not here
      EXPECT_EQ((std::array{e.SrcTop, e.SrcLeft, e.Height, e.Width}), (std::array<Integer, 4>{})) << "kind " << k;
      EXPECT_EQ(e.HitPoints, 0.0f) << "kind " << k;
    }
  }
  // Explosion frames side by side on one row of the 1024 x 159 sheet; bullets on the 30 x 117 one.
  for (const ExploTypeRec& x : g.Tables.ExploTypes) {
    EXPECT_LE(x.FrameAmount * x.Width, 1024);
    EXPECT_LE(x.SrcTop + x.Height, 159);
  }
  for (const EShotTypeRec& s : g.Tables.EShotTypes) {
    EXPECT_LE(s.SrcLeft + s.Width, 30);
    EXPECT_LE(s.SrcTop + s.Height, 117);
  }
}

TEST(DataTables, VolleyPatterns) {
  TestGame t;
  Game& g = *t;
  // Shots beyond a volley's Amount stay zero; the aimed patterns 8, 9, 10 carry nothing at all.
  for (int p = 0; p < 38; ++p) {
    const EShotPatternRec& r = g.Tables.EShotPatterns[p];
    ASSERT_TRUE(r.Amount >= 0 && r.Amount <= 3) << p;
    const bool aimed = p >= 8 && p <= 10;
    EXPECT_TRUE(!aimed || r.Amount == 0) << p;
    for (int i = aimed ? 0 : r.Amount + 1; i < 4; ++i)
      EXPECT_EQ((std::array{r.Heading[i], r.Accel[i], r.AccelHeading[i], r.OffsetX[i]}), (std::array<Single, 4>{}))
          << p << " shot " << i;
  }
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

