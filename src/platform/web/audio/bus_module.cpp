// The effect bus as the browser runs it: built into a small WebAssembly module of its own that
// the page's audio thread (web/bus_worklet.js) loads, so the browser mixes the fire sound's
// patter, the sounds' restarts and the peak limiter with the very code the desktop does. The
// page decodes the sounds and the music; the module mixes them a render quantum at a time.
#include <cstdint>
#include <cstdlib>

#include "core/sounds.h"
#include "platform/effect_bus.h"

static_assert(EffectBus::Slots == SoundSlotCount, "the bus has a voice for every sound slot");

namespace {

// The browser renders 128 frames at a time; a little more room costs nothing.
constexpr int StreamFrames = 1024;
EffectBus Bus;
int16_t Stream[2 * StreamFrames];
int16_t* Sounds[EffectBus::Slots] = {};

bool SlotOk(int slot) { return slot >= 0 && slot < EffectBus::Slots; }

}  // namespace

extern "C" {

// Room for a slot's sound of `frames` 16-bit stereo frames, the slot's old sound let go (null
// when there is no room, or for a slot out of range). The page writes the sound in, then calls
// bus_set_sound.
int16_t* bus_sound_room(int slot, int frames) {
  if (!SlotOk(slot) || frames < 0) return nullptr;
  Bus.ClearSound(slot);
  std::free(Sounds[slot]);
  Sounds[slot] = static_cast<int16_t*>(std::malloc(size_t(frames) * 4 + 4));
  return Sounds[slot];
}

// The slot plays the sound just written; the fire sound patters as on the desktop.
void bus_set_sound(int slot, int frames) {
  if (!SlotOk(slot) || !Sounds[slot] || frames < 0) return;
  const bool fire = slot == SoundFire;
  Bus.SetSound(slot, Sounds[slot], size_t(frames), 1.0f, fire ? EffectBus::FireMinFramesBetween : 0,
               fire ? EffectBus::FirePitchSpread : 0.0f);
}

void bus_start(int slot) { Bus.Start(slot); }

// Where the page puts the music of the next quantum, and finds the mix.
int16_t* bus_stream() { return Stream; }
int bus_stream_frames() { return StreamFrames; }

void bus_mix(int frames) {
  if (frames > 0 && frames <= StreamFrames) Bus.Mix(Stream, frames);
}

// The music's make-up gain and the player's effects volume (0..1).
void bus_set_gains(float music, float effects) {
  Bus.MusicGain = music;
  Bus.EffectsGain = effects < 0 ? 0 : effects > 1 ? 1 : effects;
}

int bus_playing(int slot) { return Bus.Playing(slot) ? 1 : 0; }

// The slots sounding, one bit each (slot 0 the lowest).
int bus_playing_slots() {
  int bits = 0;
  for (int slot = 0; slot < EffectBus::Slots; ++slot)
    if (Bus.Playing(slot)) bits |= 1 << slot;
  return bits;
}

}  // extern "C"
