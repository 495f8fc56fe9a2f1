// The pilot at the controls: its keys and pointer, with the pause key and closing left to the
// player.
#include "shell/inputs.h"

#include "world/game.h"

FrameCommand PilotCommands::Next(const Game& g, long long) {
  const FrameCommand device = Device.ReadCommand(false);
  const PilotInput p = g.GameRunning ? Pilot.Decide(g) : PilotInput{};
  FrameCommand c;
  c.Keys = p.Keys;
  c.Keys[KeyP] = device.Keys[KeyP];
  c.Dx = p.Dx;
  c.Dy = p.Dy;
  c.Left = p.Left;
  c.Right = p.Right;
  c.Close = device.Close;
  return c;
}
