// How enemy gunners aim: straight at the ship, or ahead of it on an interception course.
#include <cmath>

#include "enemies/data_tables.h"
#include "core/geometry.h"
#include "enemies/enemy_rules.h"
#include "world/game.h"

namespace {

void ShipCentre(const Game& g, Single& sx, Single& sy) {
  sx = (g.Ship.Right - g.Ship.Left) / 2 + g.Ship.Left;
  sy = (g.Ship.Bottom - g.Ship.Top) / 2 + g.Ship.Top;
}

}  // namespace

Single AimAtShip(const Game& g, Single px, Single py) {
  Single sx, sy;
  ShipCentre(g, sx, sy);
  return HeadingTo(py, sy, px, sx);
}

Single InterceptionCourse(const Game& g, Single px, Single py, Single shotSpeed) {
  Single sx, sy;
  ShipCentre(g, sx, sy);
  Single dx = sx - px;
  Single dy = sy - py;
  double vs = g.Ship.Speed;
  double vh = g.Ship.Heading;
  // Against a faster ship the gunner plans as if its bullet were a little faster than the ship;
  // the bullet itself keeps its own speed.
  double s = shotSpeed;
  if (vs > s) s = vs + 1;

  double a = vs * vs - s * s;
  if (a == 0) a = 0.1;
  double b = 2 * vs * (std::cos(vh) * dx + std::sin(vh) * dy);
  double c = double(dx) * dx + double(dy) * dy;
  double root1 = 0, root2 = 0;
  Long kind = 0;
  SolveQuadratic(root1, root2, a, b, c, kind);
  // The later of two meeting times; with no real meeting, the real part.
  double t = root1;
  if (kind != 1 && root2 > root1) t = root2;

  // No meeting time ahead (the ship already on the muzzle, or out of reach): aim straight at it.
  if (!(t > 0)) return AimAtShip(g, px, py);
  double ux = (dx + vs * t * std::cos(vh)) / (s * t);
  double uy = (dy + vs * t * std::sin(vh)) / (s * t);
  if (!std::isfinite(ux) || !std::isfinite(uy)) return AimAtShip(g, px, py);
  if (ux == 0) return static_cast<Single>(std::atan2(uy, ux));  // straight up or down
  double h = (ux > 0 ? 1.0 : -1.0) * std::atan(uy / ux);
  if (ux < 0) h = Pi - h;
  return static_cast<Single>(h);
}
