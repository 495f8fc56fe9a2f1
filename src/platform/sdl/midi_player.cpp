#include "platform/sdl/midi_player.h"

#include <algorithm>
#include <cstring>

#if defined(__unix__)
#include <dlfcn.h>
#endif

namespace {

// The synthesiser's level for a track at full volume (its own default is 0.2); the game's
// volumes scale it. Without the chorus the tracks lose about 1 dB, which this gives back.
constexpr float FullGain = 1.35f;

// FluidSynth reports through a log of its own; its warnings about a soundfont's details are
// not the player's concern, and real failures come back to us as results.
void QuietLog(int, const char*, void*) {}

}  // namespace

MidiPlayer::~MidiPlayer() {
  DropPlayer();
  if (Synth) delete_fluid_synth(Synth);
  if (Settings) delete_fluid_settings(Settings);
}

bool MidiPlayer::Open(const std::string& soundFont, int rate, std::string& error) {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, QuietLog, nullptr);
  Settings = new_fluid_settings();
  if (!Settings) {
    error = "the synthesiser cannot start";
    return false;
  }
  fluid_settings_setnum(Settings, "synth.sample-rate", double(rate));
  fluid_settings_setint(Settings, "synth.chorus.active", 0);
  fluid_settings_setint(Settings, "synth.reverb.active", 1);
  // The player's clock is the number of frames rendered, so the music keeps time with the
  // stream however the audio thread is scheduled.
  fluid_settings_setstr(Settings, "player.timing-source", "sample");
  Synth = new_fluid_synth(Settings);
  if (!Synth) {
    error = "the synthesiser cannot start";
    delete_fluid_settings(Settings);
    Settings = nullptr;
    return false;
  }
#if defined(__unix__)
  // FluidSynth may read the samples on a thread for each core through OpenMP, whose idle threads
  // then spin for milliseconds: on this thread alone the soundfont costs a third less. No other
  // work of this thread runs in parallel.
  if (auto oneThread = reinterpret_cast<void (*)(int)>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"))) oneThread(1);
#endif
  if (fluid_synth_sfload(Synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    error = "the soundfont " + soundFont + " cannot be read";
    delete_fluid_synth(Synth);
    delete_fluid_settings(Settings);
    Synth = nullptr;
    Settings = nullptr;
    return false;
  }
  fluid_synth_set_interp_method(Synth, -1, FLUID_INTERP_LINEAR);
  fluid_synth_set_gain(Synth, 0);
  return true;
}

void MidiPlayer::DropPlayer() {
  if (!Player) return;
  fluid_player_stop(Player);
  delete_fluid_player(Player);
  Player = nullptr;
}

bool MidiPlayer::Load(const std::string& path, std::string& error) {
  std::lock_guard<std::mutex> hold(Lock);
  DropPlayer();
  DropAhead();
  Playing = false;
  TrackPath.clear();
  if (!Synth) {
    error = "no synthesiser";
    return false;
  }
  // Read once here, so a broken file is told now and not when it is due to play.
  fluid_player_t* probe = new_fluid_player(Synth);
  const bool readable = probe && fluid_player_add(probe, path.c_str()) == FLUID_OK;
  if (probe) delete_fluid_player(probe);
  if (!readable) {
    error = "not a MIDI file FluidSynth can read";
    return false;
  }
  TrackPath = path;
  return true;
}

void MidiPlayer::Play(bool loop) {
  std::lock_guard<std::mutex> hold(Lock);
  DropPlayer();
  DropAhead();
  Playing = false;
  if (!Synth || TrackPath.empty()) return;
  // Each track starts from a synthesiser at rest: no note of the last one hangs on, and no
  // instrument or controller it set carries over.
  fluid_synth_system_reset(Synth);
  Player = new_fluid_player(Synth);
  if (!Player || fluid_player_add(Player, TrackPath.c_str()) != FLUID_OK) {
    DropPlayer();
    return;
  }
  fluid_player_set_loop(Player, loop ? -1 : 1);
  Playing = fluid_player_play(Player) == FLUID_OK;
}

void MidiPlayer::Stop() {
  std::lock_guard<std::mutex> hold(Lock);
  DropPlayer();
  DropAhead();
  Playing = false;
  if (Synth) fluid_synth_all_sounds_off(Synth, -1);
}

void MidiPlayer::SetVolume(float volume) {
  std::lock_guard<std::mutex> hold(Lock);
  if (Synth) fluid_synth_set_gain(Synth, FullGain * volume);
}

void MidiPlayer::SetPaused(bool paused) {
  std::lock_guard<std::mutex> hold(Lock);
  Paused = paused;
}

void MidiPlayer::Render(int16_t* stream, int frames) {
  std::lock_guard<std::mutex> hold(Lock);
  // Paused, what was synthesised ahead waits for the music to go on.
  while (frames > 0 && !Paused && Synth) {
    if (AheadUsed == AheadHeld) {
      if (!Playing) break;
      fluid_synth_write_s16(Synth, AheadFrames, Ahead.data(), 0, 2, Ahead.data(), 1, 2);
      AheadUsed = 0;
      AheadHeld = AheadFrames;
      // A tune that plays once rests the synthesiser when its last note has died away.
      if (Player && fluid_player_get_status(Player) == FLUID_PLAYER_DONE &&
          fluid_synth_get_active_voice_count(Synth) == 0)
        Playing = false;
    }
    const int n = std::min(frames, AheadHeld - AheadUsed);
    std::memcpy(stream, &Ahead[size_t(2 * AheadUsed)], size_t(n) * 4);
    stream += 2 * n;
    frames -= n;
    AheadUsed += n;
  }
  if (frames > 0) std::memset(stream, 0, size_t(frames) * 4);
}
