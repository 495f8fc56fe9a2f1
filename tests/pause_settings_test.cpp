// Pause (P, focus loss, a hidden window) and the player's settings file (display, volumes, keys).
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <sstream>

#include "platform/sdl/sdl_platform.h"
#include "shell/script.h"
#include "shell/settings.h"
#include "frame/frame.h"
#include "test_support.h"

namespace {

// A script line "FIRST-LAST what" for frames of the unpaused run, moved to the loop steps they
// fall on once `pauses` (start step, steps stopped) are inserted.
struct Line {
  int First, Last;
  std::string What;
};
std::string Script(const std::vector<Line>& lines, const std::vector<std::pair<int, int>>& pauses = {}) {
  std::ostringstream out;
  for (const Line& l : lines) {
    int shift = 0;
    for (auto [at, length] : pauses)
      if (l.First + shift >= at) shift += length;
    out << l.First + shift << '-' << l.Last + shift << ' ' << l.What << '\n';
  }
  return out.str();
}

}  // namespace

TEST(Pause, PausesLeaveTheRunUnchangedAndTheirRecordingReplaysTheSame) {
  TempDir dir;
  // Level 1, steering, firing and using a charge, across where the pauses fall.
  const std::vector<Line> play = {{0, 0, "mouse 50 110"}, {2, 2, "lbutton"}, {5, 39, "key X"}, {10, 30, "key UP"},
                                  {40, 69, "key LEFT"},   {45, 90, "key X"}, {70, 70, "key Z"}, {72, 150, "key C"}};
  // Paused by P at step 40 for 60 steps (P again at 100), then by focus loss at step 130 for 30
  // steps; meanwhile keys, clicks and motion go nowhere.
  const std::string paused = Script(play, {{40, 60}, {130, 30}}) +
                             "40 key P\n100 key P\n50-80 key X\n55 lbutton\n60-70 move 30 5\n75 blur\n130 blur\n"
                             "160 key P\n";
  WriteFile(dir.File("plain.txt"), Script(play));
  WriteFile(dir.File("paused.txt"), paused);
  auto run = [&](const std::string& script, int steps, const std::string& trace, const std::string& extra = "") {
    std::string out, err;
    EXPECT_EQ(RunZorvane("--headless --frames " + std::to_string(steps) + " --save-file '" + dir.File("s.gsv") +
                             "' --input '" + dir.File(script) + "' --trace '" + dir.File(trace) + "' --dump-state - " +
                             extra,
                         &out, &err),
              0)
        << err;
    return out;
  };
  const std::string plainEnd = run("plain.txt", 200, "plain.jsonl");
  const std::string pausedEnd = run("paused.txt", 290, "paused.jsonl", "--record '" + dir.File("rec.txt") + "'");
  run("rec.txt", 290, "replay.jsonl");
  const std::string trace = ReadFile(dir.File("plain.jsonl"));
  EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 200);
  EXPECT_NE(trace.find("\"InMenu\":false"), std::string::npos) << "the level was played";
  EXPECT_EQ(ReadFile(dir.File("paused.jsonl")), trace) << "paused steps run no frame and change nothing";
  EXPECT_EQ(ReadFile(dir.File("replay.jsonl")), trace);
  EXPECT_EQ(pausedEnd, plainEnd);

  // Stopped in the middle of a pause: the state is that of the frame before it, marked paused.
  const std::string mid = run("paused.txt", 70, "mid.jsonl");
  EXPECT_NE(mid.find("\"frame\":40,"), std::string::npos);
  EXPECT_NE(mid.find("\"Paused\":true"), std::string::npos);
  // A hidden window holds the menu too; its steps are recorded and replay alike.
  WriteFile(dir.File("hidden.txt"), "0 mouse 50 110\n1-30 hidden\n");
  EXPECT_NE(run("hidden.txt", 40, "hidden.jsonl").find("\"frame\":10,"), std::string::npos);
}

// A level paused while its window is hidden (minimised, or another tab brought up: the focus
// and the sight go in the same step) shows the pause screen when the window is seen again, once;
// a pause already on the screen is not dimmed a second time. Only P plays on.
TEST(Pause, AWindowHiddenInALevelShowsThePauseScreenWhenItIsBack) {
  TestGame t;
  StartLevel(*t, 0);
  FrameCommand play;
  ASSERT_EQ(StepGame(*t, play), PauseStep::Run);
  auto step = [&](bool blur, bool hidden, bool p = false) {
    FrameCommand c;
    c.FocusLost = blur;
    c.Hidden = hidden;
    c.Keys[KeyP] = p;
    t.Plat.ClearRecords();
    return StepGame(*t, c);
  };
  auto drewPause = [&] {
    return std::any_of(t.Plat.Texts.begin(), t.Plat.Texts.end(),
                       [](const TextRecord& r) { return r.Text == "P TO PLAY ON"; });
  };
  const long long frame = t->Harness.FrameNumber;
  EXPECT_EQ(step(true, true), PauseStep::Wait);
  EXPECT_TRUE(t->Paused);
  EXPECT_FALSE(drewPause()) << "nobody sees a hidden window";
  EXPECT_EQ(step(false, true), PauseStep::Wait);
  EXPECT_EQ(step(false, false), PauseStep::Show) << "back in sight";
  EXPECT_TRUE(drewPause());
  EXPECT_EQ(step(false, false), PauseStep::Wait);
  EXPECT_FALSE(drewPause());
  // Hidden and shown again with the pause screen still up: nothing more is drawn.
  EXPECT_EQ(step(false, true), PauseStep::Wait);
  EXPECT_EQ(step(false, false), PauseStep::Wait);
  EXPECT_TRUE(t.Plat.Shades.empty());
  EXPECT_EQ(t->Harness.FrameNumber, frame) << "no frame ran";
  // P plays on; the next pause, by P, draws its screen afresh.
  EXPECT_EQ(step(false, false, true), PauseStep::Run);
  EXPECT_EQ(step(false, false), PauseStep::Run);
  EXPECT_EQ(step(false, false, true), PauseStep::Show);
  EXPECT_TRUE(drewPause());
  // A window hidden alone (no focus lost with it) pauses a level just the same.
  EXPECT_EQ(step(false, false), PauseStep::Wait);
  EXPECT_EQ(step(false, false, true), PauseStep::Run);
  EXPECT_EQ(step(false, true), PauseStep::Wait);
  EXPECT_EQ(step(false, false), PauseStep::Show);
  EXPECT_TRUE(t->Paused);
}

TEST(Pause, FocusLossThroughSdlsEventQueuePausesALevelAndStopsItsClock) {
  SetEnvVar("SDL_VIDEODRIVER", "dummy", false);
  SetEnvVar("SDL_AUDIODRIVER", "dummy", false);
  PlatformOptions o;
  o.Windowed = true;
  auto owner = CreateSdlPlatform(o);
  auto* plat = dynamic_cast<SdlPlatform*>(owner.get());
  ASSERT_TRUE(plat);
  auto g = std::make_unique<Game>();
  Renderer screen;
  g->Draw = &screen;
  g->GameRunning = true;
  auto loseFocus = [&] {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(plat->Window().Handle());
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  };
  // In the menu the game just goes on.
  g->InMenu = true;
  loseFocus();
  plat->BeginFrame(1);
  EXPECT_EQ(StepPause(*g, plat->ReadCommand(true)), PauseStep::Run);
  // In a level it pauses, once, with the field of the last frame dimmed under the pause screen
  // and the frame around it as it was.
  g->InMenu = false;
  screen.FillBox(0, 0, 800, 600, 0xFFFFFF);
  loseFocus();
  plat->BeginFrame(2);
  EXPECT_EQ(StepPause(*g, plat->ReadCommand(false)), PauseStep::Show);
  EXPECT_TRUE(g->Paused);
  ASSERT_TRUE(g->Still);
  plat->SetPaused(true);  // as the main loop does when the game stands still
  const long dimmed = screen.PixelAt(120, 580);
  EXPECT_GT(dimmed & 0xFF, 0x20);
  EXPECT_LT(dimmed & 0xFF, 0x80);
  EXPECT_EQ(screen.PixelAt(50, 300), 0xFFFFFF);
  // Paused, the clock stands still and each step waits for events instead of spinning.
  const int32_t before = plat->TickCount();
  const Uint64 start = SDL_GetTicks64();
  plat->BeginFrame(3);
  EXPECT_GE(SDL_GetTicks64() - start, 200u);
  EXPECT_EQ(StepPause(*g, plat->ReadCommand(false)), PauseStep::Wait);
  EXPECT_EQ(plat->TickCount(), before);
}

TEST(Settings, RoundTripAndDamagedOrUnknownEntries) {
  Settings s;
  s.Window = {false, 12, 34, 1024, 768};
  s.EffectsVolume = 40;
  s.MusicVolume = 0;
  s.ScreenShake = false;
  s.Keys[5] = ScanCodeForName("W");  // fire_1
  std::ostringstream warnings;
  Settings back = ParseSettings(SettingsText(s), "settings.ini", warnings);
  EXPECT_EQ(warnings.str(), "");
  EXPECT_EQ(SettingsText(back), SettingsText(s));
  EXPECT_FALSE(back.ScreenShake);
  EXPECT_EQ(back.Bindings().Source[KeyX], ScanCodeForName("W"));
  EXPECT_EQ(back.Bindings().Source[KeyC], KeyC);

  // Each bad line says so once and keeps its default (a window one pixel narrower than the
  // smallest allowed too); good lines around them still count.
  back = ParseSettings(
      "[display]\nfullscreen = maybe\nwindow_width = 399\nwindow_x = 200\nscreen_shake = no\n[sound]\nmusic_volume = 101\n"
      "effects_volume = 30\nloudness = 3\n[keys]\nfire_1 = NOPE\ndance = X\npause = 59\nleave = C\njust words\n[colours]\n"
      "size = 3\n",
      "settings.ini", warnings);
  const std::string w = warnings.str();
  EXPECT_EQ(std::count(w.begin(), w.end(), '\n'), 9) << w;
  EXPECT_NE(w.find("fire_2 and leave both have the key C"), std::string::npos) << w;
  EXPECT_NE(w.find("settings.ini line 2: 'fullscreen = maybe' needs yes or no; using yes"), std::string::npos) << w;
  EXPECT_TRUE(back.Window.FullScreen);
  EXPECT_FALSE(back.ScreenShake);
  EXPECT_EQ(back.Window.Width, 800);
  EXPECT_EQ(back.Window.X, 200);
  EXPECT_EQ(back.MusicVolume, 100);
  EXPECT_EQ(back.EffectsVolume, 30);
  EXPECT_EQ(back.Keys[5], KeyX);
  EXPECT_EQ(back.Bindings().Source[KeyP], 59);
}

TEST(Settings, MadeOnFirstUseOnlyWhenAskedHeadlessAndARebindingTheHarnessHonours) {
  TempDir dir;
  const std::string common = "--headless --frames 60 --save-file '" + dir.File("s.gsv") + "' --dump-state - ";
  // Headless without --settings the player's file is neither read nor made.
  SetEnvVar("XDG_CONFIG_HOME", dir.File("config").c_str());
  ASSERT_EQ(RunZorvane(common), 0);
  SetEnvVar("XDG_CONFIG_HOME", nullptr);
  EXPECT_FALSE(std::filesystem::exists(dir.File("config")));

  // Fire moved from X to W: the script's W fires, its X no longer does.
  WriteFile(dir.File("keys.ini"), "[keys]\nfire_1 = W\n");
  WriteFile(dir.File("w.txt"), "0 mouse 50 110\n2 lbutton\n5-59 key W\n");
  WriteFile(dir.File("x.txt"), "0 mouse 50 110\n2 lbutton\n5-59 key X\n");
  std::string withW, withX, err;
  ASSERT_EQ(RunZorvane(common + "--settings '" + dir.File("keys.ini") + "' --input '" + dir.File("w.txt") + "'",
                       &withW, &err),
            0)
      << err;
  EXPECT_EQ(err, "");
  ASSERT_EQ(RunZorvane(common + "--settings '" + dir.File("keys.ini") + "' --input '" + dir.File("x.txt") + "'",
                       &withX),
            0);
  EXPECT_NE(withW.find("\"Shots\":[{"), std::string::npos);
  EXPECT_NE(withX.find("\"Shots\":[]"), std::string::npos);

  // A missing file is made at start, with its comments, and read back without a word.
  ASSERT_EQ(RunZorvane(common + "--settings '" + dir.File("new/settings.ini") + "'", nullptr, &err), 0) << err;
  const std::string made = ReadFile(dir.File("new/settings.ini"));
  EXPECT_NE(made.find("# drink a health potion"), std::string::npos);
  std::ostringstream warnings;
  EXPECT_EQ(SettingsText(ParseSettings(made, "settings.ini", warnings)), made);
  EXPECT_EQ(warnings.str(), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("new")), {}), 1) << "no temporary file left";
}
