// Content load and the level start: the moments when pools are (re)created.
#include "effects/explo_class.h"
#include "effects/flair.h"
#include "menus/play_guide.h"
#include "effects/star_class.h"
#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "platform/audio.h"
#include "platform/blit.h"
#include "platform/platform.h"
#include "save/save_file.h"
#include "shell/shell.h"
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

void ContentLoad(Game& g) {
  g.ClockLastTick = g.Plat->TickCount();
  g.GameRunning = true;
  for (int i = 0; i < SheetCount; ++i) g.Plat->LoadSheet(i, Sheets[i].Name, Sheets[i].ColourKey);
  for (int i = 0; i < SoundSlotCount; ++i) g.Plat->LoadSound(i, SoundNames[i]);

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
  LoadProgressAtStartUp(g);
}

void StartLevel(Game& g, int levelIndex) {
  PlaySoundIfOn(g, SoundLevelSelect);
  CreatePools(g);
  g.Level.ChargeOn = {};
  LevelSetup(g, static_cast<Integer>(levelIndex + 1));
  SetupShip(g);
  ResetLevelCounters(g);
  StartLevelMusic(g);
  g.InMenu = false;
  ResetFlair(g);
  StartPlayGuide(g);
}

void QuitGame(Game& g) {
  SaveProgress(g);
  g.GameRunning = false;
}
