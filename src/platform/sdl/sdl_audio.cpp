#include "platform/sdl/sdl_audio.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "core/sounds.h"

static_assert(EffectBus::Slots == SoundSlotCount, "the bus has a voice for every sound slot");

namespace {

// The music sits this much higher in the mix than its volume alone gives (10 dB): the volumes
// of the tracks keep their steps between them, and a level's theme is heard under the effects.
constexpr float MusicMakeUp = 3.16f;

}  // namespace

SdlAudio::SdlAudio(DataFiles& files, int effectsVolume, int musicVolume) : Files(files), MusicVolume(musicVolume) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::cerr << "zorvane2: no audio device (" << SDL_GetError() << "); playing without sound and music\n";
    return;
  }
  // Exactly 16-bit stereo at 44100 Hz (SDL converts for the device): the effect bus mixes that.
  if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 1024, nullptr, 0) != 0) {
    std::cerr << "zorvane2: no audio device (" << Mix_GetError() << "); playing without sound and music\n";
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Music = OpenMusicPlayer(44100);
  // No mixer channels: each sound slot is a voice of the effect bus, so a slot restarted cuts
  // itself off and never another slot.
  Mix_AllocateChannels(0);
  Bus.MusicGain = MusicMakeUp * (Music ? Music->StreamGain() : 1.0f);
  Bus.EffectsGain = float(std::clamp(effectsVolume, 0, 100)) / 100.f;
  Mix_SetPostMix(&SdlAudio::MixEffects, this);
  // The mixer keeps its device to itself; it is the one device playing now. Knowing it lets
  // the game stop the whole device while it is paused or out of sight, so nothing is mixed.
  for (SDL_AudioDeviceID id = 2; id < 64 && !MixerDevice; ++id)
    if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) MixerDevice = id;
  Up = true;
  SetMusicVolume(-1250);
}

SdlAudio::~SdlAudio() {
  if (!Up) return;
  Mix_SetPostMix(nullptr, nullptr);  // waits for the audio thread to leave the bus
  Music.reset();                     // and the music
  for (int slot = 0; slot < EffectBus::Slots; ++slot) Bus.ClearSound(slot);
  for (Mix_Chunk*& c : Sounds) {
    if (c) Mix_FreeChunk(c);
    c = nullptr;
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::MixEffects(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudio*>(self)->Bus.Mix(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

// The files are looked up even without an audio device, so a missing file is said wherever
// the game runs; only loading needs the device.
void SdlAudio::LoadSound(int slot, const std::string& name) {
  if (slot < 0 || slot >= EffectBus::Slots) return;
  // The bus is taken off the audio thread while its sound changes under it.
  if (Up) Mix_SetPostMix(nullptr, nullptr);
  Bus.ClearSound(slot);
  if (Up) Mix_SetPostMix(&SdlAudio::MixEffects, this);
  if (Sounds[size_t(slot)]) Mix_FreeChunk(Sounds[size_t(slot)]);
  Sounds[size_t(slot)] = nullptr;
  const std::string path = Files.Sound(name);
  if (path.empty() || !Up) return;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  Sounds[size_t(slot)] = chunk;
  if (!chunk) {
    std::cerr << "zorvane2: cannot read the sound " << path << " (" << Mix_GetError() << "); it stays silent\n";
    return;
  }
  // The chunk is in the device's format, 16-bit stereo frames.
  const bool fire = slot == SoundFire;
  Mix_SetPostMix(nullptr, nullptr);
  Bus.SetSound(slot, reinterpret_cast<const int16_t*>(chunk->abuf), chunk->alen / 4, 1.0f,
               fire ? EffectBus::FireMinFramesBetween : 0, fire ? EffectBus::FirePitchSpread : 0.0f);
  Mix_SetPostMix(&SdlAudio::MixEffects, this);
}

void SdlAudio::PlaySound(int slot) {
  if (!Up || slot < 0 || slot >= EffectBus::Slots || !Sounds[size_t(slot)]) return;
  // The slot's own voice stops what it was playing and starts afresh.
  Bus.Start(slot);
}

void SdlAudio::LoadMusic(const std::string& name) {
  MusicName = name;
  MusicLoaded = false;
  const std::string path = Files.Music(name, MusicFileExtension);
  if (path.empty()) {
    if (Music) Music->Stop();
    return;
  }
  if (!Up || !Music) return;
  std::string error;
  MusicLoaded = Music->Load(path, error);
  if (!MusicLoaded) Files.ReportUnplayable(name, path, error);
}

void SdlAudio::PlayMusic() {
  if (!Up || !MusicLoaded) return;
  // The menu and level tracks loop; the victory and death tunes play once.
  Music->Play(!(MusicName == "Win" || MusicName == "Death"));
}

void SdlAudio::StopMusic() {
  if (Up && Music) Music->Stop();
}

void SdlAudio::SetMusicVolume(int hundredthsOfDb) {
  if (!Up) return;
  // v hundredths of a decibel is a gain of 10^(v / 2000), full volume at 0 dB.
  double gain = std::pow(10.0, double(hundredthsOfDb) / 2000.0) * std::clamp(MusicVolume, 0, 100) / 100.0;
  // In the mixer's 129 steps, as the tracks' levels were set by ear.
  long volume = std::lround(gain * MIX_MAX_VOLUME);
  if (volume < 0) volume = 0;
  if (volume > MIX_MAX_VOLUME) volume = MIX_MAX_VOLUME;
  if (Music) Music->SetVolume(float(volume) / MIX_MAX_VOLUME);
}

void SdlAudio::SetPaused(bool paused) {
  if (!Up) return;
  if (paused) {
    Mix_Pause(-1);
    if (Music) Music->SetPaused(true);
    if (MixerDevice) SDL_PauseAudioDevice(MixerDevice, 1);
  } else {
    if (MixerDevice) SDL_PauseAudioDevice(MixerDevice, 0);
    Mix_Resume(-1);
    if (Music) Music->SetPaused(false);
  }
}
