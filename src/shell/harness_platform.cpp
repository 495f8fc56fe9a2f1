#include "shell/harness_platform.h"

#include "shell/game.h"

void ScriptedPlatform::BeginFrame(long long frame) {
  Inner.BeginFrame(frame);
  if (frame == BegunFrame) return;  // the content load and the first frame share frame 0
  BegunFrame = frame;
  Current = Script.For(frame);
  if (Current.HasTarget) {
    // One relative motion from where the pointer is now (plus anything not yet read).
    PendingDx = Current.TargetX - TheGame.MouseX;
    PendingDy = Current.TargetY - TheGame.MouseY;
  }
  // Motion piles up through play frames, which never read the mouse: saturate, not overflow.
  PendingDx = SatAddLong(PendingDx, Current.Dx);
  PendingDy = SatAddLong(PendingDy, Current.Dy);
}

void ScriptedPlatform::ReadMouse(int& dx, int& dy, bool& left, bool& right) {
  dx = PendingDx;
  dy = PendingDy;
  PendingDx = PendingDy = 0;
  left = Current.LButton;
  right = Current.RButton;
}
