// The status display of play frames: the frame around the play column, the ship's life and
// charge bars on the left and, while a boss fights, its life bar on the right; once the ship
// is lost, the notice that says so.
#include <algorithm>
#include <cmath>

#include "effects/backdrop.h"
#include "menus/menus.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

// A bar whose bottom stays put and whose top falls as the value (0..200) drops.
void ShipBar(Game& g, Single value, int srcLeft, int srcRight, int bottomOffset) {
  // Enemy shots strike after the ship's own upkeep, so a value may stand just outside
  // 0..200 for the rest of the frame; the bar shows it at its end stop.
  if (!(value >= 0)) value = 0;
  if (value > 200) value = 200;
  const Single missing = 200 - value;
  const int srcTop = RoundToInteger(missing);
  const int destTop = RoundToInteger(missing + Single(bottomOffset));
  Blit(g, SheetBars, true, destTop, destTop + (201 - srcTop), 35, 35 + (srcRight - srcLeft), srcTop, 201, srcLeft,
       srcRight);
}

}  // namespace

void StatusDisplay(Game& g) {
  Blit(g, SheetBackround, true, 0, 600, 0, 800, 0, 600, 0, 800);
  DrawShipLostNotice(g);
  if (g.Ship.Exists) {
    ShipBar(g, g.Ship.Life, 0, 51, 75);
    // Low life: the bar blinks a warning red.
    if (LifeBarLit(g)) ShadeBox(g, 35, RoundToInteger(200 - std::max(g.Ship.Life, 0.0f) + 75), 86, 276, 0xFFF0E0, 150);
  }
  ShipBar(g, g.Ship.Charge, 51, 102, 324);
  StepPlayGuide(g);
  if (!g.Level.BossPhase) return;
  Blit(g, SheetBars, true, 75, 526, 715, 767, 0, 451, 152, 204);
  // The level director gives the boss a positive full life before the bar shows; without
  // one there is nothing to measure against, so only the case is drawn.
  if (g.Level.BossMaxLife <= 0) return;
  const double share = double(g.Level.BossLife) / double(g.Level.BossMaxLife);
  int top = RoundToInteger(std::fabs(451.0 - 451.0 * share));
  if (top > 451) top = 451;  // a boss below 0 life shows an empty bar, not rows off the sheet
  Blit(g, SheetBars, true, 75 + top, 526, 715, 765, top, 451, 102, 152);
}
