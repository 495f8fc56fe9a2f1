// The game's music: one MIDI track at a time, synthesised by FluidSynth with a General MIDI
// soundfont and rendered into SDL_mixer's music stream from the audio thread.
//
// The synthesiser works ahead, a tenth of a second at a time: woken for every device buffer (a
// quarter of that), it finds its voices and samples gone from the caches each time, and costs
// a third more for the same music. Starting, stopping and pausing still take effect at once.
//
// We drive the synthesiser ourselves rather than through SDL_mixer's MIDI support so that we
// choose what it costs: the chorus is left out and the samples are read with linear
// interpolation, which halves the synthesis while the tracks sound the same over the game's
// effects. The reverb stays, since it gives the themes their room.
#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class MidiPlayer {
 public:
  MidiPlayer() = default;
  ~MidiPlayer();
  MidiPlayer(const MidiPlayer&) = delete;
  MidiPlayer& operator=(const MidiPlayer&) = delete;

  // Starts the synthesiser at `rate` frames a second with the soundfont; false (with a reason in
  // `error`) if the synthesiser or the soundfont cannot be had.
  bool Open(const std::string& soundFont, int rate, std::string& error);
  bool IsOpen() const { return Synth != nullptr; }

  // Reads a track (stopping the one playing); false with a reason if it cannot be read.
  bool Load(const std::string& path, std::string& error);
  // Plays the loaded track from its start, over and over or once.
  void Play(bool loop);
  void Stop();
  // 0 is silence, 1 the track as written.
  void SetVolume(float volume);
  // While paused nothing is synthesised and the stream stays as it is.
  void SetPaused(bool paused);

  // The audio thread's part: the music for `frames` 16-bit stereo frames, written over `stream`.
  void Render(int16_t* stream, int frames);

  // Frames synthesised at a time (93 ms at 44100 Hz).
  static constexpr int AheadFrames = 4096;

 private:
  void DropPlayer();
  void DropAhead() { AheadUsed = AheadHeld = 0; }

  std::mutex Lock;  // between the game's thread and the audio thread
  fluid_settings_t* Settings = nullptr;
  fluid_synth_t* Synth = nullptr;
  fluid_player_t* Player = nullptr;
  std::string TrackPath;
  bool Playing = false;
  bool Paused = false;
  // The music synthesised ahead: AheadHeld frames, of which AheadUsed have been played.
  std::vector<int16_t> Ahead = std::vector<int16_t>(size_t(2 * AheadFrames));
  int AheadUsed = 0, AheadHeld = 0;
};
