// Game controllers turned into the keys and pointer the game reads.
#include "platform/sdl/gamepads.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

// PC scan codes the pad's buttons stand for (0: none).
constexpr int KeyEscape = 1, KeyP = 25, KeyA = 30, KeyS = 31, KeyD = 32, KeyZ = 44, KeyX = 45, KeyC = 46, KeyV = 47,
              KeySpace = 57, KeyUp = 200, KeyLeft = 203, KeyRight = 205, KeyDown = 208;

int ButtonKey(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return KeyX;
    case SDL_CONTROLLER_BUTTON_B: return KeyC;
    case SDL_CONTROLLER_BUTTON_X: return KeyZ;
    case SDL_CONTROLLER_BUTTON_Y: return KeyV;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return KeyA;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return KeyS;
    case SDL_CONTROLLER_BUTTON_START: return KeyEscape;
    case SDL_CONTROLLER_BUTTON_BACK: return KeyP;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return KeySpace;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return KeyUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return KeyDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return KeyLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return KeyRight;
    default: return 0;
  }
}

constexpr int StickKeys[4] = {KeyLeft, KeyRight, KeyUp, KeyDown};

// A direction with hysteresis: on past `press`, off again only below `release`.
bool Hold(bool was, int amount, int press, int release) { return was ? amount >= release : amount >= press; }

}  // namespace

void Gamepads::Start() {
  if (Started) return;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::cerr << "zorvane2: game controllers unavailable (" << SDL_GetError() << "); keyboard and mouse only\n";
    return;
  }
  Started = true;
}

void Gamepads::Stop() {
  if (!Started) return;
  for (Pad& p : Pads)
    if (p.Handle) SDL_GameControllerClose(p.Handle);
  Pads.clear();
  ReleaseAll();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  Started = false;
}

Gamepads::Pad* Gamepads::Find(SDL_JoystickID id) {
  for (Pad& p : Pads)
    if (p.Id == id) return &p;
  return nullptr;
}

void Gamepads::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  // SDL may announce a pad that is already open (plugged in while starting up).
  if (Find(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
  SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
  if (!handle) {
    const char* name = SDL_GameControllerNameForIndex(deviceIndex);
    std::cerr << "zorvane2: cannot use the game controller " << (name ? name : "?") << " (" << SDL_GetError()
              << ")\n";
    return;
  }
  Pad p;
  p.Handle = handle;
  p.Id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
  Pads.push_back(p);
  Resync();
}

void Gamepads::SetButton(Pad& p, int button, bool down) {
  if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return;
  bool pressed = down && !p.Buttons[size_t(button)];
  p.Buttons[size_t(button)] = down;
  if (!pressed) return;
  if (int key = ButtonKey(button)) Latched[size_t(key)] = true;
  if (button == SDL_CONTROLLER_BUTTON_A) LatchedLeft = true;
  if (button == SDL_CONTROLLER_BUTTON_B) LatchedRight = true;
}

void Gamepads::SetAxis(Pad& p, int axis, int value) {
  if (axis < 0 || axis >= SDL_CONTROLLER_AXIS_MAX) return;
  p.Axes[size_t(axis)] = value;
  auto update = [&](bool& held, int amount, int press, int release, int key) {
    bool now = Hold(held, amount, press, release);
    if (now && !held) Latched[size_t(key)] = true;
    held = now;
  };
  // Axis values run from -32768 to 32767; negated, -32768 would not fit a 16-bit value, but is an int here.
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
    update(p.Stick[0], -value, StickPress, StickRelease, StickKeys[0]);
    update(p.Stick[1], value, StickPress, StickRelease, StickKeys[1]);
  } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
    update(p.Stick[2], -value, StickPress, StickRelease, StickKeys[2]);
    update(p.Stick[3], value, StickPress, StickRelease, StickKeys[3]);
  } else if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT) {
    update(p.Trigger[0], value, TriggerPress, TriggerRelease, KeyD);
  } else if (axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
    update(p.Trigger[1], value, TriggerPress, TriggerRelease, KeyD);
  }
}

bool Gamepads::HandleEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (Started) Open(e.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
      // Unplugged: whatever it held is let go.
      auto gone = std::find_if(Pads.begin(), Pads.end(), [&](const Pad& p) { return p.Id == e.cdevice.which; });
      if (gone != Pads.end()) {
        if (gone->Handle) SDL_GameControllerClose(gone->Handle);
        Pads.erase(gone);
      }
      return true;
    }
    case SDL_CONTROLLERDEVICEREMAPPED:
      Resync();
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Pad* p = Find(e.cbutton.which)) SetButton(*p, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (Pad* p = Find(e.caxis.which)) SetAxis(*p, e.caxis.axis, e.caxis.value);
      return true;
    default:
      return false;
  }
}

void Gamepads::BeginFrame() {
  Latched.fill(false);
  LatchedLeft = LatchedRight = false;
}

void Gamepads::ReleaseAll() {
  for (Pad& p : Pads) {
    p.Buttons.fill(false);
    p.Axes.fill(0);
    p.Stick.fill(false);
    p.Trigger.fill(false);
  }
  BeginFrame();
  Pointer = StickPointer{};
}

void Gamepads::Resync() {
  for (Pad& p : Pads) {
    if (!p.Handle) continue;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
      SetButton(p, b, SDL_GameControllerGetButton(p.Handle, SDL_GameControllerButton(b)) != 0);
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
      SetAxis(p, a, SDL_GameControllerGetAxis(p.Handle, SDL_GameControllerAxis(a)));
  }
}

void Gamepads::AddKeys(std::array<bool, 256>& keys) const {
  for (size_t k = 0; k < keys.size(); ++k)
    if (Latched[k]) keys[k] = true;
  for (const Pad& p : Pads) {
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
      if (p.Buttons[size_t(b)])
        if (int key = ButtonKey(b)) keys[size_t(key)] = true;
    for (size_t d = 0; d < 4; ++d)
      if (p.Stick[d]) keys[size_t(StickKeys[d])] = true;
    if (p.Trigger[0] || p.Trigger[1]) keys[KeyD] = true;
  }
}

void Gamepads::PointerStep(int& dx, int& dy, bool& left, bool& right) {
  left = LatchedLeft;
  right = LatchedRight;
  for (const Pad& p : Pads) {
    left = left || p.Buttons[SDL_CONTROLLER_BUTTON_A];
    right = right || p.Buttons[SDL_CONTROLLER_BUTTON_B];
    Pointer.AddStick(float(p.Axes[SDL_CONTROLLER_AXIS_LEFTX]) / 32767.0f,
                     float(p.Axes[SDL_CONTROLLER_AXIS_LEFTY]) / 32767.0f);
  }
  Pointer.Take(dx, dy);
}
