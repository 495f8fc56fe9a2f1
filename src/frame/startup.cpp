// Content load and the level start: the moments when pools are (re)created.
#include "effects/explo_class.h"
#include "effects/flair.h"
#include "menus/play_guide.h"
#include "effects/star_class.h"
#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "world/sound.h"
#include "world/draw.h"
#include "frame/frame.h"
#include "ship/ship_class.h"
#include "shots/shot_types.h"

void CreatePools(Game& g) {
  g.Stars = {};
  SeedStars(g);
  g.Shots = {};
  g.Enemies = {};
  g.Explosions = {};
  g.EShots = {};
}

void ContentLoad(Game& g, const ProgressBlock& progress, int32_t ticks) {
  g.ClockLastTick = ticks;
  g.GameRunning = true;

  // The ship first, then the pools, then the tables, then the ship's place.
  g.Ship = ShipClass{};
  CreatePools(g);
  InitShipConstants(g);
  FillExplosionKinds(g);
  InitEnemyTables(g);
  FillShotCatalogue(g);
  PlaceShipAtStart(g, g.Ship);
  g.Ship.Life = 200;
  g.Ship.Charge = 200;
  g.Ship.Exists = true;
  g.Ship.CurShot1 = 0;
  g.Ship.CurShot2 = -1;
  g.Ship.CurLevel1 = 0;
  g.Ship.CurLevel2 = 0;
  g.Ship.CurCharge = g.Ship.CurDefence = g.Ship.CurSpeed = g.Ship.CurRegen = g.Ship.CurReducer = 1;
  g.Ship.Special1 = g.Ship.Special2 = -1;
  g.Ship.GemType1 = g.Ship.GemType2 = -1;
  g.InMenu = true;
  g.Progress = progress;
}

// The one way a level starts: fresh pools and level state, the level's timeline, the ship made
// ready, its music, and the looks and the guide of a new level.
void StartLevel(Game& g, int levelIndex) {
  PlaySoundIfOn(g, SoundLevelSelect);
  CreatePools(g);
  ResetLevelState(g);
  LevelSetup(g, static_cast<Integer>(levelIndex + 1));
  SetupShip(g);
  StartLevelMusic(g);
  g.InMenu = false;
  ResetFlair(g);
  StartPlayGuide(g);
}

void QuitGame(Game& g) {
  RequestSave(g);
  g.GameRunning = false;
}
