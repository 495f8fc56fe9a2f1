// Composes the game's seven music tracks and writes them as General MIDI files:
//   Menu      a calm theme for the menus and the shop
//   0 .. 3    four driving themes for play, each in its own key and tempo
//   Win       a victory fanfare for a finished level (plays once)
//   Death     a short lament when the ship is lost (plays once)
//
//   zorvane_music OUTPUT_FOLDER
//
// A song is written as sections: a chord per bar (or per given number of beats), a hand-written
// melody in scale degrees, and which parts play. Bass, chords, arpeggios and drums follow each
// song's own patterns over the chords. Menu and level themes end exactly where they began, so
// the loop comes round on the beat.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// General MIDI drum notes.
enum Drum {
  Kick = 36,
  SideStick = 37,
  Snare = 38,
  Clap = 39,
  ClosedHat = 42,
  PedalHat = 44,
  OpenHat = 46,
  LowTom = 45,
  MidTom = 47,
  HighTom = 50,
  Crash = 49,
  Ride = 51,
  Tambourine = 54,
};

struct Key {
  int Tonic = 60;  // MIDI pitch of the key note around the middle of the keyboard
  bool Minor = false;
  int Degree(int d) const {  // semitones of scale degree d (1..7) above the tonic
    static const int minor[7] = {0, 2, 3, 5, 7, 8, 10};
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
    return (Minor ? minor : major)[(d - 1) % 7];
  }
};

struct Chord {
  int Start = 0, Steps = 0;  // in sixteenths from the song's start
  int Root = 0;              // pitch class: semitones above the tonic
  std::vector<int> Tones;    // semitones above the root, ascending
};

struct Note {
  int Start = 0, Steps = 0;
  int Pitch = -1;  // -1: rest
};

// A part's sound: channel, General MIDI program and mix.
struct Voice {
  int Channel = 0;
  int Program = 0;
  int Volume = 100;
  int Pan = 64;
  int Reverb = 40;
  int Velocity = 90;
  int Octave = 0;  // transposition in octaves from the written pitch
};

struct DrumLine {
  int Note;
  std::string Steps;  // per sixteenth: 'X' loud, 'x' normal, 'o' soft, '.' silent
};
using Groove = std::vector<DrumLine>;

struct Section {
  std::string Chords;   // "i VI:2 VII:2": one bar each unless ":beats" follows
  std::string Melody;   // scale degrees: "5:2 1':4 #7:4 r:8"
  std::string Counter;  // a second line, same notation
  std::string Parts;    // letters: L lead, C counter, P pad, A arpeggio, B bass
  int Groove = -1;      // drum groove, -1 for none
  bool LeadDoubled = false;  // the lead an octave higher as well
  bool Fill = true;          // a drum fill in its last beat
};

struct Song {
  std::string Name;
  double Tempo = 120;
  Key K{60, false};
  bool Loops = true;
  int TailBeats = 0;  // for a tune played once: time after the last note for it to ring out
  Voice Lead, Counter, Pad, Arp, Bass;
  int DrumVolume = 100;
  double Loudness = 1.0;       // scales every channel's volume
  bool Crashes = true;         // a cymbal crash at the start of each section with drums
  int PadLow = 55;             // the chord voicing lies from here up an octave
  std::string PadRhythm;       // "" to hold each chord, else 'x' strike, '-' hold, '.' rest
  bool PowerChords = false;    // pad plays root, fifth and octave only
  std::string ArpPattern;      // chord tone index per sixteenth ('0'..'5'), '-' hold, '.' rest
  int ArpLow = 60;
  std::string BassPattern;     // 'R' root, '5' fifth, 'O' octave, '3' third, '7' seventh, '-', '.'
  int BassLow = 36;
  std::vector<Groove> Grooves;
  std::vector<Section> Sections;
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

// Instrument numbers of General MIDI (counted from 0).
enum Program {
  ElectricPiano = 4,
  Vibraphone = 11,
  OverdrivenGuitar = 29,
  FingerBass = 33,
  PickBass = 34,
  FretlessBass = 35,
  SynthBass1 = 38,
  SynthBass2 = 39,
  Cello = 42,
  Pizzicato = 45,
  Harp = 46,
  Timpani = 47,
  Strings = 48,
  SlowStrings = 49,
  SynthStrings1 = 50,
  SynthStrings2 = 51,
  ChoirAahs = 52,
  Trumpet = 56,
  Trombone = 57,
  Tuba = 58,
  FrenchHorn = 60,
  BrassSection = 61,
  SynthBrass1 = 62,
  SynthBrass2 = 63,
  Oboe = 68,
  Clarinet = 71,
  Flute = 73,
  SquareLead = 80,
  SawLead = 81,
  BassAndLead = 87,
  WarmPad = 89,
  SweepPad = 95,
};

Voice V(int channel, int program, int volume, int velocity, int octave = 0, int pan = 64, int reverb = 40) {
  return Voice{channel, program, volume, pan, reverb, velocity, octave};
}

// The menus: D major, unhurried; flute over a warm pad and a harp, brushed drums.
Song Menu() {
  Song s;
  s.Name = "Menu";
  s.Tempo = 84;
  // The game lifts all music by 10 dB over its volume: the menu a little softer, so it sits
  // about as loud as a level's theme.
  s.Loudness = 0.82;
  s.K = {62, false};
  s.Lead = V(0, Flute, 100, 84, 1, 70, 60);
  s.Counter = V(1, Vibraphone, 82, 70, 1, 40, 60);
  s.Pad = V(2, WarmPad, 78, 64, 0, 64, 70);
  s.Arp = V(3, Harp, 80, 70, 0, 90, 50);
  s.Bass = V(4, FretlessBass, 84, 84);
  s.DrumVolume = 80;
  s.Crashes = false;
  s.PadLow = 57;
  s.ArpPattern = "0.1.2.3.4.3.2.1.";
  s.ArpLow = 62;
  s.BassPattern = "R-------5---R---";
  s.BassLow = 38;
  s.Grooves = {
      {{Kick, "o.......o......."}, {SideStick, "....o.......o..."}, {Ride, "o.o.o.o.o.o.o.o."}},
  };
  s.Sections = {
      {"I IV I V", "", "", "PAB", -1},
      {"I vi IV V I vi ii V",
       "3:4 5:4 3:2 2:2 1:4 | 3:4 2:2 1:2 6,:8 | 4:4 5:4 6:4 1':4 | 7:6 6:2 5:8 |"
       "3:4 5:4 1':6 7:2 | 6:8 5:4 3:4 | 4:4 3:4 2:4 6,:4 | 2:12 r:4",
       "", "LPAB", 0, false, false},
      {"IV V iii vi IV V I I",
       "1':4 7:4 6:4 5:4 | 5:6 6:2 7:8 | 1':4 7:2 6:2 5:4 3:4 | 6:12 r:4 |"
       "4:4 6:4 1':4 2':4 | 3':8 2':4 7:4 | 1':16 | r:16",
       "r:16 | r:16 | r:8 3:8 | 1:8 6,:8 | r:16 | r:8 5:8 | 3:4 5:4 1':8 | 7:4 5:4 3:4 2:4", "LCPAB", 0, false, false},
      {"vi IV ii V", "", "3:8 1:8 | 6,:16 | 4:8 6:8 | 5:16", "CPAB", 0, false, false},
  };
  return s;
}

// Level theme 0: E minor at 138, saw lead over synth strings and a pumping synth bass.
Song Level0() {
  Song s;
  s.Name = "0";
  s.Tempo = 138;
  s.K = {64, true};
  s.Lead = V(0, SawLead, 92, 92, 0, 64, 40);
  s.Counter = V(1, SynthBrass1, 90, 88, 0, 50, 50);
  s.Pad = V(2, SynthStrings1, 72, 70, 0, 64, 60);
  s.Arp = V(3, SquareLead, 64, 70, 0, 90, 30);
  s.Bass = V(4, SynthBass1, 104, 96);
  s.DrumVolume = 110;
  s.PadLow = 55;
  s.ArpPattern = "0121012101210121";
  s.ArpLow = 64;
  s.BassPattern = "R.RRR.RRR.RRR.5O";
  s.BassLow = 28;
  s.Grooves = {
      {{Kick, "x...x...x...x..."}, {ClosedHat, "o.x.o.x.o.x.o.x."}},
      {{Kick, "x.....x.x.......", }, {Snare, "....x.......x..."}, {ClosedHat, "x.x.x.x.x.x.x.xo"},
       {OpenHat, "..............x."}},
      {{Kick, "x.......x.x....."}, {Snare, "........x......."}, {Ride, "x.o.x.o.x.o.x.o."}},
  };
  const std::string a =
      "5:2 5:2 1':4 7:2 5:2 3:4 | 6:4 5:2 3:2 1:8 | 3:2 5:2 1':2 2':2 3':4 2':4 | 1':4 7:4 5:4 2:4 |"
      "5:2 5:2 1':4 7:2 5:2 3':4 | 2':4 1':2 7:2 6:8 | 6:2 1':2 3':4 2':2 1':2 6:4 | #7:4 2':4 #7:4 5:4";
  s.Sections = {
      {"i i VI VII", "", "", "AB", 0},
      {"i VI III VII i VI iv V", a, "", "LPAB", 1},
      {"VI VII i i VI VII V V",
       "3':6 2':2 1':4 5:4 | 2':6 1':2 7:8 | 1':4 5:4 3:4 5:4 | 1':12 r:4 |"
       "3':6 4':2 3':4 1':4 | 2':6 3':2 2':4 7:4 | #7:4 1':4 2':4 #7:4 | 2':8 #7:8",
       "", "LPAB", 1},
      {"i VI III VII i VI iv V", a, "", "LPAB", 1, true},
      {"iv i iv i VI VII V V", "", "1':8 6:8 | 5:16 | 6:8 1':8 | 5:16 | 3':8 2':8 | 1':8 7:8 | #7:16 | 2':16",
       "CPAB", 2},
  };
  return s;
}

// Level theme 1: A minor at 152, a square lead over crunching guitar eighths and a pick bass.
Song Level1() {
  Song s;
  s.Name = "1";
  s.Tempo = 152;
  s.K = {57, true};
  // The game plays this theme 7 dB louder than the other three; mixed that much softer, all four
  // come out about equally loud.
  s.Loudness = 0.6;
  s.Lead = V(0, SquareLead, 120, 96, 0, 64, 40);
  s.Counter = V(1, Strings, 80, 84, 1, 44, 60);
  s.Pad = V(2, OverdrivenGuitar, 110, 90, 0, 84, 30);
  s.Arp = V(3, ElectricPiano, 70, 70, 0, 40, 40);
  s.Bass = V(4, PickBass, 108, 98);
  s.DrumVolume = 112;
  s.PadLow = 45;
  s.PowerChords = true;
  s.PadRhythm = "x-x-x-x-x-x-x-x.";
  s.ArpPattern = "0.2.1.2.0.2.1.2.";
  s.ArpLow = 57;
  s.BassPattern = "R.R.R.R.R.R.5.R.";
  s.BassLow = 33;
  s.Grooves = {
      {{Kick, "x.......x......."}, {ClosedHat, "x.x.x.x.x.x.x.x."}},
      {{Kick, "x.x...x.x.x...x."}, {Snare, "....x.......x..."}, {ClosedHat, "x.x.x.x.x.x.x.x."}},
      {{Kick, "x.......x......."}, {Snare, "....x.......x..."}, {Ride, "x.x.x.x.x.x.x.x."}, {Tambourine, "..x...x...x...x."}},
  };
  const std::string a =
      "1':2 r:2 1':2 7:2 1':4 5:4 | 7:2 r:2 7:2 6:2 7:4 2:4 | 6:4 1':4 3':4 1':4 | 2':6 1':2 7:8 |"
      "3':2 r:2 3':2 2':2 1':4 5:4 | 2':2 r:2 2':2 1':2 7:4 5:4 | 6:4 1':4 4':4 3':4 | 2':8 #7:8";
  s.Sections = {
      {"i VII VI VII", "", "", "PB", 0},
      {"i VII VI VII i VII VI V", a, "", "LPB", 1},
      {"iv i iv i VI III V V",
       "4':8 3':4 2':4 | 1':12 5:4 | 4':4 6':4 5':4 4':4 | 3':12 r:4 |"
       "3':4 4':4 5':4 6':4 | 5':8 3':8 | #7:4 1':4 2':4 3':4 | 2':4 1':4 #7:8",
       "", "LPAB", 1},
      {"i VII VI VII i VII VI V", a, "", "LPAB", 1, true},
      {"VI VII i i VI VII V V", "", "1':8 3':8 | 2':16 | 1':8 5:8 | 1':16 | 3':8 4':8 | 4':16 | 2':8 #7:8 | 5:16",
       "CAB", 2},
  };
  return s;
}

// Level theme 2: C minor at 124, heavy and half-time: brass over strings, pizzicato and timpani-like toms.
Song Level2() {
  Song s;
  s.Name = "2";
  s.Tempo = 124;
  s.K = {60, true};
  s.Lead = V(0, BrassSection, 115, 110, 0, 64, 50);
  s.Counter = V(1, FrenchHorn, 100, 92, 0, 44, 60);
  s.Pad = V(2, Strings, 52, 70, 0, 64, 60);
  s.Arp = V(3, Pizzicato, 92, 86, 0, 88, 40);
  s.Bass = V(4, SynthBass2, 104, 100);
  s.DrumVolume = 112;
  s.PadLow = 53;
  s.ArpPattern = "0.2.1.2.0.2.1.2.";
  s.ArpLow = 60;
  s.BassPattern = "R..R..R.R..R..5.";
  s.BassLow = 36;
  s.Grooves = {
      {{Kick, "x.....x...x....."}, {ClosedHat, "x.o.x.o.x.o.x.o."}},
      {{Kick, "x.....x...x....."}, {Snare, "........x......."}, {ClosedHat, "x.o.x.o.x.o.x.o."},
       {OpenHat, "..............o."}},
      {{Kick, "x.......x......."}, {LowTom, "......x.......x."}, {Snare, "........x......."}, {Ride, "x...x...x...x..."}},
  };
  const std::string a =
      "1:6 5,:2 1:4 3:4 | 4:6 3:2 4:4 6:4 | 7:6 6:2 5:4 4:4 | 3:12 r:4 |"
      "1':6 7:2 6:4 1':4 | 6:6 5:2 4:4 6:4 | 5:4 #7:4 2':4 #7:4 | 5:12 r:4";
  s.Sections = {
      {"i i VI V", "", "", "AB", 0},
      {"i iv VII III VI iv V V", a, "", "LPAB", 1},
      {"VI III VII i iv i V V",
       "3':6 2':2 1':8 | 7:6 1':2 7:8 | 2':4 1':4 7:4 6:4 | 5:16 |"
       "6:4 1':4 4':8 | 3':6 2':2 1':8 | 2':4 #7:4 5:4 #7:4 | 2':12 r:4",
       "", "LPAB", 1},
      {"i iv VII III VI iv V V", a, "", "LPAB", 1, true},
      {"iv iv i i VI VI V V", "", "1':16 | 6:16 | 5:16 | 3':16 | 1':16 | 3':16 | 2':16 | #7:16", "CPAB", 2},
  };
  return s;
}

// Level theme 3: F sharp minor at 162, the fastest: four on the floor, sixteenth arpeggios.
Song Level3() {
  Song s;
  s.Name = "3";
  s.Tempo = 162;
  s.K = {66, true};
  s.Lead = V(0, BassAndLead, 106, 96, 0, 64, 40);
  s.Counter = V(1, SynthBrass2, 92, 88, 0, 40, 50);
  s.Pad = V(2, SynthStrings2, 70, 70, -1, 64, 60);
  s.Arp = V(3, SquareLead, 60, 72, 0, 96, 40);
  s.Bass = V(4, SynthBass1, 106, 98);
  s.DrumVolume = 112;
  s.PadLow = 54 + 12;
  s.ArpPattern = "0120312031203120";
  s.ArpLow = 66;
  s.BassPattern = "R.O.R.O.R.O.R.O.";
  s.BassLow = 30;
  s.Grooves = {
      {{Kick, "x...x...x...x..."}, {ClosedHat, "o.o.o.o.o.o.o.o."}},
      {{Kick, "x...x...x...x..."}, {Clap, "....x.......x..."}, {ClosedHat, "ox.xox.xox.xox.x"},
       {OpenHat, "..o...o...o...o."}},
      {{Kick, "x...x...x...x..."}, {Snare, "....x.......x..x"}, {Ride, "x.x.x.x.x.x.x.x."}},
  };
  const std::string a =
      "5:3 5:3 5:2 6:4 5:4 | 3:3 3:3 3:2 4:4 3:4 | 1':3 1':3 1':2 2':4 3':4 | 2':8 7:8 |"
      "5:3 5:3 5:2 6:4 1':4 | 3':3 3':3 2':2 1':4 6:4 | 5:4 1':4 3':4 5':4 | #7:8 5:8";
  s.Sections = {
      {"i VI III VII", "", "", "AB", 0},
      {"i VI III VII i VI III V", a, "", "LPAB", 1},
      {"VI VII i i VI VII III V",
       "6:4 1':4 3':8 | 2':4 1':4 7:8 | 1':4 5:4 3:4 5:4 | 1':16 |"
       "3':4 4':4 6':8 | 5':4 4':4 2':8 | 3':4 1':4 5:8 | #7:8 2':8",
       "", "LPAB", 1},
      {"i VI III VII i VI III V", a, "", "LPAB", 1, true},
      {"iv iv VI VI iv iv V V", "", "4:8 6:8 | 1':16 | 3':8 6:8 | 1':16 | 4':8 6':8 | 5':8 4':8 | #7:8 5':8 | 2':16",
       "CPAB", 2},
  };
  return s;
}

// A finished level: a brass fanfare in C major, played once, ending on a held chord.
Song Win() {
  Song s;
  s.Name = "Win";
  s.Tempo = 116;
  s.K = {60, false};
  // The game plays this one at full volume and lifts all music by 10 dB: much softer here keeps
  // its loudest chord clear of the limiter.
  s.Loudness = 0.45;
  s.Loops = false;
  s.TailBeats = 2;
  s.Lead = V(0, Trumpet, 110, 104, 1, 64, 50);
  s.Counter = V(1, FrenchHorn, 82, 90, 0, 44, 50);
  s.Pad = V(2, BrassSection, 104, 84, 0, 84, 50);
  s.Arp = V(3, Timpani, 110, 100, 0, 64, 40);
  s.Bass = V(4, Tuba, 104, 96);
  s.DrumVolume = 100;
  s.PadLow = 55;
  s.PadRhythm = "x-----x-x-------";
  s.ArpPattern = "0...0...0...0.00";
  s.ArpLow = 43;
  s.BassPattern = "R-------5---R---";
  s.BassLow = 36;
  s.Grooves = {{{Snare, "x.o.x.o.x.o.xoxo"}, {Kick, "x.......x......."}}, {{Kick, "x..............."}}};
  s.Sections = {
      {"I IV V I IV:2 V:2", "5,:2 1:2 3:2 5:10 | 6:4 5:2 4:2 6:8 | 5:4 4:2 3:2 2:8 | 3:2 5:2 1':12 | 6:4 1':4 7:4 2':4",
       "3,:2 5,:2 1:2 3:10 | 4:4 3:2 1:2 4:8 | 2:4 7,:4 5,:8 | 1:4 3:4 5:8 | 4:8 5:8", "LCPAB", 0, false, true},
      // The final chord: held, with the timpani and a cymbal underneath.
      {"I", "1':16", "5:16", "LCPA", 1},
  };
  return s;
}

// The ship lost: a lament in D minor, slow strings and an oboe falling to the key note.
Song Death() {
  Song s;
  s.Name = "Death";
  s.Tempo = 76;
  s.K = {62, true};
  // Played 5 dB down and lifted 10 dB by the game's mix: softer here, a lament not a blast.
  s.Loudness = 0.63;
  s.Loops = false;
  s.TailBeats = 2;
  s.Lead = V(0, Oboe, 110, 90, 0, 64, 70);
  s.Counter = V(1, Cello, 84, 80, -1, 44, 70);
  s.Pad = V(2, SlowStrings, 86, 70, 0, 64, 80);
  s.Arp = V(3, ChoirAahs, 60, 60, 0, 84, 80);
  s.Bass = V(4, Strings, 60, 76);
  s.PadLow = 53;
  s.ArpPattern = "0---------------";
  s.ArpLow = 62;
  s.BassPattern = "R---------------";
  s.BassLow = 38;
  s.Sections = {
      {"i iv VI V", "5:8 4:4 3:4 | 4:8 3:4 2:4 | 3:6 2:2 1:8 | 2:8 #7,:8", "1:16 | 6,:8 4,:8 | 6,:16 | #7,:8 2:8",
       "LCPB", -1},
      {"i", "1:16", "1:16", "LCPAB", -1},
  };
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zorvane_music OUTPUT_FOLDER\n";
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const Song& song : {Menu(), Level0(), Level1(), Level2(), Level3(), Win(), Death()}) {
    std::string bytes = Compose(song);
    std::filesystem::path path = folder / (song.Name + ".mid");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) {
      std::cerr << "zorvane_music: cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
