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
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "composer.h"

namespace {

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
