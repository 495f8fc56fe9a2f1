// The game's music, one track at a time, played into SDL_mixer's stream under the effect bus.
// Two players stand behind it: MIDI synthesised live with FluidSynth on the desktop
// (midi_music.cpp), and on Windows the same tracks synthesised once at build time with the same
// soundfont and played from Ogg Vorbis files (src/windows/ogg_music.cpp), so the game ships no
// synthesiser and no soundfont there.
#pragma once

#include <memory>
#include <string>

// The extension of the tracks this player reads from Music/: "mid" or "ogg".
extern const char* const MusicFileExtension;

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Reads a track (stopping the one playing); false with a reason if it cannot be read.
  virtual bool Load(const std::string& path, std::string& error) = 0;
  // Plays the loaded track from its start, over and over or once.
  virtual void Play(bool loop) = 0;
  virtual void Stop() = 0;
  // 0 is silence, 1 the track as written.
  virtual void SetVolume(float volume) = 0;
  // While paused the track holds its place.
  virtual void SetPaused(bool paused) = 0;
  // How much the stream must be raised to sound as loud as the synthesiser (a recording is
  // made quieter than that, so that its loudest chord cannot clip).
  virtual float StreamGain() const { return 1; }
};

// A player ready to play into the mixer's open device at `rate` frames a second; null, after
// one line on standard error, when there is no music to be had.
std::unique_ptr<MusicPlayer> OpenMusicPlayer(int rate);
