// The spawner: the level clock, the timeline's enemies, and leaving the level after the ship is lost.
#include <algorithm>
#include <cmath>

#include "core/geometry.h"
#include "enemies/enemy_class.h"
#include "world/game.h"

namespace {

// Enemy kinds that are not counted as enemies of the level: heavy craft, bonus craft, the pickup.

constexpr Single LeaveDelayAfterDeath = 700;

void SpawnRecord(Game& g, int index, bool isBoss) {
  const SpawnRec& r = g.Level.SpawnTable[index];
  if (r.Kind < 0 || r.Kind >= Integer(g.Tables.EnemyKinds.size())) return;  // no such craft
  const EnemyKindRec& k = g.Tables.EnemyKinds[r.Kind];
  if (isBoss) g.Level.BossMaxLife = RoundToInteger(k.HitPoints);
  // A record counts even when the pool is full and it is lost.
  if (!IsUncountedKind(r.Kind)) g.Level.EnemyCount = SatAdd(g.Level.EnemyCount, 1);

  const int slot = FirstFreeSlot(g.Enemies);
  if (slot < 0) return;
  EnemyClass& e = g.Enemies[slot];
  e.Exists = true;
  double halfWidth = k.Width / 2.0;
  e.Initialize(r.StartY - k.Height, r.StartY, static_cast<Single>(r.CenterX - halfWidth),
               static_cast<Single>(halfWidth + r.CenterX), r.Speed, r.Accel, k.Width, k.Height, k.SrcTop,
               SatAdd(k.SrcTop, k.Height), k.SrcLeft, SatAdd(k.SrcLeft, k.Width), r.Heading, r.AccelHeading,
               k.HitPoints, r.Shottype, r.ShootRate, r.ShotSpeed, r.ShotPat, r.Kind);
  // The weaken-bosses gem takes a fifth off the boss's life.
  if (isBoss && g.Ship.HasGem(GemWeakenBosses)) e.Life = static_cast<Single>(e.Life * 0.8);
}

}  // namespace

void Spawner(Game& g) {
  // Some time after the ship is lost, the level is left as if Escape were pressed. This holds
  // because the frame dispatcher handles Escape before it polls the keyboard: the key set here
  // survives to the start of the next frame, which leaves the level, and only then does the poll
  // replace it with the real keys.
  if (!g.Ship.Exists && double(g.Level.FrameClock) - double(g.Level.DeathTime) > LeaveDelayAfterDeath) g.Keys[KeyEscape] = true;

  // MATRIX runs the clock at a quarter speed; otherwise it steps to the next whole unit.
  if (!g.Level.ChargeOn[AbilityMatrix]) {
    g.Level.FrameClock = std::floor(g.Level.FrameClock) + 1;
  } else {
    g.Level.FrameClock = g.Level.FrameClock + 0.25f;
  }

  int count = std::min<int>(g.Level.SpawnCount, int(g.Level.SpawnTable.size()));
  for (int i = 0; i < count; ++i) {
    if (g.Level.FrameClock != g.Level.SpawnTable[i].SpawnTime) continue;
    // The last record of a timeline is the level's boss.
    SpawnRecord(g, i, i == g.Level.SpawnCount - 1);
  }
}
