// Whole runs through the harness, as a player would play them: the menu clicked, a level
// started, the ship steered, and the dumped state checked against the game's rules.
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
