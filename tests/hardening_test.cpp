// Faults found by the sanitizer runs, the soak and the fuzzers, each kept from coming back.
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <random>
#include <string>

#include "world/draw.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_platform_impl.h"

#include "shell/inputs.h"
#include "shell/script.h"
#include "frame/frame.h"
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
  ScriptCommands scripted(t.Plat, std::move(*s), KeyBindings{});
  for (long long frame = 1; frame <= 100000; ++frame) TakePointerMotion(*t, scripted.Next(*t, frame));
  EXPECT_EQ(t->PendingDx, INT_MAX);
  EXPECT_EQ(t->PendingDy, INT_MIN);
}

// A platform may hand over any int of motion: the pointer stops at the screen's edges.
TEST(Hardening, PointerTakesAnyMotionWithoutOverflow) {
  TestGame t;
  t->MouseX = 780;
  t->MouseY = 0;
  t.Plat.MouseDx = INT_MAX;
  t.Plat.MouseDy = INT_MIN;
  PollPointer(t);
  EXPECT_EQ(t->MouseX, 780);
  EXPECT_EQ(t->MouseY, 0);
  t->MouseY = 570;
  t.Plat.MouseDx = INT_MIN;
  t.Plat.MouseDy = INT_MAX;
  PollPointer(t);
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

// A frame is drawn only over the rows that differ from the frame before: frame after frame, the
// buffer holds what drawing the frame alone on a new buffer gives, with sprites, text and boxes
// that stay, move, come and go, and the buffer looked at part-way through a frame too.
TEST(Hardening, FramesDrawnOverTheLastOnesMatchFramesDrawnAfresh) {
  PlatformOptions o;
  o.Headless = true;
  auto load = [](SdlPlatform* p) {
    for (int i = 0; i < SheetCount; ++i) p->LoadSheet(i, Sheets[i].Name, Sheets[i].ColourKey);
  };
  auto keptOwner = CreateSdlPlatform(o);
  auto* kept = dynamic_cast<SdlPlatform*>(keptOwner.get());
  ASSERT_TRUE(kept);
  load(kept);
  std::mt19937 rng(11);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  struct Drawing {
    int Kind, Sheet, Left, Top, Right, Bottom, X, Y;
  };
  auto randomDrawing = [&]() -> Drawing {
    const int sheet = pick(0, SheetCount - 1);
    const int w = Sheets[sheet].Width, h = Sheets[sheet].Height;
    const int left = pick(0, w - 1), top = pick(0, h - 1);
    return {pick(0, 9), sheet, left, top, left + pick(1, 200), top + pick(1, 200), pick(-50, 799), pick(-50, 599)};
  };
  // A box over the whole screen whose colour changes every frame, the nebula, drawings under the
  // frame of the play column, another such box, part of the title over it and a strip of the
  // frame (whose solid parts hide what changes beneath them, and whose clear parts show it),
  // then drawings over them all.
  std::vector<Drawing> frame = {{8, 1, 0, 0, 800, 600, 0, 0}, {0, SheetBackdrop, 0, 0, 600, 600, 100, 0}};
  for (int i = 0; i < 12; ++i) frame.push_back(randomDrawing());
  // Their edges fall inside cells, a pixel past their edges.
  frame.push_back({0, SheetBackround, 0, 0, 800, 600, 1, 0});
  frame.push_back({8, 1, 0, 0, 510, 410, 145, 75});
  frame.push_back({0, SheetTitle, 150, 80, 650, 480, 168, 83});
  frame.push_back({0, SheetBackround, 0, 300, 800, 400, -1, 300});
  const size_t fixed = frame.size();
  for (int i = 0; i < 30; ++i) frame.push_back(randomDrawing());
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("frame " + std::to_string(round));
    // Most drawings stay as they were; some are nudged a pixel or two, as craft move; some go,
    // some come.
    frame[0].Sheet = frame[fixed - 3].Sheet = round + 1;
    for (size_t i = 2; i < frame.size(); ++i) {
      if (i >= fixed - 4 && i < fixed) continue;
      if (pick(0, 4) == 0) frame[i] = randomDrawing();
      else if (pick(0, 3) == 0) {
        frame[i].X += pick(-2, 2);
        frame[i].Y += pick(-2, 2);
      }
    }
    if (pick(0, 1)) frame.push_back(randomDrawing());
    auto freshOwner = CreateSdlPlatform(o);
    auto* fresh = dynamic_cast<SdlPlatform*>(freshOwner.get());
    ASSERT_TRUE(fresh);
    load(fresh);
    kept->ClearBuffer();
    for (size_t i = 0; i < frame.size(); ++i) {
      const Drawing& d = frame[i];
      for (SdlPlatform* p : {kept, fresh}) {
        if (d.Kind == 8) p->FillBox(d.X, d.Y, d.X + d.Right - d.Left, d.Y + d.Bottom - d.Top, 0x336699u * d.Sheet);
        else if (d.Kind == 9) p->DrawText(d.X, d.Y, "SCORE " + std::to_string(d.Left), 0xFFFFFF);
        else if (d.Kind == 7) p->CopyRect(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y, d.X + 90, d.Y + 70, true);
        else p->CopyRect(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y, 0, 0, false);
      }
      if (i == frame.size() / 2 && round % 3 == 0) kept->PixelAt(0, 0);  // a look part-way through
    }
    ASSERT_EQ(std::memcmp(kept->RawPixels(), fresh->RawPixels(), 800 * 600 * 4), 0);
  }
  EXPECT_TRUE(kept->GuardRowsUntouched());
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
  EXPECT_TRUE(second->ReadCommand(false).Close);
  second.reset();
  sigaction(SIGINT, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  EXPECT_FALSE(CreateSdlPlatform(o)->ReadCommand(false).Close);
}
