// Faults found by the sanitizer runs, the soak and the fuzzers, each kept from coming back.
#include <gtest/gtest.h>

#include <climits>
#include <string>

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
