// A player clicking through the menu, run through the harness with input scripts.
#include <gtest/gtest.h>

#include <cstring>

#include "save/save_file.h"
#include "test_support.h"

namespace {

// The raw JSON value of the first "key": in the dump (a number, a word or a bracketed array).
std::string Value(const std::string& json, const std::string& key) {
  const std::string tag = "\"" + key + "\":";
  size_t at = json.find(tag);
  if (at == std::string::npos) return "<missing " + key + ">";
  at += tag.size();
  size_t end = at;
  if (json[at] == '[') {
    int depth = 0;
    for (; end < json.size(); ++end) {
      if (json[end] == '[') ++depth;
      if (json[end] == ']' && --depth == 0) break;
    }
    return json.substr(at, end + 1 - at);
  }
  while (end < json.size() && json[end] != ',' && json[end] != '}') ++end;
  return json.substr(at, end - at);
}

struct RunResult {
  int Status = -1;
  std::string Dump;
};

RunResult Play(const TempDir& dir, const std::string& script, int frames) {
  WriteFile(dir.File("script.txt"), script);
  RunResult r;
  r.Status = RunZorvane("--headless --frames " + std::to_string(frames) + " --input \"" + dir.File("script.txt") +
                            "\" --dump-state - --save-file \"" + dir.File("save.gsv") + "\"",
                        &r.Dump);
  return r;
}

void WriteSave(const TempDir& dir, const ProgressBlock& p) {
  SaveBlock b = EncodeProgress(p);
  WriteFile(dir.File("save.gsv"), std::string(reinterpret_cast<const char*>(b.data()), b.size()));
}

ProgressBlock ReadSave(const TempDir& dir) {
  std::string bytes = ReadFile(dir.File("save.gsv"));
  SaveBlock b{};
  if (bytes.size() >= b.size()) std::memcpy(b.data(), bytes.data(), b.size());
  return DecodeProgress(b);
}

}  // namespace

TEST(MenuScenario, QuitEndsTheRunAtOnce) {
  TempDir dir;
  RunResult r = Play(dir, "0 mouse 80 30\n5 lbutton\n", 500);
  ASSERT_EQ(r.Status, 0);
  EXPECT_EQ(Value(r.Dump, "frame"), "6");
  EXPECT_EQ(Value(r.Dump, "GameRunning"), "false");
  // Quitting saves: the file holds the new player's progress.
  const std::string bytes = ReadFile(dir.File("save.gsv"));
  ASSERT_EQ(bytes.size(), SaveBlock{}.size());
  EXPECT_EQ(ReadSave(dir).ShotLevel[0], 0);
}

TEST(MenuScenario, EraseWithQAndZHeld) {
  TempDir dir;
  // Two seconds of play time, then a click on erase without the keys, then with them.
  const std::string script =
      "0 mouse 740 570\n"
      "122 lbutton\n"
      "124-126 key Q\n124-126 key Z\n125 lbutton\n";
  RunResult plain = Play(dir, "0 mouse 740 570\n122 lbutton\n", 130);
  EXPECT_EQ(Value(plain.Dump, "PlayTime"), "[0,0,2]");
  EXPECT_EQ(Value(plain.Dump, "HelpLines").substr(0, 42), "[\"WARNING! THIS WILL ERASE DATA FOR GOOD!\"");
  RunResult erased = Play(dir, script, 130);
  ASSERT_EQ(erased.Status, 0);
  EXPECT_EQ(Value(erased.Dump, "PlayTime"), "[0,0,0]");
  EXPECT_EQ(Value(erased.Dump, "SoundOn"), "true");
}

// Buying and equipping needs points: a save file made for the purpose.
TEST(MenuScenario, BuyAndEquipWithACraftedSave) {
  TempDir dir;
  ProgressBlock p = NewPlayerProgress();
  p.Points = 1000;
  p.ChargeOwned[4] = true;
  p.GemOwned[9] = true;
  p.Potions[0] = 4;
  WriteSave(dir, p);
  const std::string script =
      "0 mouse 238 140\n1 lbutton\n"    // unlock BOOMERANG SHOT: 100
      "3 lbutton\n"                      // and level it up: 100
      "5 mouse 238 112\n6 lbutton\n"    // equip it in slot 1
      "8 mouse 190 112\n9 rbutton\n"    // the power beam in slot 2
      "11 mouse 300 460\n12 lbutton\n"  // ATTACK x2
      "14 mouse 440 360\n15 rbutton\n"  // gem 9 in the second gem slot
      "17 mouse 500 520\n18 lbutton\n"  // a fifth health potion: 500
      "20 lbutton\n"                     // a sixth: refused
      "22 mouse 740 160\n23 lbutton\n"  // speed part 1 -> 2: 100
      "25 mouse 80 30\n26 lbutton\n";   // quit
  RunResult r = Play(dir, script, 100);
  ASSERT_EQ(r.Status, 0);
  EXPECT_EQ(Value(r.Dump, "frame"), "27");
  EXPECT_EQ(Value(r.Dump, "Points"), "200");
  EXPECT_EQ(Value(r.Dump, "CurShot1"), "1");
  EXPECT_EQ(Value(r.Dump, "CurShot2"), "0");
  EXPECT_EQ(Value(r.Dump, "Special1"), "4");
  EXPECT_EQ(Value(r.Dump, "GemType2"), "9");
  ProgressBlock saved = ReadSave(dir);
  EXPECT_EQ(saved.Points, 200);
  EXPECT_EQ(saved.ShotLevel[1], 1);
  EXPECT_EQ(saved.Potions[0], 5);
  EXPECT_EQ(saved.PartLevel[1], 2);
}
