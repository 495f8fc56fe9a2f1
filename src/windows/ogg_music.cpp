// The music on Windows: the game's MIDI tracks were synthesised at build time, with the soundfont
// and settings the desktop's live synthesiser uses, into Ogg Vorbis files that SDL_mixer plays.
// The player downloads no soundfont and no synthesiser, and decoding costs far less than
// synthesis.
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "platform/sdl/music_player.h"

const char* const MusicFileExtension = "ogg";

namespace {

// The tracks are recorded at half the synthesiser's level so that no chord can clip; the effect
// bus raises the stream by as much again.
constexpr float RecordedBelowLive = 2.0f;

class OggMusic : public MusicPlayer {
 public:
  ~OggMusic() override {
    Mix_HaltMusic();
    if (Track) Mix_FreeMusic(Track);
  }

  bool Load(const std::string& path, std::string& error) override {
    Mix_HaltMusic();
    if (Track) Mix_FreeMusic(Track);
    // Read once here, so a broken file is told now and not when it is due to play.
    Track = Mix_LoadMUS(path.c_str());
    if (!Track) error = std::string("not an Ogg Vorbis file SDL_mixer can read: ") + Mix_GetError();
    return Track != nullptr;
  }
  void Play(bool loop) override {
    if (!Track) return;
    Mix_PlayMusic(Track, loop ? -1 : 1);
    if (Paused) Mix_PauseMusic();
  }
  void Stop() override { Mix_HaltMusic(); }
  void SetVolume(float volume) override {
    Mix_VolumeMusic(int(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  }
  void SetPaused(bool paused) override {
    Paused = paused;
    if (paused)
      Mix_PauseMusic();
    else
      Mix_ResumeMusic();
  }
  float StreamGain() const override { return RecordedBelowLive; }

 private:
  Mix_Music* Track = nullptr;
  bool Paused = false;
};

}  // namespace

std::unique_ptr<MusicPlayer> OpenMusicPlayer(int) {
  if (!(Mix_Init(MIX_INIT_OGG) & MIX_INIT_OGG)) {
    std::cerr << "zorvane2: cannot play music (" << Mix_GetError() << "); playing without music\n";
    return nullptr;
  }
  return std::make_unique<OggMusic>();
}
