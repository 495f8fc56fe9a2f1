// Whole runs through the harness, as a player would play them: the menu clicked, a level
// started, the ship steered and fired, and the dumped state checked against the game's rules.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "enemies/data_tables.h"
#include "save/save_file.h"
#include "test_support.h"

using nlohmann::json;

namespace {

std::vector<json> ReadTrace(const std::string& path) {
  std::vector<json> frames;
  std::istringstream in(ReadFile(path));
  std::string line;
  while (std::getline(in, line)) frames.push_back(json::parse(line));
  return frames;
}

void WriteSave(const std::string& path, const ProgressBlock& p) {
  SaveBlock b = EncodeProgress(p);
  WriteFile(path, std::string(b.begin(), b.end()));
}

// Runs the harness for a number of frames with a script; returns the per-frame trace.
std::vector<json> Play(TempDir& dir, const std::string& script, int frames) {
  WriteFile(dir.File("in.txt"), script);
  std::string err;
  EXPECT_EQ(RunZorvane("--headless --frames " + std::to_string(frames) + " --save-file '" + dir.File("s.gsv") +
                           "' --input '" + dir.File("in.txt") + "' --trace '" + dir.File("trace.jsonl") + "'",
                       nullptr, &err),
            0)
      << err;
  return ReadTrace(dir.File("trace.jsonl"));
}

}  // namespace

// The level-1 button is clicked, the ship flies up, then up and left, then coasts to a stop;
// every play frame its position and speed are those the steering formulas give.
TEST(Scenario, SteeringTheShipFollowsTheFormulas) {
  TempDir dir;
  auto trace = Play(dir,
                    "0 mouse 50 110\n"
                    "1 lbutton\n"
                    "2-31 key UP\n"
                    "12-31 key LEFT\n",
                    60);
  ASSERT_EQ(trace.size(), 60u);
  ASSERT_TRUE(trace[0]["InMenu"]);
  ASSERT_FALSE(trace[1]["InMenu"]) << "the click on level 1 starts it";
  EXPECT_EQ(trace[1]["CurrentLevel"], 1);

  // The ship's rules, written out: a fresh ship at speed level 1 pushes 0.15 + 1/20 per key,
  // tops out at 1/2 + 2, brakes by 1/10 + 0.1 when no arrow is held.
  float top = 400, left = 377.5f, speed = 0, heading = 0, distance = 0;
  const float push = 0.15f + 1.0f / 20;
  for (int frame = 2; frame < 60; ++frame) {
    const bool up = frame <= 31, leftKey = frame >= 12 && frame <= 31;
    auto accel = [&](float degrees) {
      const double dir = DegToRad(degrees);
      const double vx = push * std::cos(dir) + double(speed) * std::cos(double(heading));
      const double vy = push * std::sin(dir) + double(speed) * std::sin(double(heading));
      if (vx > 0) heading = float(std::atan(vy / vx));
      if (vx < 0) heading = float(std::atan(vy / vx) + Pi);
      speed = float(std::sqrt(vx * vx + vy * vy));
    };
    if (up) accel(270);
    if (leftKey) accel(180);
    if (2.5f < speed) speed = 2.5f;
    if (!up && !leftKey) speed = speed - (1.0f / 10 + 0.1f);
    if (speed < 0) speed = 0;
    top = float(double(top) + double(speed) * std::sin(double(heading)));
    left = float(double(left) + double(speed) * std::cos(double(heading)));
    distance = distance + speed / 10;
    const json& ship = trace[frame]["Ship"];
    ASSERT_EQ(ship["Top"].get<float>(), top) << "frame " << frame;
    ASSERT_EQ(ship["Left"].get<float>(), left) << "frame " << frame;
    ASSERT_EQ(ship["Speed"].get<float>(), speed) << "frame " << frame;
    ASSERT_EQ(trace[frame]["DistanceMoved"].get<float>(), distance) << "frame " << frame;
  }
  EXPECT_EQ(speed, 0.0f) << "released, the ship coasts to a stop";
  EXPECT_LT(top, 400 - 60);
  EXPECT_LT(left, 377.5f - 20);
}

// With a crafted save, shots are equipped in the shop and fired in level 1: each volley is the
// catalogue's sub-shots, with their sizes, speeds, headings and offsets, at the catalogue's delay.
TEST(Scenario, HoldingXFiresTheCataloguesSubShots) {
  TestGame ref;  // the catalogue the game was built with
  struct Case {
    int Kind, Level, Column, Row;
  };
  for (Case c : {Case{5, 9, 0, 1}, Case{0, 8, 0, 0}, Case{2, 4, 2, 0}, Case{12, 6, 2, 2}}) {
    SCOPED_TRACE("kind " + std::to_string(c.Kind) + " level " + std::to_string(c.Level));
    TempDir dir;
    ProgressBlock p = NewPlayerProgress();
    p.ShotLevel[c.Kind] = static_cast<Integer>(c.Level);
    WriteSave(dir.File("s.gsv"), p);
    const int x = 167 + 49 * c.Column + 10, y = 107 + 49 * c.Row + 5;  // the cell's equip band
    auto trace = Play(dir,
                      "0 mouse " + std::to_string(x) + " " + std::to_string(y) +
                          "\n1 lbutton\n2 mouse 50 110\n3 lbutton\n4-80 key X\n",
                      81);
    ASSERT_EQ(trace[1]["Ship"]["CurShot1"], c.Kind) << "the left click equips slot 1";
    ASSERT_FALSE(trace[3]["InMenu"]);
    const ShotTypeRec& type = ref->Tables.ShotTypes[c.Kind][c.Level];

    std::vector<int> volleyFrames;
    for (int f = 4; f < 81; ++f) {
      // A new volley: the slots that were free on the previous frame.
      std::set<int> before;
      for (const json& s : trace[f - 1]["Shots"]) before.insert(s["slot"].get<int>());
      std::vector<json> launched;
      for (const json& s : trace[f]["Shots"])
        if (!before.count(s["slot"].get<int>())) launched.push_back(s);
      if (launched.empty()) continue;
      volleyFrames.push_back(f);
      ASSERT_EQ(int(launched.size()), type.Count) << "frame " << f;
      // Sub-shots take the lowest free slots in order, so they come out in sub-shot order.
      for (int j = 0; j < type.Count; ++j) {
        const json& s = launched[j];
        const SubShotRec& sub = type.SubShots[j];
        EXPECT_EQ(s["Kind"], c.Kind);
        EXPECT_EQ(s["Level"], c.Level);
        EXPECT_EQ(s["Width"], type.Width);
        EXPECT_EQ(s["Height"], type.Height);
        EXPECT_EQ(s["Damage"].get<float>(), type.Damage);
        // One move has been made since the launch: undo it to find where the shot started.
        const double h = s["Heading"].get<double>(), v = s["Speed"].get<double>();
        EXPECT_NEAR(v, sub.Speed + sub.AccelRate, 1e-3);
        if (c.Kind != 12) {  // the stick spread's heading is scattered at random
          EXPECT_NEAR(std::cos(h), std::cos(double(sub.Heading)), 1e-4);
          EXPECT_NEAR(std::sin(h), std::sin(double(sub.Heading)), 1e-4);
        }
        const double startLeft = s["Left"].get<double>() - sub.Speed * std::cos(double(sub.Heading));
        const double startTop = s["Top"].get<double>() - sub.Speed * std::sin(double(sub.Heading));
        if (c.Kind != 12) {
          EXPECT_NEAR(startLeft, RoundHalfEven(400.0 - type.Width / 2.0 + sub.XOffset), 1e-3) << "sub-shot " << j;
          EXPECT_NEAR(startTop, 400, 1e-3) << "sub-shot " << j;
        }
      }
    }
    ASSERT_GE(volleyFrames.size(), 3u);
    const int period = int(std::floor(type.FireDelay)) + 1;  // fires once the clock is past the delay
    for (size_t i = 1; i < volleyFrames.size(); ++i) EXPECT_EQ(volleyFrames[i] - volleyFrames[i - 1], period);
  }
}
