// The enemy and enemy-shot steps of a play frame: ramming, enemy fire hitting the ship, the shot eraser.
#include <cmath>

#include "effects/explo_class.h"
#include "core/geometry.h"
#include "enemies/enemy_class.h"
#include "enemies/enemy_rules.h"
#include "world/sound.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

constexpr Single RamDamageToShip = 50;
constexpr Single HeavyRamLifeLoss = 250;
constexpr Single HeavyRamDamageTaken = 200;
constexpr Single RammerDamage = 20;
// From this clock on in level 5 the craft no longer take ramming damage.
constexpr Single Level5RamImmuneAfter = 6400;

// An explosion of kind 0 or 1 (chosen by chance) centred on the enemy.
void ExplodeEnemy(Game& g, const EnemyClass& e) {
  Integer kind = static_cast<Integer>(std::floor(2 * g.Rnd()));
  const ExploTypeRec& t = g.Tables.ExploTypes[kind];
  double x = (e.Right - e.Left) / 2 + e.Left - t.Width / 2.0;
  double y = (e.Bottom - e.Top) / 2 + e.Top - t.Height / 2.0;
  AddExplosion(g, kind, static_cast<Single>(x), static_cast<Single>(y), 0);
}

}  // namespace

void RamEnemy(Game& g, EnemyClass& e) {
  ShipClass& ship = g.Ship;
  if (!g.Level.ChargeOn[AbilityRammer]) {
    if (IsHeavyKind(e.Kind)) {
      ship.Life = ship.Life - HeavyRamLifeLoss;
      g.Level.DamageTaken = g.Level.DamageTaken + HeavyRamDamageTaken;
    } else if (e.Kind == KindPickup) {
      e.Exists = false;
      g.Level.PickupTaken = true;
      PlaySoundIfOn(g, SoundCollect);
    } else {
      g.Level.DamageTaken = g.Level.DamageTaken + RamDamageToShip;
      ship.Life = ship.Life - RamDamageToShip;
      PlaySoundIfOn(g, SoundHitEnemy);
    }
  } else {
    // The rammer's spikes: the ship takes nothing and the craft takes 20 a frame (the pickup too;
    // it is not collected).
    if (!(g.CurrentLevel == 5 && g.Level.FrameClock > Level5RamImmuneAfter)) e.Life = e.Life - RammerDamage;
    g.Level.DamageDealt = g.Level.DamageDealt + RammerDamage;
    if (e.Life <= 0) {
      g.Level.KillCount = SatAdd(g.Level.KillCount, 1);
      e.Exists = false;
      ExplodeEnemy(g, e);
    }
  }

  // Knock-back: the ship is thrown straight away from the craft, as fast as four times its speed.
  if (e.Kind == KindPickup) return;
  Single ex = (e.Right - e.Left) / 2 + e.Left;
  Single ey = (e.Bottom - e.Top) / 2 + e.Top;
  Single sx = (ship.Right - ship.Left) / 2 + ship.Left;
  Single sy = (ship.Bottom - ship.Top) / 2 + ship.Top;
  ship.Heading = HeadingTo(ey, sy, ex, sx);
  ship.Speed = e.Speed * 4;
}

void StepEnemies(Game& g) {
  for (EnemyClass& e : g.Enemies) {
    if (!e.Exists) continue;
    // The ceasefire counter runs down; below zero only its sign matters, so it rests at -1
    // instead of running out of its range on a long-lived craft.
    if (e.FreezeTime > -1) e.FreezeTime = static_cast<Integer>(e.FreezeTime - 1);

    // Ramming: the craft's rectangle grown by 5 on every side against the ship's own test.
    bool touching = g.Ship.CollideWithRect(RoundToInteger(e.Top - 5), RoundToInteger(e.Bottom + 5),
                                           RoundToInteger(e.Left - 5), RoundToInteger(e.Right + 5));
    if (touching && g.Ship.Exists && !g.Level.ChargeOn[AbilityCloaker]) RamEnemy(g, e);

    // A craft that was destroyed or collected just now is still drawn, moved and may fire once more.
    e.DrawEnemy(g);
    e.Hurt = false;
    e.EnemyMove(g);
    if (e.FreezeTime < 0) e.EnemyShoot(g);
  }
}

Integer EnemyFireLevelFactor(const Game& g) {
  if (g.CurrentLevel == ModeMiniGame) return 3;                  // the mini game
  if (g.CurrentLevel == ModeBossArena) return g.Ship.CurDefence;  // the boss arena: only doublings and gems count
  return g.CurrentLevel;
}

void EShotHitsShip(Game& g, EShotsClass& shot, Integer levelFactor) {
  ShipClass& ship = g.Ship;
  PlaySoundIfOn(g, SoundShiphit);
  // The hit flash: the ship's white silhouette, columns 405..450 of the ship sheet.
  Blit(g, SheetShips, true, RoundToLong(ship.Top), RoundToLong(ship.Bottom), RoundToLong(ship.Left),
       RoundToLong(ship.Right), ship.SrcRectTop, ship.SrcRectBottom, 405, 450);
  // Defence levels run 1..10; a ship without one is treated as level 1 rather than dividing by zero.
  Single defence = ship.CurDefence >= 1 ? Single(ship.CurDefence) : 1.0f;
  switch (shot.Kind) {
    case 0: {
      Single d = defence;
      if (g.Level.ChargeOn[AbilityDefence2]) d = 2 * d;
      if (ship.HasGem(GemDefenceUp)) d = 1.5f * d;
      if (ship.HasGem(GemUltimate)) d = 2 * d;
      Single loss = Single(levelFactor) * g.Tables.EShotTypes[0].Damage / d;
      ship.Life = ship.Life - loss;
      g.Level.DamageTaken = g.Level.DamageTaken + loss;
      break;
    }
    case 1:
      // Instant kill; the ship's life step decides on a potion, resurrection or the end.
      ship.Life = -10;
      break;
    case 2:
      // Drains charge, softened by the defence level alone.
      ship.Charge = ship.Charge - Single(levelFactor) * g.Tables.EShotTypes[2].Damage / defence;
      break;
    case 3:
      ship.NoMove = 40;
      break;
    case 4:
      ship.NoShoot = 100;
      break;
    default:
      break;
  }
  ship.Speed = ship.Speed / 4;
  shot.Exists = false;
}

void StepEnemyShots(Game& g) {
  Integer levelFactor = EnemyFireLevelFactor(g);
  for (EShotsClass& shot : g.EShots) {
    if (shot.Exists) {
      if (g.Ship.Exists && !g.Level.ChargeOn[AbilityCloaker] &&
          g.Ship.CollideWithRect(RoundToInteger(shot.Top), RoundToInteger(shot.Bottom), RoundToInteger(shot.Left),
                                 RoundToInteger(shot.Right)))
        EShotHitsShip(g, shot, levelFactor);
      // A shot that has just hit is still drawn where it struck.
      shot.Limit();
      shot.DrawEshot(g);
      shot.EshotMove(g);
    }
    // The shot eraser clears every slot.
    if (g.Level.ChargeOn[AbilityShotEraser]) shot.Exists = false;
  }
}
