// Pause: P (or a gamepad's Back) stops a level and starts it again; losing the window's focus
// or hiding the window stops it too. While stopped no game frame runs at all, so the play
// clock, the play time and the random draws carry on exactly where they were.
#include "platform/platform.h"
#include "shell/shell.h"

namespace {

// "PAUSED" on a dark plate in the middle of the play column, over the frozen picture.
void DrawPausePlate(Game& g) {
  g.Plat->FillBox(330, 276, 470, 318, 0x10142C);
  g.Plat->FillBox(330, 276, 470, 277, 0x7080C0);
  g.Plat->FillBox(330, 317, 470, 318, 0x7080C0);
  g.Plat->DrawText(376, 282, "PAUSED", 0xFFFFFF);
  g.Plat->DrawText(373, 299, "P to play on", 0xA0A8C8);
}

}  // namespace

PauseStep StepPause(Game& g) {
  std::array<bool, 256> keys{};
  g.Plat->ReadKeyboard(keys);
  const bool press = keys[KeyP] && !g.PauseKeyHeld;
  g.PauseKeyHeld = keys[KeyP];
  const bool blur = g.Plat->FocusLost();
  const bool hidden = g.Plat->Hidden();
  const bool wasPaused = g.Paused;
  // Only a level pauses; the menu waits for the player anyway (it only holds while hidden).
  if (!g.InMenu && g.GameRunning) {
    if (press) g.Paused = !g.Paused;
    if (blur || hidden) g.Paused = true;
  } else {
    g.Paused = false;
  }
  const bool still = g.Paused || hidden;
  if (still != g.Still) g.Plat->SetPaused(still);
  g.Still = still;
  if (!still) return PauseStep::Run;
  if (g.Paused && !wasPaused && !hidden) {
    DrawPausePlate(g);
    return PauseStep::Show;
  }
  return PauseStep::Wait;
}
