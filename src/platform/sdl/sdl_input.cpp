#include "platform/sdl/sdl_input.h"

#include <cstdlib>

#include "core/geometry.h"
#include "platform/sdl/pc_scan_codes.h"
#include "platform/stop_signals.h"

namespace {

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

}  // namespace

WindowRequests SdlInput::Pump(bool wait) {
  WindowRequests asked;
  // A press counts in the frame its events arrive in. One the frame did not read (a click in
  // play, where the pointer is not used) is not kept for later, where it would click in the menu.
  LeftPressed = RightPressed = false;
  Pads_.BeginFrame();
  SDL_Event e;
  bool waited = wait && SDL_WaitEventTimeout(&e, 250);
  // The display server and the devices are asked once a frame; the queue is then emptied
  // without asking again for each event (a moving mouse brings several a frame).
  if (!waited) SDL_PumpEvents();
  while (waited || SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    waited = false;
    if (Pads_.HandleEvent(e)) continue;
    switch (e.type) {
      case SDL_QUIT:
        QuitEvent = true;
        break;
      case SDL_KEYDOWN:
        // Alt+Enter switches between full screen and a window.
        if ((e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
            (e.key.keysym.mod & KMOD_ALT) && !e.key.repeat)
          asked.ToggleFullScreen = true;
        // F12 saves the frame being drawn, once it is finished.
        if (e.key.keysym.scancode == SDL_SCANCODE_F12 && !e.key.repeat) asked.Screenshot = true;
        break;
      case SDL_MOUSEMOTION:
        // The renderer has already turned these into 800 x 600 picture coordinates.
        if (Window.FullScreen()) {
          RelativeDx += e.motion.xrel;
          RelativeDy += e.motion.yrel;
        } else if (WarpX >= 0 && std::abs(e.motion.x - WarpX) <= 1 && std::abs(e.motion.y - WarpY) <= 1) {
          // The echo of moving the system pointer after the pad: window pixels round it by one
          // picture pixel either way, which would hold back a slowly moving pointer. Keep the exact spot.
        } else {
          WarpX = WarpY = -1;
          AbsoluteX = e.motion.x;
          AbsoluteY = e.motion.y;
          HaveAbsolute = true;
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        // A click shorter than a frame still counts as a press in the next read.
        if (e.button.button == SDL_BUTTON_LEFT) LeftPressed = true;
        if (e.button.button == SDL_BUTTON_RIGHT) RightPressed = true;
        break;
      case SDL_WINDOWEVENT:
        asked.Events.push_back(e.window);
        break;
      default:
        break;
    }
  }
  return asked;
}

void SdlInput::WindowChanged(const SDL_WindowEvent& e) {
  if (e.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
    UpdateMouseMode();
    Pads_.Resync();
  }
  // Away from the game the pads hold nothing, as the keyboard does.
  if (e.event == SDL_WINDOWEVENT_FOCUS_LOST) {
    Pads_.ReleaseAll();
    LostFocus = true;  // pauses a level
  }
}

// Full screen, the mouse gives relative motion (the system pointer is captured). In a window the
// system pointer moves freely and the game's pointer is placed on it, so the two never drift.
void SdlInput::UpdateMouseMode() {
  if (!Window.Handle()) return;
  if (!Window.FullScreen() && SDL_GetRelativeMouseMode()) {
    // Leaving full screen: put the system pointer where the game's pointer is.
    SDL_SetRelativeMouseMode(SDL_FALSE);
    int wx = 0, wy = 0;
    Window.PictureToWindow(PointerX, PointerY, wx, wy);
    SDL_WarpMouseInWindow(Window.Handle(), wx, wy);
    AbsoluteX = PointerX;
    AbsoluteY = PointerY;
    HaveAbsolute = true;
  }
  SDL_SetRelativeMouseMode(Window.FullScreen() ? SDL_TRUE : SDL_FALSE);
  SDL_ShowCursor(SDL_DISABLE);
  RelativeDx = RelativeDy = 0;
}

FrameCommand SdlInput::Read(bool pointerInUse) {
  FrameCommand c;
  if (Window.Handle()) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    MergeKeyTable(state, count, Pads_, c.Keys, Keys);
    ReadMouse(c, pointerInUse);
  }
  c.Close = QuitEvent || StopSignals::Asked();
  c.FocusLost = LostFocus;  // reported once
  LostFocus = false;
  c.Hidden = Window.Away();
  return c;
}

void MergeKeyTable(const Uint8* keyboard, int count, const Gamepads& pads, std::array<bool, 256>& keys,
                   const KeyBindings& bindings) {
  std::array<bool, 256> held{};
  for (int sc = 0; sc < count; ++sc) {
    if (!keyboard[sc]) continue;
    int code = PcScanCode(sc);
    if (code > 0 && code < 256) held[size_t(code)] = true;
  }
  keys = bindings.Apply(held);  // the player's key bindings; the pads play the game's keys
  pads.AddKeys(keys);
}

void SdlInput::ReadMouse(FrameCommand& c, bool pointerInUse) {
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  c.Left = (buttons & SDL_BUTTON_LMASK) != 0 || LeftPressed;
  c.Right = (buttons & SDL_BUTTON_RMASK) != 0 || RightPressed;
  LeftPressed = RightPressed = false;
  // In the menu the pads' stick moves the same pointer, and their A and B buttons click; in play
  // they steer and fire.
  int padDx = 0, padDy = 0;
  bool padLeft = false, padRight = false;
  if (pointerInUse) Pads_.PointerStep(padDx, padDy, padLeft, padRight);
  c.Left = c.Left || padLeft;
  c.Right = c.Right || padRight;
  // The game adds the motion to its pointer and clamps it to 0..780, 0..570; we keep the
  // same pointer here so that in a window the motion lands it on the system pointer.
  int targetX = PointerX, targetY = PointerY;
  if (Window.FullScreen()) {
    targetX = Clamp(PointerX + RelativeDx + padDx, 0, PointerMaxX);
    targetY = Clamp(PointerY + RelativeDy + padDy, 0, PointerMaxY);
    c.Dx = RelativeDx + padDx;
    c.Dy = RelativeDy + padDy;
    RelativeDx = RelativeDy = 0;
  } else {
    if (HaveAbsolute) {
      targetX = Clamp(AbsoluteX, 0, PointerMaxX);
      targetY = Clamp(AbsoluteY, 0, PointerMaxY);
    }
    if (padDx || padDy) {
      // The stick moves the system pointer too, so the mouse takes over from where the pad left it.
      targetX = Clamp(targetX + padDx, 0, PointerMaxX);
      targetY = Clamp(targetY + padDy, 0, PointerMaxY);
      AbsoluteX = targetX;
      AbsoluteY = targetY;
      HaveAbsolute = true;
      if (SDL_GetMouseFocus() == Window.Handle()) {
        int wx = 0, wy = 0;
        Window.PictureToWindow(targetX, targetY, wx, wy);
        SDL_WarpMouseInWindow(Window.Handle(), wx, wy);
        WarpX = targetX;
        WarpY = targetY;
      }
    }
    c.Dx = targetX - PointerX;
    c.Dy = targetY - PointerY;
  }
  PointerX = targetX;
  PointerY = targetY;
}
