// Where each step's command comes from: the devices, a script, or a pilot. Each is asked once a
// step, before the step runs, with the game as the last step left it.
#pragma once

#include <memory>

#include "autopilot/autopilot.h"
#include "platform/platform.h"
#include "shell/script.h"
#include "world/command.h"

struct Game;

class CommandSource {
 public:
  virtual ~CommandSource() = default;
  virtual FrameCommand Next(const Game& g, long long step) = 0;
};

// The player at the keyboard, mouse and gamepads.
class DeviceCommands : public CommandSource {
 public:
  explicit DeviceCommands(Platform& device) : Device(device) {}
  FrameCommand Next(const Game& g, long long step) override;

 private:
  Platform& Device;
};

// A script (--input): its keys go through the player's bindings unless it says they are the
// game's own (a recording), "mouse X Y" becomes one motion from where the pointer is, and the
// window's focus and visibility come from the script alone, so the run never depends on them.
// Closing the window (or a stop signal) still ends the run.
class ScriptCommands : public CommandSource {
 public:
  ScriptCommands(Platform& device, InputScript script, const KeyBindings& bindings)
      : Device(device), Script(std::move(script)), Bindings(bindings) {}
  FrameCommand Next(const Game& g, long long step) override;

 private:
  Platform& Device;
  InputScript Script;
  KeyBindings Bindings;
};

// The built-in pilot (--autopilot, --autopilot-human) at the controls. The player at the
// keyboard keeps the pause key, and closing the window still ends the run; the pilot never
// pauses, so the window's focus and visibility do not stop it.
class PilotCommands : public CommandSource {
 public:
  PilotCommands(Platform& device, Autopilot& pilot) : Device(device), Pilot(pilot) {}
  FrameCommand Next(const Game& g, long long step) override;

 private:
  Platform& Device;
  Autopilot& Pilot;
};
