// The machine around a game: the platform it is seen, heard and played on, the renderer that
// draws its pictures, and its save file. The game's subsystems never see it; the main loop hands
// it what the frames asked for.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "render/renderer.h"
#include "save/save_file.h"

struct Game;

struct Host {
  Platform* Device = nullptr;        // not owned; null: nothing is shown or heard (tests)
  std::unique_ptr<Renderer> Screen;  // null: nothing is drawn
  SaveStore Save;
};

// The sound effects, onto the platform.
void LoadSounds(Platform& device);
// Carries out what the game asked of the machine: the sounds its frame started (when a frame
// ran), its music calls in order, and a save.
void DeliverOutputs(Host& host, Game& g, bool frameRan);
