// What answers the player on the screen and in the ears, and nothing more: the ship's flash and
// the red flush at the column's edges when it is hurt, the shake of a heavy hit, the flash at a
// gun's mouth, sparks where a shot strikes, the long blast of the ship's loss, and a blinking
// life bar with a soft warning when life runs low.
//
// It reads the game and never writes it: nothing here decides anything in play, its randomness
// is its own generator, and a recorded run plays the same whether or not any of it is drawn.
#pragma once

#include <array>
#include <cstdint>

#include "core/types.h"

struct Game;

struct FlairParticle {
  enum Kind : uint8_t { Spark, Ember, Muzzle };
  Single X = 0, Y = 0, Vx = 0, Vy = 0;  // a muzzle flash's X and Y are from the ship's nose
  int16_t Age = 0, Life = 0;            // frames lived, and to live
  Kind What = Spark;
  bool Alive = false;
};

// One fireball of the ship's loss, started after a delay and drawn larger than the game's own.
struct FlairBlast {
  Single X = 0, Y = 0, Size = 1;
  int16_t Delay = 0, Age = 0;
  bool Alive = false;
};

struct FlairState {
  RandomGenerator Dice{0x2F6B41};  // the looks' own dice; the game's are never touched
  bool ShakeOn = true;             // settings.ini: screen_shake
  std::array<FlairParticle, 128> Particles{};
  int NextParticle = 0;  // the slot the next particle takes (the oldest goes first when full)
  std::array<FlairBlast, 8> Blasts{};
  int RingAge = -1;  // the ring of the ship's loss; -1 when there is none
  Single RingX = 0, RingY = 0;
  int WhiteOut = 0;        // frames left of the column's white flash at the ship's loss
  int ShipFlash = 0;       // frames left of the ship's flash
  int EdgePulse = 0;       // frames left of the red edges
  Single EdgeStrength = 0;
  int Shake = 0, ShakeLength = 1;  // frames left of the shake, of how many
  Single ShakePower = 0;           // pixels at its start
  int WarningWait = 0;             // frames until the low-life warning may sound again
  uint32_t Frame = 0;              // play frames seen, for blinking
  // How the frame found the ship and the shots.
  Single DamageBefore = 0;
  bool ShipBefore = false;
  Single ShipLeft = 0, ShipTop = 0, ShipWidth = 0;
  std::array<uint64_t, 4> ShotsBefore{};
};

// Below this life (a quarter) the life bar blinks and the warning sounds.
inline constexpr Single LowLife = 50;
// Frames between two low-life warnings at most: a second and a half.
inline constexpr int WarningInterval = 90;

// A new level: nothing of the last one's flashes, sparks or shake is left.
void ResetFlair(Game& g);
// The first step of a play frame: notes the ship and the shots, and shakes the picture of the
// play column while a heavy hit's shake lasts.
void BeginFlair(Game& g);
// After the shots' step: a flash at the mouth of the gun each new shot left.
void NoteNewShots(Game& g);
// Where a shot strikes a craft: a spray of sparks.
void AddHitSparks(Game& g, Single x, Single y);
// After the explosions: what the ship went through this frame (a hit, its loss), the low-life
// warning, and the drawing of it all; the picture stops shaking for what follows (the frame
// around the column, the bars and the notices).
void StepFlair(Game& g);
// The life bar blinks while life is low: whether it is lit in this frame.
bool LifeBarLit(const Game& g);
// The ship shows its hit flash in this frame.
bool ShipFlashing(const Game& g);
