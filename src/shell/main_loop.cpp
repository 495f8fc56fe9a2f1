#include "shell/main_loop.h"

#include <iostream>

#include "world/game.h"
#include "frame/frame.h"
#include "shell/state_json.h"

// Scripts and the step limit count the steps of this loop, paused ones included, so a recorded
// run with pauses replays as it was; the state's `frame` counts the game frames that ran. The
// picture is cleared just before a frame is drawn, so a pause shows the last frame.
bool MainLoop::Step() {
  if (!G.GameRunning) return false;
  if (Options.Frames >= 0 && StepCount >= Options.Frames) return false;
  Device.BeginFrame(StepCount);
  FrameCommand cmd = Input.Next(G, StepCount);
  if (Options.Record) Options.Record->Note(StepCount, cmd);
  ++StepCount;

  TakePointerMotion(G, cmd);
  const PauseStep pause = StepPause(G, cmd);
  // Standing still, the machine rests: the clock stops and the loop waits for events.
  if (G.Still != Still) Device.SetPaused(G.Still);
  Still = G.Still;
  cmd.Ticks = Device.TickCount();  // read once the pause is settled: paused time is left out
  if (pause == PauseStep::Run) {
    if (Shown && H.Screen) H.Screen->BeginFrame();
    RunFrame(G, cmd);
    ++G.Harness.FrameNumber;
  }
  // Closing the window (or SIGINT / SIGTERM) saves and quits as the quit button does.
  if (G.GameRunning && cmd.Close) QuitGame(G);
  DeliverOutputs(H, G, pause == PauseStep::Run);
  if (pause == PauseStep::Run && Options.Trace) *Options.Trace << StateJson(G, true) << '\n';
  const bool last = !G.GameRunning || (Options.Frames >= 0 && StepCount >= Options.Frames);
  if (last && !Options.ScreenshotFile.empty() && (!H.Screen || !Device.SaveScreenshot(Options.ScreenshotFile, *H.Screen)))
    std::cerr << "zorvane2: could not write the screenshot " << Options.ScreenshotFile << "\n";
  if (pause != PauseStep::Wait) {
    if (H.Screen) Device.Present(*H.Screen);
    Shown = true;
  }
  return true;
}
