#include "midi_writer.h"

#include <algorithm>
#include <cmath>

namespace {

void PutVarLen(std::string& out, uint32_t v) {
  // Seven bits per byte, most significant first, the high bit set on all but the last.
  uint8_t bytes[5];
  int n = 0;
  bytes[n++] = uint8_t(v & 0x7F);
  while ((v >>= 7) != 0) bytes[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n > 0) out += char(bytes[--n]);
}

void PutBigEndian(std::string& out, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += char((v >> (8 * i)) & 0xFF);
}

uint8_t Clamp7(int v) { return uint8_t(std::clamp(v, 0, 127)); }

}  // namespace

MidiTrack::MidiTrack(const std::string& name) {
  std::vector<uint8_t> b = {0xFF, 0x03};
  std::string text;
  PutVarLen(text, uint32_t(name.size()));
  b.insert(b.end(), text.begin(), text.end());
  b.insert(b.end(), name.begin(), name.end());
  Add(0, 1, b);
}

void MidiTrack::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  Events.push_back({tick, order, uint32_t(Events.size()), std::move(bytes)});
}

void MidiTrack::Tempo(uint32_t tick, double beatsPerMinute) {
  uint32_t usPerBeat = uint32_t(std::lround(60000000.0 / beatsPerMinute));
  Add(tick, 1, {0xFF, 0x51, 0x03, uint8_t(usPerBeat >> 16), uint8_t(usPerBeat >> 8), uint8_t(usPerBeat)});
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominator) {
  int power = 0;
  while ((1 << power) < denominator) ++power;
  Add(tick, 1, {0xFF, 0x58, 0x04, uint8_t(numerator), uint8_t(power), 24, 8});
}

void MidiTrack::Marker(uint32_t tick, const std::string& text) {
  std::vector<uint8_t> b = {0xFF, 0x06};
  std::string len;
  PutVarLen(len, uint32_t(text.size()));
  b.insert(b.end(), len.begin(), len.end());
  b.insert(b.end(), text.begin(), text.end());
  Add(tick, 1, b);
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
  Add(tick, 1, {uint8_t(0xC0 | (channel & 15)), Clamp7(program)});
}

void MidiTrack::Control(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 1, {uint8_t(0xB0 | (channel & 15)), Clamp7(controller), Clamp7(value)});
}

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity) {
  if (length == 0 || pitch < 0 || pitch > 127) return;
  Add(tick, 2, {uint8_t(0x90 | (channel & 15)), Clamp7(pitch), uint8_t(std::clamp(velocity, 1, 127))});
  Add(tick + length, 0, {uint8_t(0x80 | (channel & 15)), Clamp7(pitch), 64});
}

uint32_t MidiTrack::LastEventTick() const {
  uint32_t last = 0;
  for (const Event& e : Events) last = std::max(last, e.Tick);
  return last;
}

std::string MidiTrack::Chunk() const {
  std::vector<const Event*> sorted;
  for (const Event& e : Events) sorted.push_back(&e);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
    if (a->Tick != b->Tick) return a->Tick < b->Tick;
    if (a->Order != b->Order) return a->Order < b->Order;
    return a->Sequence < b->Sequence;
  });
  std::string body;
  uint32_t now = 0;
  for (const Event* e : sorted) {
    PutVarLen(body, e->Tick - now);
    now = e->Tick;
    body.append(e->Bytes.begin(), e->Bytes.end());
  }
  // End of track, never before the last event.
  PutVarLen(body, std::max(End, now) - now);
  body += "\xFF\x2F";
  body += '\0';
  std::string chunk = "MTrk";
  PutBigEndian(chunk, uint32_t(body.size()), 4);
  return chunk + body;
}

std::string MidiFile(const std::vector<MidiTrack>& tracks, int division) {
  std::string out = "MThd";
  PutBigEndian(out, 6, 4);
  PutBigEndian(out, 1, 2);  // format 1: tracks played together
  PutBigEndian(out, uint32_t(tracks.size()), 2);
  PutBigEndian(out, uint32_t(division), 2);
  for (const MidiTrack& t : tracks) out += t.Chunk();
  return out;
}
