// Game controllers: every pad SDL has a mapping for, plugged in or out at any time. They feed the
// same key table and pointer as the keyboard and mouse, so the game never knows which was used.
//
// In a level:  left stick, D-pad   arrow keys (steer)        left stick click  Space (half speed)
//              A, B                X, C (fire slots 1, 2)    X, Y              Z, V (abilities 1, 2)
//              left shoulder       A (health potion)         right shoulder    S (charge potion)
//              either trigger      D (full potion)           Start             Escape (leave)
// In the menu: the left stick moves the pointer; A clicks left, B clicks right.
#pragma once

#include <SDL.h>

#include <array>
#include <vector>

#include "platform/stick_pointer.h"

class Gamepads {
 public:
  Gamepads() = default;
  ~Gamepads() { Stop(); }
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Starts SDL's controller support; the pads already plugged in then arrive as "added" events.
  void Start();
  void Stop();

  // Takes a controller event (added, removed, remapped, button, axis); false for any other event.
  bool HandleEvent(const SDL_Event& e);
  // A new frame's events are about to be taken: a press shorter than a frame counts in the frame
  // its events arrive in, and is forgotten after it, whether that frame read it or not.
  void BeginFrame();
  // The window lost the focus: nothing is held any more. It got it back: read what is held now.
  void ReleaseAll();
  void Resync();

  // Sets the key-table entries the pads hold (or pressed in this frame). It only ever sets entries,
  // so a key held on the keyboard stays held whatever the pads do, and the reverse.
  void AddKeys(std::array<bool, 256>& keys) const;
  // One frame of the pointer: the left stick's motion (a dead zone, then faster the further it is
  // pushed) and the two click buttons.
  void PointerStep(int& dx, int& dy, bool& left, bool& right);

  int Count() const { return int(Pads.size()); }

  // Stick and trigger thresholds (of 32767): a direction is taken at Press and let go below Release,
  // so a stick resting near the threshold does not flicker.
  static constexpr int StickPress = 12000, StickRelease = 8000;
  static constexpr int TriggerPress = 16000, TriggerRelease = 8000;

 private:
  struct Pad {
    SDL_JoystickID Id = -1;
    SDL_GameController* Handle = nullptr;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> Buttons{};
    std::array<int, SDL_CONTROLLER_AXIS_MAX> Axes{};
    std::array<bool, 4> Stick{};  // left, right, up, down
    std::array<bool, 2> Trigger{};
  };
  Pad* Find(SDL_JoystickID id);
  void Open(int deviceIndex);
  void SetButton(Pad& p, int button, bool down);
  void SetAxis(Pad& p, int axis, int value);

  bool Started = false;
  std::vector<Pad> Pads;
  std::array<bool, 256> Latched{};             // keys pressed during this frame
  bool LatchedLeft = false, LatchedRight = false;
  StickPointer Pointer;
};
