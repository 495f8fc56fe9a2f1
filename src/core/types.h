// The game's numeric vocabulary: the fixed-width types every table and entity uses,
// the one rounding rule, and the one random generator.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

using Integer = int16_t;  // 16-bit signed, as stored in the save file
using Long = int32_t;     // 32-bit signed
using Single = float;     // all "Single" arithmetic stays in float

inline constexpr double Pi = 3.14159265358979;

// Every "rounded" value of the game rounds to nearest, halves to even (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// Rounded conversions that saturate instead of overflowing: a value beyond the
// type's range (which no sound game state produces) is pinned to the nearest limit.
inline Integer RoundToInteger(double v) {
  double r = std::nearbyint(v);
  if (!(r >= -32768.0)) return r != r ? 0 : -32768;  // NaN reads as 0
  if (r > 32767.0) return 32767;
  return static_cast<Integer>(r);
}

inline Long RoundToLong(double v) {
  double r = std::nearbyint(v);
  if (!(r >= -2147483648.0)) return r != r ? 0 : std::numeric_limits<Long>::min();
  if (r > 2147483647.0) return std::numeric_limits<Long>::max();
  return static_cast<Long>(r);
}

// 16-bit addition that saturates rather than wraps.
inline Integer SatAdd(Integer a, int b) {
  int r = int(a) + b;
  if (r > 32767) return 32767;
  if (r < -32768) return -32768;
  return static_cast<Integer>(r);
}

// 32-bit addition that saturates rather than wraps.
inline Long SatAddLong(Long a, int64_t b) {
  int64_t r = int64_t(a) + b;
  if (r > std::numeric_limits<Long>::max()) return std::numeric_limits<Long>::max();
  if (r < std::numeric_limits<Long>::min()) return std::numeric_limits<Long>::min();
  return static_cast<Long>(r);
}

// The game's single source of chance: a 24-bit linear congruential generator,
// never seeded from the clock, so every run draws the same sequence.
struct RandomGenerator {
  uint32_t X = 327680;
  // A uniform number in [0, 1); exact in single precision (24 bits).
  Single Next() {
    X = static_cast<uint32_t>((uint64_t(X) * 1140671485u + 12820163u) & 0xFFFFFFu);
    return static_cast<Single>(X) / 16777216.0f;
  }
};
