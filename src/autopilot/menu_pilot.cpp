// The pilot in the menu: the campaign's order, the shopping policy and the loadout, one
// click at a time (press on one frame, release on the next), each read back from the game
// before the next is chosen.
//
// The policy, fixed so that the same save gives the same campaign:
// - Shots: the SPEED SHOT (fast and straight, it rarely misses) and the POWER BEAM (the
//   starting shot, which fans out as it grows) are the pilot's guns.
// - Buying: the cheapest of these wishes is bought first (a gun's level and the DEFENCE part
//   weighed at a third of their price, a potion at 800), ties in this order: the DEFENCE part;
//   unlocking or levelling the SPEED SHOT; the SPEED part; the POWER BEAM; the REGEN part; a
//   health potion in stock once both guns are at level 6. The purse goes on the first wish in
//   that order it can pay for, so a gun level out of reach does not leave points lying idle
//   while cheaper parts wait. Once level 10 is open, five health potions come first and the
//   purse is saved for them: the last boss, the marathon and the arena are won on potions.
// - Abilities: slot 1 the best attack owned (ATTACK x2, then DOUBLE SHOT), slot 2 the best
//   shield owned (CLOAKER, DEFENCE x2, SHOT ERASER).
// - Gems: the first two owned of ULTIMATE, SMALL CORE, RESURECT, ATTACK +25%, DEFENCE +25%,
//   ACCEL RATE UP, DOUBLE EXPERIENCE, EXPERIENCE UP, AUTOMATIC POTION, NO INSTANT KILL.
// - Levels: the lowest open level not yet won; then the mini game once, the marathon and the
//   boss arena; then quit. A level already won is replayed once for its points (the one that
//   pays best, see PointsLevel) after a loss with nothing new bought since (the same ship would
//   mostly fly the same try again), after two losses in a row, and, from level 10 on, while
//   the five potions are not all in stock. Those potions are not drunk in such a replay, nor in
//   the mini game: a replay lost costs less than the potions.
//
// With a person's limits (--autopilot-human) it shops and earns as a person would:
// - A person cannot dodge by foresight, so the SPEED and REGEN parts, which let the ship
//   outrun a diving boss and outlast what it cannot dodge, weigh at a third of their price
//   like the DEFENCE part and the guns.
// - After every lost try it replays won levels until they have paid a set sum
//   (PointsBeforeRetry) before it tries the lost level again: a person who has just lost goes
//   and earns the next upgrades rather than flying the same ship into the same wall.
// - It earns where it pays: a level's first win counts beside its replays (a single unlucky
//   replay does not make it look worthless), and a level lost on its last try is given another
//   go once the ship has been upgraded since.
// - For a replay it wears the gems that pay: DOUBLE EXPERIENCE, SS RANKING, EXPERIENCE UP; else
//   the AUTOMATIC POTION comes before all but the strongest gems, for it drinks at the last
//   moment, which a person sees too late (and a person then drinks only full potions by hand).
// - For the last fights it stocks five full potions beside the five health potions: it sees a
//   hit coming too late to dodge what the standard pilot dodges, and drinks more.
#include <algorithm>
#include <initializer_list>

#include "autopilot/pilots.h"
#include "menus/menu_layout.h"
#include "world/game.h"

namespace {

constexpr int PartDefence = 0, PartSpeed = 1, PartRegen = 2;
constexpr int PotionPrice = int(PotionPrices[0]);  // a health potion
constexpr std::array<int, 2> Guns = {ShotSpeed, ShotPowerBeam};
constexpr std::array<int, 2> Attacks = {AbilityAttack2, AbilityDoubleShot};
constexpr std::array<int, 3> Shields = {AbilityCloaker, AbilityDefence2, AbilityShotEraser};
constexpr std::array<int, 10> GemWishes = {GemUltimate, GemSmallCore, GemResurrect, GemAttackUp, GemDefenceUp, GemAccelUp, GemDoublePoints, GemExperienceUp, GemAutoPotion, GemNoInstantKill};
// A person's: the same, then the gems that only pay or lighten the charge; for a replay those
// that pay come first.
constexpr std::array<int, 12> PersonGems = {GemUltimate, GemSmallCore, GemAutoPotion, GemResurrect, GemAttackUp, GemDefenceUp, GemAccelUp, GemDoublePoints, GemExperienceUp, GemNoInstantKill, GemSsRanking, GemReducerUp};
constexpr std::array<int, 3> PayingGems = {GemDoublePoints, GemSsRanking, GemExperienceUp};

// Where to click: a spot well inside each of the menu's areas.
struct Point {
  int X, Y;
};
constexpr Point Inside(const MenuArea& a, int dx, int dy) { return {a.Left + dx, a.Top + dy}; }
Point LevelButton(int index) { return Inside(LevelButtonArea(index), 70, 12); }
Point ShotEquipBand(int shot) { return Inside(ShotEquipArea(shot), 22, 6); }
Point ShotLevelBand(int shot) { return Inside(ShotLevelArea(shot), 22, 15); }
Point AbilityRow(int ability) { return Inside(AbilityArea(ability), 53, 12); }
Point GemCell(int gem) { return Inside(GemArea(gem), 16, 12); }
Point PartRow(int part) { return Inside(PartArea(part), 32, 17); }
Point PotionButton(int kind) { return Inside(PotionArea(kind), 39, 51); }
constexpr Point QuitButton = Inside(QuitButtonArea, 70, 23);

int ShotCost(int level) { return int(ShotLevelPrice(level)); }

// Two wanted things in two slots: returns the click that brings one more of them in, if any.
// `first` and `second` are the slots' contents; a left click fills the first, a right the second.
template <size_t N>
bool FillPair(int first, int second, const std::array<int, N>& wanted, int& pick, bool& right) {
  if (wanted.empty()) return false;
  const int a = wanted[0], b = wanted.size() > 1 ? wanted[1] : -1;
  auto have = [&](int x) { return x < 0 || first == x || second == x; };
  for (int want : {a, b}) {
    if (have(want)) continue;
    // Into a slot that holds neither wanted thing.
    const bool firstFree = first != a && first != b;
    pick = want;
    right = !firstFree;
    return true;
  }
  return false;
}

// Where points are earned: of the levels won, passing over one lost on its last try, the one
// whose replays (lost ones too) paid the most points a frame, less the potions they cost. A
// level not yet replayed is reckoned at a third of what its first win paid (which includes the
// goals' rewards a replay never pays), or at nothing when it was won before this run; the
// higher level wins a tie. A person also counts that third of the first win beside the
// replays, and goes back to a level lost on its last try once the ship has been upgraded.
int PointsLevel(const Game& g, const std::vector<PilotAttempt>& log, int next, bool person) {
  int best = 0;
  double bestRate = -1;
  for (int level = 10; level >= 1; --level) {
    if (!LevelWon(g, level) || level == next) continue;
    bool lostLast = false;
    const PilotAttempt* firstWin = nullptr;
    long long points = 0, frames = 0;
    for (const PilotAttempt& a : log) {
      if (a.Level != level) continue;
      lostLast = !a.Won && !(person && ShipUpgrades(g) > a.Upgrades);
      if (firstWin) {  // a replay, won or lost
        points += a.PointsWon - long(PotionPrice) * a.PotionsUsed;
        frames += a.Frames;
      }
      if (a.Won && !firstWin) firstWin = &a;
    }
    if (lostLast) continue;
    double rate = 0;
    const double firstThird = firstWin ? double(firstWin->PointsWon - long(PotionPrice) * firstWin->PotionsUsed) / 3 : 0;
    if (person && firstWin && firstWin->Frames + frames > 0)
      rate = (double(points) + firstThird) / double(firstWin->Frames + frames);
    else if (frames > 0)
      rate = double(points) / double(frames);
    else if (firstWin && firstWin->Frames > 0)
      rate = firstThird / double(firstWin->Frames);
    if (rate > bestRate) {
      best = level;
      bestRate = rate;
    }
  }
  return best;
}

}  // namespace

bool LevelWon(const Game& g, int level) {
  const auto& p = g.Progress;
  if (level < 10) return p.LevelOpen[size_t(level)];
  return p.GoalDone[9][0];
}

bool LastFightsOpen(const Game& g) { return g.Progress.LevelOpen[9]; }

int ShipUpgrades(const Game& g) {
  int sum = 0;
  for (auto level : g.Progress.PartLevel) sum += level;
  for (auto level : g.Progress.ShotLevel) sum += std::max(0, int(level));
  return sum;
}

namespace {

// The potions stocked for the last fights: five health potions, and for a person five full
// potions as well.
bool ShortOfPotions(const Game& g, bool person) {
  const auto& potions = g.Progress.Potions;
  return potions[0] < MaxPotions || (person && potions[2] < MaxPotions);
}

}  // namespace

int NextCampaignLevel(const Game& g, const std::vector<PilotAttempt>& log, bool miniGamePlayed, bool boughtSinceLoss,
                      const PilotLimits& limits) {
  const int pointsBeforeRetry = limits.PointsBeforeRetry;
  const auto& p = g.Progress;
  int next = 0;
  for (int level = 1; level <= 10 && next == 0; ++level)
    if (p.LevelOpen[size_t(level - 1)] && !LevelWon(g, level)) next = level;
  // A mode's button is its level number less one; the marathon wins shot 19, the arena shot 18.
  if (next == 0 && p.LevelOpen[ModeMiniGame - 1] && !miniGamePlayed) next = ModeMiniGame;
  if (next == 0 && p.LevelOpen[ModeMarathon - 1] && p.ShotLevel[ShotPurePower] < 0) next = ModeMarathon;
  if (next == 0 && p.LevelOpen[ModeBossArena - 1] && p.ShotLevel[ShotCorrupter] < 0) next = ModeBossArena;
  if (next == 0 || next == ModeMiniGame) return next;
  // Two losses in a row at the same place, or a loss after which nothing new could be bought
  // (the same ship would mostly fly the same try again): earn points first. So too before the
  // last fights while the five potions they are won on are not all in stock.
  const size_t n = log.size();
  const bool lostJustNow = n >= 1 && log[n - 1].Level == next && !log[n - 1].Won;
  const bool lostTwice = lostJustNow && n >= 2 && log[n - 2].Level == next && !log[n - 2].Won;
  const bool shortOfPotions = next >= 10 && ShortOfPotions(g, limits.ShopsAsAPerson);
  // A person's policy: after a loss here, what the replays since have paid.
  bool earning = false;
  if (pointsBeforeRetry > 0) {
    long since = 0;
    for (size_t i = n; i-- > 0;) {
      if (log[i].Level == next) {
        earning = !log[i].Won && since < pointsBeforeRetry;
        break;
      }
      since += log[i].PointsWon;
    }
  }
  if ((lostJustNow && !boughtSinceLoss) || lostTwice || shortOfPotions || earning) {
    const int grind = PointsLevel(g, log, next, limits.ShopsAsAPerson);
    if (grind > 0) return grind;
  }
  return next;
}

MenuPilot::Click MenuPilot::NextClick(const Game& g, const std::vector<PilotAttempt>& log) {
  const ShipClass& ship = g.Ship;
  const auto& p = g.Progress;
  auto click = [](Point at, bool right = false) { return Click{at.X, at.Y, right, true}; };

  // Shopping: the cheapest affordable wish.
  struct Wish {
    int Cost;
    Point At;
    int Rank;  // the price as the policy weighs it
  };
  std::vector<Wish> wishes;
  if (ShoppingDone) return StartNext(g, log);
  auto part = [&](int which) {
    const int cost = int(PartPrice(p.PartLevel[size_t(which)]));
    // The defence part counts at a third of its price, like a gun: the later levels' bullets
    // hit as hard as the level's number, divided by the defence. So do all parts for a person.
    const int rank = which == PartDefence || Limits.ShopsAsAPerson ? cost / 3 : cost;
    if (p.PartLevel[size_t(which)] < 10) wishes.push_back({cost, PartRow(which), rank});
  };
  // A gun's level counts at a third of its price: the guns decide how long a boss lasts.
  auto gun = [&](int shot) {
    const int level = p.ShotLevel[size_t(shot)];
    if (level < 0 && shot == ShotSpeed) wishes.push_back({int(ShotUnlockPrice), ShotLevelBand(shot), 100});
    if (level >= 0 && level < 9) wishes.push_back({ShotCost(level), ShotLevelBand(shot), ShotCost(level) / 3});
  };
  part(PartDefence);
  gun(ShotSpeed);
  part(PartSpeed);
  gun(ShotPowerBeam);
  part(PartRegen);
  // From level 10 on, the fights are won on potions: five in stock come before anything else,
  // and the purse is saved for them.
  const bool stocking = LastFightsOpen(g) && ShortOfPotions(g, Limits.ShopsAsAPerson);
  if (stocking && p.Potions[0] < MaxPotions) {
    if (p.Points >= PotionPrice) return click(PotionButton(0));
  } else if (stocking && p.Points >= PotionPrices[2]) {
    return click(PotionButton(2));
  }
  // A health potion in stock once both guns are at 5; a person, who cannot dodge a late boss
  // as the standard pilot does, keeps five once both guns are at 8.
  const bool lateGuns = p.ShotLevel[ShotSpeed] >= 8 && p.ShotLevel[ShotPowerBeam] >= 8;
  if (p.ShotLevel[ShotSpeed] >= 5 && p.ShotLevel[ShotPowerBeam] >= 5 &&
      p.Potions[0] < (Limits.ShopsAsAPerson && lateGuns ? MaxPotions : 1))
    wishes.push_back({PotionPrice, PotionButton(0), 800});
  std::stable_sort(wishes.begin(), wishes.end(), [](const Wish& a, const Wish& b) { return a.Rank < b.Rank; });
  for (const Wish& w : wishes)
    if (!stocking && p.Points >= w.Cost) return click(w.At);

  // The loadout.
  std::array<int, 2> guns{};
  int owned = 0;
  for (int shot : Guns)
    if (p.ShotLevel[size_t(shot)] >= 0 && owned < 2) guns[size_t(owned++)] = shot;
  if (owned == 1) guns[1] = -1;
  int pick = -1;
  bool right = false;
  if (owned > 0 && FillPair(ship.CurShot1, ship.CurShot2, guns, pick, right)) return click(ShotEquipBand(pick), right);
  for (int a : Attacks)
    if (p.ChargeOwned[size_t(a)]) {
      if (ship.Special1 != a) return click(AbilityRow(a));
      break;
    }
  for (int a : Shields)
    if (p.ChargeOwned[size_t(a)]) {
      if (ship.Special2 != a) return click(AbilityRow(a), true);
      break;
    }
  std::array<int, 2> gems{-1, -1};
  int gemCount = 0;
  auto wear = [&](int gem) {
    if (p.GemOwned[size_t(gem)] && gemCount < 2 && gems[0] != gem) gems[size_t(gemCount++)] = gem;
  };
  if (Limits.ShopsAsAPerson) {
    const int next = NextCampaignLevel(g, log, MiniGamePlayed, g.Progress.Points < ArrivalPoints, Limits);
    const bool replay = next >= 1 && next <= 10 && LevelWon(g, next);
    if (replay)
      for (int gem : PayingGems) wear(gem);
    // The automatic potion drinks at the last moment, which a person cannot time; but not where
    // potions are kept (a replay, the mini game, which always ends in the ship's loss).
    for (int gem : PersonGems)
      if (gem != GemAutoPotion || !(replay || next == ModeMiniGame)) wear(gem);
  } else {
    for (int gem : GemWishes) wear(gem);
  }
  if (gemCount > 0 && FillPair(ship.GemType1, ship.GemType2, gems, pick, right)) return click(GemCell(pick), right);

  return StartNext(g, log);
}

// Off to the next level, or home when the campaign is over.
MenuPilot::Click MenuPilot::StartNext(const Game& g, const std::vector<PilotAttempt>& log) {
  auto click = [](Point at) { return Click{at.X, at.Y, false, true}; };
  const int level = NextCampaignLevel(g, log, MiniGamePlayed, g.Progress.Points < ArrivalPoints, Limits);
  if (level == 0) return click(QuitButton);
  if (level == ModeMiniGame) MiniGamePlayed = true;
  return click(LevelButton(level - 1));
}

void MenuPilot::Decide(const Game& g, PilotInput& in, const std::vector<PilotAttempt>& log) {
  if (!Arrived) {
    Arrived = true;
    ArrivalPoints = g.Progress.Points;
  }
  if (Step == 1) {  // let go, so that the next press is a new click
    Step = 0;
    return;
  }
  Click c = NextClick(g, log);
  // A click that changes nothing (the game refused it) is not tried for ever.
  Repeats = (c.X == Last.X && c.Y == Last.Y && c.Right == Last.Right) ? Repeats + 1 : 0;
  Last = c;
  if (Repeats > 4) ShoppingDone = true;
  if (!c.Valid) return;
  in.Dx = c.X - g.MouseX;
  in.Dy = c.Y - g.MouseY;
  in.Left = !c.Right;
  in.Right = c.Right;
  Step = 1;
}
