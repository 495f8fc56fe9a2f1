// Player shots hitting enemies: damage with its multipliers, the piercing splicer, the corrupter's
// ceasefire, the bonus craft's refill, kills, sparks and explosions.
#include <cmath>

#include "effects/explo_class.h"
#include "effects/flair.h"
#include "enemies/enemy_class.h"
#include "world/sound.h"
#include "world/game.h"
#include "shots/shot_class.h"

namespace {

constexpr Integer SparkKind = 2;

// Damage of one hit: ATTACK x2, the near-death gem, attack +25%, the ultimate gem, in that order.
Single HitDamage(const Game& g, const ShotClass& s) {
  Single d = s.Damage;
  if (g.Level.ChargeOn[AbilityAttack2]) d = d * 2;
  if (g.Ship.HasGem(GemAttackNearDeath) && g.Ship.Life < 50) d = d * 2;
  if (g.Ship.HasGem(GemAttackUp)) d = d * 1.5f;
  if (g.Ship.HasGem(GemUltimate)) d = d * 2;
  return d;
}

}  // namespace

void ShotHitsEnemies(Game& g, ShotClass& s) {
  for (int i = 0; i < EnemyCountMax; ++i) {
    EnemyClass& e = g.Enemies[i];
    if (!e.Exists) continue;
    if (!e.CollideWithRect(RoundToInteger(s.Top), RoundToInteger(s.Bottom), RoundToInteger(s.Left),
                           RoundToInteger(s.Right)))
      continue;
    // The splicer still inside the craft it hit last does not hit it again.
    if (s.AlreadyHit == i) continue;

    e.Hurt = true;
    PlaySoundIfOn(g, SoundEhit);
    AddHitSparks(g, (s.Right - s.Left) / 2 + s.Left, s.Top);
    // The shot is spent, but it still strikes every other craft it overlaps in this frame.
    if (s.Kind != ShotGoldSplicer) s.Exists = false;  // the gold splicer pierces
    // Bosses shrug off the corrupter's ceasefire.
    if (e.Kind < KindBossFirst && s.Kind == ShotCorrupter) e.FreezeTime = RoundToInteger(s.Damage * 10);
    if (s.Kind == ShotGoldSplicer) s.AlreadyHit = static_cast<Integer>(i);

    const ExploTypeRec& spark = g.Tables.ExploTypes[SparkKind];
    AddExplosion(g, SparkKind, static_cast<Single>((s.Right - s.Left) / 2 + s.Left - spark.Width / 2.0),
                 static_cast<Single>((s.Bottom - s.Top) / 2 + s.Top - spark.Height / 2.0), 0);

    Single d = HitDamage(g, s);
    e.Life = e.Life - d;
    // Hits on the heavy craft, the bonus craft, the pickup and kind 20 add nothing to the damage dealt.
    if (!(e.Kind >= KindHeavyFirst && e.Kind <= KindBossFirst)) g.Level.DamageDealt = g.Level.DamageDealt + d;
    if (e.Kind == KindBonusCraft) {
      // The refill is the shot's plain damage; the caps come later in the ship's life step.
      g.Ship.Life = g.Ship.Life + s.Damage;
      g.Ship.Charge = g.Ship.Charge + s.Damage;
    }

    if (e.Life <= 0) {
      if (!IsUncountedKind(e.Kind)) g.Level.KillCount = SatAdd(g.Level.KillCount, 1);
      e.Exists = false;
      Integer kind = static_cast<Integer>(std::floor(2 * g.Rnd()));
      const ExploTypeRec& t = g.Tables.ExploTypes[kind];
      AddExplosion(g, kind, static_cast<Single>((e.Right - e.Left) / 2 + e.Left - t.Width / 2.0),
                   static_cast<Single>((e.Bottom - e.Top) / 2 + e.Top - t.Height / 2.0), 0);
      PlaySoundIfOn(g, kind);  // Explo0 or Explo1
    }
  }
}
