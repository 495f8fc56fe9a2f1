// How hard each level is for a player with a person's limits: the pilot of --autopilot-human
// plays the campaign from a new save, and each time it is about to fly a level for the first
// time, the game is copied and that level flown from the copy by a number of pilots whose
// imagined dice differ. For each level it prints how many of those first tries were won, where
// the lost ones ended (in the field or against the boss), the life left when the boss came, and
// the potions drunk; then the campaign's own table.
//
//   zorvane2_trials [TRIALS [FRAMES [SAVES]]]
// (defaults: 24 trials a level, 800,000 campaign frames). With a folder SAVES, the progress as it
// stands before each level's first try is written there as levelN.gsv, to be flown again with
// zorvane2 --autopilot-human --save-file (a copy of) it.
//
//   zorvane2_trials level SAVE [TRIALS]
// flies only the level the campaign would play next from the save SAVE (which is only read).
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "autopilot/autopilot.h"
#include "autopilot/pilots.h"
#include "save/save_file.h"
#include "world/game.h"
#include "frame/frame.h"

namespace {

// One frame of the main loop: the pilot looks, the game runs.
void Step(Game& g, Autopilot& pilot, long long& frame) {
  const PilotInput in = pilot.Decide(g);
  FrameCommand c;
  c.Keys = in.Keys;
  c.Dx = in.Dx;
  c.Dy = in.Dy;
  c.Left = in.Left;
  c.Right = in.Right;
  c.Ticks = int32_t(frame * 1000 / 60);
  StepGame(g, c);
  ++frame;
}

struct Tally {
  int Trials = 0, Won = 0, LostToBoss = 0, LostInField = 0;
  double LifeAtBoss = 0;
  int BossReached = 0;
  double Potions = 0;
  double BossLeft = 0;  // of its life, in the tries lost to it
  std::vector<int> FieldDeaths;  // the clock where each try lost in the field ended
  std::map<int, double> Damage;  // life lost, by stretch of 500 clock units (the boss's fight: -1)
};

// Flies the level the pilot starts next from a copy of the game, once.
void Trial(const Game& start, uint32_t seed, Tally& t, long long frame) {
  auto g = std::make_unique<Game>(start);
  PilotLimits limits = PilotLimits::Human();
  limits.DiceSeed = seed;
  Autopilot pilot(limits);
  // Into the level.
  while (g->InMenu && g->GameRunning) Step(*g, pilot, frame);
  bool bossSeen = false;
  float clock = 0;
  int bossLife = 0;
  while (!g->InMenu && g->GameRunning) {
    if (!bossSeen && g->Level.BossPhase) {
      bossSeen = true;
      t.LifeAtBoss += g->Ship.Life;
      ++t.BossReached;
    }
    clock = g->Level.FrameClock;
    if (g->Level.BossPhase) bossLife = g->Level.BossLife;
    const float taken = g->Level.DamageTaken;
    Step(*g, pilot, frame);
    if (g->Level.DamageTaken > taken && !g->InMenu)
      t.Damage[g->Level.BossPhase ? -1 : int(clock) / 500 * 500] += g->Level.DamageTaken - taken;
  }
  const PilotAttempt& a = pilot.Attempts().back();
  ++t.Trials;
  t.Potions += a.PotionsUsed;
  if (a.Won) ++t.Won;
  else if (bossSeen) {
    ++t.LostToBoss;
    t.BossLeft += g->Level.BossMaxLife > 0 ? double(bossLife) / g->Level.BossMaxLife : 0;
  }
  else {
    ++t.LostInField;
    t.FieldDeaths.push_back(int(clock));
  }
}

void Report(int level, const Tally& t) {
  std::printf("level %d: %d of %d first tries won; lost %d to the boss, %d in the field", level, t.Won, t.Trials,
              t.LostToBoss, t.LostInField);
  if (t.BossReached) std::printf("; life at the boss %.0f", t.LifeAtBoss / t.BossReached);
  if (t.LostToBoss) std::printf("; the boss had %.0f%% of its life left", 100 * t.BossLeft / t.LostToBoss);
  std::printf("; potions %.1f a try", t.Potions / t.Trials);
  if (!t.FieldDeaths.empty()) {
    std::printf("; field losses at clock");
    for (int c : t.FieldDeaths) std::printf(" %d", c);
  }
  std::printf("\n  life lost a try, by clock:");
  for (const auto& [from, lost] : t.Damage) {
    if (from < 0) std::printf(" boss %.0f", lost / t.Trials);
    else std::printf(" %d+ %.0f", from, lost / t.Trials);
  }
  std::printf("\n");
  std::fflush(stdout);
}

// Flies the level next in the campaign from a save, `trials` times.
int OneLevel(const std::string& save, int trials) {
  auto g = std::make_unique<Game>();
  SaveStore store{save, {}};
  ContentLoad(*g, store.Load(), 0);  // the save is only read
  const int next = NextCampaignLevel(*g, {}, true);
  Tally t;
  for (int k = 0; k < trials; ++k) Trial(*g, 1000 + uint32_t(k) * 7919, t, 0);
  Report(next, t);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "level") return OneLevel(argv[2], argc > 3 ? std::atoi(argv[3]) : 24);
  const int trials = argc > 1 ? std::atoi(argv[1]) : 24;
  const long long frames = argc > 2 ? std::atoll(argv[2]) : 800000;
  auto g = std::make_unique<Game>();
  ContentLoad(*g, NewPlayerProgress(), 0);
  Autopilot pilot(PilotLimits::Human());
  std::map<int, Tally> tallies;
  long long frame = 0;
  while (g->GameRunning && frame < frames) {
    // About to leave the menu for a level never flown before: try it from here.
    if (g->InMenu) {
      const int next = NextCampaignLevel(*g, pilot.Attempts(), true);
      bool flown = false;
      for (const PilotAttempt& a : pilot.Attempts()) flown = flown || a.Level == next;
      if (next >= 1 && next <= 10 && !flown && !tallies.count(next)) {
        if (argc > 3) SaveStore{std::string(argv[3]) + "/level" + std::to_string(next) + ".gsv", {}}.Save(g->Progress);
        Tally& t = tallies[next];
        for (int k = 0; k < trials; ++k) Trial(*g, 1000 + uint32_t(k) * 7919, t, frame);
        Report(next, t);
      }
    }
    Step(*g, pilot, frame);
  }
  std::printf("%s", pilot.CampaignTable().c_str());
  return 0;
}
