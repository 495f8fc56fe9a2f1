// The player's ship: one object for the whole run, reused by every level.
#pragma once

#include "core/types.h"

struct Game;

struct ShipClass {
  Single Top = 0, Bottom = 0, Left = 0, Right = 0;
  Single Speed = 0;
  Single ShipSpeed = 0;  // base top speed
  Single ShipAccel = 0;  // base push per held arrow key
  Single Heading = 0;
  Single Width = 0, Height = 0;
  Integer SrcRectTop = 0, SrcRectBottom = 0, SrcRectLeft = 0, SrcRectRight = 0;
  Integer CurShot1 = 0, CurShot2 = 0;
  Long LastShot1 = 0, LastShot2 = 0;
  Integer CurLevel1 = 0, CurLevel2 = 0;
  Single Life = 0, Charge = 0;
  Integer CurReducer = 0, CurDefence = 0, CurRegen = 0, CurSpeed = 0, CurCharge = 0;
  bool Exists = false;
  Integer Special1 = 0, Special2 = 0;
  Integer GemType1 = 0, GemType2 = 0;
  Long NoMove = 0, NoShoot = 0;
  bool Resurected = false;
  Single AniFrame = 0;
  bool Pressed = false, Pressed2 = false;

  // True when either gem slot holds the given gem.
  bool HasGem(int gem) const { return GemType1 == gem || GemType2 == gem; }

  void Initialize(Single top, Single bottom, Single left, Single right, Single shipSpeed, Single shipAccel,
                  Integer width, Integer height, Integer srcTop, Integer srcBottom, Integer srcLeft,
                  Integer srcRight);
  bool CollideWithRect(Integer rectTop, Integer rectBottom, Integer rectLeft, Integer rectRight) const;
  void AccelShip(Game& g, Single speed, Single direction);
  void ShipFriction(Game& g);
  void ShipMove(Game& g);
  void LimitInScreen();
  void DrawShip(Game& g);
  void HandleKeys(Game& g);
  void ShipLife(Game& g);
};

// The ship's part of a play frame, and its preparation when a level starts.
void StepShip(Game& g);
// Readies the ship for a level: part and shot levels from the progress, full life and charge,
// at rest at its start place.
void SetupShip(Game& g);
// The ship's size, sheet place, base speed, push, regeneration and charge rates and the ability costs.
void InitShipConstants(Game& g);
// Puts the ship at its start place with the base speed and push, at rest.
void PlaceShipAtStart(const Game& g, ShipClass& s);
