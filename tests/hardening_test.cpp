// Faults found by the sanitizer runs, the soak and the fuzzers, each kept from coming back.
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <random>
#include <string>

#include "platform/headless/headless_platform.h"
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

// Platforms alive at once share the stop-signal handlers: the last one to go puts back what was
// there before, and a stop asked of one run is not left for the next platform to find.
TEST(Hardening, SignalHandlersGoBackWhenTheLastOfTwoPlatformsGoes) {
  // What is installed is read by putting it straight back (the one way every system has).
  auto installed = [] {
    auto handler = std::signal(SIGINT, SIG_DFL);
    std::signal(SIGINT, handler);
    return handler;
  };
  const auto before = installed();
  auto first = std::make_unique<HeadlessPlatform>(""), second = std::make_unique<HeadlessPlatform>("");
  first.reset();
  std::raise(SIGINT);  // still caught: the platform left only takes note
  EXPECT_TRUE(second->ReadCommand(false).Close);
  second.reset();
  EXPECT_EQ(installed(), before);
  EXPECT_FALSE(HeadlessPlatform("").ReadCommand(false).Close);
}
