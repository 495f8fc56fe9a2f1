// The one main loop of the desktop, the browser and the headless harness: each step asks the
// command source what the player did, lets P and the window pause the game, runs a frame unless
// it is paused, and shows what was drawn; the harness's trace, record and screenshot ride along.
#pragma once

#include <ostream>
#include <string>

#include "shell/host.h"
#include "shell/inputs.h"
#include "shell/script.h"

struct Game;

struct LoopOptions {
  long long Frames = -1;           // steps to run, paused ones included (-1: until the game ends)
  std::ostream* Trace = nullptr;   // a line of state after every frame that runs
  ScriptRecorder* Record = nullptr;  // every step's command
  std::string ScreenshotFile;      // the last step's picture
};

class MainLoop {
 public:
  MainLoop(Game& g, Host& host, CommandSource& input, LoopOptions options = {})
      : G(g), H(host), Device(*host.Device), Input(input), Options(std::move(options)) {}
  // One step; false once the loop is over (the game ended or the steps ran out), when nothing
  // more is done.
  bool Step();
  long long Steps() const { return StepCount; }

 private:
  Game& G;
  Host& H;
  Platform& Device;
  CommandSource& Input;
  LoopOptions Options;
  long long StepCount = 0;
  bool Shown = false;  // a picture has been shown, so the next frame starts from a cleared one
  bool Still = false;  // the game stood still in the last step
};
