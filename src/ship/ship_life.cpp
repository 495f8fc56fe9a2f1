// Life and charge upkeep: regeneration, the siphon, potions and resurrection, death.
#include "effects/explo_class.h"
#include "world/sound.h"
#include "world/game.h"
#include "ship/ship_class.h"

namespace {
constexpr Single NearDeath = 50;  // a quarter of full life

// The divisor of charge regeneration: smaller with the charge gems, and smaller still
// near death with the charge-near-death gem.
Single ChargeDivisor(const ShipClass& ship) {
  const bool nearDeath = ship.HasGem(GemChargeNearDeath) && ship.Life < NearDeath;
  const bool chargeUp = ship.HasGem(GemChargeUp), ultimate = ship.HasGem(GemUltimate);
  if (chargeUp && ultimate) return nearDeath ? 8 : 18;
  if (ultimate) return nearDeath ? 12 : 25;
  if (chargeUp) return nearDeath ? 18 : 33;
  return nearDeath ? 25 : 50;
}

void Die(Game& g, ShipClass& ship) {
  ship.Life = 0;
  g.Level.DeathTime = RoundToLong(g.Level.FrameClock);
  ChangeMusic(g, -500, "Death");
  PlaySoundIfOn(g, SoundExplo2);
  ship.Exists = false;
  if (g.CurrentLevel == ModeMiniGame) g.Level.MiniGameTime = RoundToLong(g.Level.FrameClock);
  g.Progress.Stats[StatDeaths] = SatAddLong(g.Progress.Stats[StatDeaths], 1);
  // The wreck bursts in 25 fireballs scattered around it, going off one after another.
  for (int i = 0; i < 25; ++i) {
    const Single r1 = g.Rnd();
    const Single r2 = g.Rnd();
    const Single r3 = g.Rnd();
    const auto kind = static_cast<Integer>(RoundHalfEven(2 * r1));
    const Single x = ship.Left + 80 * r2 - 45;
    const Single y = ship.Top + 80 * r3 - 40;
    AddExplosion(g, kind, x, y, static_cast<Integer>(RoundHalfEven(-0.7 * i)));
  }
}
}  // namespace

void ShipClass::ShipLife(Game& g) {
  if (HasGem(GemRegenNearDeath) && Life < NearDeath) {
    Life = Life + (Single(CurRegen) + g.Tables.RegenBase) / 50;
  } else if (Life < 200) {
    Life = Life + (Single(CurRegen) + g.Tables.RegenBase) / 100;
  }
  if (g.Level.ChargeOn[AbilitySiphoner]) Life = Life + 2;
  if (Life > 200) Life = 200;

  if (Life < 0) {
    auto& healthPotions = g.Progress.Potions[0];
    if (HasGem(GemAutoPotion) && healthPotions >= 1) {
      // The automatic potion is drunk first; it does not count as a potion used.
      healthPotions = static_cast<Integer>(healthPotions - 1);
      Life = 200;
    } else if (HasGem(GemResurrect) && !Resurected) {
      Resurected = true;
      Life = 200;
    } else {
      Die(g, *this);
    }
  }

  // Charge builds up only while neither ability key is held, even on the frame of death.
  if (!g.Keys[KeyZ] && !g.Keys[KeyV]) Charge = Charge + (Single(CurCharge) + g.Tables.ChargeBase) / ChargeDivisor(*this);
  if (Charge > 200) Charge = 200;
  if (Charge < 0) Charge = 0;
}
