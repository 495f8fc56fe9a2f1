// Gamepads in the browser (the Gamepad API's standard layout), turned into the keys and pointer
// the game reads with the same mapping as the desktop's controllers:
//
// In a level:  left stick, D-pad   arrow keys (steer)        left stick click  Space (half speed)
//              A, B                X, C (fire slots 1, 2)    X, Y              Z, V (abilities 1, 2)
//              left shoulder       A (health potion)         right shoulder    S (charge potion)
//              either trigger      D (full potion)           Start             Escape (leave)
// In the menu: the left stick moves the pointer; A clicks left, B clicks right.
#pragma once

#include <array>
#include <vector>

#include "platform/stick_pointer.h"

// One pad as the page read it this frame: the standard layout's buttons, the left stick and the
// triggers, scaled to the desktop's ranges (stick -32768..32767, triggers 0..32767).
struct PadReading {
  int Index = -1;
  unsigned Buttons = 0;  // bit b: standard button b held
  int LeftX = 0, LeftY = 0, LeftTrigger = 0, RightTrigger = 0;
};

class WebPads {
 public:
  // Takes the frame's readings; a pad no longer read is unplugged and holds nothing.
  void Update(const std::vector<PadReading>& readings);
  // Away from the page nothing is held.
  void ReleaseAll() { Pads.clear(); }
  void AddKeys(std::array<bool, 256>& keys) const;
  void PointerStep(int& dx, int& dy, bool& left, bool& right);

  // The desktop's thresholds (of 32767); the stick moves the pointer as on the desktop.
  static constexpr int StickPress = 12000, StickRelease = 8000;
  static constexpr int TriggerPress = 16000, TriggerRelease = 8000;

 private:
  struct Pad {
    PadReading Now;
    std::array<bool, 4> Stick{};  // left, right, up, down
    std::array<bool, 2> Trigger{};
  };
  std::vector<Pad> Pads;
  StickPointer Pointer;
};
