// The SDL platform: the scan-code map, the back buffer with Blit's clipping, the test-pattern
// sheets, screenshots, the headless clock and input, the pointer in a window, stop signals.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <csignal>
#include <cstdlib>
#include <map>
#include <set>

#include <sys/wait.h>

#include "platform/blit.h"
#include "platform/sdl/pc_scan_codes.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_platform_impl.h"
#include "test_support.h"

namespace {

struct SdlGame {
  std::unique_ptr<Platform> Owner;
  SdlPlatform* Plat = nullptr;
  std::unique_ptr<Game> G = std::make_unique<Game>();

  explicit SdlGame(bool headless = true, bool windowed = false) {
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlatformOptions o;
    o.Headless = headless;
    o.Windowed = windowed;
    Owner = CreateSdlPlatform(o);
    Plat = dynamic_cast<SdlPlatform*>(Owner.get());
    G->Plat = Owner.get();
    if (Plat)
      // Names no resource carries: these tests check the copying on the platform's test
      // patterns, whose every pixel is known, not on the art.
      for (int i = 0; i < 14; ++i)
        Plat->LoadSheet(i, std::string("PATTERN ") + Sheets[i].Name, Sheets[i].ColourKey);
  }
  // What a copy of sheet pixel (x, y) leaves on a cleared buffer.
  long Copied(int sheet, int x, int y) const {
    long p = Plat->SheetPixelAt(sheet, x, y);
    return p == long(Sheets[sheet].ColourKey) ? 0 : p;
  }
};

// Checks the back buffer against a sheet rectangle copied to (left, top); rows and columns
// outside the buffer are skipped. Returns the number of mismatches.
int CompareCopy(const SdlGame& s, int sheet, int srcLeft, int srcTop, int width, int height, int left, int top) {
  int bad = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int bx = left + x, by = top + y;
      if (bx < 0 || by < 0 || bx >= 800 || by >= 600) continue;
      if (s.Plat->PixelAt(bx, by) != s.Copied(sheet, srcLeft + x, srcTop + y)) ++bad;
    }
  return bad;
}

// Puts one event on SDL's queue and lets the platform read it as the next frame begins.
void Deliver(SdlGame& s, SDL_Event e, long long frame = 0, bool mouse = true) {
  SDL_PushEvent(&e);
  s.Owner->BeginFrame(frame);
  if (mouse) PollMouse(*s.G);
}

SDL_Event Motion(int x, int y, int dx = 0, int dy = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x, e.motion.y = y, e.motion.xrel = dx, e.motion.yrel = dy;
  return e;
}

std::pair<int, int> Pointer(const Game& g) { return {g.MouseX, g.MouseY}; }

int DrawnPixels(const SdlPlatform& p, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += p.PixelAt(x, y) != 0;
  return n;
}

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

TEST(BackBuffer, TestPatternSheetsHaveTheirExactSizesAndAVisiblePattern) {
  SdlGame s;
  ASSERT_TRUE(s.Plat);
  for (int i = 0; i < 14; ++i) {
    int w = 0, h = 0;
    s.Plat->SheetSize(i, w, h);
    EXPECT_EQ(std::pair(w, h), std::pair(int(Sheets[i].Width), int(Sheets[i].Height))) << Sheets[i].Name;
    int keyed = 0, drawn = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) (s.Plat->SheetPixelAt(i, x, y) == long(Sheets[i].ColourKey) ? keyed : drawn)++;
    EXPECT_GT(keyed, w * h / 4) << Sheets[i].Name;
    EXPECT_GT(drawn, w * h / 4) << Sheets[i].Name;
  }
}

TEST(BackBuffer, BlitClipsTopAndBottomAndNeverWritesOutsideTheBuffer) {
  SdlGame s;
  ASSERT_TRUE(s.Plat);
  Game& g = *s.G;
  // Above the screen: a 30-row object at -10 shows its lower 20 rows at the top.
  EXPECT_EQ(Blit(g, SheetShips, true, -10, 20, 100, 140, 0, 30, 0, 40), 0);
  EXPECT_EQ(CompareCopy(s, SheetShips, 0, 10, 40, 20, 100, 0), 0);
  EXPECT_EQ(DrawnPixels(*s.Plat, 100, 20, 140, 40), 0);
  EXPECT_GT(DrawnPixels(*s.Plat, 100, 0, 140, 20), 100);
  // Below: the bottom edge at 610 loses the lowest 10 rows.
  s.Plat->ClearBuffer();
  Blit(g, SheetShips, true, 580, 610, 200, 240, 50, 80, 60, 100);
  EXPECT_EQ(CompareCopy(s, SheetShips, 60, 50, 40, 20, 200, 580), 0);
  EXPECT_GT(DrawnPixels(*s.Plat, 200, 580, 240, 600), 100);
  // The sides are not clipped by Blit; the buffer shows what fits and nothing spills over
  // into the neighbouring rows (or past the first and last row).
  s.Plat->ClearBuffer();
  Blit(g, SheetShips, true, 300, 330, 790, 820, 0, 30, 0, 30);
  EXPECT_EQ(CompareCopy(s, SheetShips, 0, 0, 10, 30, 790, 300), 0);
  EXPECT_EQ(DrawnPixels(*s.Plat, 0, 290, 790, 340), 0);
  Blit(g, SheetShips, true, 400, 430, -10, 20, 0, 30, 0, 30);
  EXPECT_EQ(CompareCopy(s, SheetShips, 10, 0, 20, 30, 0, 400), 0);
  EXPECT_EQ(DrawnPixels(*s.Plat, 20, 390, 800, 440), 0);
  Blit(g, SheetEnemies, true, -300, 400, -500, 900, 0, 323, 0, 982);  // bigger than the screen
  Blit(g, SheetTitle, false, -50, 700, -100, 900, 0, 600, 0, 800);    // scaled past every edge
  Blit(g, SheetShips, true, 700, 730, 10, 40, 0, 30, 0, 30);          // wholly below
  Blit(g, SheetShips, true, 10, 40, 10, 40, 30, 0, 30, 0);            // inverted rectangle
  Blit(g, SheetShips, false, 10, 10, 10, 40, 0, 30, 0, 30);           // empty destination
  s.Plat->FillBox(-20, -20, 900, 900, 0xFFFFFF);
  EXPECT_TRUE(s.Plat->GuardRowsUntouched());
}

TEST(BackBuffer, ScaledCopiesBoxesTextAndClear) {
  SdlGame s;
  ASSERT_TRUE(s.Plat);
  Game& g = *s.G;
  // An 8 x 8 block of the pattern (no holes in it) doubled to 16 x 16.
  Blit(g, SheetShots, false, 300, 316, 300, 316, 48, 56, 88, 96);
  EXPECT_EQ(DrawnPixels(*s.Plat, 300, 300, 316, 316), 256);
  EXPECT_EQ(DrawnPixels(*s.Plat, 290, 290, 326, 326), 256);
  EXPECT_EQ(s.Plat->PixelAt(300, 300), s.Copied(SheetShots, 88, 48));
  EXPECT_EQ(s.Plat->PixelAt(315, 315), s.Copied(SheetShots, 95, 55));

  // A box covers its left and top edges, not its right and bottom ones.
  s.Plat->FillBox(100, 0, 700, 600, 0xFFFFFF);
  EXPECT_EQ((std::array{s.Plat->PixelAt(100, 0), s.Plat->PixelAt(699, 599), s.Plat->PixelAt(99, 0),
                        s.Plat->PixelAt(700, 300)}),
            (std::array<long, 4>{0xFFFFFF, 0xFFFFFF, 0, 0}));
  s.Plat->ClearBuffer();
  EXPECT_EQ(DrawnPixels(*s.Plat, 0, 0, 800, 600), 0);

  // Text in the given colour near where it was asked for.
  g.Pen.TextColour = 0xFF0000;
  DrawText(g, 50, 60, "POINTS 1234");
  int text = DrawnPixels(*s.Plat, 50, 60, 150, 75);
  EXPECT_GT(text, 20);
  EXPECT_EQ(DrawnPixels(*s.Plat, 0, 0, 800, 600), text);
  bool red = false;
  for (int y = 60; y < 75; ++y)
    for (int x = 50; x < 150; ++x) red |= s.Plat->PixelAt(x, y) == 0xFF0000;
  EXPECT_TRUE(red);
}

TEST(BackBuffer, ScreenshotsAre800By600Pngs) {
  TempDir dir;
  {
    SdlGame s;
    ASSERT_TRUE(s.Plat);
    s.Plat->FillBox(10, 20, 30, 40, 0x123456);
    ASSERT_TRUE(s.Plat->SaveScreenshot(dir.File("shot.png")));
    EXPECT_FALSE(s.Plat->SaveScreenshot(dir.File("no/such/folder/shot.png")));
    SDL_Surface* png = IMG_Load(dir.File("shot.png").c_str());
    ASSERT_TRUE(png);
    EXPECT_EQ(png->w, 800);
    EXPECT_EQ(png->h, 600);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_RGB888, 0);
    uint32_t p = static_cast<uint32_t*>(rgb->pixels)[25 * (rgb->pitch / 4) + 15];
    EXPECT_EQ(p & 0xFFFFFF, 0x123456u);
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(png);
  }
  // Through the harness, headless.
  std::string err;
  ASSERT_EQ(RunZorvane("--headless --frames 2 --screenshot '" + dir.File("h.png") + "' --save-file '" +
                           dir.File("s.gsv") + "'",
                       nullptr, &err),
            0)
      << err;
  SDL_Surface* png = IMG_Load(dir.File("h.png").c_str());
  ASSERT_TRUE(png);
  EXPECT_EQ(png->w, 800);
  EXPECT_EQ(png->h, 600);
  SDL_FreeSurface(png);
}

TEST(Headless, ClockFromFramesNoInputAndStopSignals) {
  SdlGame s;
  ASSERT_TRUE(s.Plat);
  Platform& p = *s.Owner;
  for (long long n : {0LL, 1LL, 2LL, 59LL, 60LL, 61LL, 3600LL}) {
    p.BeginFrame(n);
    EXPECT_EQ(p.TickCount(), int32_t(n * 1000 / 60)) << n;
  }
  std::array<bool, 256> keys;
  keys.fill(true);
  p.ReadKeyboard(keys);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), true), 0);
  int dx = 5, dy = 5;
  bool left = true, right = true;
  p.ReadMouse(dx, dy, left, right);
  EXPECT_EQ(std::tuple(dx, dy, left, right), std::tuple(0, 0, false, false));
  p.LoadSound(0, "Explo0");  // no audio device headless: every audio call is a quiet no-op
  p.PlaySound(0);
  p.LoadMusic("Menu");
  p.PlayMusic();
  EXPECT_FALSE(p.CloseRequested());
  std::raise(SIGTERM);
  EXPECT_TRUE(p.CloseRequested());
  s.Owner.reset();
  SdlGame again;
  EXPECT_FALSE(again.Owner->CloseRequested());
  std::raise(SIGINT);
  EXPECT_TRUE(again.Owner->CloseRequested());
}

TEST(Window, ThePointerLandsOnTheSystemPointerWithoutDrifting) {
  SdlGame s(false, true);
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
  PollMouse(*s.G);
  EXPECT_FALSE(s.G->MouseLeft);
  // Closing the window asks the game to stop.
  EXPECT_FALSE(s.Owner->CloseRequested());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Deliver(s, quit, 3, false);
  EXPECT_TRUE(s.Owner->CloseRequested());
}

TEST(Window, FullScreenMotionIsRelativeAndClampedLikeTheGame) {
  SdlGame s(false, false);
  ASSERT_TRUE(s.Plat && s.Plat->TheWindow());
  EXPECT_TRUE(SDL_GetWindowFlags(s.Plat->TheWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  Deliver(s, Motion(0, 0, -50, 30));
  EXPECT_EQ(Pointer(*s.G), std::pair(0, 30));
  Deliver(s, Motion(0, 0, 25, 0));  // the pointer moves away from the edge at once
  EXPECT_EQ(Pointer(*s.G), std::pair(25, 30));
  // Alt+Enter: into a window, where the pointer follows the system pointer's position.
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_RETURN;
  key.key.keysym.mod = KMOD_LALT;
  Deliver(s, key, 1, false);
  ASSERT_TRUE(s.Plat->TheWindow());
  EXPECT_FALSE(SDL_GetWindowFlags(s.Plat->TheWindow()) & SDL_WINDOW_FULLSCREEN);
  Deliver(s, Motion(400, 300, 7, 0), 2);
  EXPECT_EQ(Pointer(*s.G), std::pair(400, 300));
}

TEST(Window, WithoutADisplayTheGameSaysSoAndStops) {
  if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a console display may be reachable here";
  TempDir dir;
  std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy '") +
                    ZORVANE_EXE + "' --frames 1 --save-file '" + dir.File("s.gsv") + "' 2>'" + dir.File("err") + "'";
  int status = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(ReadFile(dir.File("err")).find("zorvane2: no display"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("s.gsv")));
}
