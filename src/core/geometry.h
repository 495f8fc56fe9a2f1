// The geometry every subsystem shares: angles, the velocity push, the screen's fixed places.
// Single precision stays single where the game keeps it; only the trigonometry runs in double.
#pragma once

#include "core/types.h"

// The screen is 800 x 600; ships, enemies and bullets live in the play column x 100..700.
inline constexpr int ScreenWidth = 800, ScreenHeight = 600;
inline constexpr int PlayColumnLeft = 100;
inline constexpr int PlayColumnRight = 700;
// The pointer moves within 0..780, 0..570, so the whole cursor stays on screen.
inline constexpr int PointerMaxX = 780;
inline constexpr int PointerMaxY = 570;

Single DegToRad(Single degrees);
Single RadToDeg(Single radians);
// The direction from (x1, y1) to (x2, y2) in radians, on the whole circle (0 when the points meet).
Single HeadingTo(Single y1, Single y2, Single x1, Single x2);
// Kind 0: two real roots; 2: one double root; 1: complex (Root1 real part, Root2 imaginary part).
void SolveQuadratic(double& root1, double& root2, double a, double b, double c, Long& kind);
// Adds a push of `push` in `direction` to the velocity (speed, heading). A velocity straight up or
// down keeps the heading it had.
void AddPush(Single& speed, Single& heading, Single push, Single direction);

// The lowest index whose object does not exist, or -1 when the pool is full.
template <typename Pool>
int FirstFreeSlot(const Pool& pool) {
  for (int i = 0; i < int(pool.size()); ++i)
    if (!pool[size_t(i)].Exists) return i;
  return -1;
}
