// The composer's vocabulary: a song written as sections of chords, melodies and the parts that
// play them, the voices and drum grooves it is played with; and Compose, which turns a song into
// a Standard MIDI file. The game's songs themselves are written in music.cpp.
#pragma once

#include <string>
#include <vector>

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

inline Voice V(int channel, int program, int volume, int velocity, int octave = 0, int pan = 64, int reverb = 40) {
  return Voice{channel, program, volume, pan, reverb, velocity, octave};
}

// The song as a Standard MIDI file: a conductor track and a track for each part and the drums.
std::string Compose(const Song& s);
