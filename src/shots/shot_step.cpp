// Firing the two shot slots and the per-kind behaviours of the player's shots.
#include <cmath>

#include "core/geometry.h"
#include "world/sound.h"
#include "world/game.h"
#include "shots/shot_class.h"

namespace {

// The catalogue entry of a slot, or nothing when the slot holds no usable shot. A kind or
// level outside the catalogue (which no sound loadout holds) fires nothing.
const ShotTypeRec* SlotEntry(const Game& g, Integer kind, Integer level) {
  if (kind < 0 || kind >= ShotKinds || level < 0 || level >= ShotLevels) return nullptr;
  return &g.Tables.ShotTypes[kind][level];
}

// One firing of a slot: every sub-shot of the entry takes the lowest free slot, launched
// from the ship's nose at its offset from the centre line. A full pool drops the rest.
void FireSlot(Game& g, Integer kind, Integer level, Long& lastShot) {
  // The delay starts again even when the pool has no room for a single sub-shot.
  lastShot = RoundToLong(g.Level.FrameClock);
  const ShotTypeRec& t = g.Tables.ShotTypes[kind][level];
  const ShipClass& ship = g.Ship;
  int count = t.Count;
  if (count > int(t.SubShots.size())) count = int(t.SubShots.size());
  for (int j = 0; j < count; ++j) {
    int slot = FirstFreeSlot(g.Shots);
    if (slot < 0) continue;
    const SubShotRec& sub = t.SubShots[j];
    Single left = (ship.Right - ship.Left) / 2 + ship.Left - Single(t.Width) / 2 + sub.XOffset;
    ShotClass& s = g.Shots[slot];
    s.Shoot(RoundToInteger(ship.Top), RoundToInteger(left), sub.Speed, t.Damage, t.Width, t.Height, sub.Heading,
            t.Frames, t.SrcTop, static_cast<Integer>(t.SrcTop + t.Height), sub.AccelRate, sub.AccelHeading,
            t.SrcLeft, kind, level);
    if (kind == ShotMultipleMissiles) {
      // Missiles leave the launcher anywhere from 25 pixels left to 24 right.
      s.Left += std::floor(50 * g.Rnd()) - 25;
    } else if (kind == ShotStickSpread) {
      // Sticks scatter from 10 degrees left to 9 right of their heading.
      s.Heading += DegToRad(std::floor(20 * g.Rnd()) - 10);
    }
  }
}

// A phazon wave heading exactly straight up may split off a smaller piece that flies away
// in a scattered direction. The test is an exact one on single-precision headings: the
// wave is fired at 270 degrees; each move recomputes the heading from the velocity, which
// gives -90 degrees after the first move and exactly 270 again after the second (the
// single-precision -90 has a slightly negative cosine), and so on. So the wave has its
// chance on its firing frame and on every second frame after it. The chance is drawn
// every frame, split or not; the pieces, flying off at whole-number headings, never split.
void PhazonWave(Game& g, ShotClass& s) {
  Single n = std::floor(s.AccelHeading);  // the kind keeps its split chance here, 1 in N
  Single r = g.Rnd();
  if (!(std::floor(r * n) == 1 && s.Heading == DegToRad(270))) return;
  int slot = FirstFreeSlot(g.Shots);
  if (slot < 0) return;
  Single w = std::floor(360 * g.Rnd());  // a whole number, taken as radians
  g.Shots[slot].Shoot(RoundToInteger(s.Top), RoundToInteger(s.Left), s.Speed, s.Damage / 2, s.Width,
                      RoundToInteger(double(s.Height) / 2), w, s.Frames, static_cast<Integer>(s.SrcTop + 5),
                      static_cast<Integer>(s.SrcBottom - 5), s.AccelRate, s.AccelHeading, s.SrcLeft, s.Kind,
                      s.Level);
}

// What each kind does of its own, before it hits, is drawn and moves.
void KindBehaviour(Game& g, ShotClass& s) {
  switch (s.Kind) {
    case 1:  // BOOMERANG SHOT
      s.ShotReturn(g);
      break;
    case 13:  // X FOLLOWER: rides the ship's centre line
      s.Left = g.Ship.Left + g.Ship.Width / 2 - Single(s.Width) / 2;
      break;
    case 14:  // PLASMA BLADE: its downward push slows it to a crawl but never stops it
      if (s.Speed < 1) s.Speed = 1;
      break;
    case 15:  // CRESCENT BLADE: brakes after 12 frames, then shrinks away to nothing
      s.Dist += 1;
      if (s.Dist >= 12) s.Speed -= 3;
      if (s.Speed < 0) {
        s.Left += 6;
        s.Width = static_cast<Integer>(s.Width - 10);
        s.SrcLeft = 15;
        s.SrcRight = 20;
      }
      if (s.Width < 0) s.Exists = false;
      break;
    case 17:  // PHAZON WAVE
      PhazonWave(g, s);
      break;
    default:
      break;
  }
}

}  // namespace

void StepShots(Game& g) {
  ShipClass& ship = g.Ship;
  const bool gem7 = ship.HasGem(GemShotRateUp);
  const ShotTypeRec* entry1 = SlotEntry(g, ship.CurShot1, ship.CurLevel1);
  const ShotTypeRec* entry2 = SlotEntry(g, ship.CurShot2, ship.CurLevel2);
  Single d1 = 0, d2 = 0;
  if (entry1) d1 = gem7 ? entry1->FireDelay * 0.75f : entry1->FireDelay;
  if (entry2) d2 = gem7 ? entry2->FireDelay * 0.75f : entry2->FireDelay;

  // The double shot holds both fire keys down until the next keyboard poll. It writes the key
  // table rather than a flag because the rule below (both keys held fires neither slot, unless
  // the double shot is on) reads the keys; the frame's next keyboard poll puts them back.
  const bool doubleShot = g.Level.ChargeOn[AbilityDoubleShot];
  if (doubleShot) {
    g.Keys[KeyX] = true;
    g.Keys[KeyC] = true;
  }

  if (ship.NoShoot < 0 && ship.Exists) {
    // Without the double shot, holding both keys fires neither slot.
    bool fired = false;
    if (g.Keys[KeyX] && entry1 && (doubleShot || !g.Keys[KeyC]) &&
        g.Level.FrameClock - Single(ship.LastShot1) > d1) {
      FireSlot(g, ship.CurShot1, ship.CurLevel1, ship.LastShot1);
      fired = true;
    }
    if (g.Keys[KeyC] && entry2 && (doubleShot || !g.Keys[KeyX]) &&
        g.Level.FrameClock - Single(ship.LastShot2) > d2) {
      FireSlot(g, ship.CurShot2, ship.CurLevel2, ship.LastShot2);
      fired = true;
    }
    // One report of the guns for the frame, however many slots fired.
    if (fired) PlaySoundIfOn(g, SoundFire);
  }

  // Every shot, in slot order, including those just fired and pieces split off this frame
  // into higher slots. A shot that ends its flight part-way still finishes its frame.
  for (int i = 0; i < ShotCount; ++i) {
    ShotClass& s = g.Shots[i];
    if (!s.Exists) continue;
    KindBehaviour(g, s);
    ShotHitsEnemies(g, s);
    s.DrawShot(g);
    s.MoveShot(g);
  }
}
