#include "shell/autopilot_platform.h"

void AutopilotPlatform::BeginFrame(long long frame) {
  Inner.BeginFrame(frame);
  // Before content load there is no game to look at yet.
  Current = TheGame.GameRunning ? Pilot.Decide(TheGame) : PilotInput{};
}
