// The falling star field behind menus and play.
#include <cmath>

#include "effects/star_class.h"
#include "world/draw.h"
#include "world/game.h"

void StarClass::Initialize(Single xpos, Single ypos, Single speed, Integer kind) {
  Xpos = xpos;
  Ypos = ypos;
  Speed = speed;
  Kind = kind;
}

void StarClass::MoveStar(Game& g) { Ypos = Ypos + (g.Level.ChargeOn[AbilityMatrix] ? Speed / 4 : Speed); }

// A star that has fallen past the bottom comes back just above the top, at a new
// column, speed and size: over the play column in a level, over the full width in menus.
void StarClass::ScreenLimit(Game& g) {
  if (!(Ypos > 605)) return;
  const Single r1 = g.Rnd();
  const Single r2 = g.Rnd();
  const Single r3 = g.Rnd();
  const Single x = g.InMenu ? std::floor(r1 * 790) : std::floor(r1 * 590) + 105;
  Initialize(x, -5, r2 * 6 + 1, static_cast<Integer>(std::floor(r3 * 3)));
}

void StarClass::DrawStar(Game& g) {
  // Source rectangle on the stars sheet and offset from the centre, by size.
  struct Look {
    int Left, Top, Right, Bottom, Offset;
  };
  static constexpr Look looks[3] = {{0, 0, 2, 2, 1}, {3, 0, 6, 3, 2}, {7, 0, 11, 4, 2}};
  if (Kind < 0 || Kind > 2 || !Shown(g)) return;
  const Look& l = looks[Kind];
  Blit(g, SheetStars, true, RoundToInteger(Ypos - Single(l.Offset)), 0, RoundToInteger(Xpos - Single(l.Offset)), 0,
       l.Top, l.Bottom, l.Left, l.Right);
}

void SeedStars(Game& g) {
  for (StarClass& s : g.Stars) {
    const Single r1 = g.Rnd();
    const Single r2 = g.Rnd();
    const Single r3 = g.Rnd();
    const Single r4 = g.Rnd();
    s = StarClass{};
    s.Initialize(std::floor(r1 * 590) + 105, std::floor(r2 * 600), r3 * 4 + 1,
                 static_cast<Integer>(std::floor(r4 * 3)));
  }
}

void StepStars(Game& g) {
  for (StarClass& s : g.Stars) {
    s.MoveStar(g);
    s.ScreenLimit(g);
    s.DrawStar(g);
  }
}
