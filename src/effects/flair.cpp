// The play column's answers to the player: flashes, sparks, shakes, the blast of the ship's loss
// and the low-life warning. See flair.h.
#include "effects/flair.h"

#include <algorithm>
#include <cmath>

#include "effects/flair_sheet.h"
#include "world/sound.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

// A hit of at least this much life in one frame shakes the picture.
constexpr Single HeavyHit = 25;
constexpr int FlashFrames = 14, PulseFrames = 24;
constexpr int RingFrames = 32, WhiteOutFrames = 10;

Single Between(FlairState& f, Single low, Single high) { return low + (high - low) * f.Dice.Next(); }

FlairParticle& NewParticle(FlairState& f) {
  FlairParticle& p = f.Particles[size_t(f.NextParticle)];
  f.NextParticle = (f.NextParticle + 1) % int(f.Particles.size());
  p = {};
  p.Alive = true;
  return p;
}

void StartShake(FlairState& f, Single power, int frames) {
  // A harder hit takes over from a softer one still shaking.
  const Single now = f.Shake > 0 ? f.ShakePower * Single(f.Shake) / Single(f.ShakeLength) : 0;
  if (power < now) return;
  f.ShakePower = power;
  f.Shake = f.ShakeLength = frames;
}

void ShipHurt(FlairState& f, Single damage) {
  f.ShipFlash = FlashFrames;
  f.EdgePulse = PulseFrames;
  f.EdgeStrength = std::clamp(damage / 40, 0.4f, 1.0f);
  if (damage >= HeavyHit) StartShake(f, std::min(2 + damage / 20, 5.0f), 12);
}

// The ship's loss: fireballs over and around the wreck one after another, embers flung out, a
// ring of light and a white flash over the column, and the longest shake.
void ShipLost(Game& g) {
  FlairState& f = g.Flair;
  const Single cx = f.ShipLeft + f.ShipWidth / 2, cy = f.ShipTop + 28;
  for (size_t i = 0; i < f.Blasts.size(); ++i) {
    FlairBlast& b = f.Blasts[i];
    b.Alive = true;
    b.Age = 0;
    b.Delay = int16_t(i == 0 ? 0 : 3 + 6 * int(i) + int(Between(f, 0, 5)));
    b.Size = i == 0 ? 2.2f : Between(f, 1.0f, 1.6f);
    const Single reach = i == 0 ? 0 : Between(f, 18, 46);
    const Single angle = Between(f, 0, Single(2 * Pi));
    b.X = cx + reach * Single(std::cos(double(angle)));
    b.Y = cy + reach * Single(std::sin(double(angle)));
  }
  for (int i = 0; i < 36; ++i) {
    FlairParticle& p = NewParticle(f);
    p.What = FlairParticle::Ember;
    const Single angle = Between(f, 0, Single(2 * Pi)), speed = Between(f, 1.0f, 5.5f);
    p.X = cx;
    p.Y = cy;
    p.Vx = speed * Single(std::cos(double(angle)));
    p.Vy = speed * Single(std::sin(double(angle)));
    p.Life = int16_t(Between(f, 30, 70));
  }
  f.RingAge = 0;
  f.RingX = cx;
  f.RingY = cy;
  f.WhiteOut = WhiteOutFrames;
  f.ShipFlash = 0;
  f.EdgePulse = PulseFrames * 2;
  f.EdgeStrength = 1;
  StartShake(f, 7, 40);
}

// A picture of the flair sheet with its middle at (x, y).
void DrawCentred(Game& g, const flair::Rect& r, Single x, Single y) {
  const int left = RoundToInteger(x - Single(r.Width()) / 2), top = RoundToInteger(y - Single(r.Height()) / 2);
  Blit(g, SheetFlair, true, top, top + r.Height(), left, left + r.Width(), r.Top, r.Bottom, r.Left, r.Right);
}

void DrawParticles(Game& g) {
  FlairState& f = g.Flair;
  for (FlairParticle& p : f.Particles) {
    if (!p.Alive) continue;
    const int share = p.Life > 0 ? p.Age * 100 / p.Life : 100;  // of its life lived, in hundredths
    switch (p.What) {
      case FlairParticle::Spark:
        DrawCentred(g, flair::Spark(std::min(flair::SparkFrames - 1, share * flair::SparkFrames / 100)), p.X, p.Y);
        break;
      case FlairParticle::Ember:
        DrawCentred(g, flair::Ember(std::min(flair::EmberFrames - 1, share * flair::EmberFrames / 100)), p.X, p.Y);
        break;
      case FlairParticle::Muzzle: {
        // At the ship's nose, wherever the ship has gone since.
        const flair::Rect r = flair::Muzzle(std::min(int(p.Age), flair::MuzzleFrames - 1));
        DrawCentred(g, r, f.ShipLeft + p.X, f.ShipTop + p.Y);
        break;
      }
    }
  }
}

void MoveParticles(FlairState& f) {
  for (FlairParticle& p : f.Particles) {
    if (!p.Alive) continue;
    if (++p.Age >= p.Life) {
      p.Alive = false;
      continue;
    }
    p.X += p.Vx;
    p.Y += p.Vy;
    // Sparks and embers slow down in the wreck's smoke.
    p.Vx *= 0.93f;
    p.Vy *= 0.93f;
  }
}

void DrawBlasts(Game& g) {
  FlairState& f = g.Flair;
  constexpr int SrcTop = 60, Height = 70, Width = 80, Frames = 12;  // the larger fireball's strip
  for (FlairBlast& b : f.Blasts) {
    if (!b.Alive) continue;
    if (b.Delay > 0) {
      --b.Delay;
      continue;
    }
    const int frame = b.Age / 2;
    if (frame >= Frames) {
      b.Alive = false;
      continue;
    }
    const int w = RoundToInteger(Width * b.Size), h = RoundToInteger(Height * b.Size);
    const int left = RoundToInteger(b.X) - w / 2, top = RoundToInteger(b.Y) - h / 2;
    Blit(g, SheetExplosions, false, top, top + h, left, left + w, SrcTop, SrcTop + Height, frame * Width,
         (frame + 1) * Width);
    ++b.Age;
  }
  if (f.RingAge >= 0) {
    const int size = 60 + f.RingAge * 10;
    const flair::Rect r = flair::Ring;
    const int left = RoundToInteger(f.RingX) - size / 2, top = RoundToInteger(f.RingY) - size / 2;
    Blit(g, SheetFlair, false, top, top + size, left, left + size, r.Top, r.Bottom, r.Left, r.Right);
    if (++f.RingAge >= RingFrames) f.RingAge = -1;
  }
}

// A red flush along both edges of the play column, strongest at the edge.
void DrawEdges(Game& g) {
  FlairState& f = g.Flair;
  if (f.EdgePulse <= 0) return;
  const Single fade = Single(f.EdgePulse) / Single(PulseFrames);
  constexpr int Strips = 6, StripWidth = 5;
  for (int i = 0; i < Strips; ++i) {
    const int alpha = RoundToInteger(170 * f.EdgeStrength * std::min(fade, 1.0f) * Single(Strips - i) / Strips);
    ShadeBox(g, 100 + StripWidth * i, -8, 100 + StripWidth * (i + 1), 608, 0xFF2018, alpha);
    ShadeBox(g, 700 - StripWidth * (i + 1), -8, 700 - StripWidth * i, 608, 0xFF2018, alpha);
  }
  --f.EdgePulse;
}

}  // namespace

void ResetFlair(Game& g) {
  FlairState& f = g.Flair;
  const RandomGenerator dice = f.Dice;
  const bool shake = f.ShakeOn;
  f = {};
  f.Dice = dice;
  f.ShakeOn = shake;
}

void BeginFlair(Game& g) {
  FlairState& f = g.Flair;
  ++f.Frame;
  f.DamageBefore = g.Level.DamageTaken;
  f.ShipBefore = g.Ship.Exists;
  if (g.Ship.Exists) {
    f.ShipLeft = g.Ship.Left;
    f.ShipTop = g.Ship.Top;
    f.ShipWidth = g.Ship.Right - g.Ship.Left;
  }
  f.ShotsBefore = {};
  for (size_t i = 0; i < g.Shots.size(); ++i)
    if (g.Shots[i].Exists) f.ShotsBefore[i / 64] |= uint64_t(1) << (i % 64);
  g.Pen.ShiftX = g.Pen.ShiftY = 0;
  if (f.Shake > 0) {
    const Single power = f.ShakePower * Single(f.Shake) / Single(f.ShakeLength);
    const Single dx = Between(f, -power, power), dy = Between(f, -power, power);
    if (f.ShakeOn) {
      g.Pen.ShiftX = RoundToInteger(dx);
      g.Pen.ShiftY = RoundToInteger(dy);
    }
    --f.Shake;
  }
}

void NoteNewShots(Game& g) {
  FlairState& f = g.Flair;
  if (!f.ShipBefore) return;
  Single lastX = -1000;
  for (size_t i = 0; i < g.Shots.size(); ++i) {
    const ShotClass& s = g.Shots[i];
    if (!s.Exists || (f.ShotsBefore[i / 64] >> (i % 64)) & 1) continue;
    // Only shots that leave the ship itself: pieces that split off a shot in flight do not.
    const Single x = (s.Right - s.Left) / 2 + s.Left;
    if (x < f.ShipLeft - 30 || x > f.ShipLeft + f.ShipWidth + 30 || s.Bottom < f.ShipTop - 60 ||
        s.Top > f.ShipTop + 60)
      continue;
    // One flash for shots that leave side by side.
    if (std::fabs(x - lastX) < 7) continue;
    lastX = x;
    FlairParticle& p = NewParticle(f);
    p.What = FlairParticle::Muzzle;
    p.X = x - f.ShipLeft;
    p.Y = -4;
    p.Life = flair::MuzzleFrames;
  }
}

void AddHitSparks(Game& g, Single x, Single y) {
  FlairState& f = g.Flair;
  for (int i = 0; i < 5; ++i) {
    FlairParticle& p = NewParticle(f);
    p.What = FlairParticle::Spark;
    // Thrown back from the hull, mostly downward and to the sides.
    const Single angle = Between(f, Single(0.1 * Pi), Single(0.9 * Pi)) + (i == 0 ? Single(Pi) : 0);
    const Single speed = Between(f, 1.2f, 3.8f);
    p.X = x;
    p.Y = y;
    p.Vx = speed * Single(std::cos(double(angle)));
    p.Vy = speed * Single(std::sin(double(angle)));
    p.Life = int16_t(Between(f, 8, 16));
  }
}

void StepFlair(Game& g) {
  FlairState& f = g.Flair;
  const Single damage = g.Level.DamageTaken - f.DamageBefore;
  if (f.ShipBefore && !g.Ship.Exists) {
    ShipLost(g);
  } else if (g.Ship.Exists && damage > 0) {
    ShipHurt(f, damage);
  }
  // A soft warning while life is low, not more than once in WarningInterval frames.
  if (f.WarningWait > 0) --f.WarningWait;
  if (g.Ship.Exists && !g.LevelOver && g.Ship.Life < LowLife && f.WarningWait == 0) {
    PlaySoundIfOn(g, SoundWarning);
    f.WarningWait = WarningInterval;
  }
  if (f.ShipFlash > 0) --f.ShipFlash;

  if (Shown(g)) {
    DrawBlasts(g);
    DrawParticles(g);
    DrawEdges(g);
    if (f.WhiteOut > 0) ShadeBox(g, 100, -8, 700, 608, 0xFFFFFF, 16 * f.WhiteOut);
  } else {
    // Nobody sees them: they only run their course.
    for (FlairBlast& b : f.Blasts) b.Alive = false;
    f.RingAge = -1;
    f.EdgePulse = 0;
  }
  if (f.WhiteOut > 0) --f.WhiteOut;
  MoveParticles(f);
  g.Pen.ShiftX = g.Pen.ShiftY = 0;
}

bool LifeBarLit(const Game& g) {
  return g.Ship.Exists && g.Ship.Life < LowLife && (g.Flair.Frame / 8) % 2 == 0;
}

bool ShipFlashing(const Game& g) { return g.Flair.ShipFlash > 0 && (g.Flair.ShipFlash / 2) % 2 == 1; }
