// The shot entity. (Filled in by the shots work.)
#include "shell/game.h"
#include "shots/shot_class.h"

void ShotClass::Shoot(Integer, Integer, Single, Single, Integer, Integer, Single, Integer, Integer, Integer, Single,
                      Single, Integer, Integer, Integer) {}
void ShotClass::MoveShot(Game&) {}
void ShotClass::ShotReturn(Game&) {}
void ShotClass::DrawShot(Game&) {}
void ShotClass::AccelShot(Single, Single) {}
