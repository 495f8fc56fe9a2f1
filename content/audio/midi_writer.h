// A small Standard MIDI File writer: format 1, one track per part, events placed at absolute
// ticks and written with delta times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MidiTrack {
 public:
  explicit MidiTrack(const std::string& name);

  void Tempo(uint32_t tick, double beatsPerMinute);
  void TimeSignature(uint32_t tick, int numerator, int denominator);
  void Marker(uint32_t tick, const std::string& text);
  // Channels are 0..15; 9 is General MIDI's drum channel.
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  void Note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity);
  // The track's last tick: every track of a song ends at the same tick, so a looping song
  // comes round on the beat.
  void EndAt(uint32_t tick) { End = tick; }
  uint32_t LastEventTick() const;

  // The track chunk (MTrk), events sorted by tick: note-offs first, then settings, then note-ons.
  std::string Chunk() const;

 private:
  struct Event {
    uint32_t Tick;
    int Order;  // ties at one tick: 0 note-off, 1 meta and settings, 2 note-on
    uint32_t Sequence;
    std::vector<uint8_t> Bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  std::vector<Event> Events;
  uint32_t End = 0;
};

// The whole file: header chunk (MThd) and the tracks, `division` ticks per quarter note.
std::string MidiFile(const std::vector<MidiTrack>& tracks, int division);
