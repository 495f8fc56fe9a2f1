// The two halves of the autopilot: one flies a level, one runs the menu.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "autopilot/autopilot.h"
#include "core/types.h"

class PlayPilot {
 public:
  explicit PlayPilot(PilotLimits limits = {});
  ~PlayPilot();
  // lossesHere: the tries lost at this level so far; drinks: potions may be drunk.
  void NewLevel(int lossesHere, bool drinks);
  void Decide(const Game& g, PilotInput& in);

 private:
  static constexpr int Horizon = 45;    // frames rehearsed: three quarters of a second
  static constexpr int BossHorizon = 60;  // against a late level's boss: a whole second
  static constexpr int ShortHold = 12;  // a short push, then the ship coasts
  struct Plan {
    int Direction = 0;  // 0 no arrow, then clockwise from up
    int Hold = 0;       // frames the arrows are held
  };
  PilotLimits Limits;
  std::unique_ptr<Game> Sim;  // the copy played ahead, drawing nothing
  Plan Current;
  int PlanAge = 0;
  float BestCost = 0;
  float RestTop = 440;  // the height the ship likes to end its plans at
  bool Drinks = true;   // potions may be drunk in this level
  float LastLife = 0;
  bool Fresh = true;       // the level's first frame is still to run
  bool Boosting = false;   // slot-1 ability held
  bool Shielding = false;  // slot-2 ability held

  // With a person's limits: the dice it imagines, the keys its hands hold between two choices
  // (arrows aside) and how long each key has been down.
  RandomGenerator OwnDice;
  uint32_t Imagined = 0;  // where this choice's rehearsals start the imagined dice
  std::array<bool, 256> Chosen{};
  std::array<int, 256> HeldFor{};
  long long Beat = 0;  // frames of the level flown, for the drumming of the fire keys
  void HumanKeys(const Game& g, std::array<bool, 256>& keys, bool choose);
  void HoldLongEnough(std::array<bool, 256>& keys);

  // Beyond the rehearsal: where the ship can still be at its end and outlive the heavy craft
  // for a few seconds more, on a grid of ship positions (bit x of row y: the ship's top-left
  // corner at (100 + x * Cell, y * Cell)).
  static constexpr int Cell = 4, Columns = 139, Rows = 137;
  using Row = std::array<uint64_t, (Columns + 63) / 64>;
  using Grid = std::array<Row, Rows>;
  static Row FullRow();
  Grid SafeAtEnd{};
  std::vector<Grid> Steps_;  // free cells at every step of the look beyond
  void FindSafeEnds(const Game& end);
  // 0 where the heavy craft will shut the ship in, else the share of safe places around.
  float SafeRoom(float left, float top) const;
  float TargetX(const Game& g) const;
  float Rehearse(const Game& g, const Plan& plan, float targetX, bool findSafeEnds);
};

class MenuPilot {
 public:
  explicit MenuPilot(const PilotLimits& limits = {}) : Limits(limits) {}
  void Decide(const Game& g, PilotInput& in, const std::vector<PilotAttempt>& log);
  bool MiniGamePlayed = false;
  // The shopping and the choice of levels: the standard pilot's, or a person's
  // (PilotLimits::ShopsAsAPerson and PointsBeforeRetry).
  const PilotLimits Limits;

 private:
  struct Click {
    int X = 0, Y = 0;
    bool Right = false;
    bool Valid = false;
  };
  int Step = 0;  // 0: ready for the next click; 1: release the button
  Click Last;
  int Repeats = 0;
  bool ShoppingDone = false;  // for this visit of the menu
  bool Arrived = false;       // the purse has been looked at on this visit
  long ArrivalPoints = 0;     // the purse on arriving in the menu
  Click NextClick(const Game& g, const std::vector<PilotAttempt>& log);
  Click StartNext(const Game& g, const std::vector<PilotAttempt>& log);

 public:
  // A level has started: the next visit of the menu shops afresh.
  void LeftMenu() {
    ShoppingDone = false;
    Arrived = false;
    Repeats = 0;
    Step = 0;
  }
};

// Levels 1 to 10: the level is won (level 10: its boss is beaten).
bool LevelWon(const Game& g, int level);

// Level 10 is open: from here on the pilot keeps five health potions for the last fights.
bool LastFightsOpen(const Game& g);

// Which level the campaign plays next (1..13), or 0 when every one is won.
// boughtSinceLoss: something was bought in the menu since the last try ended.
// limits: the standard pilot's policy, or a person's (PilotLimits::ShopsAsAPerson).
int NextCampaignLevel(const Game& g, const std::vector<PilotAttempt>& log, bool miniGamePlayed,
                      bool boughtSinceLoss = true, const PilotLimits& limits = {});

// The ship's part and shot levels added up: grows with every upgrade bought.
int ShipUpgrades(const Game& g);
