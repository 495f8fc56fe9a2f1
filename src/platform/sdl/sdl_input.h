// The desktop's input: the event queue, the keyboard by PC scan code through the player's
// bindings, the mouse (relative motion full screen, the system pointer in a window) and the
// gamepads, read into one command a step.
#pragma once

#include <SDL.h>

#include <array>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/gamepads.h"
#include "platform/sdl/sdl_window.h"

// The key table from the keyboard's state (SDL scancodes) and the pads: an entry is held while
// either holds it.
void MergeKeyTable(const Uint8* keyboard, int count, const Gamepads& pads, std::array<bool, 256>& keys,
                   const KeyBindings& bindings = {});

// What the events of a step ask of the window.
struct WindowRequests {
  std::vector<SDL_WindowEvent> Events;
  bool ToggleFullScreen = false;  // Alt+Enter
  bool Screenshot = false;        // F12
};

class SdlInput {
 public:
  SdlInput(SdlWindow& window, const KeyBindings& keys) : Window(window), Keys(keys) {}

  void Start() { Pads_.Start(); }
  // Takes the step's events; `wait`: the game stands still, so wait for one (a quarter of a
  // second at most, so a stop signal is seen) instead of going on at once.
  WindowRequests Pump(bool wait);
  // The window's focus came or went, or its mode changed.
  void WindowChanged(const SDL_WindowEvent& e);
  void UpdateMouseMode();
  FrameCommand Read(bool pointerInUse);

  // For tests: the game controllers.
  Gamepads& Pads() { return Pads_; }

 private:
  void ReadMouse(FrameCommand& c, bool pointerInUse);

  SdlWindow& Window;
  KeyBindings Keys;
  Gamepads Pads_;
  bool QuitEvent = false;
  bool LostFocus = false;                   // the window lost the focus since the game last asked
  int RelativeDx = 0, RelativeDy = 0;       // full screen: motion since the last read
  int PointerX = 0, PointerY = 0;           // the game's pointer as it will be after the reported motion
  int AbsoluteX = 0, AbsoluteY = 0;         // window: the system pointer in picture coordinates
  bool HaveAbsolute = false;
  bool LeftPressed = false, RightPressed = false;  // a press seen in this frame's events
  int WarpX = -1, WarpY = -1;               // window: where the pad last put the system pointer
};
