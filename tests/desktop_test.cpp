// The desktop side of the game: game controllers through the SDL platform (keys, pointer, clicks,
// hot-plugging, keyboard and pad together), F12 screenshots, where data and pictures are looked
// for, and a staged install that finds its own sound and music.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/data_folders.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_platform_impl.h"
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
    G->Plat = Owner.get();
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
    Owner->ReadKeyboard(k);
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
  ASSERT_EQ(r.Plat->Pads().Count(), 1) << "the pad plugged in is taken up";

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

TEST(Gamepad, KeyboardAndPadHoldingTheSameKeyReleaseIndependently) {
  PadRig r;
  ASSERT_TRUE(r.Plat);
  r.PlugIn();
  r.Keys();
  std::array<Uint8, SDL_NUM_SCANCODES> keyboard{};
  auto table = [&] {
    std::array<bool, 256> k{};
    MergeKeyTable(keyboard.data(), int(keyboard.size()), r.Plat->Pads(), k);
    return k;
  };
  keyboard[SDL_SCANCODE_LEFT] = 1;
  r.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  r.Keys();
  EXPECT_TRUE(table()[KeyLeft]);
  keyboard[SDL_SCANCODE_LEFT] = 0;  // the key let go, the pad still holds it
  EXPECT_TRUE(table()[KeyLeft]);
  keyboard[SDL_SCANCODE_LEFT] = 1;
  r.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);  // the pad let go, the key still holds it
  r.Keys();
  EXPECT_TRUE(table()[KeyLeft]);
  keyboard[SDL_SCANCODE_LEFT] = 0;
  EXPECT_FALSE(table()[KeyLeft]);

  // Two parts of the pad on one key: the D-pad and the stick.
  r.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  r.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
  EXPECT_EQ(r.Held(), Codes{KeyUp});
  r.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
  EXPECT_EQ(r.Held(), Codes{KeyUp});
  r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  EXPECT_EQ(r.Held(), Codes{});

  // Unplugged while holding: the keys are let go, and the pad works again when plugged back.
  r.Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(r.Held(), Codes{KeyX});
  r.Unplug();
  EXPECT_EQ(r.Held(), Codes{});
  EXPECT_EQ(r.Plat->Pads().Count(), 0);
  r.PlugIn();
  r.Keys();
  EXPECT_EQ(r.Plat->Pads().Count(), 1);
  r.Button(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_EQ(r.Held(), Codes{KeyC});
}

TEST(Gamepad, TheStickMovesThePointerAndTheFaceButtonsClick) {
  for (bool windowed : {false, true}) {
    SCOPED_TRACE(windowed ? "window" : "full screen");
    PadRig r(windowed);
    ASSERT_TRUE(r.Plat);
    r.PlugIn();
    Game& g = *r.G;
    auto frame = [&] {
      r.Owner->BeginFrame(++r.Frame);
      PollMouse(g);
      return std::pair(int(g.MouseX), int(g.MouseY));
    };
    auto start = frame();
    // Inside the dead zone the pointer stays put.
    r.Axis(SDL_CONTROLLER_AXIS_LEFTX, 6000);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 3000);
    EXPECT_EQ(frame(), start);
    // Full tilt right, then down: top speed.
    const int top = int(StickPointer::TopSpeed);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(frame(), std::pair(start.first + i * top, start.second));
    r.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(frame(), std::pair(start.first + 10 * top, start.second + 11 * top));
    // Half tilt left: well under half the speed, yet it moves.
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTX, -16384);
    int before = g.MouseX;
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_GT(before - g.MouseX, 0);
    EXPECT_LT(before - g.MouseX, top * 10 / 2);
    // Up, to the edge and no further.
    r.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    for (int i = 0; i < 40; ++i) frame();
    EXPECT_EQ(g.MouseY, 0);
    r.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    int x = g.MouseX;
    EXPECT_EQ(frame(), std::pair(x, 0)) << "at rest, no creeping";

    // A clicks left, B right; held, the game's menus see one click.
    r.Button(SDL_CONTROLLER_BUTTON_A, true);
    frame();
    EXPECT_TRUE(g.MouseLeft);
    EXPECT_FALSE(g.MouseRight);
    r.Button(SDL_CONTROLLER_BUTTON_A, false);
    r.Button(SDL_CONTROLLER_BUTTON_B, true);
    frame();
    EXPECT_FALSE(g.MouseLeft);
    EXPECT_TRUE(g.MouseRight);
    r.Button(SDL_CONTROLLER_BUTTON_B, false);
    frame();
    EXPECT_FALSE(g.MouseRight);

    // A press in a frame that does not read the pointer (in a level) is not kept for the menu.
    r.Button(SDL_CONTROLLER_BUTTON_A, true);
    r.Owner->BeginFrame(++r.Frame);
    r.Button(SDL_CONTROLLER_BUTTON_A, false);
    r.Owner->BeginFrame(++r.Frame);
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    SDL_PushEvent(&click);
    r.Owner->BeginFrame(++r.Frame);
    frame();
    EXPECT_FALSE(g.MouseLeft);
    EXPECT_FALSE(g.MouseRight) << "nor is the mouse's";
  }
}

TEST(Screenshot, F12SavesTheFinishedFrameAndSaysWhere) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path / "pics");
  EnvVar pictures("XDG_PICTURES_DIR", (dir.Path / "pics").c_str());
  PadRig r;
  ASSERT_TRUE(r.Plat);
  auto pressF12 = [&] {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_F12;
    SDL_PushEvent(&key);
    r.Owner->BeginFrame(++r.Frame);
    r.Owner->FillBox(10, 20, 30, 40, 0x00FF00);  // the frame being drawn
    testing::internal::CaptureStderr();
    r.Owner->Present();
    r.Owner->ClearBuffer();
    return testing::internal::GetCapturedStderr();
  };
  std::string said = pressF12();
  std::vector<std::filesystem::path> shots;
  for (const auto& f : std::filesystem::directory_iterator(dir.Path / "pics")) shots.push_back(f.path());
  ASSERT_EQ(shots.size(), 1u) << said;
  EXPECT_EQ(said, "zorvane2: screenshot saved to " + shots[0].string() + "\n");
  EXPECT_EQ(shots[0].filename().string().rfind("zorvane2-20", 0), 0u);
  SDL_Surface* png = IMG_Load(shots[0].c_str());
  ASSERT_TRUE(png);
  EXPECT_EQ(std::pair(png->w, png->h), std::pair(800, 600));
  Uint8 red, green, blue;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_RGB888, 0);
  SDL_GetRGB(static_cast<uint32_t*>(rgb->pixels)[25 * 800 + 15], rgb->format, &red, &green, &blue);
  EXPECT_EQ(std::tuple(int(red), int(green), int(blue)), std::tuple(0, 255, 0));
  SDL_FreeSurface(rgb);
  SDL_FreeSurface(png);
  // Without F12, no picture.
  r.Owner->BeginFrame(++r.Frame);
  r.Owner->Present();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path / "pics"), {}), 1);

  // Nowhere to write: one line saying so, and the game goes on.
  WriteFile(dir.File("blocker"), "a file where a folder should be");
  EnvVar noPictures("XDG_PICTURES_DIR", nullptr);
  EnvVar home("HOME", dir.Path.c_str());
  EnvVar data("XDG_DATA_HOME", dir.File("blocker").c_str());
  said = pressF12();
  EXPECT_EQ(said.rfind("zorvane2: could not save a screenshot", 0), 0u) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
  EXPECT_FALSE(r.Owner->CloseRequested());
}

TEST(Folders, ScreenshotsGoToPicturesElseTheDataFolder) {
  TempDir dir;
  EnvVar home("HOME", dir.Path.c_str());
  EnvVar config("XDG_CONFIG_HOME", nullptr);
  EnvVar data("XDG_DATA_HOME", nullptr);
  EnvVar pictures("XDG_PICTURES_DIR", nullptr);
  EXPECT_EQ(ScreenshotFolder(), dir.File(".local/share/zorvane2"));
  {
    EnvVar data2("XDG_DATA_HOME", dir.File("data").c_str());
    EXPECT_EQ(ScreenshotFolder(), dir.File("data/zorvane2"));
  }
  std::filesystem::create_directories(dir.Path / "Pictures");
  EXPECT_EQ(ScreenshotFolder(), dir.File("Pictures"));
  // The user's own pictures folder, from user-dirs.dirs or the environment, when it exists.
  std::filesystem::create_directories(dir.Path / ".config");
  std::filesystem::create_directories(dir.Path / "Bilder");
  WriteFile(dir.File(".config/user-dirs.dirs"), "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(ScreenshotFolder(), dir.File("Bilder"));
  EnvVar set("XDG_PICTURES_DIR", dir.File("Shots").c_str());
  EXPECT_EQ(ScreenshotFolder(), dir.File("Bilder")) << "a pictures folder that does not exist is passed over";
  std::filesystem::create_directories(dir.Path / "Shots");
  EXPECT_EQ(ScreenshotFolder(), dir.File("Shots"));
  EXPECT_EQ(ScreenshotName(2027, 1, 2, 3, 4, 5), "zorvane2-2027-01-02-030405.png");
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

TEST(Install, AStagedInstallHasEverythingAndFindsItsSoundAndMusic) {
  namespace fs = std::filesystem;
  fs::path build = fs::path(ZORVANE_EXE).parent_path();
  // The cmake that configured the build tree.
  std::string cache = ReadFile((build / "CMakeCache.txt").string()), cmake = "cmake";
  if (size_t at = cache.find("CMAKE_COMMAND:INTERNAL="); at != std::string::npos)
    cmake = cache.substr(at + 23, cache.find('\n', at) - at - 23);
  TempDir dir;
  fs::path prefix = dir.Path / "staged";
  std::string cmd = "'" + cmake + "' --install '" + build.string() + "' --prefix '" + prefix.string() + "' >'" +
                    dir.File("log") + "' 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << ReadFile(dir.File("log"));

  EXPECT_TRUE(fs::is_regular_file(prefix / "bin/zorvane2"));
  const std::string id = "io.github.zorvane.Zorvane2";
  std::string entry = ReadFile((prefix / "share/applications" / (id + ".desktop")).string());
  EXPECT_NE(entry.find("\nExec=zorvane2\n"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=" + id + "\n"), std::string::npos);
  EXPECT_NE(ReadFile((prefix / "share/man/man6/zorvane2.6").string()).find(".SH CONTROLS"), std::string::npos);
  for (int size : {48, 64, 128, 256}) {
    std::string icon = (prefix / "share/icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) /
                        "apps" / (id + ".png")).string();
    SDL_Surface* png = IMG_Load(icon.c_str());
    ASSERT_TRUE(png) << icon;
    EXPECT_EQ(std::pair(png->w, png->h), std::pair(size, size));
    SDL_FreeSurface(png);
  }

  // The installed game, started from its prefix with nothing beside it, finds its data there:
  // the sound effects and the music, each checked once the build makes it.
  fs::path data = prefix / "share/zorvane2";
  const bool sound = fs::is_directory(build / "Sound"), music = fs::is_directory(build / "Music");
  if (!sound && !music) GTEST_SKIP() << "this build made no Sound and Music folders to install";
  auto run = [&](std::string* out) {
    std::string command = "SDL_AUDIODRIVER=dummy '" + (prefix / "bin/zorvane2").string() +
                          "' --headless --frames 3 --dump-state - --save-file '" + dir.File("s.gsv") + "' >'" +
                          dir.File("out") + "' 2>'" + dir.File("err") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    if (out) *out = ReadFile(dir.File("out"));
    return ReadFile(dir.File("err"));
  };
  const std::string soundMissing = "sound file(s) not found", musicMissing = "music Music/Menu.mid not found";
  std::string out, err = run(&out);
  EXPECT_NE(out.find("\"track\":\"Menu\""), std::string::npos) << "the menu music is asked for";
  if (sound) {
    EXPECT_FALSE(fs::is_empty(data / "Sound"));
    EXPECT_EQ(err.find(soundMissing), std::string::npos) << err;
  }
  if (music) {
    EXPECT_FALSE(fs::is_empty(data / "Music"));
    EXPECT_EQ(err.find(musicMissing), std::string::npos) << err;
  }
  // The same install without its data folder misses them (unless the configured one has them).
  fs::rename(data, prefix / "share/elsewhere");
  if (fs::is_directory(fs::path(ZORVANE_DATA_DIR))) return;
  err = run(nullptr);
  if (sound) {
    EXPECT_NE(err.find(soundMissing), std::string::npos) << err;
  }
  if (music) {
    EXPECT_NE(err.find(musicMissing), std::string::npos) << err;
  }
}
