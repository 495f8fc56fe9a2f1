// The effect bus: the game's sound effects mixed over the music in floating point, then
// through a look-ahead peak limiter, so that no pile-up of explosions, hits and music ever
// reaches full scale. Plain code without SDL: the SDL platform feeds it the music and the
// loaded effects and calls Mix from its audio thread; the browser runs the same code in its
// audio thread (src/platform/web/audio/bus_module.cpp).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class EffectBus {
 public:
  static constexpr int Slots = 12;  // the game's sound slots
  // The loudest sample the bus ever writes: -1.2 dB below full scale.
  static constexpr float Ceiling = 0.87f;
  // The limiter sees this many frames ahead (1.5 ms at 44100 Hz) and is late by as much.
  static constexpr int Lookahead = 64;
  // The fire sound restarts at most every 70 ms, each time a few per cent higher or lower, so a
  // fast gun patters instead of buzzing.
  static constexpr int FireMinFramesBetween = 3087;
  static constexpr float FirePitchSpread = 0.04f;

  // The sound of a slot as 16-bit stereo frames (the data must outlive its use), its gain, and
  // the shortest time in frames between two starts (0: every start restarts it from its
  // beginning). Not to be called while Mix may run.
  void SetSound(int slot, const int16_t* frames, size_t frameCount, float gain, int minFramesBetween = 0,
                float pitchSpread = 0);
  void ClearSound(int slot) { SetSound(slot, nullptr, 0, 0); }
  // Starts the slot from its beginning, cutting off what it was playing. Safe from any thread
  // while Mix runs on another.
  void Start(int slot);
  // Mixes the started sounds into `stream` (16-bit stereo, `frames` frames), which holds the
  // music; the music is scaled by MusicGain on the way.
  void Mix(int16_t* stream, int frames);
  // The slot's voice is sounding (as of the last Mix).
  bool Playing(int slot) const { return slot >= 0 && slot < Slots && Voices[size_t(slot)].Active; }

  float MusicGain = 1;
  // The player's effects volume (0..1), over each sound's own gain.
  float EffectsGain = 1;

 private:
  struct Voice {
    const int16_t* Data = nullptr;
    size_t Frames = 0;
    float Gain = 1;
    int MinFramesBetween = 0;
    float PitchSpread = 0;
    std::atomic<uint32_t> Starts{0};  // counted up by Start, read by Mix
    uint32_t Seen = 0;
    bool Active = false;
    double Pos = 0, Step = 1;
    long long SinceStart = 1 << 30;  // frames since its last start
  };
  void MixVoices(float* left, float* right, int count);
  float Limit(float& left, float& right);

  std::array<Voice, Slots> Voices;
  uint32_t Wobble = 0x2545F491u;  // the fire sound's pitch wobble: the bus's own, never the game's

  // Limiter: the input delayed by Lookahead frames; the gain each frame needs, its minimum over
  // the last 2 * Lookahead frames, released slowly and averaged over Lookahead frames.
  std::array<float, 2 * Lookahead> Delayed{};
  std::array<float, 2 * Lookahead> NeedValue{};
  std::array<long long, 2 * Lookahead> NeedIndex{};
  long long NeedHead = 0, NeedTail = 0, FrameIndex = 0;
  float Released = 1;
  std::array<float, Lookahead> Smooth{};
  double SmoothSum = Lookahead;
  bool Primed = false;
};
