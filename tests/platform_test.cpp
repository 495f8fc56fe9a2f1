// The SDL platform: the scan-code map, the pointer in a window, the picture reaching the
// window, and a game started without a display.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include <sys/wait.h>

#include "platform/sdl/pc_scan_codes.h"
#include "platform/sdl/sdl_platform.h"
#include "render/renderer.h"
#include "shell/embedded_art.h"
#include "test_support.h"

namespace {

struct SdlGame {
  std::unique_ptr<Platform> Owner;
  SdlPlatform* Plat = nullptr;
  std::unique_ptr<Game> G = std::make_unique<Game>();

  explicit SdlGame(bool windowed = true) {
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlatformOptions o;
    o.Windowed = windowed;
    Owner = CreateSdlPlatform(o);
    Plat = dynamic_cast<SdlPlatform*>(Owner.get());
  }
};

// Puts one event on SDL's queue and lets the platform read it as the next frame begins.
void Deliver(SdlGame& s, SDL_Event e, long long frame = 0, bool mouse = true) {
  SDL_PushEvent(&e);
  s.Owner->BeginFrame(frame);
  if (mouse) PollPointer(*s.G, *s.Owner);
}

SDL_Event Motion(int x, int y, int dx = 0, int dy = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x, e.motion.y = y, e.motion.xrel = dx, e.motion.yrel = dy;
  return e;
}

std::pair<int, int> Pointer(const Game& g) { return {g.MouseX, g.MouseY}; }

}  // namespace

TEST(ScanCodes, EveryKeyMapsToItsPcCode) {
  const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const int firstCode[] = {16, 30, 44};
  for (int r = 0; r < 3; ++r)
    for (int i = 0; rows[r][i]; ++i)
      EXPECT_EQ(PcScanCode(SDL_SCANCODE_A + (rows[r][i] - 'A')), firstCode[r] + i) << rows[r][i];
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(PcScanCode(SDL_SCANCODE_1 + d - 1), d + 1);
  EXPECT_EQ(PcScanCode(SDL_SCANCODE_0), 11);
  for (int f = 0; f < 10; ++f) EXPECT_EQ(PcScanCode(SDL_SCANCODE_F1 + f), 59 + f);
  // The keys the game reads, and a few from each block where a slip is likely (the extended keys).
  const std::map<int, int> named = {
      {SDL_SCANCODE_ESCAPE, KeyEscape}, {SDL_SCANCODE_SPACE, KeySpace}, {SDL_SCANCODE_UP, KeyUp},
      {SDL_SCANCODE_LEFT, KeyLeft},     {SDL_SCANCODE_RIGHT, KeyRight}, {SDL_SCANCODE_DOWN, KeyDown},
      {SDL_SCANCODE_RETURN, 28},        {SDL_SCANCODE_F11, 87},         {SDL_SCANCODE_KP_ENTER, 156},
      {SDL_SCANCODE_RCTRL, 157},        {SDL_SCANCODE_KP_DIVIDE, 181},  {SDL_SCANCODE_HOME, 199},
      {SDL_SCANCODE_DELETE, 211},       {SDL_SCANCODE_KP_7, 71},        {SDL_SCANCODE_PAUSE, 197},
  };
  for (auto [sdl, pc] : named) EXPECT_EQ(PcScanCode(sdl), pc) << SDL_GetScancodeName(SDL_Scancode(sdl));

  // Every scancode, and any number at all, gives a code of the 256-entry key state or 0; two
  // keys share a code only where they are the same key on different layouts.
  std::map<int, int> owner;
  int mapped = 0;
  for (int sc = -10; sc < SDL_NUM_SCANCODES + 10; ++sc) {
    const int pc = PcScanCode(sc);
    ASSERT_TRUE(pc >= 0 && pc <= 255) << sc;
    EXPECT_TRUE(pc == 0 || (sc > 0 && sc < SDL_NUM_SCANCODES)) << sc;
    if (pc == 0) continue;
    ++mapped;
    auto [it, fresh] = owner.emplace(pc, sc);
    if (!fresh) {
      std::set<std::pair<int, int>> aliases = {{SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_NONUSHASH},
                                               {SDL_SCANCODE_MUTE, SDL_SCANCODE_AUDIOMUTE},
                                               {SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_SYSREQ}};
      EXPECT_TRUE(aliases.count({it->second, sc})) << "code " << pc << " for two keys " << it->second << ", " << sc;
    }
  }
  EXPECT_GE(mapped, 104);  // a full PC keyboard
}

TEST(Window, ThePointerLandsOnTheSystemPointerWithoutDrifting) {
  SdlGame s;
  ASSERT_TRUE(s.Plat) << "no window under the dummy video driver";
  // Where the system pointer goes, then where the game's lands: past the game's limits it is clamped.
  const std::array<int, 4> moves[] = {
      {300, 200, 300, 200}, {795, 590, 780, 570}, {100, 50, 100, 50}, {-40, 700, 0, 570}, {10, 560, 10, 560}};
  for (auto [x, y, gx, gy] : moves) {
    Deliver(s, Motion(x, y));
    EXPECT_EQ(Pointer(*s.G), std::pair(gx, gy)) << x << "," << y;
  }
  // A click shorter than a frame is still seen once.
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  Deliver(s, e, 1);
  EXPECT_TRUE(s.G->MouseLeft);
  s.Owner->BeginFrame(2);
  PollPointer(*s.G, *s.Owner);
  EXPECT_FALSE(s.G->MouseLeft);
  // Closing the window asks the game to stop.
  EXPECT_FALSE(s.Owner->ReadCommand(false).Close);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Deliver(s, quit, 3, false);
  EXPECT_TRUE(s.Owner->ReadCommand(false).Close);
}

// Without a GPU the picture is copied into the window's own pixels, only the rectangles the
// renderer drew afresh, and only those parts of the window are sent. Whatever a frame draws
// (sprites, scaled copies, boxes, text, a reloaded sheet, nothing new at all, or more over the
// last frame without a clear) the window must show exactly the renderer's picture, and every
// pixel that changed must have been sent.
TEST(Window, EveryFrameReachesTheWindowWhole) {
  SdlGame s;
  ASSERT_TRUE(s.Plat) << "no window under the dummy video driver";
  ASSERT_STREQ(s.Plat->Window().PresentPath(), "software");
  Renderer screen;
  LoadEmbeddedArt(screen);
  std::mt19937 rng(11);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  SDL_Window* window = s.Plat->Window().Handle();
  auto windowRow = [&](int y) {
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(shown->pixels) + y * shown->pitch);
  };
  std::vector<uint32_t> before(size_t(800) * 600);
  unsigned drawing = 0;
  int lastKind = 0;
  for (int frame = 0; frame < 48; ++frame) {
    rng.seed(unsigned(1000 + frame));
    // 1: the same drawing as the frame before; 4: the same again, with the ship sheet reloaded
    // with another name on it; 5: more drawing over the last frame.
    // The window is uncovered at frame 20 and made larger (the picture scaled) from frame 30 to
    // 32: whatever the window held then is gone, even where the drawing did not change.
    const bool settled = (frame >= 20 && frame <= 22) || (frame >= 32 && frame <= 34);
    const int kind = frame < 4 ? 0 : settled ? 1 : pick(0, 5);
    if (frame == 20) {
      SDL_Event e{};
      e.type = SDL_WINDOWEVENT;
      e.window.event = SDL_WINDOWEVENT_EXPOSED;
      e.window.windowID = SDL_GetWindowID(window);
      SDL_PushEvent(&e);
    }
    if (frame == 30 || frame == 32) SDL_SetWindowSize(window, frame == 30 ? 1000 : 800, frame == 30 ? 750 : 600);
    if (kind != 1 && kind != 4) drawing = unsigned(frame);
    rng.seed(drawing);
    auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    if (kind != 5) screen.BeginFrame();
    if (kind == 4) LoadEmbeddedSheet(screen, SheetShips, frame % 2 ? "PATTERN Ships" : "PATTERN Other");
    for (int i = draw(0, 12); i > 0; --i) {
      const int sheet = draw(0, 13), x = draw(-50, 820), y = draw(-50, 620);
      switch (draw(0, 4)) {
        case 0: screen.CopyRect(sheet, 0, 0, draw(1, 200), draw(1, 200), x, y, 0, 0, false); break;
        case 1: screen.CopyRect(sheet, 0, 0, 40, 40, x, y, x + draw(1, 300), y + draw(1, 300), true); break;
        case 2: screen.FillBox(x, y, x + draw(1, 100), y + draw(1, 3), uint32_t(draw(0, 0xFFFFFF))); break;
        case 3: screen.DrawText(x, y, "SCORE " + std::to_string(draw(0, 99)), uint32_t(draw(0, 0xFFFFFF))); break;
        default: screen.CopyRect(SheetStars, 0, 0, 2, 2, x, y, 0, 0, false); break;  // one star
      }
    }
    if (frame % 7 == 3) screen.PixelAt(0, 0);  // a look at the frame before it is shown
    s.Owner->BeginFrame(frame);
    s.Owner->Present(screen);
    if (frame == 30 || frame == 31) continue;  // scaled: the picture is copied over whole
    int differ = 0;
    for (int y = 0; y < 600; ++y) differ += std::memcmp(screen.Pixels() + y * 800, windowRow(y), 3200) != 0;
    EXPECT_EQ(differ, 0) << "rows the window does not show as drawn, frame " << frame << " (kind " << kind << ")";
    const std::vector<SDL_Rect> sent = s.Plat->Window().Sent();
    int unsent = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) {
        const SDL_Point p{x, y};
        if (frame > 0 && frame != 32 && windowRow(y)[x] != before[size_t(y) * 800 + size_t(x)])
          unsent += std::none_of(sent.begin(), sent.end(), [&](const SDL_Rect& r) { return SDL_PointInRect(&p, &r); });
      }
    EXPECT_EQ(unsent, 0) << "changed pixels not sent to the display, frame " << frame << " (kind " << kind << ")";
    if (kind == 1 && lastKind != 5 && !settled) {
      EXPECT_TRUE(sent.empty()) << "an unchanged frame was sent, frame " << frame;
    }
    for (int y = 0; y < 600; ++y) std::memcpy(&before[size_t(y) * 800], windowRow(y), 3200);
    lastKind = kind;
  }
}

TEST(Window, WithoutADisplayTheGameSaysSoAndStops) {
  if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a console display may be reachable here";
  TempDir dir;
  std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy '") +
                    ZorvaneExe() + "' --frames 1 --save-file '" + dir.File("s.gsv") + "' 2>'" + dir.File("err") + "'";
  int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(ReadFile(dir.File("err")).find("zorvane2: no display"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("s.gsv")));
}
