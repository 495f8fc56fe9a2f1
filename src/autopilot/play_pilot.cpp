// The pilot in a level: a handful of ways to fly, each rehearsed on a copy of the game for
// the next three quarters of a second; the guns always firing, potions and abilities when
// they pay.
#include <algorithm>
#include <cmath>

#include "autopilot/pilots.h"
#include "enemies/data_tables.h"
#include "world/game.h"
#include "frame/frame.h"

namespace {

// The eight arrow combinations and "no arrow": index 0 is no key, then clockwise from up.
constexpr int DirectionCount = 9;
constexpr std::array<std::array<bool, 4>, DirectionCount> Arrows = {{
    // up, down, left, right
    {false, false, false, false},
    {true, false, false, false},
    {true, false, false, true},
    {false, false, false, true},
    {false, true, false, true},
    {false, true, false, false},
    {false, true, true, false},
    {false, false, true, false},
    {true, false, true, false},
}};


// Where the pilot likes to sit: low in the column, with room to see bullets coming. A try
// after a loss at the same level rests a little lower, then a little higher, so that the same
// ship does not fly the same losing try again.
constexpr std::array<float, 3> RestTops = {440, 500, 390};
// What a pixel off the target costs, against a point of life lost: a boss is only beaten
// under its nose, which is worth some risk.
constexpr float AimWorth = 0.12f;

template <size_t N>
void SetArrows(std::array<bool, N>& keys, int direction) {
  const auto& a = Arrows[size_t(direction)];
  keys[KeyUp] = a[0];
  keys[KeyDown] = a[1];
  keys[KeyLeft] = a[2];
  keys[KeyRight] = a[3];
}

float CentreX(float left, float right) { return (right - left) / 2 + left; }

// Holding both fire keys fires neither slot (unless the double shot is on), so the pilot
// presses the key of a slot that is ready, the one that waited longer first.
int FireKey(const Game& g) {
  const ShipClass& ship = g.Ship;
  auto waited = [&](Integer shot, Integer level, Long last) -> float {
    if (shot < 0 || shot >= ShotKinds || level < 0 || level >= ShotLevels) return -1;
    Single delay = g.Tables.ShotTypes[size_t(shot)][size_t(level)].FireDelay;
    if (ship.HasGem(GemShotRateUp)) delay = delay * 0.75f;
    const float over = g.Level.FrameClock - Single(last) - delay;
    return over > 0 ? over : -1;
  };
  const float one = waited(ship.CurShot1, ship.CurLevel1, ship.LastShot1);
  const float two = waited(ship.CurShot2, ship.CurLevel2, ship.LastShot2);
  if (two > one) return KeyC;
  return KeyX;
}

// Below this life the next hit may be the last: an enemy bullet costs more the later the level
// (up to 90 of the 200 in level 9 with the defence part at 5, the marathon's count as level 12),
// and a boss ram costs 50 a frame. The last boss's bullets cost 50 once the defence part is
// full, as it is by then: there a potion waits until a single hit would be the last, which
// spends less of the five the fight is won on. (The same rule lost the arena more often.) A
// person, who sees the bar a quarter of a second late, cannot time it so finely: against the
// last boss too they drink with two hits left.
float PotionLife(const Game& g, bool timesTheLastHit) {
  if (g.CurrentLevel == 10 && timesTheLastHit) return 60;
  return g.CurrentLevel >= 7 ? 100.f : 70.f;
}

// A person's fingers drum the two fire keys in turn, a few frames each, never both at once;
// with one gun fitted they hold its key.
constexpr int DrumFrames = 4;
int DrummedGunKey(const Game& g, long long beat) {
  const bool one = g.Ship.CurShot1 >= 0, two = g.Ship.CurShot2 >= 0;
  if (one && two) return (beat / DrumFrames) % 2 ? KeyC : KeyX;
  return two ? KeyC : KeyX;
}

// A potion when life runs low (health first; a person wearing the automatic potion leaves the
// health potions to it and drinks full potions).
template <size_t N>
void PotionKeys(const Game& g, std::array<bool, N>& keys, bool drinks, bool timesTheLastHit = true) {
  const auto& potions = g.Progress.Potions;
  if (drinks && g.Ship.Life < PotionLife(g, timesTheLastHit)) {
    if (potions[0] > 0 && !(!timesTheLastHit && g.Ship.HasGem(GemAutoPotion)))
      keys[KeyA] = true;
    else if (potions[2] > 0)
      keys[KeyD] = true;
  }
}

// The keys every frame gets: the ready gun (or the one gun a person holds), and a potion when
// life runs low.
template <size_t N>
void SoldierKeys(const Game& g, std::array<bool, N>& keys, bool drinks, int gunKey = 0) {
  keys[size_t(gunKey ? gunKey : FireKey(g))] = true;
  PotionKeys(g, keys, drinks);
}

}  // namespace

PlayPilot::PlayPilot(PilotLimits limits) : Limits(limits), Sim(std::make_unique<Game>()), PlanAge(limits.ChoiceEvery) {
  OwnDice.X = limits.DiceSeed & 0xFFFFFFu;
}
PlayPilot::~PlayPilot() = default;

void PlayPilot::NewLevel(int lossesHere, bool drinks) {
  Drinks = drinks;
  RestTop = RestTops[size_t(lossesHere) % RestTops.size()];
  Fresh = true;
  PlanAge = Limits.ChoiceEvery;
  Current = {};
  Boosting = Shielding = false;
  Chosen = {};
  HeldFor = {};
  Beat = 0;
}

// The heavy craft at the end of a rehearsal are followed four seconds further along their
// course, two frames a step; walking back from the last step, a grid cell (a ship position)
// is safe when it is clear of every craft and one step of the ship's flight (one cell, two
// pixels a frame along each axis, a little under its top speed) reaches a cell that was safe
// a step later.
void PlayPilot::FindSafeEnds(const Game& end) {
  constexpr int Steps = 120, FramesPerStep = 2;
  struct Craft {
    float Top, Bottom, Left, Right, Vx, Vy, Ax, Ay;
  };
  std::vector<Craft> crafts;
  const float m = end.Ship.HasGem(GemSmallCore) ? 18.f : 8.f;
  // The ram's reach less the ship's core margin, plus room to spare: more for a person, who
  // changes course only every quarter second.
  const float pad = 5 - m + (Limits.ReactsAtOnce ? 3.f : 8.f);
  if (!end.InMenu && !end.LevelOver && !end.Level.ChargeOn[AbilityRammer]) {
    for (const EnemyClass& e : end.Enemies) {
      if (!e.Exists || e.Kind < KindHeavyFirst || e.Kind > KindHeavyLast) continue;
      crafts.push_back({e.Top - pad, e.Bottom + pad, e.Left - pad, e.Right + pad,
                        e.Speed * float(std::cos(double(e.Heading))), e.Speed * float(std::sin(double(e.Heading))),
                        e.Accel * float(std::cos(double(e.AccelHeading))),
                        e.Accel * float(std::sin(double(e.AccelHeading)))});
    }
  }
  static const Row full = FullRow();
  if (crafts.empty()) {  // nothing to shut the ship in: everywhere is safe
    for (Row& row : SafeAtEnd) row = full;
    return;
  }
  const float w = end.Ship.Width, h = end.Ship.Height;
  auto freeCells = [&](Grid& free) {
    for (Row& row : free) row = full;
    for (const Craft& c : crafts) {
      // Ship positions (top-left) that overlap the craft: left in (L - w, R), top in (T - h, B).
      const int x0 = std::max(0, int(std::floor((c.Left - w - 100) / Cell)) + 1);
      const int x1 = std::min(Columns - 1, int(std::ceil((c.Right - 100) / Cell)) - 1);
      const int y0 = std::max(0, int(std::floor((c.Top - h) / Cell)) + 1);
      const int y1 = std::min(Rows - 1, int(std::ceil(c.Bottom / Cell)) - 1);
      if (x0 > x1 || y0 > y1) continue;
      Row mask{};
      for (int x = x0; x <= x1; ++x) mask[size_t(x / 64)] |= uint64_t(1) << (x % 64);
      for (int y = y0; y <= y1; ++y)
        for (size_t i = 0; i < mask.size(); ++i) free[size_t(y)][i] &= ~mask[i];
    }
  };
  auto advance = [&] {
    for (Craft& c : crafts)
      for (int f = 0; f < FramesPerStep; ++f) {
        c.Vx += c.Ax;
        c.Vy += c.Ay;
        c.Top += c.Vy;
        c.Bottom += c.Vy;
        c.Left += c.Vx;
        c.Right += c.Vx;
      }
  };
  // Free cells at every step, blocked also where the craft were a step earlier.
  Steps_.resize(Steps + 1);
  Grid before{}, now{};
  freeCells(before);
  Steps_[0] = before;
  for (int k = 1; k <= Steps; ++k) {
    advance();
    freeCells(now);
    for (int y = 0; y < Rows; ++y)
      for (size_t i = 0; i < before[0].size(); ++i)
        Steps_[size_t(k)][size_t(y)][i] = now[size_t(y)][i] & before[size_t(y)][i];
    before = now;
  }
  Grid safe = Steps_[Steps];
  for (int k = Steps - 1; k >= 0; --k) {
    Grid reach{};
    for (int y = 0; y < Rows; ++y) {
      Row r = safe[size_t(y)];
      for (int dy : {-1, 1})
        if (y + dy >= 0 && y + dy < Rows)
          for (size_t i = 0; i < r.size(); ++i) r[i] |= safe[size_t(y + dy)][i];
      Row spread = r;
      for (size_t i = 0; i < r.size(); ++i) {
        spread[i] |= r[i] << 1 | r[i] >> 1;
        if (i + 1 < r.size()) spread[i] |= r[i + 1] << 63;
        if (i > 0) spread[i] |= r[i - 1] >> 63;
      }
      for (size_t i = 0; i < r.size(); ++i) reach[size_t(y)][i] = spread[i] & full[i] & Steps_[size_t(k)][size_t(y)][i];
    }
    safe = reach;
  }
  SafeAtEnd = safe;
}

PlayPilot::Row PlayPilot::FullRow() {
  Row r{};
  for (int x = 0; x < Columns; ++x) r[size_t(x / 64)] |= uint64_t(1) << (x % 64);
  return r;
}

float PlayPilot::SafeRoom(float left, float top) const {
  const int x = std::clamp(int(std::lround((left - 100) / Cell)), 0, Columns - 1);
  const int y = std::clamp(int(std::lround(top / Cell)), 0, Rows - 1);
  if (!((SafeAtEnd[size_t(y)][size_t(x / 64)] >> (x % 64)) & 1)) return 0;
  // How much of the neighbourhood is safe too: a lane's middle beats its edge, and an open
  // field beats a corner.
  constexpr int ReachX = 8, ReachY = 4;
  int safe = 0;
  for (int yy = y - ReachY; yy <= y + ReachY; ++yy) {
    if (yy < 0 || yy >= Rows) continue;
    for (int xx = x - ReachX; xx <= x + ReachX; ++xx)
      if (xx >= 0 && xx < Columns) safe += int((SafeAtEnd[size_t(yy)][size_t(xx / 64)] >> (xx % 64)) & 1);
  }
  return float(safe) / float((2 * ReachX + 1) * (2 * ReachY + 1));
}

namespace {

// A boss of the late levels (7 to 10) or of the boss arena on the screen or entering it: its
// bullets hit hard enough that a hit foreseen is worth the shield's charge and a longer look
// ahead. A person, slow to react, looks further ahead at every boss.
bool BossNear(const Game& g, bool anyLevel = false) {
  const bool lateLevel = g.CurrentLevel >= 7 && g.CurrentLevel <= 10;
  if (!lateLevel && !g.Level.BossArena && !anyLevel) return false;
  for (const EnemyClass& e : g.Enemies)
    if (e.Exists && e.Kind >= KindBossFirst && e.Bottom > -50 && e.Top < 600) return true;
  return false;
}

}  // namespace

// Where to fly: under the nearest craft that can be shot down, bosses first; to the pickup
// when one is on the screen; to the middle when there is nothing to shoot.
float PlayPilot::TargetX(const Game& g) const {
  const ShipClass& ship = g.Ship;
  const float shipX = CentreX(ship.Left, ship.Right);
  float best = 1e9f, x = 400;
  for (const EnemyClass& e : g.Enemies) {
    if (!e.Exists || e.Bottom < 10 || e.Top > 600) continue;
    const float cx = CentreX(e.Left, e.Right);
    if (e.Kind == KindPickup) {
      if (e.Bottom > 60) return cx;
      continue;
    }
    if (e.Kind == KindHulk || e.Kind == KindTurret) continue;  // too tough to be worth the shots
    if (e.Bottom > ship.Top - 10) continue;      // below the guns
    float cost = std::fabs(cx - shipX) + 0.3f * std::max(0.f, ship.Top - e.Bottom);
    if (e.Kind >= KindBossFirst) cost -= 150;
    if (cost < best) {
      best = cost;
      x = cx;
    }
  }
  return x;
}

// Plays the copy of the game ahead with one way of flying, the guns firing and potions drunk
// as the pilot drinks them, and counts what it costs: life lost (a potion counts as most of a
// life bar, the loss of the ship as much more), the guns or the steering locked, and at the end
// how far the ship is from where it wants to be and whether the heavy craft will shut it in.
float PlayPilot::Rehearse(const Game& g, const Plan& plan, float targetX, bool findSafeEnds) {
  Game& sim = *Sim;
  sim = g;
  // A person can only guess at the dice: every way of flying is tried against the same guess.
  if (!Limits.SeesTheDice) sim.Rng.X = Imagined;
  sim.Draw = nullptr;
  FrameCommand held;
  held.Ticks = g.ClockLastTick;  // the play clock stands still in a rehearsal
  const auto potionsLeft = [](const Game& x) { return x.Progress.Potions[0] + x.Progress.Potions[2]; };
  float cost = 0, life = g.Ship.Life;
  int potions = potionsLeft(g);
  const int horizon = BossNear(g, !Limits.ReactsAtOnce) ? BossHorizon : Horizon;
  for (int k = 1; k <= horizon; ++k) {
    held.Keys.fill(false);
    SetArrows(held.Keys, k <= plan.Hold ? plan.Direction : 0);
    SoldierKeys(sim, held.Keys, Drinks, Limits.TapsBothGuns ? 0 : DrummedGunKey(sim, Beat + k));
    const Long noMove = sim.Ship.NoMove, noShoot = sim.Ship.NoShoot;
    RunFrame(sim, held);
    const float weight = 1.0f - 0.5f * float(k) / float(horizon);
    if (!sim.Ship.Exists) {
      cost += 5000 * weight;
      break;
    }
    if (sim.LevelOver || sim.InMenu) break;
    if (sim.Ship.Life < life) cost += (life - sim.Ship.Life) * weight;
    if (potionsLeft(sim) < potions) cost += 150 * weight;
    if (sim.Ship.NoMove > noMove) cost += 40 * weight;
    if (sim.Ship.NoShoot > noShoot) cost += 25 * weight;
    life = sim.Ship.Life;
    potions = potionsLeft(sim);
  }
  if (sim.Level.PickupTaken && !g.Level.PickupTaken) cost -= 50;
  if (findSafeEnds) FindSafeEnds(sim);
  const ShipClass& s = sim.Ship;
  if (s.Exists) {
    cost += std::fabs(CentreX(s.Left, s.Right) - targetX) * AimWorth + std::fabs(s.Top - RestTop) * 0.05f;
    // A way of flying that ends where the heavy craft will close in is a trap, however quiet
    // its first moments; one that ends at the edge of the way out is close to one.
    const float room = SafeRoom(s.Left, s.Top);
    cost += room == 0 ? 3000 : (1 - room) * 300;
  }
  return cost;
}

void PlayPilot::Decide(const Game& g, PilotInput& in) {
  const ShipClass& ship = g.Ship;
  // The flag of a won level stays up until the first frame of the next level has run, so
  // the pilot only fires in that frame.
  const bool human = !Limits.TapsBothGuns;
  if (Fresh) {
    Fresh = false;
    in.Keys[size_t(human ? DrummedGunKey(g, Beat++) : FireKey(g))] = true;
    if (human) HoldLongEnough(in.Keys);
    return;
  }
  // After a win the results wait for Escape; after a loss Escape leaves at once.
  if (g.LevelOver || !ship.Exists) {
    in.Keys[KeyEscape] = true;
    if (human) HoldLongEnough(in.Keys);
    return;
  }

  // A new choice every few frames, and (unless held to a person's pace) at once when the ship
  // has been hurt.
  const bool choose = PlanAge >= Limits.ChoiceEvery || (Limits.ReactsAtOnce && ship.Life < LastLife);
  if (choose && human) {
    OwnDice.Next();
    Imagined = OwnDice.X;
  }
  if (choose) {
    const float targetX = TargetX(g);
    // The plan of no steering goes first: its rehearsal also finds the safe places.
    std::vector<Plan> plans;
    const int horizon = BossNear(g, !Limits.ReactsAtOnce) ? BossHorizon : Horizon;
    for (int d = 0; d < DirectionCount; ++d) plans.push_back({d, horizon});
    for (int d = 1; d < DirectionCount; d += 2) plans.push_back({d, ShortHold});
    float best = 0;
    Plan chosen = plans[0];
    for (size_t i = 0; i < plans.size(); ++i) {
      float cost = Rehearse(g, plans[i], targetX, i == 0);
      // Keeping to the last choice is worth a little: it stops the ship from dithering.
      if (plans[i].Direction == Current.Direction && plans[i].Hold == Current.Hold) cost -= 1.0f;
      if (i == 0 || cost < best) {
        best = cost;
        chosen = plans[i];
      }
    }
    Current = chosen;
    BestCost = best;
    PlanAge = 0;
  }
  ++PlanAge;
  LastLife = ship.Life;

  std::array<bool, 256> keys{};
  SetArrows(keys, PlanAge <= Current.Hold ? Current.Direction : 0);
  if (human) {
    HumanKeys(g, keys, choose);
    HoldLongEnough(keys);
    in.Keys = keys;
    return;
  }
  SoldierKeys(g, keys, Drinks);
  in.Keys = keys;

  // Slot 1 holds an attack: used against a boss once the charge is full, until it runs low.
  if (ship.Special1 >= 0) {
    bool boss = false;
    for (const EnemyClass& e : g.Enemies) boss = boss || (e.Exists && e.Kind >= KindBossFirst);
    if (!boss || ship.Charge < 30) Boosting = false;
    if (boss && ship.Charge >= 190) Boosting = true;
    in.Keys[KeyZ] = Boosting;
  }
  // Slot 2 holds a shield: used when even the best way to fly runs into something that hurts.
  // The key is held only while the charge can pay for it: a held key stops the charge from
  // filling up. The shot eraser acts once per press, so it is let go after each use.
  if (ship.Special2 >= 0) {
    // Against a late boss a single hit is worth the charge.
    const Single threshold = g.Tables.ChargeCost[size_t(ship.Special2)] / Single(ship.CurReducer);
    const bool wanted = BestCost >= (BossNear(g) ? 60 : 150) && ship.Charge >= 40 && ship.Charge >= threshold;
    Shielding = wanted && !(ship.Special2 == AbilityShotEraser && Shielding);
    in.Keys[KeyV] = Shielding;
  }
}

// With a person's limits the potions and abilities are chosen with the way of flying and held
// until the next choice (a potion tapped, an ability held), while the fire keys are drummed.
void PlayPilot::HumanKeys(const Game& g, std::array<bool, 256>& keys, bool choose) {
  const ShipClass& ship = g.Ship;
  if (choose) {
    Chosen = {};
    PotionKeys(g, Chosen, Drinks, Limits.TimesTheLastHit);
    if (ship.Special1 >= 0) {
      bool boss = false;
      for (const EnemyClass& e : g.Enemies) boss = boss || (e.Exists && e.Kind >= KindBossFirst);
      if (!boss || ship.Charge < 30) Boosting = false;
      if (boss && ship.Charge >= 190) Boosting = true;
      Chosen[KeyZ] = Boosting;
    }
    if (ship.Special2 >= 0) {
      const Single threshold = g.Tables.ChargeCost[size_t(ship.Special2)] / Single(ship.CurReducer);
      Shielding = BestCost >= (BossNear(g, true) ? 60 : 150) && ship.Charge >= 40 && ship.Charge >= threshold;
      Chosen[KeyV] = Shielding;
    }
  }
  for (size_t k = 0; k < keys.size(); ++k) keys[k] = keys[k] || Chosen[k];
  keys[size_t(DrummedGunKey(g, Beat++))] = true;
  // A potion is a tap: once drunk, a key still held would drink the next one at the next hurt.
  for (int potion : {KeyA, KeyS, KeyD}) Chosen[size_t(potion)] = false;
}

// A key once pressed stays down for the least time a finger holds it.
void PlayPilot::HoldLongEnough(std::array<bool, 256>& keys) {
  for (size_t k = 0; k < keys.size(); ++k) {
    if (!keys[k] && HeldFor[k] > 0 && HeldFor[k] < Limits.LeastHold) keys[k] = true;
    HeldFor[k] = keys[k] ? HeldFor[k] + 1 : 0;
  }
}
