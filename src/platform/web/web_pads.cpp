// Gamepad readings turned into keys and pointer motion.
#include "platform/web/web_pads.h"

#include <algorithm>
#include <cmath>

namespace {

// The standard layout's buttons.
enum StandardButton {
  PadA = 0, PadB = 1, PadX = 2, PadY = 3, PadLeftShoulder = 4, PadRightShoulder = 5,
  PadStart = 9, PadLeftStick = 10, PadUp = 12, PadDown = 13, PadLeft = 14, PadRight = 15,
};

constexpr int KeyEscape = 1, KeyA = 30, KeyS = 31, KeyD = 32, KeyZ = 44, KeyX = 45, KeyC = 46, KeyV = 47,
              KeySpace = 57, KeyUp = 200, KeyLeft = 203, KeyRight = 205, KeyDown = 208;

constexpr std::array<std::pair<int, int>, 12> ButtonKeys = {{
    {PadA, KeyX}, {PadB, KeyC}, {PadX, KeyZ}, {PadY, KeyV}, {PadLeftShoulder, KeyA}, {PadRightShoulder, KeyS},
    {PadStart, KeyEscape}, {PadLeftStick, KeySpace}, {PadUp, KeyUp}, {PadDown, KeyDown}, {PadLeft, KeyLeft},
    {PadRight, KeyRight},
}};

constexpr int StickKeys[4] = {KeyLeft, KeyRight, KeyUp, KeyDown};

bool Hold(bool was, int amount, int press, int release) { return was ? amount >= release : amount >= press; }

}  // namespace

void WebPads::Update(const std::vector<PadReading>& readings) {
  std::vector<Pad> next;
  for (const PadReading& r : readings) {
    auto old = std::find_if(Pads.begin(), Pads.end(), [&](const Pad& p) { return p.Now.Index == r.Index; });
    Pad p = old != Pads.end() ? *old : Pad{};
    p.Now = r;
    // Axis values run from -32768 to 32767; negated they are still ints.
    p.Stick[0] = Hold(p.Stick[0], -r.LeftX, StickPress, StickRelease);
    p.Stick[1] = Hold(p.Stick[1], r.LeftX, StickPress, StickRelease);
    p.Stick[2] = Hold(p.Stick[2], -r.LeftY, StickPress, StickRelease);
    p.Stick[3] = Hold(p.Stick[3], r.LeftY, StickPress, StickRelease);
    p.Trigger[0] = Hold(p.Trigger[0], r.LeftTrigger, TriggerPress, TriggerRelease);
    p.Trigger[1] = Hold(p.Trigger[1], r.RightTrigger, TriggerPress, TriggerRelease);
    next.push_back(p);
  }
  Pads = std::move(next);
}

void WebPads::AddKeys(std::array<bool, 256>& keys) const {
  for (const Pad& p : Pads) {
    for (const auto& [button, key] : ButtonKeys)
      if (p.Now.Buttons & (1u << button)) keys[size_t(key)] = true;
    for (size_t d = 0; d < 4; ++d)
      if (p.Stick[d]) keys[size_t(StickKeys[d])] = true;
    if (p.Trigger[0] || p.Trigger[1]) keys[KeyD] = true;
  }
}

void WebPads::PointerStep(int& dx, int& dy, bool& left, bool& right) {
  left = right = false;
  for (const Pad& p : Pads) {
    left = left || (p.Now.Buttons & (1u << PadA));
    right = right || (p.Now.Buttons & (1u << PadB));
    Pointer.AddStick(float(p.Now.LeftX) / 32767.0f, float(p.Now.LeftY) / 32767.0f);
  }
  Pointer.Take(dx, dy);
}
