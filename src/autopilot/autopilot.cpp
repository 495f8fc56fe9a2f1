// The autopilot: hands each frame to the menu half or the level half, and keeps a log of the
// levels it played for the campaign report.
#include "autopilot/autopilot.h"

#include <cstdio>
#include <map>

#include "autopilot/pilots.h"
#include "levels/level_director.h"
#include "world/game.h"

Autopilot::Autopilot(PilotLimits limits)
    : Play(std::make_unique<PlayPilot>(limits)), Menu(std::make_unique<MenuPilot>(limits)) {}
Autopilot::~Autopilot() = default;

PilotInput Autopilot::Decide(const Game& g) {
  PilotInput in;
  ++Frame;
  if (!g.GameRunning) return in;
  if (g.InMenu) {
    if (!WasInMenu) NoteLevelEnd(g);
    WasInMenu = true;
    Menu->Decide(g, in, Log);
    return in;
  }
  if (WasInMenu) {
    PilotAttempt a;
    a.Level = g.CurrentLevel;
    a.FirstFrame = g.Harness.FrameNumber;
    a.Upgrades = ShipUpgrades(g);
    int losses = 0;
    for (const PilotAttempt& earlier : Log)
      if (earlier.Level == a.Level && !earlier.Won) ++losses;
    Log.push_back(a);
    PointsBefore = g.Progress.Points;
    // Potions kept for the last fights are not drunk in the mini game, which ends in a loss
    // however long it lasts, nor in a level replayed for its points.
    const bool replay = a.Level >= 1 && a.Level <= 10 && LevelWon(g, a.Level);
    WonBefore = replay;
    // A person keeps them out of every replay: a level won before is flown without them.
    const bool keep = (LastFightsOpen(g) || Menu->Limits.ShopsAsAPerson) && (a.Level == ModeMiniGame || replay);
    Play->NewLevel(losses, !keep);
    Menu->LeftMenu();
    WasInMenu = false;
  }
  // What the results screen shows is read while it is shown.
  PilotAttempt& a = Log.back();
  a.Frames = g.Harness.FrameNumber - a.FirstFrame;  // so far
  a.DamageTaken = g.Level.DamageTaken;
  a.PotionsUsed = g.Level.PotionsUsedLevel;
  a.BossReached = a.BossReached || g.Level.BossPhase;
  if (g.LevelOver && g.Ship.Exists && !a.Won && g.Harness.FrameNumber > a.FirstFrame) {
    a.Won = true;
    if (g.CurrentLevel <= 10 && !g.Level.BossArena)
      a.Grade = g.Ship.HasGem(GemSsRanking) ? "SS" : GradeFromScore(GradeScore(g)).Text;
  }
  Play->Decide(g, in);
  return in;
}

void Autopilot::NoteLevelEnd(const Game& g) {
  if (Log.empty()) return;
  PilotAttempt& a = Log.back();
  a.Frames = g.Harness.FrameNumber - a.FirstFrame;
  a.PointsWon = long(g.Progress.Points) - PointsBefore;
  // The mini game cannot be won, only survived: its end is its success.
  if (a.Level == ModeMiniGame) a.Won = true;
  // A boss and the ship lost in the same frame: the level is won all the same.
  if (a.Level >= 1 && a.Level <= 10 && !WonBefore && LevelWon(g, a.Level)) a.Won = true;
}

bool Autopilot::CampaignDone(const Game& g) const { return NextCampaignLevel(g, Log, Menu->MiniGamePlayed) == 0; }

std::string Autopilot::CampaignTable() const {
  struct Row {
    int Tries = 0;
    int TriesToWin = 0;  // up to and with the first win
    int LostToBoss = 0;
    long long Frames = 0;
    float Damage = 0;
    std::string Grade = "-";
    long Points = 0;
    bool Won = false;
  };
  std::map<int, Row> rows;
  for (const PilotAttempt& a : Log) {
    Row& r = rows[a.Level];
    ++r.Tries;
    if (!r.Won) ++r.TriesToWin;
    if (!a.Won && a.BossReached) ++r.LostToBoss;
    r.Frames += a.Frames;
    r.Points += a.PointsWon;
    if (a.Won) {
      r.Won = true;
      r.Damage = a.DamageTaken;
      if (!a.Grade.empty()) r.Grade = a.Grade;
    }
  }
  auto name = [](int level) -> std::string {
    if (level == ModeMiniGame) return "mini game";
    if (level == ModeMarathon) return "marathon";
    if (level == ModeBossArena) return "boss arena";
    return "level " + std::to_string(level);
  };
  std::string out =
      "| mode | tries | tries to win | lost to the boss | frames | won | damage taken (won try) | grade | points won |\n";
  out += "|---|---|---|---|---|---|---|---|---|\n";
  long long frames = 0;
  for (const auto& [level, r] : rows) {
    char line[200];
    std::snprintf(line, sizeof line, "| %s | %d | %s | %d | %lld | %s | %.0f | %s | %ld |\n", name(level).c_str(),
                  r.Tries, r.Won ? std::to_string(r.TriesToWin).c_str() : "-", r.LostToBoss, r.Frames, r.Won ? "yes" : "no",
                  double(r.Damage), r.Grade.c_str(), r.Points);
    out += line;
    frames += r.Frames;
  }
  out += "| all | " + std::to_string(Log.size()) + " | | | " + std::to_string(frames) + " | | | | |\n";
  return out;
}
