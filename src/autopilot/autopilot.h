// The built-in pilot: a player made of code. Before every frame it looks at the game as the
// last frame left it (what is on the screen) and answers with the keys it holds and what it
// does with the mouse, exactly like a player at the keyboard; it never writes to the game.
//
// In a level it steers, fires, drinks potions and uses its charge abilities. To steer it
// plays a copy of the game up to one second ahead, on a silent platform, to see where every
// craft and bullet will be, then tries a handful of ways to fly against that forecast and
// takes the safest one that keeps its guns under a target.
//
// In the menu it plays the campaign by a fixed policy (see menu_pilot.cpp): it spends the
// purse, equips its best shots, abilities and gems, and starts the lowest open level it has
// not won, then the mini game once, the marathon and the boss arena; once all of them are won
// it quits, which saves.
//
// Everything it decides is a function of the game state and its own memory, so the same save
// gives the same run; its only tie-breaking randomness is its own generator, never the game's.
//
// With a person's limits (--autopilot-human) it plays the same way, but as a person at the
// keyboard could: its rehearsals imagine the game's dice with a generator of its own, so it
// cannot foresee where the next random volley will go; it makes up its mind at most every
// quarter of a second, even when hit; a key it presses stays down at least four frames; and it
// drums the two fire keys in turn at a steady beat instead of pressing whichever gun is ready.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Game;

// What the pilot does in one frame.
struct PilotInput {
  std::array<bool, 256> Keys{};  // by scan code
  int Dx = 0, Dy = 0;            // relative mouse motion
  bool Left = false, Right = false;
};

// One level or mode the pilot played, for the campaign report.
struct PilotAttempt {
  int Level = 0;  // 1..10 the levels, 11 the mini game, 12 the marathon, 13 the boss arena
  long long FirstFrame = 0, Frames = 0;
  bool Won = false;
  float DamageTaken = 0;
  int PotionsUsed = 0;
  std::string Grade;  // levels 1 to 10 when won
  long PointsWon = 0;
  bool BossReached = false;  // the level's boss came (a lost try: whether the boss won it)
  int Upgrades = 0;          // the ship's part and shot levels added up, as it set off
};

// How the pilot is held back from playing as no person can.
struct PilotLimits {
  bool SeesTheDice = true;   // rehearsals draw the game's own future random numbers
  int ChoiceEvery = 4;       // frames between two choices of how to fly
  bool ReactsAtOnce = true;  // a hit brings the next choice forward
  int LeastHold = 1;         // frames a pressed key stays down, at least
  bool TapsBothGuns = true;  // fires whichever slot is ready, frame by frame (else: a steady drum)
  uint32_t DiceSeed = 0x5A17C3;  // where its own imagined dice start
  // Against the last boss a potion waits until a single hit would be the last (else: drunk with
  // two hits left, as in levels 7 to 9).
  bool TimesTheLastHit = true;
  // Shops and earns as a person who cannot dodge by foresight (see menu_pilot.cpp): the ship's
  // speed and regeneration bought as readily as its guns, full potions stocked beside the
  // health potions for the last fights, the points gems worn for a replay, and levels lost
  // once given another go for points after an upgrade.
  bool ShopsAsAPerson = false;
  // After a lost try, the points earned on won levels before it is tried again (0: the
  // standard pilot's rule, see menu_pilot.cpp).
  int PointsBeforeRetry = 0;
  // A person's limits: about a quarter of a second to see and decide, and fingers that press a
  // key for a few frames at least.
  static PilotLimits Human() {
    PilotLimits l;
    l.SeesTheDice = false;
    l.ChoiceEvery = 15;
    l.ReactsAtOnce = false;
    l.LeastHold = 4;
    l.TapsBothGuns = false;
    l.TimesTheLastHit = false;
    l.ShopsAsAPerson = true;
    l.PointsBeforeRetry = 1500;
    return l;
  }
};

class PlayPilot;
class MenuPilot;

class Autopilot {
 public:
  explicit Autopilot(PilotLimits limits = {});
  ~Autopilot();
  Autopilot(const Autopilot&) = delete;
  Autopilot& operator=(const Autopilot&) = delete;

  // The input for the frame about to run; g is the game as the previous frame left it.
  PilotInput Decide(const Game& g);

  // Every level and mode of the campaign is won.
  bool CampaignDone(const Game& g) const;
  const std::vector<PilotAttempt>& Attempts() const { return Log; }
  // The attempts as a Markdown table: mode, tries, tries up to the first win, frames, damage
  // taken, grade, points won.
  std::string CampaignTable() const;

 private:
  std::unique_ptr<PlayPilot> Play;
  std::unique_ptr<MenuPilot> Menu;
  std::vector<PilotAttempt> Log;
  bool WasInMenu = true;
  long PointsBefore = 0;
  bool WonBefore = false;  // the level being played was won before this try
  long long Frame = 0;
  void NoteLevelEnd(const Game& g);
};
