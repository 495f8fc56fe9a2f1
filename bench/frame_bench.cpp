// What a frame costs, drawn by the renderer as a window would have it (the headless platform:
// no window, no waiting).
//
//   cmake --build build -j2 --target zorvane2_bench && ./build/bench/zorvane2_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "effects/explo_class.h"
#include "enemies/enemy_class.h"
#include "platform/headless/headless_platform.h"
#include "render/renderer.h"
#include "world/game.h"
#include "frame/frame.h"
#include "save/save_file.h"
#include "shell/embedded_art.h"
#include "shell/host.h"
#include "shots/shot_class.h"

namespace {

// A started game in the menu on the headless platform, saving nowhere, drawn by the renderer.
struct BenchGame {
  HeadlessPlatform Plat{""};
  Renderer Screen;
  std::unique_ptr<Game> G = std::make_unique<Game>();
  long long ChangedPixels = 0;  // drawn afresh, so sent to the window
  BenchGame() {
    LoadEmbeddedArt(Screen);
    ContentLoad(*G, NewPlayerProgress(), Plat.TickCount());
    G->Draw = &Screen;
  }
  // One turn of the main loop: the frame, then its picture finished as a window shows it (the
  // changed rectangles taken) and a new one begun.
  void Frame() {
    Plat.BeginFrame(G->Harness.FrameNumber);
    FrameCommand c = Plat.ReadCommand(G->InMenu);
    c.Ticks = Plat.TickCount();
    TakePointerMotion(*G, c);
    RunFrame(*G, c);
    ++G->Harness.FrameNumber;
    Screen.Finish();
    for (const PixelRect& r : Screen.Changed()) ChangedPixels += r.Width() * r.Height();
    Screen.TakeChanged();
    Screen.BeginFrame();
  }
};

// Level 1 with no timeline: only the ship, the stars and the status bars.
void StartQuietLevel(Game& g) {
  StartLevel(g, 0);
  g.Level.SpawnTable.clear();
  g.Level.SpawnCount = 0;
}

// Every pool full of live objects on the screen: 50 enemies of every ordinary kind from the
// spawner, 200 player shots of every kind, 200 enemy shots and 50 explosions.
void FillPools(Game& g) {
  StartQuietLevel(g);
  g.Ship.CurShot1 = 0;
  g.Ship.CurShot2 = -1;
  for (int i = 0; i < EnemyCountMax; ++i) {
    SpawnRec r;
    r.Kind = static_cast<Integer>(i % 15);
    r.SpawnTime = 1;
    r.CenterX = Single(130 + (i % 10) * 60);
    r.StartY = Single(60 + (i / 10) * 70);
    r.Heading = 1.5708f;
    r.Speed = 0.5f;
    r.ShootRate = 30;
    r.ShotSpeed = 4;
    g.Level.SpawnTable.push_back(r);
  }
  g.Level.SpawnCount = EnemyCountMax;
  g.Level.FrameClock = 0;
  Spawner(g);
  for (int i = 0; i < ShotCount; ++i) {
    const int kind = i % ShotKinds, level = (i / ShotKinds) % ShotLevels;
    const ShotTypeRec& t = g.Tables.ShotTypes[size_t(kind)][size_t(level)];
    const SubShotRec& sub = t.SubShots[0];
    g.Shots[size_t(i)].Shoot(static_cast<Integer>(100 + (i % 25) * 18), static_cast<Integer>(110 + (i % 40) * 14),
                             sub.Speed, t.Damage, t.Width, t.Height, sub.Heading, t.Frames, t.SrcTop,
                             static_cast<Integer>(t.SrcTop + t.Height), sub.AccelRate, sub.AccelHeading, t.SrcLeft,
                             static_cast<Integer>(kind), static_cast<Integer>(level));
  }
  for (int i = 0; i < EShotCount; ++i) {
    const EShotTypeRec& t = g.Tables.EShotTypes[size_t(i % 5)];
    const Single top = Single(20 + (i % 20) * 27), left = Single(110 + (i / 20) * 57);
    g.EShots[size_t(i)].Initialize(g, top, top + t.Height, left, left + t.Width, t.Width, t.Height, t.Damage, 3, 0, 0,
                                   1.5708f, 0, t.SrcTop, static_cast<Integer>(i % 5), t.SrcLeft, 0);
  }
  for (int i = 0; i < ExplosionCount; ++i)
    AddExplosion(g, static_cast<Integer>(i % 3), Single(120 + (i % 10) * 55), Single(50 + (i / 10) * 100), 0);
}

int Live(const Game& g) {
  int n = 0;
  for (const auto& o : g.Shots) n += o.Exists;
  for (const auto& o : g.EShots) n += o.Exists;
  for (const auto& o : g.Enemies) n += o.Exists;
  for (const auto& o : g.Explosions) n += o.Exists;
  return n;
}

void BM_MenuFrame(benchmark::State& state) {
  BenchGame b;
  b.Frame();
  b.ChangedPixels = 0;
  for (auto _ : state) b.Frame();
  state.counters["changed px"] = benchmark::Counter(double(b.ChangedPixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMicrosecond);

void BM_QuietPlayFrame(benchmark::State& state) {
  BenchGame b;
  StartQuietLevel(*b.G);
  b.Frame();
  b.ChangedPixels = 0;
  for (auto _ : state) b.Frame();
  state.counters["changed px"] = benchmark::Counter(double(b.ChangedPixels), benchmark::Counter::kAvgIterations);
  if (b.G->InMenu) state.SkipWithError("the level ended");
}
BENCHMARK(BM_QuietPlayFrame)->Unit(benchmark::kMicrosecond);

void BM_FullPoolPlayFrame(benchmark::State& state) {
  BenchGame b;
  FillPools(*b.G);
  state.counters["live"] = Live(*b.G);
  // The same two full frames in turn: the pools are put back as they were before each one, and
  // every object has moved since the frame before.
  const Game full = *b.G;
  b.Frame();
  const Game next = *b.G;
  bool second = false;
  for (auto _ : state) {
    state.PauseTiming();
    *b.G = second ? next : full;
    second = !second;
    state.ResumeTiming();
    b.Frame();
  }
}
BENCHMARK(BM_FullPoolPlayFrame)->Unit(benchmark::kMicrosecond);

// From nothing to the first menu frame drawn: the platform, the sheets, the tables, the
// progress (none on disk) and one frame.
void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    BenchGame b;
    b.Frame();
    benchmark::DoNotOptimize(b.G->Harness.FrameNumber);
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
