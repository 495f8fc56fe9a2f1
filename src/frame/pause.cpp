// Pause: P (or a gamepad's Back) stops a level and starts it again; losing the window's focus
// or hiding the window stops it too. While stopped no game frame runs at all, so the play
// clock, the play time and the random draws carry on exactly where they were.
#include "core/key_names.h"
#include "effects/flair_sheet.h"
#include "world/draw.h"
#include "platform/platform.h"
#include "frame/frame.h"

namespace {

// The pause screen over the frozen picture: the field dimmed, PAUSED in large type, the
// controls with the keys they are on now, and where the settings file is that moves them.
void DrawPauseScreen(Game& g) {
  ShadeBox(g, 100, 0, 700, 600, 0x02030A, 190);
  const flair::Rect word = flair::WordSlot(flair::WordPaused);
  Blit(g, SheetFlair, true, 120, 120 + word.Height(), 400 - word.Width() / 2, 400 + word.Width() / 2, word.Top,
       word.Bottom, word.Left, word.Right);
  auto key = [&](int gameKey) { return KeyNameForCode(g.KeySource[size_t(gameKey)]); };
  DrawTextIn(g, 358, 172, key(KeyP) + " TO PLAY ON", 0xFFD060);

  ShadeBox(g, 180, 206, 620, 384, 0x080C1C, 236);
  DrawBoxIn(g, 180, 206, 620, 207, 0x5878B8);
  DrawBoxIn(g, 180, 383, 620, 384, 0x5878B8);
  DrawTextIn(g, 196, 214, "CONTROLS", 0x60D0FF);
  const struct {
    std::string Keys;
    const char* What;
  } rows[] = {
      {key(KeyUp) + " " + key(KeyDown) + " " + key(KeyLeft) + " " + key(KeyRight), "STEER"},
      {key(KeySpace), "FLY SLOWLY, FOR FINE DODGING"},
      {key(KeyX) + " / " + key(KeyC), "FIRE SLOT X / C, ONE KEY AT A TIME"},
      {key(KeyZ) + " / " + key(KeyV), "CHARGE ABILITIES"},
      {key(KeyA) + " " + key(KeyS) + " " + key(KeyD), "POTIONS: HEALTH / CHARGE / FULL"},
      {key(KeyEscape), "LEAVE THE LEVEL"},
      {key(KeyP), "PAUSE, AND PLAY ON"},
  };
  int y = 234;
  for (const auto& row : rows) {
    DrawTextIn(g, 196, y, row.Keys, 0xFFFFFF);
    DrawTextIn(g, 352, y, row.What, 0xC8D8F0);
    y += 17;
  }
  if (!g.SettingsPath.empty()) {
    DrawTextIn(g, 196, 398, "KEYS AND VOLUMES ARE SET IN", 0x8898B8);
    // A long path keeps its end, which names the file.
    std::string path = g.SettingsPath;
    if (path.size() > 90) path = "..." + path.substr(path.size() - 87);
    DrawTextIn(g, 196, 412, path, 0xC8D8F0);
  }
}

}  // namespace

PauseStep StepPause(Game& g, const FrameCommand& cmd) {
  const bool press = cmd.Keys[KeyP] && !g.PauseKeyHeld;
  g.PauseKeyHeld = cmd.Keys[KeyP];
  const bool blur = cmd.FocusLost;
  const bool hidden = cmd.Hidden;
  // Only a level pauses; the menu waits for the player anyway (it only holds while hidden).
  if (!g.InMenu && g.GameRunning) {
    if (press) g.Paused = !g.Paused;
    if (blur || hidden) g.Paused = true;
  } else {
    g.Paused = false;
  }
  const bool still = g.Paused || hidden;
  g.Still = still;
  if (!still) {
    g.PauseShown = false;  // the frame about to run draws a fresh picture
    return PauseStep::Run;
  }
  // The pause screen is drawn once, in the first step of the pause the player can see: a level
  // paused by hiding the window (minimised, or another tab brought up) shows it when the window
  // is back, so the frozen field always says it is paused and which key plays on.
  if (g.Paused && !hidden && !g.PauseShown) {
    DrawPauseScreen(g);
    g.PauseShown = true;
    return PauseStep::Show;
  }
  return PauseStep::Wait;
}

// The loop's step without the machine around it, for tests and tools: the pointer's motion taken,
// the pause looked at, and the frame run.
PauseStep StepGame(Game& g, const FrameCommand& cmd, FrameWatcher* watcher) {
  TakePointerMotion(g, cmd);
  const PauseStep pause = StepPause(g, cmd);
  if (pause == PauseStep::Run) {
    RunFrame(g, cmd, watcher);
    ++g.Harness.FrameNumber;
  }
  return pause;
}
