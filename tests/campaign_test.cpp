// The proof that the game can be won: the autopilot plays from a new player's save, through
// nothing but the keys and the mouse, and its recorded input, replayed without it, must end
// with the same save file byte for byte.
//
// By default it plays the first 20,000 frames (level 1 and a little more). The whole campaign
// (ten levels, the mini game, the marathon and the arena) is
//   ZORVANE_CAMPAIGN_FRAMES=400000 ./build/tests/zorvane2_tests --gtest_filter='Campaign.*'
// or scripts/campaign.sh, which also prints the table of the run; with ZORVANE_CAMPAIGN_PILOT=human
// (scripts/campaign.sh 800000 human) the pilot with a person's limits plays it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>
#include <nlohmann/json.hpp>
#include <string>

#include "test_support.h"

namespace {

long long FramesToPlay() {
  const char* v = std::getenv("ZORVANE_CAMPAIGN_FRAMES");
  return v && *v ? std::atoll(v) : 20000;
}

// The pilot's table of the run, a row a mode: its tries, its tries up to the first win, and
// whether it was won.
struct Row {
  int Tries = 0, TriesToWin = 0;
  bool Won = false;
};
std::map<std::string, Row> PilotTable(const std::string& err) {
  std::map<std::string, Row> rows;
  std::istringstream in(err);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::istringstream cellsIn(line);
    for (std::string cell; std::getline(cellsIn, cell, '|');) {
      const size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
      cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    if (cells.size() < 7 || cells[1] == "mode" || cells[1].empty() || cells[1][0] == '-' || cells[1] == "all") continue;
    rows[cells[1]] = {std::atoi(cells[2].c_str()), std::atoi(cells[3].c_str()), cells[6] == "yes"};
  }
  return rows;
}

}  // namespace

TEST(Campaign, TheAutopilotWinsFromANewSaveAndItsRecordReplaysTheSameRun) {
  TempDir dir;
  const long long frames = FramesToPlay();
  const bool whole = frames >= 400000;
  // ZORVANE_CAMPAIGN_PILOT=human plays it with a person's limits.
  const char* which = std::getenv("ZORVANE_CAMPAIGN_PILOT");
  const std::string pilot = which && std::string(which) == "human" ? " --autopilot-human" : " --autopilot";
  const std::string common = " --headless --frames " + std::to_string(frames);
  std::string err;
  ASSERT_EQ(RunZorvane(common + pilot + " --save-file '" + dir.File("pilot.gsv") + "' --record '" +
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
    // Every level and mode played and won, by what the pilot saw: the save alone does not show
    // that the mini game was played.
    const auto rows = PilotTable(err);
    for (const char* mode : {"level 1", "level 2", "level 3", "level 4", "level 5", "level 6", "level 7", "level 8",
                             "level 9", "level 10", "mini game", "marathon", "boss arena"})
      EXPECT_TRUE(rows.count(mode) && rows.at(mode).Won) << mode << " was not played and won";
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

// A person's limits (--autopilot-human): the first two levels are won from a new save at the
// first try, as a new player should win them.
TEST(Campaign, WithAPersonsLimitsThePilotWinsTheFirstTwoLevelsAtTheFirstTry) {
  TempDir dir;
  std::string err;
  ASSERT_EQ(RunZorvane(" --headless --frames 16000 --autopilot-human --save-file '" + dir.File("human.gsv") +
                           "' --dump-state '" + dir.File("human.json") + "'",
                       nullptr, &err),
            0)
      << err;
  std::cout << err;
  const auto rows = PilotTable(err);
  for (const char* level : {"level 1", "level 2"}) {
    ASSERT_TRUE(rows.count(level)) << level << " was not played";
    EXPECT_TRUE(rows.at(level).Won) << level;
    EXPECT_EQ(rows.at(level).TriesToWin, 1) << level;
  }
  const auto state = nlohmann::json::parse(ReadFile(dir.File("human.json")));
  EXPECT_TRUE(state["Progress"]["LevelOpen"][2].get<bool>()) << "level 2 was won";
}
