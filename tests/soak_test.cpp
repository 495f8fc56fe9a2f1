// The soak: every level and mode, each started from the menu by clicking its button, played
// with seeded random input (keys held and released, clicks all over the menu, potions,
// abilities, Escape), with the game's invariants checked after every frame.
//
//   ZORVANE_SOAK_FRAMES  frames to run in all (default 13 x 600)
//   ZORVANE_SOAK_SEED    seed of the input and of the starting progress (default 1)
//
// The long run:  ZORVANE_SOAK_FRAMES=1000000 ./build/tests/zorvane2_tests --gtest_filter='Soak.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "render/renderer.h"
#include "save/save_file.h"
#include "frame/frame.h"
#include "shell/embedded_art.h"
#include "test_support.h"

namespace {

long long EnvNumber(const char* name, long long fallback) {
  const char* v = std::getenv(name);
  if (!v || !*v) return fallback;
  char* end = nullptr;
  long long n = std::strtoll(v, &end, 10);
  return (end && *end == 0 && n > 0) ? n : fallback;
}

// Keys the random player holds and lets go; arrows, fire and Space most of all.
constexpr int PlayKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyX, KeyC, KeyZ, KeyV, KeyA, KeyS, KeyD};

class Soak : public FrameWatcher {
 public:
  Soak(uint64_t seed, std::string savePath) : Rng(seed) {
    LoadEmbeddedArt(Screen);
    T.H.Device = &Input;
    G->Draw = &Screen;
    T.H.Save.Path = std::move(savePath);
    ContentLoad(*G, T.H.Save.Load(), 0);
    RandomProgress();
  }

  // Plays frame after frame: a menu stretch with clicks everywhere, then the next mode's
  // button, then play until the level ends (or the stretch is over and Escape is pressed).
  void Run(long long frames) {
    // Each visit of a mode, menu stretch included, takes at most this many frames.
    const long long visit = std::max<long long>(200, std::min<long long>(frames / 13, 20000));
    int mode = 0;
    while (Frame < frames && Failures.empty()) {
      const long long end = std::min(frames, Frame + visit);
      MenuStretch(std::min<long long>(Between(20, int(visit / 4)), end - Frame - 10));
      if (Frame + 10 > end) break;
      StartFromMenu(mode);
      Played[size_t(mode)] = true;
      mode = (mode + 1) % 13;
      while (Frame < end - 3 && !G->InMenu && Failures.empty()) {
        RandomKeys(/*escapeChance=*/1.0 / 4000);
        Step();
      }
      // Out of time for this mode: leave it, as a player would, and collect on the results screen.
      for (int i = 0; i < 3 && !G->InMenu && Frame < frames; ++i) {
        Input.KeyState = {};
        Input.KeyState[KeyEscape] = true;
        Step();
      }
      Input.KeyState = {};
    }
    // Whatever is left (fewer frames than a visit needs) goes to the menu.
    MenuStretch(frames - Frame);
  }

  std::vector<std::string> Failures;
  std::array<bool, 13> Played{};
  long long Frame = 0;

 private:
  // The input of our random player; the real renderer draws every frame.
  class InputPlatform : public NullPlatform {
   public:
    void PlaySound(int) override {}
    void LoadMusic(const std::string&) override {}
    void PlayMusic() override {}
    void StopMusic() override {}
    void SetMusicVolume(int) override {}
  };

  Renderer Screen;
  InputPlatform Input;
  TestGame T{false};
  Game* G = T.G.get();
  std::mt19937_64 Rng;

  double Chance() { return std::uniform_real_distribution<double>(0, 1)(Rng); }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Rng); }

  void Fail(const std::string& what) {
    if (Failures.size() < 20) {
      std::ostringstream s;
      s << "frame " << Frame << (G->InMenu ? " (menu)" : " (level index " + std::to_string(G->CurrentLevel - 1) + ")")
        << ": " << what;
      Failures.push_back(s.str());
    }
  }

  // Some of everything, within the ranges the save file allows.
  void RandomProgress() {
    ProgressBlock& p = G->Progress;
    p.Points = Between(0, 2000000);
    for (auto& l : p.ShotLevel) l = static_cast<Integer>(Between(-1, 9));
    for (auto& l : p.PartLevel) l = static_cast<Integer>(Between(1, 10));
    for (auto& b : p.ChargeOwned) b = Chance() < 0.6;
    for (auto& b : p.GemOwned) b = Chance() < 0.6;
    p.LevelOpen.fill(true);
    for (auto& n : p.Potions) n = static_cast<Integer>(Between(0, 5));
  }

  void Step() {
    Input.Ticks = static_cast<int32_t>(static_cast<uint32_t>(Frame * 1000 / 60));
    G->Harness.FrameNumber = Frame;
    PlayFrame(*G, T.H, Input, this);
    if (!G->GameRunning) {
      // The quit button: the game saved; start again from that save, as the player would.
      ContentLoad(*G, T.H.Save.Load(), Input.Ticks);
    }
    CheckFrame();
    Screen.Finish();
    Screen.TakeChanged();
    Screen.BeginFrame();
    ++Frame;
  }

  void RandomKeys(double escapeChance) {
    for (int key : PlayKeys)
      if (Chance() < 0.04) Input.KeyState[size_t(key)] = !Input.KeyState[size_t(key)];
    Input.KeyState[KeyEscape] = Chance() < escapeChance;
  }

  // Moves and clicks all over the screen, sometimes with Q and Z held (the erase button).
  void MenuStretch(long long frames) {
    for (long long i = 0; i < frames && Failures.empty(); ++i) {
      if (!G->InMenu) return;  // a random click started a level: play it out elsewhere
      Input.KeyState = {};
      if (Chance() < 0.02) Input.KeyState[KeyQ] = Input.KeyState[KeyZ] = true;
      if (Chance() < 0.3) {
        Input.MouseDx = Between(-900, 900);
        Input.MouseDy = Between(-700, 700);
      }
      Input.MouseLeft = Chance() < 0.3;
      Input.MouseRight = Chance() < 0.15;
      // The quit button and the level buttons (where the pointer lands this frame) are
      // mostly left for the driver to press.
      const int x = std::clamp(G->MouseX + Input.MouseDx, 0, 780), y = std::clamp(G->MouseY + Input.MouseDy, 0, 570);
      if (x <= 160 && y < 465 + 33 * 3) Input.MouseLeft = Input.MouseRight = Chance() < 0.002;
      Step();
      if (!G->InMenu) {
        // Started by a stray click: play a little and leave.
        for (int k = 0; k < 120 && !G->InMenu; ++k) {
          RandomKeys(0);
          Step();
        }
        while (!G->InMenu && Failures.empty()) {
          Input.KeyState = {};
          Input.KeyState[KeyEscape] = true;
          Step();
        }
      }
    }
    Input.MouseLeft = Input.MouseRight = false;
    Input.KeyState = {};
  }

  // Points at the mode's button and clicks it; a button locked by an erase is opened first.
  void StartFromMenu(int index) {
    if (!G->Progress.LevelOpen[size_t(index)]) G->Progress.LevelOpen[size_t(index)] = true;
    const int top = index < 10 ? 103 + 33 * index : 465 + 33 * (index - 10);
    Input.KeyState = {};
    Input.MouseLeft = false;
    Input.MouseDx = Between(12, 150) - G->MouseX;
    Input.MouseDy = Between(top + 1, top + 24) - G->MouseY;
    Step();
    Input.MouseLeft = true;
    Step();
    Input.MouseLeft = false;
    if (G->InMenu || G->CurrentLevel != index + 1)
      Fail("the button of level index " + std::to_string(index) + " did not start it");
  }

  void Finite(Single v, const char* what, int slot) {
    if (!std::isfinite(v)) Fail(std::string(what) + " of slot " + std::to_string(slot) + " is not finite");
  }

  void AfterShipStep(const Game& g) override {
    const ShipClass& s = g.Ship;
    if (!(s.Life >= 0 && s.Life <= 200)) Fail("ship life " + std::to_string(s.Life) + " after its upkeep");
    if (!(s.Charge >= 0 && s.Charge <= 200)) Fail("ship charge " + std::to_string(s.Charge) + " after its upkeep");
  }

  void CheckFrame() {
    const Game& g = *G;
    const ShipClass& s = g.Ship;
    for (Single v : {s.Top, s.Bottom, s.Left, s.Right, s.Speed, s.Heading, s.Life, s.Charge}) Finite(v, "ship", 0);
    for (int i = 0; i < ShotCount; ++i) {
      const ShotClass& o = g.Shots[size_t(i)];
      if (!o.Exists) continue;
      for (Single v : {o.Top, o.Bottom, o.Left, o.Right, o.Speed, o.Heading, o.Damage}) Finite(v, "shot", i);
      if (o.Kind < 0 || o.Kind >= ShotKinds) Fail("shot kind " + std::to_string(o.Kind));
    }
    for (int i = 0; i < EShotCount; ++i) {
      const EShotsClass& o = g.EShots[size_t(i)];
      if (!o.Exists) continue;
      for (Single v : {o.Top, o.Bottom, o.Left, o.Right, o.Speed, o.Heading}) Finite(v, "enemy shot", i);
    }
    for (int i = 0; i < EnemyCountMax; ++i) {
      const EnemyClass& o = g.Enemies[size_t(i)];
      if (!o.Exists) continue;
      for (Single v : {o.Top, o.Bottom, o.Left, o.Right, o.Speed, o.Heading, o.Life}) Finite(v, "enemy", i);
      if (o.Kind < 0 || o.Kind >= int(g.Tables.EnemyKinds.size())) Fail("enemy kind " + std::to_string(o.Kind));
    }
    for (int i = 0; i < ExplosionCount; ++i) {
      const ExploClass& o = g.Explosions[size_t(i)];
      if (o.Exists) for (Single v : {o.Xpos, o.Ypos, o.Frame}) Finite(v, "explosion", i);
    }
    for (int i = 0; i < StarCount; ++i) Finite(g.Stars[size_t(i)].Ypos, "star", i);
    if (g.Level.SpawnCount < 0 || g.Level.SpawnCount > int(g.Level.SpawnTable.size()) + 1)
      Fail("spawn count " + std::to_string(g.Level.SpawnCount) + " of " + std::to_string(g.Level.SpawnTable.size()));
    if (g.MouseX < 0 || g.MouseX > 780 || g.MouseY < 0 || g.MouseY > 570) Fail("pointer off the screen");
    if (!std::isfinite(g.Level.FrameClock)) Fail("frame clock is not finite");
    // The progress must survive a save and a load exactly, with nothing out of range.
    int clamped = 0;
    if (DecodeProgress(EncodeProgress(g.Progress), &clamped) != g.Progress || clamped != 0)
      Fail("the progress does not survive a save (" + std::to_string(clamped) + " value(s) out of range)");
    if (g.Progress.Points < 0) Fail("points below zero");
    if (!Screen.GuardRowsUntouched()) Fail("a drawing wrote outside the back buffer");
  }
};

}  // namespace

TEST(Soak, EveryLevelAndModeFromTheMenuWithRandomInput) {
  const long long frames = EnvNumber("ZORVANE_SOAK_FRAMES", 13 * 600);
  const auto seed = static_cast<uint64_t>(EnvNumber("ZORVANE_SOAK_SEED", 1));
  TempDir dir;
  Soak soak(seed, dir.File("soak.gsv"));
  soak.Run(frames);
  for (const std::string& f : soak.Failures) ADD_FAILURE() << "seed " << seed << ", " << f;
  EXPECT_EQ(soak.Frame, frames);
  if (frames >= 13 * 300) {
    for (int i = 0; i < 13; ++i) EXPECT_TRUE(soak.Played[size_t(i)]) << "level index " << i << " never played";
  }
}
