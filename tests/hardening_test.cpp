// Faults found by the sanitizer runs, the soak and the fuzzers, each kept from coming back.
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <random>
#include <string>

#include "platform/blit.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_platform_impl.h"

#include "shell/harness_platform.h"
#include "shell/script.h"
#include "shell/shell.h"
#include "test_support.h"

// Many "move" lines in one frame, each within the allowed range, add up past what an int holds.
TEST(Hardening, ScriptMotionSaturatesInsteadOfOverflowing) {
  std::string script, error;
  for (int i = 0; i < 30000; ++i) script += "0 move 100000 -100000\n";
  auto s = InputScript::Parse(script, &error);
  ASSERT_TRUE(s) << error;
  FrameInput f = s->For(0);
  EXPECT_EQ(f.Dx, INT_MAX);
  EXPECT_EQ(f.Dy, INT_MIN);
}

// Play frames never read the mouse, so a long level of scripted motion piles up until the
// menu reads it.
TEST(Hardening, MotionPiledUpThroughALongLevelSaturates) {
  TestGame t;
  std::string error;
  auto s = InputScript::Parse("1-100000 move 100000 -100000\n", &error);
  ASSERT_TRUE(s) << error;
  ScriptedPlatform scripted(t.Plat, std::move(*s), *t);
  for (long long frame = 1; frame <= 100000; ++frame) scripted.BeginFrame(frame);
  int dx = 0, dy = 0;
  bool left = false, right = false;
  scripted.ReadMouse(dx, dy, left, right);
  EXPECT_EQ(dx, INT_MAX);
  EXPECT_EQ(dy, INT_MIN);
}

// A platform may hand over any int of motion: the pointer stops at the screen's edges.
TEST(Hardening, PointerTakesAnyMotionWithoutOverflow) {
  TestGame t;
  t->MouseX = 780;
  t->MouseY = 0;
  t.Plat.MouseDx = INT_MAX;
  t.Plat.MouseDy = INT_MIN;
  PollMouse(*t);
  EXPECT_EQ(t->MouseX, 780);
  EXPECT_EQ(t->MouseY, 0);
  t->MouseY = 570;
  t.Plat.MouseDx = INT_MIN;
  t.Plat.MouseDy = INT_MAX;
  PollMouse(*t);
  EXPECT_EQ(t->MouseX, 0);
  EXPECT_EQ(t->MouseY, 570);
}

// The sprite copy loop that replaced SDL's for speed writes exactly what SDL's would, wherever
// the rectangles fall: inside, across or beyond the sheet and the screen, any size.
TEST(Hardening, OwnSpriteCopyDrawsWhatSdlDraws) {
  PlatformOptions o;
  o.Headless = true;
  auto fastOwner = CreateSdlPlatform(o), sdlOwner = CreateSdlPlatform(o);
  auto* fast = dynamic_cast<SdlPlatform*>(fastOwner.get());
  auto* sdl = dynamic_cast<SdlPlatform*>(sdlOwner.get());
  ASSERT_TRUE(fast && sdl);
  sdl->FastKeyedCopy = false;
  for (int i = 0; i < SheetCount; ++i) {
    fast->LoadSheet(i, Sheets[i].Name, Sheets[i].ColourKey);
    sdl->LoadSheet(i, Sheets[i].Name, Sheets[i].ColourKey);
  }
  std::mt19937 rng(7);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  for (int round = 0; round < 3000; ++round) {
    // A clear now and then, so that copies also land on rows whose clear is still owed.
    if (pick(0, 30) == 0)
      for (SdlPlatform* p : {fast, sdl}) p->ClearBuffer();
    const int sheet = pick(0, SheetCount - 1);
    const int w = Sheets[sheet].Width, h = Sheets[sheet].Height;
    const int left = pick(-40, w + 10), top = pick(-40, h + 10);
    const int right = left + pick(1, round % 10 == 0 ? 900 : 120), bottom = top + pick(1, round % 10 == 0 ? 700 : 120);
    const int x = pick(-300, 850), y = pick(-300, 650);
    for (SdlPlatform* p : {fast, sdl}) p->CopyRect(sheet, left, top, right, bottom, x, y, 0, 0, false);
    if (round % 100 == 99) {
      ASSERT_EQ(std::memcmp(fast->RawPixels(), sdl->RawPixels(), 800 * 600 * 4), 0) << "after copy " << round;
    }
  }
  EXPECT_TRUE(fast->GuardRowsUntouched());
}

// Platforms alive at once share the stop-signal handlers: the last one to go puts back what was
// there before, and a stop asked of one run is not left for the next platform to find.
TEST(Hardening, SignalHandlersGoBackWhenTheLastOfTwoPlatformsGoes) {
  struct sigaction before {}, after {};
  sigaction(SIGINT, nullptr, &before);
  PlatformOptions o;
  o.Headless = true;
  auto first = CreateSdlPlatform(o), second = CreateSdlPlatform(o);
  ASSERT_TRUE(first && second);
  first.reset();
  std::raise(SIGINT);  // still caught: the platform left only takes note
  EXPECT_TRUE(second->CloseRequested());
  second.reset();
  sigaction(SIGINT, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  EXPECT_FALSE(CreateSdlPlatform(o)->CloseRequested());
}
