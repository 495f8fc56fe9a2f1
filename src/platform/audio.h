// Sound effects and music as the game calls them. The switches SoundOn and MusicOn
// are tested by the callers; these calls also keep the record the harness dumps.
#pragma once

#include <string>

struct Game;

enum SoundSlot {
  SoundExplo0 = 0,
  SoundExplo1 = 1,
  SoundExplo2 = 2,
  SoundEhit = 3,
  SoundShiphit = 4,
  SoundHitEnemy = 5,
  SoundCollect = 6,
  SoundLevelSelect = 7,
  SoundLevelUp = 8,
  SoundSelect = 9,
  SoundFire = 10,     // the player's guns: short and quiet, since it sounds at every volley
  SoundWarning = 11,  // life is low: a soft two-note chime
};
inline constexpr int SoundSlotCount = 12;
extern const char* const SoundNames[SoundSlotCount];

void PlaySound(Game& g, int slot);
// Plays the slot only while sound effects are switched on.
void PlaySoundIfOn(Game& g, int slot);
void LoadMusic(Game& g, const std::string& name);
void PlayMusic(Game& g);
void StopMusic(Game& g);
void SetMusicVolume(Game& g, int hundredthsOfDb);
// The usual change of track: stop, volume, load, play if music is on.
void ChangeMusic(Game& g, int volume, const std::string& name, bool stopFirst = true);
