// What answers and guides the player in a level: the ship's flash, the shake of a heavy hit, the
// low-life warning, the level's card, the first controls, the boss warning and the notice about
// both fire keys; and, above all, that none of it changes the game.
#include <gtest/gtest.h>

#include <algorithm>

#include "effects/flair_sheet.h"
#include "world/sound.h"
#include "world/draw.h"
#include "shell/state_json.h"
#include "test_support.h"

namespace {

// A level started as the menu starts it, its timeline emptied when asked, so that nothing
// comes to disturb what a test looks at.
void Start(TestGame& t, int levelIndex, bool emptyField = false) {
  StartLevel(*t, levelIndex);
  if (emptyField)
    for (SpawnRec& r : t->Level.SpawnTable) r.SpawnTime = 0;
}

// Runs frames with the keys given, recording what is drawn in the last one.
void Frames(TestGame& t, int n, std::initializer_list<int> keys = {}) {
  t.Plat.KeyState = {};
  for (int k : keys) t.Plat.KeyState[size_t(k)] = true;
  for (int i = 0; i < n; ++i) {
    t.Plat.ClearRecords();
    PlayFrame(t);
  }
}

int CountSound(const std::vector<int>& played, int slot) { return int(std::count(played.begin(), played.end(), slot)); }

}  // namespace

// Two games flown with the same keys, one with its looks' dice started elsewhere, no shake and
// nothing drawn: every frame of play comes out the same.
TEST(Feedback, TheLooksNeverChangeThePlay) {
  TestGame a, b;
  b->Flair.Dice.X = 0x123456;
  b->Flair.ShakeOn = false;
  b.Plat.RecordDrawing = false;
  a->Progress.LevelOpen.fill(true);
  b->Progress.LevelOpen.fill(true);
  Start(a, 2);
  Start(b, 2);
  int sparks = 0;
  for (int f = 0; f < 2400; ++f) {
    // Weaving under the guns of level 3, both fire keys now and then.
    std::array<bool, 256> keys{};
    keys[KeyX] = true;
    keys[KeyC] = f % 300 < 40;
    keys[(f / 90) % 2 ? KeyLeft : KeyRight] = true;
    keys[KeyUp] = f % 200 < 30;
    a.Plat.KeyState = b.Plat.KeyState = keys;
    a.Plat.ClearRecords();
    PlayFrame(a);
    PlayFrame(b);
    ASSERT_EQ(StateJson(*a, true), StateJson(*b, true)) << "frame " << f;
    for (const CopyRecord& c : CopiesOn(a.Plat, SheetFlair))
      sparks += c.SrcTop == flair::Spark(0).Top && c.SrcLeft >= flair::Spark(0).Left && c.SrcLeft < flair::Ember(0).Left;
  }
  EXPECT_GT(a->Level.DamageTaken, 0) << "the ship was hit";
  EXPECT_GT(sparks, 0) << "hits threw sparks";

  // Each of the looks' steps, the ship's loss and a shake among them, leaves the game as it was,
  // its dice above all.
  Game& g = *a;
  g.Ship.Life = 200;
  g.Ship.Exists = true;
  const std::string before = StateJson(g, false);
  const uint32_t dice = g.Rng.X;
  BeginFlair(g);
  AddHitSparks(g, 300, 200);
  g.Level.DamageTaken += 80;
  NoteNewShots(g);
  g.Ship.Exists = false;
  StepFlair(g);
  BeginFlair(g);
  StepPlayGuide(g);
  StepFlair(g);
  g.Ship.Exists = true;
  g.Level.DamageTaken -= 80;
  EXPECT_EQ(StateJson(g, false), before);
  EXPECT_EQ(g.Rng.X, dice);
}

TEST(Feedback, AHitFlashesTheShipAndAHeavyOneShakesThePlayColumnOnly) {
  for (bool shakeOn : {true, false}) {
    TestGame t;
    t->Flair.ShakeOn = shakeOn;
    Start(t, 0, true);
    Frames(t, 2);
    // A light hit: the ship flashes (its flash look, at the end of the sheet's first row)...
    BeginFlair(*t);
    t->Level.DamageTaken += 10;
    StepFlair(*t);
    EXPECT_EQ(t->Flair.Shake, 0) << "a light hit does not shake";
    bool flashed = false;
    for (int f = 0; f < 6; ++f) {
      Frames(t, 1);
      for (const CopyRecord& c : CopiesOn(t.Plat, SheetShips)) flashed = flashed || c.SrcLeft == 405;
    }
    EXPECT_TRUE(flashed);
    // ...a heavy one shakes the column's picture, not the frame around it.
    BeginFlair(*t);
    t->Level.DamageTaken += 60;
    StepFlair(*t);
    bool moved = false;
    for (int f = 0; f < 8; ++f) {
      Frames(t, 1);
      const auto backdrop = CopiesOn(t.Plat, SheetBackdrop);
      ASSERT_FALSE(backdrop.empty());
      moved = moved || backdrop.back().DestLeft != 100;
      const auto frame = CopiesOn(t.Plat, SheetBackround);
      ASSERT_FALSE(frame.empty());
      EXPECT_EQ(frame.front().DestLeft, 0);
      EXPECT_EQ(frame.front().DestTop, 0);
      EXPECT_LE(std::abs(backdrop.back().DestLeft - 100), 6);
    }
    EXPECT_EQ(moved, shakeOn) << "screen_shake = " << (shakeOn ? "yes" : "no");
    Frames(t, 20);
    EXPECT_EQ(t->Pen.ShiftX, 0);
    EXPECT_EQ(CopiesOn(t.Plat, SheetBackdrop).back().DestLeft, 100) << "the shake ends";
  }
}

TEST(Feedback, LowLifeBlinksTheBarAndWarnsSoftlyNotMoreThanOnceASecondAndAHalf) {
  TestGame t;
  Start(t, 0, true);
  t->Ship.Life = 40;
  int warnings = 0, lit = 0;
  for (int f = 0; f < 200; ++f) {
    Frames(t, 1);
    warnings += CountSound(t->Harness.SoundsThisFrame, SoundWarning);
    lit += int(!t.Plat.Shades.empty() && std::any_of(t.Plat.Shades.begin(), t.Plat.Shades.end(), [](const auto& s) {
      return s[0] == 35 && s[2] == 86;  // over the life bar
    }));
  }
  EXPECT_EQ(warnings, 3) << "frames 0, 90 and 180";
  EXPECT_GT(lit, 60);
  EXPECT_LT(lit, 140) << "blinking, not lit throughout";
  // Silent with the sound switched off, and with life above a quarter.
  t->Progress.SoundOn = false;
  Frames(t, 200);
  t->Progress.SoundOn = true;
  t->Ship.Life = 60;
  warnings = 0;
  for (int f = 0; f < 200; ++f) {
    Frames(t, 1);
    warnings += CountSound(t->Harness.SoundsThisFrame, SoundWarning);
  }
  EXPECT_EQ(warnings, 0);
}

TEST(Guide, TheLevelCardAndTheFirstControls) {
  TestGame t;
  t->Progress.LevelOpen.fill(true);
  t->Progress.GoalDone[2][1] = true;
  Start(t, 2, true);
  EXPECT_EQ(t->Guide.CardWord, flair::WordLevel1 + 2);
  EXPECT_LT(t->Guide.ControlsAge, 0) << "the controls show only in level 1";
  Frames(t, 1);
  auto drew = [&](const std::string& text) {
    return std::any_of(t.Plat.Texts.begin(), t.Plat.Texts.end(), [&](const TextRecord& r) { return r.Text == text; });
  };
  EXPECT_TRUE(drew("TRAVEL LESS THAN 1000"));
  EXPECT_TRUE(drew("NEW CHARGE"));
  EXPECT_TRUE(drew("DONE")) << "a goal met before says so";
  EXPECT_FALSE(drew("400")) << "and not its reward";
  Frames(t, CardFrames);
  EXPECT_FALSE(drew("TRAVEL LESS THAN 1000")) << "gone after two seconds";

  // A new save's first flight shows the controls, with the keys the player has moved.
  t->KeySource[KeyX] = 36;  // J
  StartLevel(*t, 0);
  EXPECT_EQ(t->Guide.ControlsAge, 0);
  Frames(t, 1);
  EXPECT_TRUE(drew("J")) << "fire X is on J";
  Frames(t, ControlsFrames);
  EXPECT_LT(t->Guide.ControlsAge, 0);
  StartLevel(*t, 0);
  EXPECT_LT(t->Guide.ControlsAge, 0) << "once a run";
  TestGame veteran;
  veteran->Progress.Stats[StatLevelsPlayed] = 1;
  StartLevel(*veteran, 0);
  EXPECT_LT(veteran->Guide.ControlsAge, 0) << "not for a save that has played a level";
}

TEST(Guide, BothFireKeysHeldAndTheBossWarning) {
  TestGame t;
  t->Progress.LevelOpen.fill(true);
  Start(t, 0, true);
  t->Ship.CurShot2 = 2;
  Frames(t, CardFrames + 1);
  Frames(t, 7, {KeyX, KeyC});
  EXPECT_EQ(t->Guide.BothFireNotice, 0) << "a moment's overlap while changing keys says nothing";
  Frames(t, 1, {KeyX, KeyC});
  EXPECT_GT(t->Guide.BothFireNotice, 0);
  Frames(t, BothFireFrames);
  EXPECT_EQ(t->Guide.BothFireNotice, 0) << "gone once let go";
  // With the double shot on, both keys are right.
  t->Ship.Special1 = AbilityDoubleShot;
  t->Progress.ChargeOwned[AbilityDoubleShot] = true;
  Frames(t, 20, {KeyX, KeyC, KeyZ});
  EXPECT_EQ(t->Guide.BothFireNotice, 0);

  // The boss's coming is announced as its phase begins, and the strip is full.
  EXPECT_LT(t->Guide.BossAge, 0);
  t->Level.FrameClock = 4800;
  t->Level.SpawnTable.back().SpawnTime = 4801;
  Frames(t, 3);
  EXPECT_TRUE(t->Level.BossPhase);
  EXPECT_GE(t->Guide.BossAge, 0);
  EXPECT_FALSE(CopiesOn(t.Plat, SheetFlair).empty());
}
