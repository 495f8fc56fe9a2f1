// A short explosion animation; the game keeps a pool of 50.
#pragma once

#include "core/types.h"

struct Game;

// An explosion kind: where its strip sits on the sheet, its frame size and length.
struct ExploTypeRec {
  Integer SrcTop = 0, Height = 0, Width = 0, FrameAmount = 0;
};

struct ExploClass {
  Single Xpos = 0, Ypos = 0;
  Single Frame = 0;
  Integer Height = 0, Width = 0, AmtFrames = 0, SrcTop = 0;
  bool Exists = false;

  void Initialize(Single xpos, Single ypos, Integer frameAmount, Integer height, Integer width, Integer srcTop,
                  Integer startFrame);
  void DoExplosion(Game& g);
};

void AddExplosion(Game& g, Integer kind, Single xpos, Single ypos, Integer startFrame);
void StepExplosions(Game& g);
// The three explosion kinds: large, larger, and the small spark of a hit.
void FillExplosionKinds(Game& g);
