// Sound effects and music as the game calls them. The switches SoundOn and MusicOn are tested
// by the callers. The calls are noted in the game's output, for the machine to carry out after
// the frame (and for the harness's record): a frame never waits on a sound device.
#pragma once

#include <string>

#include "core/sounds.h"

struct Game;

void PlaySound(Game& g, int slot);
// Plays the slot only while sound effects are switched on.
void PlaySoundIfOn(Game& g, int slot);
void LoadMusic(Game& g, const std::string& name);
void PlayMusic(Game& g);
void StopMusic(Game& g);
void SetMusicVolume(Game& g, int hundredthsOfDb);
// The usual change of track: stop, volume, load, play if music is on.
void ChangeMusic(Game& g, int volume, const std::string& name, bool stopFirst = true);
