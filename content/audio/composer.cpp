// Compose: a song's sections turned into notes. Each section's chords give the bass, the pad and
// the arpeggio their pitches through the song's patterns; the melody and the counter-melody are
// written in scale degrees; the drums play the section's groove, with a fill in its last beat.
#include "composer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "midi_writer.h"

namespace {

constexpr int Ppq = 480;         // ticks per quarter note
constexpr int StepTicks = Ppq / 4;  // one sixteenth
constexpr int BarSteps = 16;

constexpr int DrumChannel = 9;

struct Chord {
  int Start = 0, Steps = 0;  // in sixteenths from the song's start
  int Root = 0;              // pitch class: semitones above the tonic
  std::vector<int> Tones;    // semitones above the root, ascending
};

struct Note {
  int Start = 0, Steps = 0;
  int Pitch = -1;  // -1: rest
};

[[noreturn]] void Fail(const std::string& song, const std::string& why) {
  std::cerr << "zorvane_music: " << song << ": " << why << "\n";
  std::exit(1);
}

// Whitespace-separated tokens; '|' marks bar lines for the reader and is skipped.
std::vector<std::string> Tokens(std::string text) {
  std::replace(text.begin(), text.end(), '|', ' ');
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string t; in >> t;) out.push_back(t);
  return out;
}

// Splits "TOKEN:N" into TOKEN and N (or the fallback when no ":N" is there).
std::pair<std::string, int> SplitLength(const std::string& token, int fallback) {
  size_t colon = token.find(':');
  if (colon == std::string::npos) return {token, fallback};
  return {token.substr(0, colon), std::stoi(token.substr(colon + 1))};
}

// "i", "VI", "V7", "iv", "iio", "IVsus4": a chord in the key, with the number of beats it lasts.
Chord ParseChord(const Song& s, const std::string& token, int start) {
  auto [name, beats] = SplitLength(token, 4);
  static const char* numerals[7] = {"vii", "iii", "vi", "iv", "ii", "v", "i"};
  static const int degrees[7] = {7, 3, 6, 4, 2, 5, 1};
  std::string lower;
  for (char c : name) lower += char(std::tolower(static_cast<unsigned char>(c)));
  for (int i = 0; i < 7; ++i) {
    std::string n = numerals[i];
    if (lower.compare(0, n.size(), n) != 0) continue;
    std::string suffix = name.substr(n.size());
    bool minor = std::islower(static_cast<unsigned char>(name[0]));
    Chord c;
    c.Start = start;
    c.Steps = beats * 4;
    c.Root = s.K.Degree(degrees[i]);
    if (suffix == "o")
      c.Tones = {0, 3, 6};
    else if (suffix == "sus4")
      c.Tones = {0, 5, 7};
    else
      c.Tones = {0, minor ? 3 : 4, 7};
    // A seventh: minor on minor chords and on the dominant, major on the other major chords.
    if (suffix == "7") c.Tones.push_back(minor || degrees[i] == 5 ? 10 : 11);
    if (!suffix.empty() && suffix != "o" && suffix != "sus4" && suffix != "7")
      Fail(s.Name, "unknown chord " + token);
    return c;
  }
  Fail(s.Name, "unknown chord " + token);
}

// "5", "#7", "3'", "1,", "r", each with an optional ":sixteenths" (else the previous length).
std::vector<Note> ParseMelody(const Song& s, const std::string& text, int start, int& length) {
  std::vector<Note> notes;
  int len = 4, at = start;
  for (const std::string& token : Tokens(text)) {
    auto [name, n] = SplitLength(token, len);
    len = n;
    Note note{at, n, -1};
    if (name != "r") {
      size_t i = 0;
      int shift = 0;
      if (name[i] == '#') shift = 1, ++i;
      else if (name[i] == 'b') shift = -1, ++i;
      if (i >= name.size() || name[i] < '1' || name[i] > '7') Fail(s.Name, "bad note " + token);
      int degree = name[i++] - '0';
      int octave = 0;
      for (; i < name.size(); ++i) {
        if (name[i] == '\'') ++octave;
        else if (name[i] == ',') --octave;
        else Fail(s.Name, "bad note " + token);
      }
      note.Pitch = s.K.Tonic + s.K.Degree(degree) + shift + 12 * octave;
    }
    notes.push_back(note);
    at += n;
  }
  length = at - start;
  return notes;
}

int PitchAtOrAbove(int pitchClass, int low) {
  int p = low + ((pitchClass - low) % 12 + 12) % 12;
  return p;
}

int StepVelocity(int base, int step) {
  // Downbeats a little stronger, the bar's first beat strongest.
  if (step % BarSteps == 0) return base + 10;
  if (step % 4 == 0) return base + 4;
  if (step % 2 == 1) return base - 8;
  return base;
}

void SetUp(MidiTrack& t, const Voice& v, double loudness) {
  t.Program(0, v.Channel, v.Program);
  t.Control(0, v.Channel, 7, int(v.Volume * loudness + 0.5));
  t.Control(0, v.Channel, 10, v.Pan);
  t.Control(0, v.Channel, 91, v.Reverb);
  t.Control(0, v.Channel, 93, 10);
}

void PlayLine(MidiTrack& t, const Voice& v, const std::vector<Note>& notes, bool doubled) {
  for (const Note& n : notes) {
    if (n.Pitch < 0) continue;
    // A hair shorter than written, so repeated notes are heard as two.
    uint32_t len = uint32_t(n.Steps * StepTicks - (n.Steps >= 2 ? 20 : 10));
    int vel = StepVelocity(v.Velocity, n.Start);
    t.Note(uint32_t(n.Start * StepTicks), len, v.Channel, n.Pitch + 12 * v.Octave, vel);
    if (doubled) t.Note(uint32_t(n.Start * StepTicks), len, v.Channel, n.Pitch + 12 * v.Octave + 12, vel - 20);
  }
}

// Walks a per-sixteenth pattern over a chord: each struck step lasts until the next step that
// is not '-'. `pick` gives the pitches for a pattern character (none for an unknown one).
template <typename Pick>
void PlayPattern(MidiTrack& t, const Voice& v, const std::string& pattern, const Chord& c, Pick pick) {
  if (pattern.empty()) return;
  for (int i = 0; i < c.Steps; ++i) {
    int step = c.Start + i;
    char ch = pattern[size_t(step) % pattern.size()];
    if (ch == '.' || ch == '-') continue;
    int len = 1;
    while (i + len < c.Steps && pattern[size_t(step + len) % pattern.size()] == '-') ++len;
    for (int p : pick(ch)) {
      uint32_t ticks = uint32_t(len * StepTicks - 10);
      t.Note(uint32_t(step * StepTicks), ticks, v.Channel, p + 12 * v.Octave, StepVelocity(v.Velocity, step));
    }
  }
}

std::vector<int> ChordTones(const Chord& c, int low) {
  int root = PitchAtOrAbove(c.Root, low);  // c.Root is a pitch class here
  std::vector<int> tones;
  for (int semis : c.Tones) tones.push_back(root + semis);
  return tones;
}
}  // namespace

std::string Compose(const Song& s) {
  MidiTrack conductor(s.Name), lead("Lead"), counter("Counter"), pad("Chords"), arp("Arpeggio"),
      bass("Bass"), drums("Drums");
  conductor.Tempo(0, s.Tempo);
  conductor.TimeSignature(0, 4, 4);
  SetUp(lead, s.Lead, s.Loudness);
  SetUp(counter, s.Counter, s.Loudness);
  SetUp(pad, s.Pad, s.Loudness);
  SetUp(arp, s.Arp, s.Loudness);
  SetUp(bass, s.Bass, s.Loudness);
  drums.Control(0, DrumChannel, 7, int(s.DrumVolume * s.Loudness + 0.5));
  drums.Control(0, DrumChannel, 91, 30);

  const int tonicClass = s.K.Tonic % 12;
  int at = 0;
  for (size_t si = 0; si < s.Sections.size(); ++si) {
    const Section& sec = s.Sections[si];
    conductor.Marker(uint32_t(at * StepTicks), "Section " + std::to_string(si + 1));
    std::vector<Chord> chords;
    int length = 0;
    for (const std::string& token : Tokens(sec.Chords)) {
      chords.push_back(ParseChord(s, token, at + length));
      length += chords.back().Steps;
    }
    auto has = [&](char part) { return sec.Parts.find(part) != std::string::npos; };
    for (auto [part, text, voice, track] :
         {std::tuple{'L', &sec.Melody, &s.Lead, &lead}, std::tuple{'C', &sec.Counter, &s.Counter, &counter}}) {
      if (!has(part)) continue;
      int melodyLength = 0;
      auto notes = ParseMelody(s, *text, at, melodyLength);
      if (melodyLength != length)
        Fail(s.Name, "section " + std::to_string(si + 1) + ": line of " + std::to_string(melodyLength) +
                         " sixteenths over chords of " + std::to_string(length));
      PlayLine(*track, *voice, notes, part == 'L' && sec.LeadDoubled);
    }
    for (const Chord& c : chords) {
      int rootClass = (tonicClass + c.Root) % 12;
      Chord abs = c;
      abs.Root = rootClass;
      if (has('P')) {
        std::vector<int> voicing;
        if (s.PowerChords) {
          int r = PitchAtOrAbove(rootClass, s.PadLow);
          voicing = {r, r + 7, r + 12};
        } else {
          // Close position: every chord tone in the octave above PadLow.
          for (int semis : c.Tones) voicing.push_back(PitchAtOrAbove(rootClass + semis, s.PadLow));
        }
        if (s.PadRhythm.empty()) {
          for (int p : voicing)
            pad.Note(uint32_t(c.Start * StepTicks), uint32_t(c.Steps * StepTicks - 10), s.Pad.Channel,
                     p + 12 * s.Pad.Octave, s.Pad.Velocity);
        } else {
          PlayPattern(pad, s.Pad, s.PadRhythm, c, [&](char) { return voicing; });
        }
      }
      if (has('A')) {
        std::vector<int> tones = ChordTones(abs, s.ArpLow);
        for (int semis : c.Tones) tones.push_back(tones[0] + semis + 12);
        PlayPattern(arp, s.Arp, s.ArpPattern, c, [&](char ch) {
          size_t i = size_t(ch - '0');
          return i < tones.size() ? std::vector<int>{tones[i]} : std::vector<int>{};
        });
      }
      if (has('B')) {
        int root = PitchAtOrAbove(rootClass, s.BassLow);
        PlayPattern(bass, s.Bass, s.BassPattern, c, [&](char ch) {
          switch (ch) {
            case 'R': return std::vector<int>{root};
            case '5': return std::vector<int>{root + c.Tones[2]};
            case '3': return std::vector<int>{root + c.Tones[1]};
            case 'O': return std::vector<int>{root + 12};
            case '7': return std::vector<int>{root + (c.Tones.size() > 3 ? c.Tones[3] : 10)};
            default: return std::vector<int>{};
          }
        });
      }
    }
    if (sec.Groove >= 0) {
      const Groove& g = s.Grooves[size_t(sec.Groove)];
      bool nextHasDrums = si + 1 < s.Sections.size() ? s.Sections[si + 1].Groove >= 0 : s.Loops;
      bool fill = sec.Fill && nextHasDrums && length >= BarSteps;
      for (int i = 0; i < length; ++i) {
        int step = at + i;
        if (fill && i >= length - 4) {
          // Four sixteenths down the toms into the next section.
          static const int toms[4] = {HighTom, HighTom, MidTom, LowTom};
          drums.Note(uint32_t(step * StepTicks), StepTicks, DrumChannel, toms[i - (length - 4)], 96 + 6 * (i % 2));
          if (i == length - 4) drums.Note(uint32_t(step * StepTicks), StepTicks, DrumChannel, Kick, 100);
          continue;
        }
        for (const DrumLine& line : g) {
          char ch = line.Steps[size_t(i) % line.Steps.size()];
          int vel = ch == 'X' ? 120 : ch == 'x' ? 98 : ch == 'o' ? 62 : 0;
          // A drummer never hits twice alike: a small, fixed wobble in strength.
          if (vel) vel += (step * 7919 + line.Note * 31) % 9 - 4;
          if (vel) drums.Note(uint32_t(step * StepTicks), StepTicks, DrumChannel, line.Note, vel);
        }
      }
      if (s.Crashes) drums.Note(uint32_t(at * StepTicks), Ppq * 2, DrumChannel, Crash, 100);
    }
    at += length;
  }
  uint32_t end = uint32_t(at * StepTicks + s.TailBeats * Ppq);
  std::vector<MidiTrack> tracks;
  for (MidiTrack* t : {&conductor, &lead, &counter, &pad, &arp, &bass, &drums}) {
    if (t->LastEventTick() > end) Fail(s.Name, "a note sounds past the song's end");
    t->EndAt(end);
    tracks.push_back(*t);
  }
  return MidiFile(tracks, Ppq);
}
