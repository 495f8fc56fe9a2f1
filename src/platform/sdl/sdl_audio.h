// The desktop's sound: effects in their slots and one music track at a time through SDL_mixer.
// SDL_mixer renders the music; the effects are mixed over it by our own effect bus, in floating
// point and through a peak limiter, so the ship's end or a wave of explosions never clips.
// Without an audio device it says so once and the game goes on in silence.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <string>

#include "platform/data_files.h"
#include "platform/effect_bus.h"
#include <memory>

#include "platform/sdl/music_player.h"

class SdlAudio {
 public:
  // The player's volumes, 0..100, on top of the game's own.
  SdlAudio(DataFiles& files, int effectsVolume, int musicVolume);
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  void LoadSound(int slot, const std::string& name);
  void PlaySound(int slot);
  void LoadMusic(const std::string& name);
  void PlayMusic();
  void StopMusic();
  void SetMusicVolume(int hundredthsOfDb);
  // Sound and music hold their breath with the game; the device stops, so nothing is mixed.
  void SetPaused(bool paused);

 private:
  static void MixEffects(void* self, Uint8* stream, int bytes);

  DataFiles& Files;
  int MusicVolume = 100;
  bool Up = false;
  SDL_AudioDeviceID MixerDevice = 0;  // the mixer's device, 0 if it could not be told
  std::array<Mix_Chunk*, EffectBus::Slots> Sounds{};
  EffectBus Bus;             // mixes the effects over the music, limited below full scale
  std::unique_ptr<MusicPlayer> Music;  // null without music
  bool MusicLoaded = false;  // the last track asked for is ready to play
  std::string MusicName;
};
