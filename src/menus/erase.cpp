// Erasing the player's data: back to a new player's shop, levels and goals, with the
// achievement gems, the sound and music switches and the ship's gems and abilities kept.
#include "menus/menus.h"
#include "world/game.h"

void EraseProgress(Game& g) {
  ProgressBlock& p = g.Progress;
  p.Points = 0;
  p.LevelOpen[0] = true;
  p.ShotLevel[0] = 0;
  for (int i = 1; i <= 13; ++i) p.LevelOpen[i] = false;
  for (int i = 0; i <= 8; ++i) {
    p.ChargeOwned[i] = false;
    p.GemOwned[i] = false;
  }
  for (int i = 1; i <= 19; ++i) p.ShotLevel[i] = -1;
  p.PartLevel.fill(1);
  for (int level = 0; level <= 9; ++level) {
    p.Stats[level] = 0;
    p.GoalDone[level].fill(false);
  }
  p.Potions.fill(0);
  p.PlayTime.fill(0);

  // A shot that is locked now cannot stay on the ship: a level started with it would fire
  // a shot level that does not exist. The first slot falls back to the power beam (always
  // open), the second is emptied. Abilities and gems stay equipped.
  auto locked = [&p](Integer shot) { return shot >= 0 && (shot > 19 || p.ShotLevel[shot] < 0); };
  if (locked(g.Ship.CurShot2)) g.Ship.CurShot2 = -1;
  if (locked(g.Ship.CurShot1)) g.Ship.CurShot1 = g.Ship.CurShot2 == 0 ? -1 : 0;

  RequestSave(g);
}
