// The star field. (Filled in by the effects work.)
#include "effects/star_class.h"
#include "shell/game.h"

void StarClass::Initialize(Single xpos, Single ypos, Single speed, Integer kind) {
  Xpos = xpos;
  Ypos = ypos;
  Speed = speed;
  Kind = kind;
}
void StarClass::MoveStar(Game&) {}
void StarClass::ScreenLimit(Game&) {}
void StarClass::DrawStar(Game&) {}
void SeedStars(Game&) {}
void StepStars(Game&) {}
