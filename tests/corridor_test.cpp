// Fair fields: in every level, and through the marathon, a new ship (every part at level 1) can stay
// clear of every heavy craft from the start to the boss. The real timeline is played frame by frame
// with the ship cloaked; each frame the ship positions a heavy craft would ram are marked, and the
// set of positions the ship can have reached is carried on from its start. It must never run out.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

// Ship positions: Left 100..655, Top 0..544, one bit per pixel.
constexpr int Columns = 700 - 45 - 100 + 1, Rows = 600 - 56 + 1;
using Row = std::bitset<Columns>;
using Field = std::vector<Row>;

// Room to spare: every blocked stretch is widened by this much on each side, so a lane the ship can
// use is at least 45 + 2 x 12 = 69 px between the craft's ramming edges, over 1.5 times the ship.
constexpr int Spare = 12;

struct Rect {
  Single Top, Bottom, Left, Right;
};

bool IsHeavy(const EnemyClass& e) { return e.Exists && e.Kind >= 15 && e.Kind <= 18; }

Row Span(int from, int to) {  // bits from..to, clipped to the row
  from = std::max(from, 0), to = std::min(to, Columns - 1);
  if (from > to) return {};
  return (~Row() >> (Columns - 1 - (to - from))) << from;
}

// Marks the ship positions the ram test hits for a craft at r: its rectangle grown by 5 and rounded,
// then shrunk by the ship's margin of 8, overlapping the ship's 45 x 56 strictly.
void Block(Field& blocked, const Rect& r) {
  const int top = RoundToInteger(r.Top - 5), bottom = RoundToInteger(r.Bottom + 5);
  const int left = RoundToInteger(r.Left - 5), right = RoundToInteger(r.Right + 5);
  const Row span = Span(left + 8 - 45 + 1 - 100 - Spare, right - 8 - 1 - 100 + Spare);
  for (int y = std::max(top + 8 - 56 + 1, 0); y <= std::min(bottom - 8 - 1, Rows - 1); ++y) blocked[y] |= span;
}

// Where the ship can be one frame later: up to 2 px along one axis and 1 along the other, which
// stays under the new ship's top speed of 2.5 px a frame and leaves time for its acceleration.
Field Spread(const Field& f) {
  Field near1(Rows), near2(Rows), out(Rows);
  for (int y = 0; y < Rows; ++y) {
    near1[y] = f[y] | f[y] << 1 | f[y] >> 1;
    near2[y] = near1[y] | f[y] << 2 | f[y] >> 2;
  }
  for (int y = 0; y < Rows; ++y)
    for (int d = -2; d <= 2; ++d)
      if (y + d >= 0 && y + d < Rows) out[y] |= (d >= -1 && d <= 1) ? near2[y + d] : near1[y + d];
  return out;
}

// How wide the way is: the longest run of columns in which some reachable position lies. In a lane
// between two craft, the lane is this + 2 x Spare + 44 px wide between their ramming edges.
int WidestWay(const Field& reach) {
  Row any;
  for (const Row& r : reach) any |= r;
  int run = 0;
  for (; any.any(); ++run) any &= any >> 1;
  return run;
}

struct Route {
  const char* Name;
  int LevelIndex;  // the button: 0..8 the levels, 11 the marathon
};

void PrintTo(const Route& r, std::ostream* os) { *os << r.Name; }

}  // namespace

class Corridor : public ::testing::TestWithParam<Route> {};

TEST_P(Corridor, NewShipAlwaysHasAWayThroughTheHeavyCraft) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, GetParam().LevelIndex);
  const bool marathon = g.CurrentLevel == 12;
  const Single bossTime = marathon ? 0 : g.SpawnTable.back().SpawnTime;

  Field reach(Rows);
  reach[RoundToInteger(g.Ship.Top)][RoundToInteger(std::floor(g.Ship.Left)) - 100] = true;
  std::array<Rect, EnemyCountMax> before{};
  std::array<bool, EnemyCountMax> wasHeavy{};
  int craft = 0, narrowest = Columns + 1, mostOnScreen = 0;
  std::string narrowestAt, mostAt;
  while (marathon ? !g.LevelOver : g.FrameClock < bossTime) {
    g.ChargeOn[AbilityCloaker] = true;  // nothing rams the real ship; only the map is checked
    t.Plat.ClearRecords();
    RunFrame(g);
    ASSERT_TRUE(g.Ship.Exists && !g.InMenu);
    const std::string when = (marathon ? "stage " + std::to_string(g.MarathonStage) + " " : std::string()) +
                             "clock " + std::to_string(int(g.FrameClock));

    // A craft blocks where it stood when the ram test ran and where it moved to.
    Field blocked(Rows);
    int onScreen = 0;
    for (int s = 0; s < EnemyCountMax; ++s) {
      if (wasHeavy[s]) Block(blocked, before[s]);
      const EnemyClass& e = g.Enemies[s];
      if (IsHeavy(e)) {
        const Rect now{e.Top, e.Bottom, e.Left, e.Right};
        Block(blocked, now);
        if (!wasHeavy[s]) {  // just entered: it stood one step back, before its first move
          ++craft;
          const double vx = e.Speed * std::cos(double(e.Heading)) - e.Accel * std::cos(double(e.AccelHeading));
          const double vy = e.Speed * std::sin(double(e.Heading)) - e.Accel * std::sin(double(e.AccelHeading));
          Block(blocked, {Single(e.Top - vy), Single(e.Bottom - vy), Single(e.Left - vx), Single(e.Right - vx)});
        }
        onScreen += e.Bottom > 0 && e.Top < 600 && e.Right > 100 && e.Left < 700;
        before[s] = now;
      }
      wasHeavy[s] = IsHeavy(e);
    }

    for (int y = 0; y < Rows; ++y) reach[y] &= ~blocked[y];
    reach = Spread(reach);
    bool any = false;
    for (int y = 0; y < Rows; ++y) any |= (reach[y] &= ~blocked[y]).any();
    ASSERT_TRUE(any) << GetParam().Name << ": the heavy craft close every way at " << when;

    if (onScreen > mostOnScreen) mostOnScreen = onScreen, mostAt = when;
    const int room = WidestWay(reach);
    if (onScreen > 0 && room < narrowest) narrowest = room, narrowestAt = when;
  }
  // What a level designer wants to know: how tight the field got, and where.
  std::cout << GetParam().Name << ": " << craft << " heavy craft, at most " << mostOnScreen << " on screen ("
            << mostAt << "), narrowest way " << narrowest + 2 * Spare + 44 << " px (" << narrowestAt << ")\n";
}

INSTANTIATE_TEST_SUITE_P(Fields, Corridor,
                         ::testing::Values(Route{"Level1", 0}, Route{"Level2", 1}, Route{"Level3", 2},
                                           Route{"Level4", 3}, Route{"Level5", 4}, Route{"Level6", 5},
                                           Route{"Level7", 6}, Route{"Level8", 7}, Route{"Level9", 8},
                                           Route{"Marathon", 11}),
                         [](const ::testing::TestParamInfo<Route>& info) { return std::string(info.param.Name); });
