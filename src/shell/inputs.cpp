#include "shell/inputs.h"

#include <algorithm>

#include "world/game.h"

FrameCommand DeviceCommands::Next(const Game& g, long long) { return Device.ReadCommand(g.InMenu); }

FrameCommand ScriptCommands::Next(const Game& g, long long step) {
  const FrameInput in = Script.For(step);
  FrameCommand c;
  c.Keys = in.GameKeys ? in.Keys : Bindings.Apply(in.Keys);
  long long dx = in.Dx, dy = in.Dy;
  if (in.HasTarget) {
    // One motion from where the pointer is, with what still waits unread, onto the spot.
    dx += (long long)in.TargetX - g.MouseX - g.PendingDx;
    dy += (long long)in.TargetY - g.MouseY - g.PendingDy;
  }
  c.Dx = int(std::clamp<long long>(dx, INT32_MIN, INT32_MAX));
  c.Dy = int(std::clamp<long long>(dy, INT32_MIN, INT32_MAX));
  c.Left = in.LButton;
  c.Right = in.RButton;
  c.FocusLost = in.Blur;
  c.Hidden = in.Hidden;
  c.Close = in.Close || Device.ReadCommand(false).Close;
  return c;
}
