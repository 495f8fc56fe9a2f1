// The machine around a game: the platform it is seen, heard and played on, and its save file.
// The game's subsystems never see it; the main loop hands it what the frames asked for.
#pragma once

#include "platform/platform.h"
#include "save/save_file.h"

struct Game;

struct Host {
  Platform* Device = nullptr;  // not owned; null: nothing is loaded, drawn or heard (tests)
  SaveStore Save;
};

// The sheets and the sound effects, onto the platform.
void LoadContent(Platform& device);
// Carries out what the game asked of the machine: the sounds its frame started (when a frame
// ran), its music calls in order, and a save.
void DeliverOutputs(Host& host, Game& g, bool frameRan);
