// Level set-up: the level's timeline, the boss craft of the enemy-kind table and the mode flags.
#include <string>

#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "levels/timelines.h"
#include "world/sound.h"
#include "world/game.h"

namespace {

// The ten bosses, kinds 20 to 29, on the ENEMIES sheet. The arena doubles their hit points.
struct BossKind {
  Integer SrcLeft, SrcTop, Width, Height, HitPoints;
};
constexpr BossKind BossKinds[10] = {
    {0, 196, 59, 127, 200},     {428, 111, 101, 49, 200},  {59, 124, 183, 199, 400}, {335, 89, 93, 85, 300},
    {242, 88, 93, 86, 600},     {493, 160, 91, 82, 800},   {494, 242, 320, 81, 2000}, {584, 181, 108, 61, 2500},
    {584, 90, 143, 91, 2000},   {243, 174, 250, 149, 10000},
};

constexpr Single ArenaStartClock = 4798;  // boss 1 enters on the arena's first frame
constexpr Integer ArenaStartBar = 400;

void InstallBossKinds(Game& g, int hitPointFactor) {
  for (int i = 0; i < 10; ++i) {
    const BossKind& b = BossKinds[i];
    SetKind(g, static_cast<Integer>(KindBossFirst + i), b.Width, b.Height,
            static_cast<Integer>(b.HitPoints * hitPointFactor), b.SrcLeft, b.SrcTop);
  }
}

using TimelineWriter = void (*)(Game&);
constexpr TimelineWriter TimelineWriters[13] = {
    WriteTimelineLevel1, WriteTimelineLevel2,  WriteTimelineLevel3,   WriteTimelineLevel4, WriteTimelineLevel5,
    WriteTimelineLevel6, WriteTimelineLevel7,  WriteTimelineLevel8,   WriteTimelineLevel9, WriteTimelineLevel10,
    WriteTimelineMiniGame, WriteTimelineMarathon, WriteTimelineArena,
};

// A marathon stage keeps the ship as it is, but the clock starts again at 0, so the ship's and the
// shots' clock-stamped timers start again with it.
void RestartFireTimers(Game& g) {
  g.CurrentLevel = ModeMarathon;
  g.Level.BossTimer = 0;
  g.Ship.LastShot1 = 0;
  g.Ship.LastShot2 = 0;
  for (ShotClass& s : g.Shots) s.AnimationCount = 0;
}

}  // namespace

void AddSpawn(Game& g, Integer index, Integer kind, Single headingDeg, Single speed, Integer spawnTime,
              Integer centerX, Integer shottype, Integer shotPat, Integer shootRate, Single accel,
              Single accelHeadingDeg, Single shotSpeed, Single startY) {
  // A row beyond the table has nowhere to go and is left out.
  if (index < 0 || index >= static_cast<int>(g.Level.SpawnTable.size())) return;
  SpawnRec& r = g.Level.SpawnTable[index];
  r.Kind = kind;
  r.SpawnTime = spawnTime;
  r.Heading = DegToRad(headingDeg);
  r.Speed = speed;
  r.CenterX = static_cast<Single>(centerX);
  r.StartY = startY;
  r.Accel = accel;
  r.AccelHeading = DegToRad(accelHeadingDeg);
  r.Shottype = shottype;
  r.ShotPat = shotPat;
  r.ShootRate = shootRate;
  r.ShotSpeed = shotSpeed;
}

void LevelSetup(Game& g, Integer levelNumber) {
  if (g.Level.MarathonStageLoaded) {
    RestartFireTimers(g);
  } else {
    g.CurrentLevel = levelNumber;
  }

  // The table is made afresh: rows a level leaves unwritten stay empty and never enter.
  const bool known = levelNumber >= 1 && levelNumber <= ModeBossArena;
  g.Level.SpawnCount = known ? TimelineCounts[levelNumber - 1] : 0;
  g.Level.SpawnTable.assign(static_cast<size_t>(g.Level.SpawnCount), SpawnRec{});
  if (known) TimelineWriters[levelNumber - 1](g);
  g.Level.FrameClock = 0;

  if (levelNumber != ModeBossArena) {
    InstallBossKinds(g, 1);
    g.Level.BossArena = false;
    g.Level.ArenaBoss = 0;
    return;
  }
  // The boss arena: tougher bosses, fought one after another from the first.
  InstallBossKinds(g, 2);
  g.Level.BossArena = true;
  g.Level.ArenaBoss = 1;
  g.Level.FrameClock = ArenaStartClock;
  g.Level.BossLife = ArenaStartBar;
  g.Level.BossMaxLife = ArenaStartBar;
}

void ResetLevelState(Game& g) {
  const LevelState last = g.Level;
  LevelState& next = g.Level = LevelState{};
  // The marathon's stage, which the menu has just set (a marathon starts at its first stage).
  next.MarathonStage = last.MarathonStage;
  next.MarathonStageLoaded = last.MarathonStageLoaded;
  // What no rule reads before the level sets its own: the state dump reports it as the last level
  // left it, as it always has, so that recorded runs replay to the same reports.
  next.DeathTime = last.DeathTime;
  next.BossLife = last.BossLife;
  next.BossMaxLife = last.BossMaxLife;
  next.ArenaStageTime = last.ArenaStageTime;
  g.Menu.MusicStarted = false;
}

void StartLevelMusic(Game& g) {
  // Track 1 is mixed louder than the other three.
  const int track = static_cast<int>(4 * g.Rnd());
  ChangeMusic(g, track == 1 ? -1000 : -1700, std::to_string(track));
}
