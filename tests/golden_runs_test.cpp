// The golden runs: the recorded runs of scripts/recorded-runs.sh (the same ones
// scripts/compare-traces.sh plays) played by this build's game, each held to one digest of its
// whole per-frame trace, one of its final state and one of the save file it leaves. Any change to
// a rule, a number, the order of a frame's steps or a single random draw shows in at least one of
// them, however late in play it takes effect. The sounds each frame starts are left out: a sound
// may be changed, added or moved for the ear alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <set>
#include <sstream>

#include "test_support.h"

namespace {

struct GoldenRun {
  const char* Name;
  uint64_t Trace, Final, Save;
};

// One line per run of scripts/recorded-runs.sh. A change meant to alter the game updates these in
// the same commit (a failing run prints its new line).
const GoldenRun Golden[] = {
    {"autopilot-fresh", 0x4e66f8e5ff0be9ac, 0x38e2f8c8db35b189, 0xae460f4fd82545f1},
    {"autopilot-open", 0xe26f6b4204573426, 0xbe69d5e8ce24b30b, 0xb0c711d2c748c3ac},
    {"menu-sweep-fresh", 0xee8d7d2d3fcab6cc, 0xdfb4ed629caac93d, 0xcbf29ce484222325},
    {"menu-sweep-open", 0xf12826d42335c7e5, 0xaeec09ecf62da733, 0xba68d5110b02b126},
    {"level1-fresh", 0xa33ac2ae8f11d16e, 0x402d1048bcbf7906, 0xcbf29ce484222325},
    {"level5-abilities", 0x0962cefcbe27e722, 0x0beec4b544512e2e, 0xba68d5110b02b126},
    {"level10-abilities", 0x8559ab7a9b42079c, 0x9f4287b61c25f668, 0xba68d5110b02b126},
    {"minigame", 0x2ee9d5215f469797, 0x0949d2c071678def, 0x562b198f5f43f6e1},
    {"marathon", 0xea9f62b6b509210d, 0x595115ceee47f323, 0xba68d5110b02b126},
    {"arena", 0xf7c4c8b5e2247625, 0xda749452d424b271, 0xba68d5110b02b126},
};

const std::string RunsScript = std::string(ZORVANE_SOURCE_DIR) + "/scripts/recorded-runs.sh";

// FNV-1a over a stream of state JSON with the contents of every "Sounds" list left out, so
// `"Sounds":[3,7]` counts as `"Sounds":[]`. Fed in pieces of any size.
struct SoundlessDigest {
  Digest D;
  size_t Matched = 0;  // how much of the key the last bytes matched
  bool Skipping = false;
  void Add(std::string_view bytes) {
    static constexpr std::string_view Key = "\"Sounds\":[";
    for (const char c : bytes) {
      if (Skipping) {
        if (c != ']') continue;
        Skipping = false;
      }
      D.Add(std::string_view(&c, 1));
      Matched = c == Key[Matched] ? Matched + 1 : c == Key[0] ? 1 : 0;
      if (Matched == Key.size()) Skipping = true, Matched = 0;
    }
  }
};

std::string Hex(uint64_t v) {
  std::ostringstream s;
  s << "0x" << std::hex << std::setw(16) << std::setfill('0') << v;
  return s.str();
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

void PrintTo(const GoldenRun& r, std::ostream* os) { *os << r.Name; }

class GoldenRuns : public ::testing::TestWithParam<GoldenRun> {};

}  // namespace

// Every run the script defines has its digests here, and every digest here its run.
TEST(GoldenRunList, EveryRecordedRunHasItsDigests) {
  std::string out;
  FILE* p = popen(("bash " + Quoted(RunsScript) + " list").c_str(), "r");
  ASSERT_TRUE(p);
  char buf[256];
  std::set<std::string> listed, kept;
  while (fgets(buf, sizeof buf, p)) listed.insert(std::string(buf).substr(0, std::string(buf).find(' ')));
  ASSERT_EQ(pclose(p), 0);
  for (const GoldenRun& r : Golden) kept.insert(r.Name);
  EXPECT_EQ(listed, kept) << "a run added to or dropped from scripts/recorded-runs.sh is added to or dropped "
                             "from Golden in tests/golden_runs_test.cpp in the same commit";
}

TEST_P(GoldenRuns, PlaysAsRecorded) {
  const GoldenRun& want = GetParam();
  TempDir dir;
  ASSERT_EQ(std::system(("bash " + Quoted(RunsScript) + " prepare " + Quoted(dir.Path.string())).c_str()), 0);
  // The trace comes through a pipe (fd 3), digested as it is written: the longest run's is a
  // quarter of a gigabyte.
  const std::string out = dir.File("out");
  const std::string cmd = "bash " + Quoted(RunsScript) + " play " + Quoted(ZorvaneExe()) + " " +
                          Quoted(dir.Path.string()) + " " + want.Name + " " + Quoted(out) + " /dev/fd/3 3>&1 >" +
                          Quoted(dir.File("play.log")) + " 2>&1";
  FILE* pipe = popen(cmd.c_str(), "r");
  ASSERT_TRUE(pipe);
  SoundlessDigest trace;
  std::vector<char> buf(1 << 16);
  long long lines = 0;
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;) {
    trace.Add(std::string_view(buf.data(), n));
    lines += std::count(buf.begin(), buf.begin() + long(n), '\n');
  }
  ASSERT_EQ(pclose(pipe), 0) << ReadFile(dir.File("play.log"));
  SoundlessDigest final;
  final.Add(ReadFile(out + "/final.json"));
  Digest save;
  save.Add(ReadFile(out + "/save.gsv"));

  const GoldenRun got{want.Name, trace.D.Value, final.D.Value, save.Value};
  if (got.Trace == want.Trace && got.Final == want.Final && got.Save == want.Save) return;
  std::string what;
  if (got.Trace != want.Trace) what += " the per-frame trace";
  if (got.Final != want.Final) what += " the final state";
  if (got.Save != want.Save) what += " the save file";
  ADD_FAILURE() << "The recorded run " << want.Name << " no longer plays as it did:" << what << " changed ("
                << lines << " frames traced; the game said: " << ReadFile(out + "/stderr") << ").\n"
                << "To see where it departs, build the commit before the change in a folder of its own and\n"
                << "compare every frame of the two builds:\n"
                << "  git worktree add /tmp/before HEAD && cmake -S /tmp/before -B /tmp/before/build &&\n"
                << "  cmake --build /tmp/before/build -j2 --target zorvane2\n"
                << "  KEEP=1 scripts/compare-traces.sh /tmp/before/build/zorvane2 build/zorvane2\n"
                << "A change that is meant to alter the game (a rule, a number, the order of a frame's steps,\n"
                << "a random draw) replaces this run's line in tests/golden_runs_test.cpp in the same commit,\n"
                << "so the commit that changes the game is the one that says so and these runs go on guarding\n"
                << "every later change; a change that is not meant to alter it has a fault to find. The new line:\n"
                << "    {\"" << got.Name << "\", " << Hex(got.Trace) << ", " << Hex(got.Final) << ", "
                << Hex(got.Save) << "},";
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenRuns, ::testing::ValuesIn(Golden),
                         [](const ::testing::TestParamInfo<GoldenRun>& info) {
                           std::string name = info.param.Name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });
