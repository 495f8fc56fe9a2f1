// The desktop side of the game: game controllers through the SDL platform (buttons, sticks and
// triggers holding the game's keys) and where the game looks for its data. The installed package
// is checked by scripts/check-package.sh.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/data_folders.h"
#include "platform/sdl/sdl_platform.h"
#include "test_support.h"

namespace {

// An environment variable set (or unset) for one test, put back afterwards.
struct EnvVar {
  std::string Name;
  std::optional<std::string> Old;
  EnvVar(const std::string& name, const char* value) : Name(name) {
    if (const char* v = std::getenv(name.c_str())) Old = v;
    if (value) setenv(name.c_str(), value, 1);
    else unsetenv(name.c_str());
  }
  ~EnvVar() {
    if (Old) setenv(Name.c_str(), Old->c_str(), 1);
    else unsetenv(Name.c_str());
  }
};

// The SDL platform in a (dummy) window with a virtual game controller that can be plugged in and
// out, and its buttons and sticks moved, as a real one would through SDL.
struct PadRig {
  std::unique_ptr<Platform> Owner;
  SdlPlatform* Plat = nullptr;
  std::unique_ptr<Game> G = std::make_unique<Game>();
  SDL_Joystick* Stick = nullptr;
  long long Frame = 0;

  explicit PadRig(bool windowed = false) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The dummy window never has the focus; a real one would.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    PlatformOptions o;
    o.Windowed = windowed;
    Owner = CreateSdlPlatform(o);
    Plat = dynamic_cast<SdlPlatform*>(Owner.get());
  }
  ~PadRig() { Unplug(); }

  void PlugIn() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    int index = SDL_JoystickAttachVirtualEx(&d);
    ASSERT_GE(index, 0) << SDL_GetError();
    Stick = SDL_JoystickOpen(index);
    ASSERT_TRUE(Stick) << SDL_GetError();
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
  }
  void Unplug() {
    if (!Stick) return;
    int id = SDL_JoystickInstanceID(Stick);
    SDL_JoystickClose(Stick);
    Stick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  void Button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(Stick, b, down); }
  // Stick axes run from -32768 to 32767, triggers from 0 to 32767 (a virtual pad's trigger axis
  // spans the whole range below that).
  void Axis(SDL_GameControllerAxis a, int value) {
    bool trigger = a == SDL_CONTROLLER_AXIS_TRIGGERLEFT || a == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
    SDL_JoystickSetVirtualAxis(Stick, a, Sint16(trigger ? value * 2 - 32768 : value));
  }
  // One frame's events, then the key table the game reads.
  std::array<bool, 256> Keys() {
    Owner->BeginFrame(++Frame);
    std::array<bool, 256> k{};
    k = Owner->ReadCommand(false).Keys;
    return k;
  }
  // The keys held, as scan codes.
  std::vector<int> Held() {
    std::vector<int> held;
    auto k = Keys();
    for (int c = 0; c < 256; ++c)
      if (k[size_t(c)]) held.push_back(c);
    return held;
  }
};

using Codes = std::vector<int>;

}  // namespace

TEST(Gamepad, ButtonsSticksAndTriggersHoldTheGamesKeys) {
  PadRig r;
  ASSERT_TRUE(r.Plat);
  r.PlugIn();
  r.Keys();
  ASSERT_EQ(r.Plat->Input().Pads().Count(), 1) << "the pad plugged in is taken up";

  const std::pair<SDL_GameControllerButton, int> buttons[] = {
      {SDL_CONTROLLER_BUTTON_A, KeyX},          {SDL_CONTROLLER_BUTTON_B, KeyC},
      {SDL_CONTROLLER_BUTTON_X, KeyZ},          {SDL_CONTROLLER_BUTTON_Y, KeyV},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, KeyA}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, KeyS},
      {SDL_CONTROLLER_BUTTON_START, KeyEscape}, {SDL_CONTROLLER_BUTTON_BACK, KeyP},
      {SDL_CONTROLLER_BUTTON_LEFTSTICK, KeySpace},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, KeyUp},   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyDown},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyLeft}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KeyRight}};
  for (auto [button, key] : buttons) {
    r.Button(button, true);
    EXPECT_EQ(r.Held(), Codes{key}) << "button " << button;
    EXPECT_EQ(r.Held(), Codes{key}) << "held on";
    r.Button(button, false);
    EXPECT_EQ(r.Held(), Codes{}) << "button " << button << " let go";
  }
  // Buttons the game has no use for hold nothing.
  r.Button(SDL_CONTROLLER_BUTTON_GUIDE, true);
  EXPECT_EQ(r.Held(), Codes{});
  r.Button(SDL_CONTROLLER_BUTTON_GUIDE, false);

  // The left stick: each direction past the press threshold, let go only below the release one;
  // diagonals hold two arrows.
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, Gamepads::StickPress - 1);
  EXPECT_EQ(r.Held(), Codes{});
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, Gamepads::StickPress);
  EXPECT_EQ(r.Held(), Codes{KeyRight});
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, Gamepads::StickRelease);
  EXPECT_EQ(r.Held(), Codes{KeyRight}) << "no flicker near the threshold";
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, Gamepads::StickRelease - 1);
  EXPECT_EQ(r.Held(), Codes{});
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  r.Axis(SDL_CONTROLLER_AXIS_LEFTY, -23000);
  EXPECT_EQ(r.Held(), (Codes{KeyUp, KeyLeft}));
  r.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
  EXPECT_EQ(r.Held(), Codes{KeyDown});
  r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  // The right stick steers nothing; either trigger drinks the full potion.
  r.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
  r.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, Gamepads::TriggerPress - 1);
  EXPECT_EQ(r.Held(), Codes{});
  r.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  EXPECT_EQ(r.Held(), Codes{KeyD});
  r.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
  r.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
  EXPECT_EQ(r.Held(), Codes{});

  // A press and release between two frames still counts, in one frame only.
  r.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  SDL_JoystickUpdate();
  r.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
  EXPECT_EQ(r.Held(), Codes{KeyA});
  EXPECT_EQ(r.Held(), Codes{});
}

TEST(Folders, DataIsLookedForBesideTheGameThenInItsPrefixThenTheConfiguredFolder) {
  auto path = DataSearchPath("/opt/games/bin");
  ASSERT_GE(path.size(), 2u);
  EXPECT_EQ(path[0], "/opt/games/bin");
  EXPECT_EQ(path[1], "/opt/games/share/zorvane2");
  EXPECT_EQ(path.back(), std::string(ZORVANE_DATA_DIR));
  // An executable installed where the build meant it to be: the configured folder once only.
  std::string configured = ZORVANE_DATA_DIR;
  auto installed = DataSearchPath((std::filesystem::path(configured) / ZORVANE_BIN_TO_DATA).lexically_normal()
                                      .parent_path().parent_path().string() + "/bin");
  EXPECT_EQ(std::count(installed.begin(), installed.end(), configured), 1);
}
