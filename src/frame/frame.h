// The frame of the game: content load, the frame dispatcher, the play clock, the pause and the level start.
#pragma once

#include "world/game.h"
#include "world/command.h"

// Content load: the clock, the pools, the tables, the ship's start values and the saved progress
// (as the save file gave it). The art and sounds are the machine's (shell/host.h).
void ContentLoad(Game& g, const ProgressBlock& progress, int32_t ticks);

// Looks at a play frame from outside the game, between its steps; the soak test uses it to check
// the ship right after its upkeep, before the enemy bullets of the same frame hit it.
class FrameWatcher {
 public:
  virtual ~FrameWatcher() = default;
  // After the ship's step, on frames where the ship flew (even if it has just died).
  virtual void AfterShipStep(const Game& g) = 0;
};

// One frame of the game from what the player did: the play clock, Escape, the keyboard, then a
// menu or a play frame. The command's pointer motion must have been taken first (StepGame does).
void RunFrame(Game& g, const FrameCommand& cmd, FrameWatcher* watcher = nullptr);

// One step of the main loop: the pointer's motion taken, P and the window's focus and visibility
// looked at, and a frame run unless the game is paused (see PauseStep).
enum class PauseStep;
PauseStep StepGame(Game& g, const FrameCommand& cmd, FrameWatcher* watcher = nullptr);

// The menu screen, and what it asks for carried out: a level started, or the game left.
void MenuScreen(Game& g);

// The parts of a frame, exposed for tests.
void AdvancePlayClock(Game& g, int32_t now);
void LeaveLevelOnEscape(Game& g);
void PollKeyboard(Game& g, const FrameCommand& cmd);
void TakePointerMotion(Game& g, const FrameCommand& cmd);
void PollMouse(Game& g, const FrameCommand& cmd);
void ClickEdges(Game& g);

// Starts level index 0..12 (levels 1..10, mini game, marathon, boss arena).
void StartLevel(Game& g, int levelIndex);

// Asks for a save and ends the main loop, as the menu's quit button does.
void QuitGame(Game& g);

// Before each frame: P, the window's focus and visibility. Run: a game frame runs now.
// Show: the game has just paused and "PAUSED" is drawn over the last frame, to be shown.
// Wait: nothing runs and nothing new is shown.
enum class PauseStep { Run, Show, Wait };
PauseStep StepPause(Game& g, const FrameCommand& cmd);
