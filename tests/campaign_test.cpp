// The proof that the game can be won: the autopilot plays from a new player's save, through
// nothing but the keys and the mouse, and its recorded input, replayed without it, must end
// with the same save file byte for byte.
//
// By default it plays the first 20,000 frames (level 1 and a little more). The whole campaign
// (ten levels, the mini game, the marathon and the arena) is
//   ZORVANE_CAMPAIGN_FRAMES=400000 ./build/tests/zorvane2_tests --gtest_filter='Campaign.*'
// or scripts/campaign.sh, which also prints the table of the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "test_support.h"

namespace {

long long FramesToPlay() {
  const char* v = std::getenv("ZORVANE_CAMPAIGN_FRAMES");
  return v && *v ? std::atoll(v) : 20000;
}

}  // namespace

TEST(Campaign, TheAutopilotWinsFromANewSaveAndItsRecordReplaysTheSameRun) {
  TempDir dir;
  const long long frames = FramesToPlay();
  const bool whole = frames >= 400000;
  const std::string common = " --headless --frames " + std::to_string(frames);
  std::string err;
  ASSERT_EQ(RunZorvane(common + " --autopilot --save-file '" + dir.File("pilot.gsv") + "' --record '" +
                           dir.File("pilot.txt") + "' --dump-state '" + dir.File("pilot.json") + "'",
                       nullptr, &err),
            0)
      << err;
  std::cout << err;  // the autopilot's table of the run

  const auto state = nlohmann::json::parse(ReadFile(dir.File("pilot.json")));
  const auto& progress = state["Progress"];
  EXPECT_TRUE(progress["LevelOpen"][1].get<bool>()) << "level 1 was not won";
  EXPECT_GT(progress["Points"].get<long>() + progress["Stats"][5].get<long>(), 0) << "no point was earned";
  if (whole) {
    for (int i = 1; i <= 12; ++i) EXPECT_TRUE(progress["LevelOpen"][i].get<bool>()) << "level index " << i;
    EXPECT_TRUE(progress["GoalDone"][9][0].get<bool>()) << "level 10's boss was not beaten";
    EXPECT_GE(progress["ShotLevel"][18].get<int>(), 0) << "the boss arena was not won";
    EXPECT_GE(progress["ShotLevel"][19].get<int>(), 0) << "the marathon was not won";
    EXPECT_FALSE(state["GameRunning"].get<bool>()) << "the autopilot did not finish and quit";
  }

  // The same input, read from the script, with nobody at the controls.
  ASSERT_EQ(RunZorvane(common + " --save-file '" + dir.File("replay.gsv") + "' --input '" + dir.File("pilot.txt") +
                           "' --dump-state '" + dir.File("replay.json") + "'",
                       nullptr, &err),
            0)
      << err;
  const std::string saved = ReadFile(dir.File("pilot.gsv"));
  EXPECT_EQ(saved.size(), 350u);
  EXPECT_TRUE(saved == ReadFile(dir.File("replay.gsv"))) << "the replayed run saved other progress";
  EXPECT_EQ(ReadFile(dir.File("pilot.json")), ReadFile(dir.File("replay.json")));
}
