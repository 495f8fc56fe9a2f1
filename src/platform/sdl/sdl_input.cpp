// Input: the event pump, the keyboard by PC scan code, the mouse as relative motion, and the
// requests to stop (the window closed, SIGINT, SIGTERM).
#include <csignal>
#include <cstdlib>

#include "core/geometry.h"
#include "platform/sdl/pc_scan_codes.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace {

// A signal can only leave a note; the frame loop reads it. Process-wide by nature.
volatile std::sig_atomic_t StopSignal = 0;
int HandlerUsers = 0;  // platforms alive that rely on the handlers
struct sigaction PreviousInt, PreviousTerm;

extern "C" void OnStopSignal(int sig) {
  if (StopSignal) {
    // Asked twice: the player means it. Stop at once the usual way.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    return;
  }
  StopSignal = sig;
}

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

}  // namespace

void SdlPlatform::InstallSignalHandlers() {
  if (SignalsInstalled) return;
  // Counted for every platform, also those that find the handlers already in place, so the
  // last one to go puts back what was there before.
  SignalsInstalled = true;
  if (HandlerUsers++ > 0) return;
  StopSignal = 0;
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, &PreviousInt);
  sigaction(SIGTERM, &sa, &PreviousTerm);
}

void SdlPlatform::RestoreSignalHandlers() {
  if (!SignalsInstalled) return;
  SignalsInstalled = false;
  if (--HandlerUsers > 0) return;
  sigaction(SIGINT, &PreviousInt, nullptr);
  sigaction(SIGTERM, &PreviousTerm, nullptr);
  StopSignal = 0;  // a stop asked of this run is not one for the next platform
}

bool SdlPlatform::CloseRequested() const { return QuitEvent || StopSignal != 0; }

FrameCommand SdlPlatform::ReadCommand(bool pointerInUse) {
  FrameCommand c;
  ReadKeyboard(c.Keys);
  ReadMouse(c.Dx, c.Dy, c.Left, c.Right, pointerInUse);
  c.Close = CloseRequested();
  c.FocusLost = LostFocus;  // reported once
  LostFocus = false;
  c.Hidden = Away && Shown;
  return c;
}

// Full screen, the mouse gives relative motion (the system pointer is captured). In a window the
// system pointer moves freely and the game's pointer is placed on it, so the two never drift.
void SdlPlatform::UpdateMouseMode() {
  if (!Window) return;
  if (!FullScreen && SDL_GetRelativeMouseMode() && Renderer) {
    // Leaving full screen: put the system pointer where the game's pointer is.
    SDL_SetRelativeMouseMode(SDL_FALSE);
    int wx = 0, wy = 0;
    SDL_RenderLogicalToWindow(Renderer, float(PointerX), float(PointerY), &wx, &wy);
    SDL_WarpMouseInWindow(Window, wx, wy);
    AbsoluteX = PointerX;
    AbsoluteY = PointerY;
    HaveAbsolute = true;
  }
  SDL_SetRelativeMouseMode(FullScreen ? SDL_TRUE : SDL_FALSE);
  SDL_ShowCursor(SDL_DISABLE);
  RelativeDx = RelativeDy = 0;
}

void SdlPlatform::PumpEvents() {
  if (!VideoUp) return;
  // A press counts in the frame its events arrive in. One the frame did not read (a click in
  // play, where the pointer is not used) is not kept for later, where it would click in the menu.
  LeftPressed = RightPressed = false;
  Pads_.BeginFrame();
  SDL_Event e;
  // Paused, or out of sight, the game waits for something to happen instead of drawing frames
  // (a quarter of a second at most, so a stop signal is seen).
  bool waited = (Paused || Away) && SDL_WaitEventTimeout(&e, 250);
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
          ToggleFullScreen();
        // F12 saves the frame being drawn, once it is finished.
        if (e.key.keysym.scancode == SDL_SCANCODE_F12 && !e.key.repeat) ScreenshotWanted = true;
        break;
      case SDL_MOUSEMOTION:
        // The renderer has already turned these into 800 x 600 picture coordinates.
        if (FullScreen) {
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
        if (e.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) ChoosePacing();
        if (e.window.event == SDL_WINDOWEVENT_HIDDEN || e.window.event == SDL_WINDOWEVENT_MINIMIZED) Away = true;
        if (e.window.event == SDL_WINDOWEVENT_SHOWN || e.window.event == SDL_WINDOWEVENT_RESTORED ||
            e.window.event == SDL_WINDOWEVENT_MAXIMIZED)
          Away = false;
        // While paused nothing is drawn; a window uncovered or resized shows the last picture again.
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.window.event == SDL_WINDOWEVENT_EXPOSED) ClearFrames = 2;
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) DropWindowView();
        if ((e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) && Paused &&
            Renderer)
          ShowScreen();
        // The window's size and place in window mode, remembered for the next start.
        if (!FullScreen && Window && !(SDL_GetWindowFlags(Window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED))) {
          if (e.window.event == SDL_WINDOWEVENT_MOVED) SDL_GetWindowPosition(Window, &LastWindow.X, &LastWindow.Y);
          if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            SDL_GetWindowSize(Window, &LastWindow.Width, &LastWindow.Height);
        }
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          UpdateMouseMode();
          Pads_.Resync();
        }
        // Away from the game the pads hold nothing, as the keyboard does.
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          Pads_.ReleaseAll();
          LostFocus = true;  // pauses a level
        }
        break;
      default:
        break;
    }
  }
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

void SdlPlatform::ReadKeyboard(std::array<bool, 256>& keys) {
  keys.fill(false);
  if (!Window) return;  // headless: no keyboard
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  MergeKeyTable(state, count, Pads_, keys, Options.Keys);
}

void SdlPlatform::ReadMouse(int& dx, int& dy, bool& left, bool& right, bool pointerInUse) {
  dx = dy = 0;
  left = right = false;
  if (!Window) return;  // headless: no mouse
  Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  left = (buttons & SDL_BUTTON_LMASK) != 0 || LeftPressed;
  right = (buttons & SDL_BUTTON_RMASK) != 0 || RightPressed;
  LeftPressed = RightPressed = false;
  // In the menu the pads' stick moves the same pointer, and their A and B buttons click; in play
  // they steer and fire.
  int padDx = 0, padDy = 0;
  bool padLeft = false, padRight = false;
  if (pointerInUse) Pads_.PointerStep(padDx, padDy, padLeft, padRight);
  left = left || padLeft;
  right = right || padRight;
  // The game adds the motion to its pointer and clamps it to 0..780, 0..570; we keep the
  // same pointer here so that in a window the motion lands it on the system pointer.
  int targetX = PointerX, targetY = PointerY;
  if (FullScreen) {
    targetX = Clamp(PointerX + RelativeDx + padDx, 0, PointerMaxX);
    targetY = Clamp(PointerY + RelativeDy + padDy, 0, PointerMaxY);
    dx = RelativeDx + padDx;
    dy = RelativeDy + padDy;
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
      if (Renderer && SDL_GetMouseFocus() == Window) {
        int wx = 0, wy = 0;
        SDL_RenderLogicalToWindow(Renderer, float(targetX), float(targetY), &wx, &wy);
        SDL_WarpMouseInWindow(Window, wx, wy);
        WarpX = targetX;
        WarpY = targetY;
      }
    }
    dx = targetX - PointerX;
    dy = targetY - PointerY;
  }
  PointerX = targetX;
  PointerY = targetY;
}
