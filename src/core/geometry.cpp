#include "core/geometry.h"

#include <cmath>

Single DegToRad(Single degrees) { return static_cast<Single>(double(degrees) / 180.0 * Pi); }

Single RadToDeg(Single radians) { return static_cast<Single>(double(radians) * 180.0 / Pi); }

namespace {

// The arctangent half of a heading: right for targets in two quadrants only.
Single HalfHeading(Single y1, Single y2, Single x1, Single x2) {
  // The differences are Single arithmetic; only the arctangent is taken in double.
  const Single dy = y2 - y1;
  const Single dx = x2 - x1;
  if (dx != 0) {
    if (dy > 0) return static_cast<Single>(std::atan(double(dy) / double(dx)));
    if (dy == 0) return 0;
    return static_cast<Single>(std::atan(double(dy) / double(dx)) + Pi);
  }
  if (dy > 0) return static_cast<Single>(Pi / 2);
  if (dy < 0) return static_cast<Single>(9.42477796076937 / 2);
  return 0;
}

}  // namespace

Single HeadingTo(Single y1, Single y2, Single x1, Single x2) {
  const Single h = HalfHeading(y1, y2, x1, x2);
  // The other two quadrants are turned round by half a circle.
  if ((x2 < x1 && y2 >= y1) || (x2 > x1 && y2 < y1)) return static_cast<Single>(double(h) + Pi);
  return h;
}

void SolveQuadratic(double& root1, double& root2, double a, double b, double c, Long& kind) {
  // The discriminant is kept in single precision.
  double disc = static_cast<Single>(b * b - 4 * a * c);
  if (disc > 0) {
    kind = 0;
    root1 = (-b + std::sqrt(disc)) / (2 * a);
    root2 = (-b - std::sqrt(disc)) / (2 * a);
  } else if (disc == 0) {
    kind = 2;
    root1 = root2 = -b / (2 * a);
  } else {
    kind = 1;
    root1 = -b / (2 * a);
    root2 = std::sqrt(-disc) / (2 * a);
  }
}

void AddPush(Single& speed, Single& heading, Single push, Single direction) {
  const double vx = double(push) * std::cos(double(direction)) + double(speed) * std::cos(double(heading));
  const double vy = double(push) * std::sin(double(direction)) + double(speed) * std::sin(double(heading));
  if (vx > 0) {
    heading = static_cast<Single>(std::atan(vy / vx));
  } else if (vx < 0) {
    heading = static_cast<Single>(std::atan(vy / vx) + Pi);
  }
  speed = static_cast<Single>(std::sqrt(vx * vx + vy * vy));
}
