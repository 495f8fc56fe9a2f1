// The backdrop of the play column and the notice of the ship's loss.
#include "effects/backdrop.h"

#include <cmath>

#include "world/draw.h"
#include "world/game.h"

namespace {
// Pixels the nebula drifts per clock unit: a tenth of the slowest star, so it reads as far away.
constexpr double DriftPerClock = 0.1;
}  // namespace

void DrawBackdrop(Game& g) {
  // The clock slows under MATRIX, and the nebula with it, like everything else in the column.
  const double drift = std::floor(double(g.Level.FrameClock) * DriftPerClock);
  double wrapped = std::fmod(drift, double(BackdropTileSize));
  if (wrapped < 0) wrapped += BackdropTileSize;
  const int shift = int(wrapped);
  // The tile's lower rows at the top of the screen, then the tile from its first row below them.
  if (shift > 0)
    Blit(g, SheetBackdrop, true, 0, shift, 100, 700, BackdropTileSize - shift, BackdropTileSize, 0, BackdropTileSize);
  Blit(g, SheetBackdrop, true, shift, shift + BackdropTileSize, 100, 700, 0, BackdropTileSize, 0, BackdropTileSize);
}

void DrawShipLostNotice(Game& g) {
  if (g.InMenu || g.Ship.Exists) return;
  Blit(g, SheetBackdrop, true, ShipLostY, ShipLostY + ShipLostHeight, ShipLostX, ShipLostX + ShipLostWidth,
       ShipLostTop, ShipLostTop + ShipLostHeight, ShipLostLeft, ShipLostLeft + ShipLostWidth);
}
