// The harness contract: options, input scripts, recording, traces and their determinism.
#include <gtest/gtest.h>

#include <malloc.h>

#include <chrono>
#include <climits>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/types.h"
#include "save/save_file.h"
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

// Each frame finds its own lines, however long the script: the lines of overlapping ranges, long
// and short, apply in the script's order (the last "mouse" of a frame wins, motion saturates as it
// adds up, so the order shows), and a frame costs no more for the lines of other frames.
TEST(InputScript, EachFrameFindsItsLinesInTheScriptsOrderHoweverLongTheScript) {
  std::mt19937 rng(31);
  auto pick = [&](long long low, long long high) { return std::uniform_int_distribution<long long>(low, high)(rng); };
  struct Line {
    long long First, Last;
    int Kind, A, B;
  };
  std::vector<Line> lines;
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    const long long first = pick(0, 2000), last = first + (pick(0, 9) == 0 ? pick(0, 3000) : pick(0, 5));
    const Line l{first, last, int(pick(0, 3)), int(pick(-100000, 100000)), int(pick(-100000, 100000))};
    lines.push_back(l);
    const char* what[] = {"key ", "mouse ", "move ", "lbutton"};
    text += std::to_string(first) + "-" + std::to_string(last) + " " + what[l.Kind] +
            (l.Kind == 0 ? NameForScanCode(std::abs(l.A) % 211 + 1)
                         : l.Kind == 3 ? "" : std::to_string(l.A) + " " + std::to_string(l.B)) +
            "\n";
  }
  std::string error;
  auto s = InputScript::Parse(text, &error);
  ASSERT_TRUE(s) << error;
  for (long long frame = 0; frame <= 5200; frame += 7) {
    FrameInput want;
    for (const Line& l : lines) {
      if (frame < l.First || frame > l.Last) continue;
      if (l.Kind == 0) want.Keys[size_t(std::abs(l.A) % 211 + 1)] = true;
      if (l.Kind == 1 && frame == l.First) want.HasTarget = true, want.TargetX = l.A, want.TargetY = l.B;
      if (l.Kind == 2) want.Dx = SatAddLong(want.Dx, l.A), want.Dy = SatAddLong(want.Dy, l.B);
      if (l.Kind == 3) want.LButton = true;
    }
    const FrameInput got = s->For(frame);
    ASSERT_EQ(got.Keys, want.Keys) << frame;
    ASSERT_EQ(std::tie(got.HasTarget, got.TargetX, got.TargetY, got.Dx, got.Dy, got.LButton),
              std::tie(want.HasTarget, want.TargetX, want.TargetY, want.Dx, want.Dy, want.LButton))
        << frame;
  }

  // 300,000 lines: looking every line over for each of 20,000 frames would take seconds.
  text.clear();
  for (int i = 0; i < 300000; ++i) text += std::to_string(i) + " key X\n";
  s = InputScript::Parse(text, &error);
  ASSERT_TRUE(s) << error;
  const auto start = std::chrono::steady_clock::now();
  int held = 0;
  for (long long frame = 0; frame < 300000; frame += 15) held += s->For(frame).Keys[45];
  EXPECT_EQ(held, 20000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// A recording keeps the script's lines, not the frames: a long run costs the recorder next to
// nothing, and what it writes (the frame still being recorded included) is the run's script,
// its keys marked as the game's own.
TEST(ScriptRecorder, KeepsTheScriptsLinesNotTheFrames) {
  ScriptRecorder r;
  // The heap in use, as glibc counts it; elsewhere only what is written is checked.
#ifdef __GLIBC__
  auto heapInUse = [] { return mallinfo2().uordblks; };
#else
  auto heapInUse = [] { return size_t(0); };
#endif
  const size_t before = heapInUse();
  for (long long frame = 0; frame < 300000; ++frame) {
    if (frame >= 200000 && frame < 200010) continue;  // steps not recorded
    FrameCommand c;
    c.Keys[45] = true;                        // X, all along
    c.Keys[46] = (frame / 50000) % 2 == 1;    // C, now and then
    c.Dx = frame == 100000 ? 6 : 0;
    c.Dy = frame == 100000 ? -8 : 0;
    c.Left = frame == 299999;
    c.FocusLost = frame == 7;
    r.Note(frame, c);
  }
  EXPECT_LT(heapInUse() - before, 100000u);
  EXPECT_EQ(r.Text(),
            "# zorvane2 input script: FIRST[-LAST] ACTION [ARGS]\n"
            "0-299999 gamekeys\n"
            "0-199999 key X\n200010-299999 key X\n"
            "50000-99999 key C\n150000-199999 key C\n250000-299999 key C\n"
            "299999 lbutton\n7 blur\n100000 move 6 -8\n");
}

TEST(Harness, AFolderGivenAsTheScriptIsRefused) {
  TempDir dir;
  std::string err;
  EXPECT_EQ(RunZorvane("--headless --frames 5 --input '" + dir.Path.string() + "'", nullptr, &err), 2);
  EXPECT_NE(err.find("cannot read the input script " + dir.Path.string() + " (it is a folder)"), std::string::npos)
      << err;
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

namespace {

// A window's play clock counts the player's real seconds (a headless run's counts frames), so a
// run in a window is compared without it: every other value of every frame, and every other byte
// of the save, is the same.
std::string TraceWithoutPlayTime(const std::string& lines) {
  std::istringstream in(lines);
  std::string line, out;
  while (std::getline(in, line)) {
    auto state = nlohmann::json::parse(line);
    state["Progress"].erase("PlayTime");
    out += state.dump() + "\n";
  }
  return out;
}
std::string SaveWithoutPlayTime(std::string save) {
  if (save.size() >= size_t(SaveLayout::OffPlayTime + SaveLayout::PlayTimeBytes))
    save.replace(size_t(SaveLayout::OffPlayTime), size_t(SaveLayout::PlayTimeBytes), size_t(SaveLayout::PlayTimeBytes), '\0');
  return save;
}

}  // namespace

// A recording holds the game's keys, after the player's bindings, so it replays the same run
// headless and in a window, with the keys moved as when it was made or with none moved. The
// moves are swaps (the steering arrows, the two fire keys), which a replay that put the keys
// through the bindings a second time would undo; a move to a free key would not show that, since
// the free key also plays itself. The pause is moved to O and pauses the run in its middle.
TEST(Harness, ARecordingMadeWithMovedKeysReplaysTheSameInAWindowAndHeadless) {
  TempDir dir;
  const std::string moved = "[keys]\nleft = RIGHT\nright = LEFT\nfire_1 = C\nfire_2 = X\npause = O\n";
  // Level 1: fire slot 1 (on C), steer left (on RIGHT), pause and play on (O), steer right (on
  // LEFT) still firing, leave the level, and quit from the menu, which saves.
  WriteFile(dir.File("player.txt"),
            "0 mouse 50 110\n2 lbutton\n10-70 key C\n20-50 key RIGHT\n80 key O\n86 key O\n90-130 key C\n"
            "95-125 key LEFT\n140 key ESCAPE\n150 mouse 50 30\n152 lbutton\n");
  struct Run {
    std::string Trace, State, Save;
  };
  int runs = 0;
  auto play = [&](const std::string& how, const std::string& script, const std::string& keys,
                  const std::string& extra = "") {
    const std::string n = std::to_string(runs++);
    // The settings file of each run is its own: a window writes its settings when it quits.
    WriteFile(dir.File(n + ".ini"), keys);
    std::string err;
    EXPECT_EQ(RunZorvane(how + " --frames 400 --settings '" + dir.File(n + ".ini") + "' --save-file '" +
                             dir.File(n + ".gsv") + "' --input '" + dir.File(script) + "' --trace '" +
                             dir.File(n + ".jsonl") + "' --dump-state '" + dir.File(n + ".json") + "' " + extra,
                         nullptr, &err),
              0)
        << how << ": " << err;
    return Run{ReadFile(dir.File(n + ".jsonl")), ReadFile(dir.File(n + ".json")), ReadFile(dir.File(n + ".gsv"))};
  };
  const Run made = play("--headless", "player.txt", moved, "--record '" + dir.File("recording.txt") + "'");
  const std::string recording = ReadFile(dir.File("recording.txt"));

  // What was made: the level played with the moved keys, a pause in it, the save written at the quit.
  const auto end = nlohmann::json::parse(made.State);
  EXPECT_FALSE(end["GameRunning"]) << "the quit button ended the run";
  EXPECT_EQ(end["frame"], 147) << "153 steps, 6 of them paused";
  EXPECT_EQ(made.Save.size(), size_t(SaveBlockSize));
  EXPECT_NE(made.Trace.find("\"Shots\":[{"), std::string::npos) << "C fired slot 1";
  const auto x = [&](int line) {
    std::istringstream in(made.Trace);
    std::string text;
    for (int i = 0; i <= line; ++i) std::getline(in, text);
    return nlohmann::json::parse(text)["Ship"]["Left"].get<double>();
  };
  EXPECT_LT(x(50), x(20)) << "RIGHT steered left";
  EXPECT_GT(x(120), x(95)) << "LEFT steered right";
  EXPECT_NE(recording.find("gamekeys"), std::string::npos);
  EXPECT_NE(recording.find("10-70 key X"), std::string::npos) << "the game's fire key is kept:\n" << recording;
  EXPECT_NE(recording.find("80 key P"), std::string::npos) << recording;
  // The player's own keys, with none moved, play another game: the moves matter.
  EXPECT_NE(play("--headless", "player.txt", "").Trace, made.Trace);

  // Headless, with the keys moved and with none moved: the very same run.
  for (const std::string& keys : {moved, std::string()}) {
    const Run replay = play("--headless", "recording.txt", keys);
    EXPECT_EQ(replay.Trace, made.Trace) << (keys.empty() ? "default keys" : "moved keys");
    EXPECT_EQ(replay.State, made.State);
    EXPECT_EQ(replay.Save, made.Save);
  }
  // In a window (paced at sixty frames a second, as a player sees it), likewise; recorded again
  // there, the recording is the same.
  for (const std::string& keys : {moved, std::string()}) {
    const Run replay = play("--windowed", "recording.txt", keys, "--record '" + dir.File("again.txt") + "'");
    EXPECT_EQ(TraceWithoutPlayTime(replay.Trace), TraceWithoutPlayTime(made.Trace))
        << (keys.empty() ? "default keys" : "moved keys");
    EXPECT_EQ(TraceWithoutPlayTime(replay.State), TraceWithoutPlayTime(made.State));
    EXPECT_EQ(SaveWithoutPlayTime(replay.Save), SaveWithoutPlayTime(made.Save));
    EXPECT_EQ(ReadFile(dir.File("again.txt")), recording);
  }
}
