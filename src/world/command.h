// Everything a person does in one step of the main loop, as the game reads it: the keys after the
// player's bindings, the pointer's motion and buttons, and what happened to the window. Built
// once a step by the devices, a script or a pilot; recorded as it is; handed to the game, which
// reads nothing else of the outside world (but the clock, which comes with it).
#pragma once

#include <array>
#include <cstdint>

struct FrameCommand {
  std::array<bool, 256> Keys{};  // by the game's scan codes, after the bindings
  int Dx = 0, Dy = 0;            // the pointer's motion in this step
  bool Left = false, Right = false;  // its buttons held (or pressed and let go within the step)
  bool FocusLost = false;        // the window lost the focus in this step
  bool Hidden = false;           // the window is hidden (minimised) in this step
  bool Close = false;            // the player closed the window (or the process was asked to stop)
  int32_t Ticks = 0;             // the millisecond clock at this step (not recorded: replays keep time)

  bool operator==(const FrameCommand&) const = default;
};
