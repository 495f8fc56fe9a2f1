// The falling star field behind menus and play: 50 stars, always alive.
#pragma once

#include "core/types.h"

struct Game;

struct StarClass {
  Integer Kind = 0;
  Single Xpos = 0, Ypos = 0;
  Single Speed = 0;

  void Initialize(Single xpos, Single ypos, Single speed, Integer kind);
  void MoveStar(Game& g);
  void ScreenLimit(Game& g);
  void DrawStar(Game& g);
};

// Scatters all 50 stars over the play column (start-up and every level start).
void SeedStars(Game& g);
void StepStars(Game& g);
