// The harness contract: options, input scripts, recording, traces and their determinism.
#include <gtest/gtest.h>

#include "shell/options.h"
#include "shell/script.h"
#include "test_support.h"

TEST(Options, ParsesTheHarnessFlagsAndRejectsMistakes) {
  std::string error;
  auto o = ParseOptions({"--headless", "--frames", "12", "--save-file", "s.gsv", "--dump-state", "-", "--windowed"},
                        &error);
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->Headless);
  EXPECT_TRUE(o->Windowed);
  EXPECT_EQ(o->Frames, 12);
  EXPECT_EQ(o->SaveFile, "s.gsv");
  EXPECT_EQ(o->DumpStateFile, "-");
  EXPECT_FALSE(ParseOptions({"--frames", "-3"}, &error));
  EXPECT_FALSE(ParseOptions({"--frames", "12x"}, &error));
  EXPECT_FALSE(ParseOptions({"--frames"}, &error));
  EXPECT_FALSE(ParseOptions({"--bogus"}, &error));
  EXPECT_NE(error.find("--bogus"), std::string::npos);
}

TEST(InputScript, KeyNamesMapToPcScanCodes) {
  EXPECT_EQ(ScanCodeForName("ESCAPE"), 1);
  EXPECT_EQ(ScanCodeForName("space"), 57);
  EXPECT_EQ(ScanCodeForName("ENTER"), 28);
  EXPECT_EQ(ScanCodeForName("UP"), 200);
  EXPECT_EQ(ScanCodeForName("DOWN"), 208);
  EXPECT_EQ(ScanCodeForName("LEFT"), 203);
  EXPECT_EQ(ScanCodeForName("RIGHT"), 205);
  EXPECT_EQ(ScanCodeForName("Q"), 16);
  EXPECT_EQ(ScanCodeForName("P"), 25);
  EXPECT_EQ(ScanCodeForName("A"), 30);
  EXPECT_EQ(ScanCodeForName("L"), 38);
  EXPECT_EQ(ScanCodeForName("Z"), 44);
  EXPECT_EQ(ScanCodeForName("M"), 50);
  EXPECT_EQ(ScanCodeForName("1"), 2);
  EXPECT_EQ(ScanCodeForName("0"), 11);
  EXPECT_EQ(ScanCodeForName("45"), 45);
  EXPECT_EQ(ScanCodeForName("211"), 211);
  EXPECT_EQ(ScanCodeForName("212"), 0);
  EXPECT_EQ(ScanCodeForName("F13"), 0);
  // What a recording writes reads back as the same key, for every code.
  for (int code = 1; code <= 211; ++code) EXPECT_EQ(ScanCodeForName(NameForScanCode(code)), code) << code;
}

TEST(InputScript, AppliesEachLineToItsFrames) {
  std::string error;
  auto s = InputScript::Parse(
      "# a comment\n"
      "\n"
      "2-4 key X   # fire\n"
      "3 key 200\n"
      "5 mouse 40 60\n"
      "5-6 move 2 -1\n"
      "6 lbutton\n"
      "7 rbutton\n"
      "9 close\n",
      &error);
  ASSERT_TRUE(s) << error;
  EXPECT_FALSE(s->For(1).Keys[45]);
  EXPECT_TRUE(s->For(2).Keys[45]);
  EXPECT_TRUE(s->For(4).Keys[45]);
  EXPECT_FALSE(s->For(5).Keys[45]);
  EXPECT_TRUE(s->For(3).Keys[200]);
  EXPECT_TRUE(s->For(5).HasTarget);
  EXPECT_EQ(s->For(5).TargetX, 40);
  EXPECT_EQ(s->For(6).Dx, 2);
  EXPECT_EQ(s->For(6).Dy, -1);
  EXPECT_TRUE(s->For(6).LButton);
  EXPECT_TRUE(s->For(7).RButton);
  EXPECT_TRUE(s->For(9).Close);
  EXPECT_FALSE(s->For(8).Close);
}

TEST(InputScript, MalformedLinesAreRejectedWithTheirLineNumber) {
  for (const char* bad : {"x key A", "5-2 key A", "1 key NOPE", "1 jump", "1 mouse 3", "1 key A extra", "1",
                          "1 move 1 999999999999"}) {
    std::string error;
    EXPECT_FALSE(InputScript::Parse(std::string("0 key A\n") + bad + "\n", &error)) << bad;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

TEST(Harness, ClosingTheWindowSavesAndQuitsLikeTheQuitButton) {
  TempDir dir;
  WriteFile(dir.File("in.txt"), "3 close\n");
  std::string out, err;
  ASSERT_EQ(RunZorvane("--headless --frames 100 --save-file '" + dir.File("s.gsv") + "' --input '" +
                           dir.File("in.txt") + "' --dump-state -",
                       &out, &err),
            0)
      << err;
  EXPECT_NE(out.find("\"frame\":4,"), std::string::npos);
  EXPECT_NE(out.find("\"GameRunning\":false"), std::string::npos);
}
