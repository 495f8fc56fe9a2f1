// Fair fields: in every level, and through the marathon, a new ship (every part at level 1) can stay
// clear of every heavy craft from the start to the boss. The real timeline is played frame by frame
// with the ship cloaked; each frame the ship positions a heavy craft would ram are marked, and the
// set of positions the ship can have reached is carried on from its start. It must never run out,
// and no position in it may be a dead end that only craft not yet in sight reveal.
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

// One frame of the recorded field: where the heavy craft ram, and which craft a player can see.
struct Frame {
  std::vector<Rect> Blocks;
  std::vector<int> Seen;  // indexes into the craft's lives
  std::string When;
};

// One heavy craft from its entry to its exit: where it stood on each frame.
struct Life {
  int First;
  std::vector<Rect> At;
};

Field Free(const Frame& f) {
  Field blocked(Rows);
  for (const Rect& r : f.Blocks) Block(blocked, r);
  for (Row& row : blocked) row.flip();
  return blocked;
}

Field And(Field a, const Field& b) {
  for (int y = 0; y < Rows; ++y) a[y] &= b[y];
  return a;
}

// The positions on a frame from which the ship can stay clear to the end, given the free positions
// of that frame and the next and the survivors of the next.
Field Survivors(const Field& free, const Field& freeNext, const Field& next) {
  return And(And(free, freeNext), Spread(next));
}

// Ship tops from here down, the ship in the bottom third of the screen where a player keeps it: the
// rows checked for dead ends. Higher up, a craft just entering is too close to be fair anyway.
constexpr int PlayerRows = 400;

}  // namespace

class Corridor : public ::testing::TestWithParam<Route> {};

// Two readings of a fair field. First, a way through exists: the set of positions the ship can have
// reached, carried on from its start, never runs out. Second, no dead end a player cannot see coming:
// a reachable position in the bottom third of the screen, out of the path of every craft on screen,
// must never be one from which the craft still to come leave no way out. So a space a row of craft
// leaves open always leads on to the next row's, and one that later closes can only be entered
// where a craft already in sight shows it will.
TEST_P(Corridor, NewShipAlwaysHasAWayThroughTheHeavyCraft) {
  TestGame t;
  Game& g = *t;
  StartLevel(g, GetParam().LevelIndex);
  const bool marathon = g.CurrentLevel == 12;
  const Single bossTime = marathon ? 0 : g.Level.SpawnTable.back().SpawnTime;
  const int startTop = RoundToInteger(g.Ship.Top), startLeft = RoundToInteger(std::floor(g.Ship.Left)) - 100;

  // Play the timeline once, recording the craft.
  std::vector<Frame> frames;
  std::vector<Life> lives;
  std::array<int, EnemyCountMax> life{};
  std::array<bool, EnemyCountMax> wasHeavy{};
  int mostOnScreen = 0;
  std::string mostAt;
  while (marathon ? !g.LevelOver : g.Level.FrameClock < bossTime) {
    g.Level.ChargeOn[AbilityCloaker] = true;  // nothing rams the real ship; only the map is checked
    t.Plat.ClearRecords();
    PlayFrame(t);
    ASSERT_TRUE(g.Ship.Exists && !g.InMenu);
    Frame f;
    f.When = (marathon ? "stage " + std::to_string(g.Level.MarathonStage) + " " : std::string()) + "clock " +
             std::to_string(int(g.Level.FrameClock));
    // A craft blocks where it stood when the ram test ran and where it moved to.
    for (int s = 0; s < EnemyCountMax; ++s) {
      if (wasHeavy[s]) f.Blocks.push_back(lives[life[s]].At.back());
      const EnemyClass& e = g.Enemies[s];
      if (IsHeavy(e)) {
        const Rect now{e.Top, e.Bottom, e.Left, e.Right};
        f.Blocks.push_back(now);
        if (!wasHeavy[s]) {  // just entered: it stood one step back, before its first move
          life[s] = int(lives.size());
          lives.push_back({int(frames.size()), {}});
          const double vx = e.Speed * std::cos(double(e.Heading)) - e.Accel * std::cos(double(e.AccelHeading));
          const double vy = e.Speed * std::sin(double(e.Heading)) - e.Accel * std::sin(double(e.AccelHeading));
          f.Blocks.push_back({Single(e.Top - vy), Single(e.Bottom - vy), Single(e.Left - vx), Single(e.Right - vx)});
        }
        lives[life[s]].At.push_back(now);
        if (e.Bottom > 0 && e.Top < 600 && e.Right > 100 && e.Left < 700) f.Seen.push_back(life[s]);
      }
      wasHeavy[s] = IsHeavy(e);
    }
    if (int(f.Seen.size()) > mostOnScreen) mostOnScreen = int(f.Seen.size()), mostAt = f.When;
    frames.push_back(std::move(f));
  }
  const int last = int(frames.size()) - 1;

  // From the end back, the positions from which the ship can stay clear: kept every K frames.
  constexpr int K = 64;
  std::vector<Field> kept(last / K + 1);
  Field freeNext = Free(frames[last]), survive = freeNext;
  for (int i = last; i >= 0; --i) {
    if (i < last) {
      Field free = Free(frames[i]);
      survive = Survivors(free, freeNext, survive);
      freeNext = std::move(free);
    }
    if (i % K == 0) kept[i / K] = survive;
  }

  Field reach(Rows);
  reach[startTop][startLeft] = true;
  std::vector<Field> block;  // the survivors of the frames i .. i + K - 1
  int narrowest = Columns + 1;
  std::string narrowestAt;
  for (int i = 0; i <= last; ++i) {
    const Frame& f = frames[i];
    const Field free = Free(f);
    reach = And(Spread(And(reach, free)), free);
    bool any = false;
    for (const Row& r : reach) any |= r.any();
    ASSERT_TRUE(any) << GetParam().Name << ": the heavy craft close every way at " << f.When;
    if (!f.Seen.empty() && WidestWay(reach) < narrowest) narrowest = WidestWay(reach), narrowestAt = f.When;

    if (i % K == 0) {  // survivors of the next K frames, from the kept ones after them
      const int end = std::min(i + K, last);
      block.assign(end - i + 1, {});
      Field freeNext = Free(frames[end]);
      block.back() = end == last ? freeNext : kept[end / K];
      for (int j = end - 1; j >= i; --j) {
        Field free = Free(frames[j]);
        block[j - i] = Survivors(free, freeNext, block[j - i + 1]);
        freeNext = std::move(free);
      }
    }
    const Field& survivors = block[i % K];
    bool doomed = false;
    for (int y = PlayerRows; y < Rows; ++y) doomed |= (reach[y] & ~survivors[y]).any();
    if (!doomed) continue;
    // Where the craft in sight will fly, from now until they leave.
    Field seenPath(Rows);
    for (int l : f.Seen) {
      const Life& c = lives[l];
      for (size_t a = i - c.First; a < c.At.size(); a += 8) {
        Rect box = c.At[a];
        for (size_t b = a + 1; b < std::min(a + 9, c.At.size()); ++b)
          box = {std::min(box.Top, c.At[b].Top), std::max(box.Bottom, c.At[b].Bottom),
                 std::min(box.Left, c.At[b].Left), std::max(box.Right, c.At[b].Right)};
        Block(seenPath, box);
      }
    }
    for (int y = PlayerRows; y < Rows; ++y) {
      const Row trapped = reach[y] & ~survivors[y] & ~seenPath[y];
      if (trapped.none()) continue;
      int x = 0;
      while (!trapped[x]) ++x;
      FAIL() << GetParam().Name << ": at " << f.When << " the ship can reach x " << x + 100 << ", y " << y
             << ", clear of every craft in sight, yet craft still to come shut it in";
    }
  }
  // What a level designer wants to know: how tight the field got, and where.
  std::cout << GetParam().Name << ": " << lives.size() << " heavy craft, at most " << mostOnScreen
            << " on screen (" << mostAt << "), narrowest way " << narrowest + 2 * Spare + 44 << " px ("
            << narrowestAt << ")\n";
}

INSTANTIATE_TEST_SUITE_P(Fields, Corridor,
                         ::testing::Values(Route{"Level1", 0}, Route{"Level2", 1}, Route{"Level3", 2},
                                           Route{"Level4", 3}, Route{"Level5", 4}, Route{"Level6", 5},
                                           Route{"Level7", 6}, Route{"Level8", 7}, Route{"Level9", 8},
                                           Route{"Marathon", 11}),
                         [](const ::testing::TestParamInfo<Route>& info) { return std::string(info.param.Name); });
