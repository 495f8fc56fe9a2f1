// Sound and music as the game calls them, with the record the harness reports.
#include "platform/audio.h"

#include "platform/platform.h"
#include "shell/game.h"

const char* const SoundNames[SoundSlotCount] = {"Explo0",   "Explo1",  "Explo2",      "Ehit",    "Shiphit", "HitEnemy",
                                                "Collect",  "LevelSelect", "LevelUp", "Select", "Fire",     "Warning"};

void PlaySound(Game& g, int slot) {
  if (slot < 0 || slot >= SoundSlotCount) return;
  g.Harness.SoundsThisFrame.push_back(slot);
  if (g.Plat) g.Plat->PlaySound(slot);
}

void PlaySoundIfOn(Game& g, int slot) {
  if (g.Progress.SoundOn) PlaySound(g, slot);
}

void LoadMusic(Game& g, const std::string& name) {
  g.Harness.Music.Track = name;
  g.Harness.Music.Playing = false;
  if (g.Plat) g.Plat->LoadMusic(name);
}

void PlayMusic(Game& g) {
  g.Harness.Music.Playing = !g.Harness.Music.Track.empty();
  if (g.Plat) g.Plat->PlayMusic();
}

void StopMusic(Game& g) {
  g.Harness.Music.Playing = false;
  if (g.Plat) g.Plat->StopMusic();
}

void SetMusicVolume(Game& g, int hundredthsOfDb) {
  g.Harness.Music.Volume = hundredthsOfDb;
  if (g.Plat) g.Plat->SetMusicVolume(hundredthsOfDb);
}

void ChangeMusic(Game& g, int volume, const std::string& name, bool stopFirst) {
  if (stopFirst) StopMusic(g);
  SetMusicVolume(g, volume);
  LoadMusic(g, name);
  if (g.Progress.MusicOn) PlayMusic(g);
}
