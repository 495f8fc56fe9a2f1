// The frame dispatcher: one call is one frame of the game.
#include "effects/backdrop.h"
#include "effects/explo_class.h"
#include "effects/flair.h"
#include "effects/star_class.h"
#include "enemies/enemy_class.h"
#include "levels/levels.h"
#include "menus/menus.h"
#include "world/draw.h"
#include "platform/platform.h"
#include "frame/frame.h"
#include "ship/ship_class.h"
#include "shots/shot_class.h"

void AdvancePlayClock(Game& g, int32_t now) {
  // The difference is taken modulo 2^32, like the old tick count's arithmetic.
  int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(g.ClockLastTick));
  if (elapsed < 1000) return;
  auto& t = g.Progress.PlayTime;
  t[2] = SatAdd(t[2], 1);
  if (t[2] >= 60) {
    t[2] = 0;
    t[1] = SatAdd(t[1], 1);
    if (t[1] > 59) {
      t[1] = 0;
      t[0] = SatAdd(t[0], 1);
    }
  }
  // Exactly one second is counted, so after a stall the clock catches up one second per frame.
  g.ClockLastTick = static_cast<Long>(static_cast<uint32_t>(g.ClockLastTick) + 1000u);
}

void LeaveLevelOnEscape(Game& g) {
  if (!g.Keys[KeyEscape] || g.InMenu) return;
  g.InMenu = true;
  auto& s = g.Progress.Stats;
  auto fold = [](Long& stat, double add) { stat = RoundToLong(double(stat) + add); };
  fold(s[StatDamageTaken], g.Level.DamageTaken);
  fold(s[StatDamageDealt], g.Level.DamageDealt);
  s[StatKills] = SatAddLong(s[StatKills], g.Level.KillCount);
  s[StatPotionsUsed] = SatAddLong(s[StatPotionsUsed], g.Level.PotionsUsedLevel);
  fold(s[StatDistance], g.Level.DistanceMoved);
}

void PollKeyboard(Game& g, const FrameCommand& cmd) {
  for (int code = 1; code <= 211; ++code) g.Keys[code] = cmd.Keys[size_t(code)];
}

void TakePointerMotion(Game& g, const FrameCommand& cmd) {
  // Play frames never read the pointer: its motion waits for the next menu frame, as a mouse's
  // does until it is read. Saturated, not overflowed, however long it waits.
  g.PendingDx = SatAddLong(g.PendingDx, cmd.Dx);
  g.PendingDy = SatAddLong(g.PendingDy, cmd.Dy);
}

void PollMouse(Game& g, const FrameCommand& cmd) {
  const int dx = g.PendingDx, dy = g.PendingDy;
  const bool left = cmd.Left, right = cmd.Right;
  g.PendingDx = g.PendingDy = 0;
  // In 64 bits: the motion may be any int.
  long long x = (long long)g.MouseX + dx, y = (long long)g.MouseY + dy;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x > PointerMaxX) x = PointerMaxX;
  if (y > PointerMaxY) y = PointerMaxY;
  g.MouseX = static_cast<Integer>(x);
  g.MouseY = static_cast<Integer>(y);
  g.MouseLeft = left;
  g.MouseRight = right;
}

// In menus a button reads true only on the first frame of a press.
static void ClickEdge(bool& button, bool& held) {
  if (!button) {
    held = false;
  } else if (held) {
    button = false;
  } else {
    held = true;
  }
}

void ClickEdges(Game& g) {
  ClickEdge(g.MouseLeft, g.MouseLeftDown);
  ClickEdge(g.MouseRight, g.MouseRightDown);
}

void MenuScreen(Game& g) {
  const MenuRequest request = MenuFrame(g);
  if (request.Kind == MenuRequest::StartLevel) StartLevel(g, request.LevelIndex);
  if (request.Kind == MenuRequest::Quit) QuitGame(g);
}

static void MenuFrameSteps(Game& g, const FrameCommand& cmd) {
  PollMouse(g, cmd);
  ClickEdges(g);
  StepStars(g);
  MenuScreen(g);
}

static void PlayFrameSteps(Game& g, FrameWatcher* watcher) {
  BeginFlair(g);
  DrawBackdrop(g);
  StepStars(g);
  Spawner(g);
  if (!g.LevelOver) {
    StepEnemies(g);
    StepShots(g);
    NoteNewShots(g);
    const bool shipFlies = g.Ship.Exists;
    StepShip(g);
    if (watcher && shipFlies) watcher->AfterShipStep(g);
    StepEnemyShots(g);
  }
  StepExplosions(g);
  StepFlair(g);
  LevelDirector(g);
  StatusDisplay(g);
  if (g.Level.ChargeOn[AbilityShotEraser]) {
    // The shot eraser floods the play area white for its one frame.
    g.Pen.FillColour = 0xFFFFFF;
    DrawBox(g, 100, 0, 700, 600);
  }
}

// Escape is handled before the keyboard poll on purpose: the spawner (after the ship is lost)
// and the results screen (after a pay-out) leave the level by holding Escape in the key table
// during one frame, and the dispatcher of the next frame must still see it.
void RunFrame(Game& g, const FrameCommand& cmd, FrameWatcher* watcher) {
  g.Harness.SoundsThisFrame.clear();
  AdvancePlayClock(g, cmd.Ticks);
  LeaveLevelOnEscape(g);
  PollKeyboard(g, cmd);
  if (g.InMenu) {
    MenuFrameSteps(g, cmd);
  } else {
    PlayFrameSteps(g, watcher);
  }
}
