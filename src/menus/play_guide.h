// What guides a player through a level, over the play column: a card with the level's number and
// goals as it starts, the controls the first time a new player flies, a warning when the boss
// comes, a strip beside the column that shows how far the boss is, and a word near the ship when
// both fire keys are held (which fires neither gun without the double shot). It reads the game and
// never changes it.
#pragma once

#include "core/types.h"

struct Game;

struct PlayGuide {
  int CardAge = -1;             // frames the level's card has shown; -1: none
  int CardWord = -1;            // its large word (flair sheet)
  int ControlsAge = -1;         // frames the controls have shown; -1: none
  bool ControlsSeen = false;    // shown once a run, the first time a new save flies
  int BossAge = -1;             // frames the boss warning has shown; -1: none
  bool BossWasHere = false;     // the boss phase had begun by the last frame
  Integer ArenaBossSeen = 0;    // the arena's boss the last warning was for
  Integer StageSeen = 0;        // the marathon's stage the last card was for
  int BothFireKeys = 0;         // frames both fire keys have been held together
  int BothFireNotice = 0;       // frames left of the notice about them
};

// How long each shows, in frames.
inline constexpr int CardFrames = 120, ControlsFrames = 420, BossWarningFrames = 150, BothFireFrames = 100;

// A level (or a marathon's stage) starts: its card comes up, and for a new player the controls.
void StartPlayGuide(Game& g);
// In the status display, after the bars: the progress strip, the cards and the notices.
void StepPlayGuide(Game& g);
