// The platform the autopilot plays through: its keys and mouse stand in for the devices'.
#pragma once

#include "autopilot/autopilot.h"
#include "shell/game.h"
#include "shell/harness_platform.h"

// Keyboard and mouse come from the autopilot, which looks at the game before every frame.
// The window (or a stop signal) can still end the run.
class AutopilotPlatform : public ForwardingPlatform {
 public:
  AutopilotPlatform(Platform& inner, Autopilot& pilot, const Game& game)
      : ForwardingPlatform(inner), Pilot(pilot), TheGame(game) {}
  void BeginFrame(long long frame) override;
  // The watcher keeps the pause key: a window that lost the focus pauses the level, and only
  // the player at the keyboard can let it play on.
  void ReadKeyboard(std::array<bool, 256>& keys) override {
    std::array<bool, 256> device{};
    Inner.ReadKeyboard(device);
    keys = Current.Keys;
    keys[KeyP] = device[KeyP];
  }
  void ReadMouse(int& dx, int& dy, bool& left, bool& right) override {
    dx = Current.Dx;
    dy = Current.Dy;
    left = Current.Left;
    right = Current.Right;
    Current.Dx = Current.Dy = 0;  // motion is given once
  }
  // The pilot never presses pause, so the window's focus and visibility do not stop it.
  bool FocusLost() override { return Inner.FocusLost(), false; }
  bool Hidden() override { return false; }

 private:
  Autopilot& Pilot;
  const Game& TheGame;
  PilotInput Current;
};
