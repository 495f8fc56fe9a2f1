// Sound and music as the game calls them: noted for the machine, and in the record the harness
// reports.
#include "world/sound.h"

#include "world/game.h"

void PlaySound(Game& g, int slot) {
  if (slot < 0 || slot >= SoundSlotCount) return;
  g.Harness.SoundsThisFrame.push_back(slot);
}

void PlaySoundIfOn(Game& g, int slot) {
  if (g.Progress.SoundOn) PlaySound(g, slot);
}

void LoadMusic(Game& g, const std::string& name) {
  g.Harness.Music.Track = name;
  g.Harness.Music.Playing = false;
  g.Harness.MusicCalls.push_back({MusicCall::Load, name, 0});
}

void PlayMusic(Game& g) {
  g.Harness.Music.Playing = !g.Harness.Music.Track.empty();
  g.Harness.MusicCalls.push_back({MusicCall::Play, {}, 0});
}

void StopMusic(Game& g) {
  g.Harness.Music.Playing = false;
  g.Harness.MusicCalls.push_back({MusicCall::Stop, {}, 0});
}

void SetMusicVolume(Game& g, int hundredthsOfDb) {
  g.Harness.Music.Volume = hundredthsOfDb;
  g.Harness.MusicCalls.push_back({MusicCall::SetVolume, {}, hundredthsOfDb});
}

void ChangeMusic(Game& g, int volume, const std::string& name, bool stopFirst) {
  if (stopFirst) StopMusic(g);
  SetMusicVolume(g, volume);
  LoadMusic(g, name);
  if (g.Progress.MusicOn) PlayMusic(g);
}
