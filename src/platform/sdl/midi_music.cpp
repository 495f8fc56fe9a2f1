// The desktop's music: the MIDI tracks synthesised live by FluidSynth (midi_player.h), rendered
// into SDL_mixer's music hook from the audio thread.
#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>
#include <iostream>

#include "platform/sdl/midi_player.h"
#include "platform/sdl/music_player.h"

const char* const MusicFileExtension = "mid";

namespace {

constexpr const char* DebianSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// The first file in a list like SDL_SOUNDFONTS (paths separated by semicolons); "" if none.
std::string FirstFileIn(const char* list) {
  if (!list) return "";
  std::string rest = list;
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    std::string path = rest.substr(0, end);
    if (!path.empty() && IsFile(path)) return path;
    if (end == std::string::npos) break;
    rest.erase(0, end + 1);
  }
  return "";
}

// SDL_SOUNDFONTS if set; then Debian's small soundfont; then SDL_mixer's idea of one.
std::string ChooseSoundFont() {
  if (const char* named = SDL_getenv("SDL_SOUNDFONTS")) return FirstFileIn(named);
  if (IsFile(DebianSoundFont)) return DebianSoundFont;
  return FirstFileIn(Mix_GetSoundFonts());
}

class MidiMusic : public MusicPlayer {
 public:
  // Once attached, the synthesiser renders into the mixer's music stream for as long as this
  // lives.
  void Attach() {
    Mix_HookMusic(&MidiMusic::Mix, this);
    Attached = true;
  }
  ~MidiMusic() override {
    if (Attached) Mix_HookMusic(nullptr, nullptr);  // waits for the audio thread to leave the hook
    Midi.Stop();
  }
  bool Load(const std::string& path, std::string& error) override { return Midi.Load(path, error); }
  void Play(bool loop) override { Midi.Play(loop); }
  void Stop() override { Midi.Stop(); }
  void SetVolume(float volume) override { Midi.SetVolume(volume); }
  void SetPaused(bool paused) override { Midi.SetPaused(paused); }

  MidiPlayer Midi;

 private:
  bool Attached = false;
  static void Mix(void* self, Uint8* stream, int bytes) {
    static_cast<MidiMusic*>(self)->Midi.Render(reinterpret_cast<int16_t*>(stream), bytes / 4);
  }
};

}  // namespace

std::unique_ptr<MusicPlayer> OpenMusicPlayer(int rate) {
  // The music is synthesised from MIDI with a General MIDI soundfont: Debian's small one, which
  // the music is written for and which keeps about 6 MB resident, unless SDL_SOUNDFONTS names
  // another.
  const std::string font = ChooseSoundFont();
  if (font.empty()) {
    std::cerr << "zorvane2: no General MIDI soundfont found (install timgm6mb-soundfont or name one in "
                 "SDL_SOUNDFONTS); playing without music\n";
    return nullptr;
  }
  auto music = std::make_unique<MidiMusic>();
  std::string error;
  if (!music->Midi.Open(font, rate, error)) {
    std::cerr << "zorvane2: cannot play music: " << error << "; playing without music\n";
    return nullptr;
  }
  music->Attach();
  return music;
}
