// The effect bus and its peak limiter.
#include "platform/effect_bus.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int Window = 2 * EffectBus::Lookahead;
// The limiter lets go with a time constant of 0.12 s, slow enough not to pump on a rumble.
const float Release = float(1.0 - std::exp(-1.0 / (0.12 * 44100.0)));
}  // namespace

void EffectBus::SetSound(int slot, const int16_t* frames, size_t frameCount, float gain, int minFramesBetween,
                         float pitchSpread) {
  if (slot < 0 || slot >= Slots) return;
  Voice& v = Voices[size_t(slot)];
  v.Data = frames;
  v.Frames = frames ? frameCount : 0;
  v.Gain = gain;
  v.MinFramesBetween = minFramesBetween;
  v.PitchSpread = pitchSpread;
  v.Active = false;
  v.Seen = v.Starts.load();
}

void EffectBus::Start(int slot) {
  if (slot >= 0 && slot < Slots) Voices[size_t(slot)].Starts.fetch_add(1);
}

// The effects of frames [0, count), added to the music already in left and right: voice by
// voice, each voice's frames in a row (the sums come out as if frame by frame, in slot order).
void EffectBus::MixVoices(float* left, float* right, int count) {
  for (Voice& v : Voices) {
    v.SinceStart += count;
    if (!v.Active || !v.Data) continue;
    const float gain = EffectsGain * v.Gain;
    for (int f = 0; f < count; ++f) {
      const size_t i = size_t(v.Pos);
      if (i + 1 >= v.Frames) {
        v.Active = false;
        break;
      }
      const float t = float(v.Pos - double(i));
      const int16_t* a = v.Data + 2 * i;
      left[f] += gain * (float(a[0]) + t * float(a[2] - a[0])) / 32768.0f;
      right[f] += gain * (float(a[1]) + t * float(a[3] - a[1])) / 32768.0f;
      v.Pos += v.Step;
    }
  }
}

// The gain this frame may have at most, from what it will be Lookahead frames from now; the
// delayed frame comes out in left and right.
float EffectBus::Limit(float& left, float& right) {
  const long long n = FrameIndex++;
  const float peak = std::max(std::fabs(left), std::fabs(right));
  const float need = peak > Ceiling ? Ceiling / peak : 1.0f;
  // The smallest need of the last Window frames, kept as a rising run of candidates.
  while (NeedHead < NeedTail && NeedIndex[size_t(NeedHead % Window)] <= n - Window) ++NeedHead;
  while (NeedTail > NeedHead && NeedValue[size_t((NeedTail - 1) % Window)] >= need) --NeedTail;
  NeedValue[size_t(NeedTail % Window)] = need;
  NeedIndex[size_t(NeedTail % Window)] = n;
  ++NeedTail;
  const float least = NeedValue[size_t(NeedHead % Window)];
  Released = std::min(least, Released + (1.0f - Released) * Release);
  // Averaged over Lookahead frames, the gain glides down in time for the peak, never late.
  float& oldest = Smooth[size_t(n % Lookahead)];
  SmoothSum += double(Released) - double(oldest);
  oldest = Released;
  // The input goes in, the frame from Lookahead frames ago comes out.
  float& dl = Delayed[size_t(2 * (n % Lookahead))];
  float& dr = Delayed[size_t(2 * (n % Lookahead) + 1)];
  std::swap(left, dl);
  std::swap(right, dr);
  return float(SmoothSum / Lookahead);
}

void EffectBus::Mix(int16_t* stream, int frames) {
  if (!Primed) {
    Smooth.fill(1.0f);
    Primed = true;
  }
  // Starts asked for since the last buffer, each taken once.
  for (Voice& v : Voices) {
    const uint32_t starts = v.Starts.load();
    if (starts == v.Seen) continue;
    v.Seen = starts;
    if (!v.Data || (v.Active && v.SinceStart < v.MinFramesBetween)) continue;
    v.Active = true;
    v.Pos = 0;
    v.SinceStart = 0;
    v.Step = 1;
    if (v.PitchSpread > 0) {
      Wobble ^= Wobble << 13;
      Wobble ^= Wobble >> 17;
      Wobble ^= Wobble << 5;
      v.Step = 1.0 + v.PitchSpread * (double(Wobble % 2001u) / 1000.0 - 1.0);
    }
  }
  constexpr int Chunk = 256;
  float lefts[Chunk], rights[Chunk];
  for (int start = 0; start < frames; start += Chunk) {
    const int count = std::min(Chunk, frames - start);
    int16_t* out = stream + 2 * start;
    for (int f = 0; f < count; ++f) {
      lefts[f] = MusicGain * float(out[2 * f]) / 32768.0f;
      rights[f] = MusicGain * float(out[2 * f + 1]) / 32768.0f;
    }
    MixVoices(lefts, rights, count);
    for (int f = 0; f < count; ++f) {
      float left = lefts[f], right = rights[f];
      const float gain = Limit(left, right);
      // The averaged gain can stand a rounding hair above what the peak needs; the ceiling holds.
      left = std::clamp(left * gain, -Ceiling, Ceiling);
      right = std::clamp(right * gain, -Ceiling, Ceiling);
      out[2 * f] = int16_t(std::lrint(left * 32767.0f));
      out[2 * f + 1] = int16_t(std::lrint(right * 32767.0f));
    }
  }
}
