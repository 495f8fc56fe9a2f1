// Makes the game's twelve sound effects: each one synthesised from oscillators, noise, envelopes
// and filters, written as 16-bit mono WAV files at 44100 Hz.
//
// The peaks are a mix: explosions and hits sit around -5 dB so that several at once and the
// music under them leave the game's limiter little to do, the gun's report far below them.
//
//   zorvane_sound_effects OUTPUT_FOLDER
//
// Every sound comes out the same on every build: the noise is a fixed-seed generator.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2 * Pi;

using Wave = std::vector<double>;

// A small, fast noise source with a fixed seed per sound.
struct Noise {
  uint32_t State;
  explicit Noise(uint32_t seed) : State(seed ? seed : 1) {}
  double Next() {  // white noise in -1..1
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return double(State) / 2147483648.0 - 1.0;
  }
};

int Samples(double seconds) { return int(seconds * Rate); }

// Envelopes, all taking the time in seconds.
double ExpDecay(double t, double halfLife) { return std::pow(0.5, t / halfLife); }
double Attack(double t, double attack) { return t >= attack ? 1.0 : t / attack; }
// Straight-line fade to zero over the last `fade` seconds of a sound of length `len`.
double Tail(double t, double len, double fade) { return t <= len - fade ? 1.0 : std::max(0.0, (len - t) / fade); }

// A state-variable filter (Chamberlin form, run twice per sample for stability at high cut-offs).
struct Svf {
  double Low = 0, Band = 0, High = 0;
  void Run(double in, double cutoff, double q) {
    cutoff = std::clamp(cutoff, 20.0, Rate * 0.2);
    double f = 2 * std::sin(Pi * cutoff / (2.0 * Rate));
    double damp = 1.0 / q;
    for (int i = 0; i < 2; ++i) {
      Low += f * Band;
      High = in - Low - damp * Band;
      Band += f * High;
    }
  }
};

// One-pole low-pass, for rounding off noise.
struct OnePole {
  double Y = 0;
  double Run(double in, double cutoff) {
    double a = 1 - std::exp(-TwoPi * cutoff / Rate);
    Y += a * (in - Y);
    return Y;
  }
};

// An oscillator whose frequency may change every sample.
struct Osc {
  double Phase = 0;  // 0..1
  double Step(double freq) {
    double p = Phase;
    Phase += freq / Rate;
    Phase -= std::floor(Phase);
    return p;
  }
  double Sine(double freq) { return std::sin(TwoPi * Step(freq)); }
  double Saw(double freq) { return 2 * Step(freq) - 1; }
  double Square(double freq, double duty = 0.5) { return Step(freq) < duty ? 1.0 : -1.0; }
  double Triangle(double freq) {
    double p = Step(freq);
    return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
  }
};

// Soft clipping that adds grit to loud parts without hard edges.
double Drive(double x, double amount) { return std::tanh(x * amount) / std::tanh(amount); }

// A steep low-pass (four Butterworth sections, 48 dB an octave) for the hits and blasts: the
// noise and the soft clipping that give them their body also make hiss up to the top of the
// band, which sounds harsh over the music, whose own energy ends well below 8 kHz.
void LowPass(Wave& w, double cutoff) {
  constexpr double Qs[4] = {0.50980, 0.60134, 0.89998, 2.56292};
  const double k = std::tan(Pi * cutoff / Rate);
  for (double q : Qs) {
    const double norm = 1 / (1 + k / q + k * k);
    const double b0 = k * k * norm, b1 = 2 * b0, b2 = b0;
    const double a1 = 2 * (k * k - 1) * norm, a2 = (1 - k / q + k * k) * norm;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& s : w) {
      const double y = b0 * s + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = s, y2 = y1, y1 = y;
      s = y;
    }
  }
}
constexpr double SoftTop = 4500;  // Hz: the hits' and blasts' low-pass

// Scales the sound so its loudest sample reaches `peak`, with a 2 ms fade-in and fade-out so it
// never starts or stops with a click.
void Finish(Wave& w, double peak) {
  double most = 0;
  for (double s : w) most = std::max(most, std::abs(s));
  if (most > 0)
    for (double& s : w) s *= peak / most;
  int fade = std::min<int>(Samples(0.002), int(w.size()) / 2);
  for (int i = 0; i < fade; ++i) {
    double g = double(i) / fade;
    w[size_t(i)] *= g;
    w[w.size() - 1 - size_t(i)] *= g;
  }
}

// Explo0: a medium blast: a punchy low thump under a burst of noise whose filter closes as it fades.
Wave Explosion0() {
  const double len = 0.9;
  Wave w(size_t(Samples(len)));
  Noise n(0x1234567);
  Svf filter;
  Osc thump;
  OnePole rumble;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double cutoff = 5200 * std::exp(-t * 5.0) + 180;
    filter.Run(n.Next(), cutoff, 0.8);
    double body = filter.Low * ExpDecay(t, 0.16) * Attack(t, 0.003);
    double low = rumble.Run(n.Next(), 300) * 3.0 * ExpDecay(t, 0.28);
    double kick = thump.Sine(150 * std::exp(-t * 9) + 38) * ExpDecay(t, 0.09);
    w[i] = Drive(0.9 * body + 0.7 * low + 0.9 * kick, 2.0) * Tail(t, len, 0.2);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.5);
  return w;
}

// Explo1: the big blast: a deep, long rumble with a second burst just after the first and
// crackling debris scattered through the tail.
Wave Explosion1() {
  const double len = 1.6;
  Wave w(size_t(Samples(len)));
  Noise n(0x2badf00d), crackle(0x51ee7);
  Svf filter, second;
  Osc thump;
  OnePole rumble1, rumble2;
  double spark = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    filter.Run(n.Next(), 3000 * std::exp(-t * 3.0) + 90, 0.9);
    double first = filter.Low * ExpDecay(t, 0.3) * Attack(t, 0.004);
    double t2 = t - 0.11;
    double late = 0;
    if (t2 > 0) {
      second.Run(n.Next(), 1800 * std::exp(-t2 * 4.0) + 120, 1.4);
      late = second.Low * ExpDecay(t2, 0.25) * Attack(t2, 0.01);
    }
    double deep = rumble2.Run(rumble1.Run(n.Next(), 160), 110) * 9.0 * ExpDecay(t, 0.5);
    double kick = thump.Sine(95 * std::exp(-t * 6) + 30) * ExpDecay(t, 0.2);
    // Debris: rare sharp ticks that thin out as the blast dies.
    if (crackle.Next() > 1.0 - 0.0016 * ExpDecay(t, 0.5) - 0.0002) spark = 0.6 * (0.5 + 0.5 * crackle.Next());
    double tick = spark * n.Next();
    spark *= 0.992;
    w[i] = Drive(0.8 * first + 0.7 * late + 0.9 * deep + 1.0 * kick + 0.35 * tick, 2.5) * Tail(t, len, 0.4);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.56);
  return w;
}

// Explo2: a small, sharp pop: bright crackling noise through a resonant band that drops quickly,
// with a short snap at its start. It also marks the ship's end, so it keeps some body.
Wave Explosion2() {
  const double len = 0.7;
  Wave w(size_t(Samples(len)));
  Noise n(0xc0ffee), grain(0xbeef);
  Svf band;
  Osc snap;
  OnePole body;
  double hold = 0;
  int holdLeft = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    // Sample-and-hold noise gives the crackle its grain: coarser as the pop dies down.
    if (--holdLeft <= 0) {
      hold = grain.Next();
      holdLeft = 1 + int(t * 40);
    }
    band.Run(0.6 * hold + 0.4 * n.Next(), 2600 * std::exp(-t * 6.0) + 300, 2.2);
    double crack = band.Band * ExpDecay(t, 0.1) * Attack(t, 0.001);
    double thud = body.Run(n.Next(), 500) * 2.5 * ExpDecay(t, 0.15);
    double click = snap.Square(900 * std::exp(-t * 30) + 80) * ExpDecay(t, 0.015);
    w[i] = Drive(1.0 * crack + 0.6 * thud + 0.35 * click, 1.8) * Tail(t, len, 0.15);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.56);
  return w;
}

// Ehit: a player shot striking an enemy: a tiny metallic tick, quiet and short, since it sounds
// many times a second under heavy fire.
Wave HitTick() {
  const double len = 0.07;
  Wave w(size_t(Samples(len)));
  Noise n(0x7777);
  Osc a, b;
  Svf hp;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double ring = 0.6 * a.Square(2200 - t * 9000, 0.3) + 0.4 * b.Sine(3400);
    hp.Run(n.Next(), 4500, 0.7);
    w[i] = (ring * ExpDecay(t, 0.012) + 0.7 * hp.High * ExpDecay(t, 0.004)) * Tail(t, len, 0.01);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.28);
  return w;
}

// Shiphit: an enemy shot striking the ship: a heavier, gritty crunch with a falling buzz.
Wave ShipHit() {
  const double len = 0.32;
  Wave w(size_t(Samples(len)));
  Noise n(0x5eed5);
  Osc buzz, sub;
  Svf lp, nz;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double f = 320 * std::exp(-t * 7) + 70;
    lp.Run(buzz.Saw(f) + 0.5 * buzz.Saw(f * 1.01), 2400 * std::exp(-t * 8) + 300, 1.5);
    nz.Run(n.Next(), 1600, 0.9);
    double tone = lp.Low * ExpDecay(t, 0.08);
    double grit = nz.Band * ExpDecay(t, 0.035);
    double low = sub.Sine(f * 0.5) * ExpDecay(t, 0.1);
    w[i] = Drive(0.8 * tone + 0.9 * grit + 0.6 * low, 3.0) * Tail(t, len, 0.08);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.5);
  return w;
}

// HitEnemy: the ship ramming an enemy: a hull-on-hull thud with a metal clang and a scrape.
Wave Collision() {
  const double len = 0.55;
  Wave w(size_t(Samples(len)));
  Noise n(0xdeadbee);
  Osc thud, c1, c2, c3;
  Svf scrape;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double kick = thud.Sine(110 * std::exp(-t * 12) + 45) * ExpDecay(t, 0.07);
    // Inharmonic partials make the clang sound like a struck plate.
    double clang = (0.5 * c1.Sine(347) + 0.35 * c2.Sine(587) + 0.25 * c3.Sine(1021)) * ExpDecay(t, 0.09);
    scrape.Run(n.Next(), 900 + 600 * std::sin(TwoPi * 13 * t), 4.0);
    double grind = scrape.Band * ExpDecay(t, 0.12) * Attack(t, 0.02);
    w[i] = Drive(1.0 * kick + 0.6 * clang + 0.5 * grind, 2.2) * Tail(t, len, 0.12);
  }
  LowPass(w, SoftTop);
  Finish(w, 0.55);
  return w;
}

// A bell-like note (sine with a touch of its octave and fifth above), for the chimes below.
double Bell(Osc& o1, Osc& o2, Osc& o3, double f, double t) {
  return (o1.Sine(f) + 0.3 * o2.Sine(f * 2.0) + 0.12 * o3.Sine(f * 3.01)) * ExpDecay(t, 0.12) * Attack(t, 0.002);
}

// Collect: the pickup: a quick rising chime of three bright notes with a shimmer.
Wave PickupChime() {
  const double len = 0.5;
  const double notes[3] = {1318.5, 1760.0, 2637.0};  // E6, A6, E7
  const double starts[3] = {0.0, 0.06, 0.12};
  Wave w(size_t(Samples(len)));
  Osc o[3][3];
  Osc shimmer;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double s = 0;
    for (int k = 0; k < 3; ++k)
      if (t >= starts[k]) s += Bell(o[k][0], o[k][1], o[k][2], notes[k], t - starts[k]);
    s *= 1.0 + 0.15 * shimmer.Sine(22);
    w[i] = s * Tail(t, len, 0.1);
  }
  Finish(w, 0.5);
  return w;
}

// LevelSelect: the launch: a rising sweep of detuned saws through an opening filter, with a
// whoosh of noise that lifts off with it.
Wave LevelStartSweep() {
  const double len = 1.1;
  Wave w(size_t(Samples(len)));
  Noise n(0xa5a5a5);
  Osc s1, s2, s3;
  Svf lp, air;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double x = t / len;
    double f = 110 * std::pow(2.0, 3.2 * x * x + 0.6 * x);  // from A2 up about four octaves, speeding up
    double saws = s1.Saw(f) + s2.Saw(f * 1.007) + 0.6 * s3.Saw(f * 0.5);
    lp.Run(saws, 300 + 6000 * x, 2.5);
    air.Run(n.Next(), 500 + 7000 * x * x, 1.2);
    double env = Attack(t, 0.08) * Tail(t, len, 0.35);
    w[i] = (0.7 * lp.Low + 0.35 * air.Band) * env;
  }
  Finish(w, 0.5);
  return w;
}

// LevelUp: a purchase: a short brassy fanfare, C-E-G rising to a held high C over a chord.
Wave LevelUpFanfare() {
  const double len = 0.95;
  struct Note {
    double Start, Length, Freq;
  };
  const Note notes[] = {{0.0, 0.1, 523.25},  {0.1, 0.1, 659.25},  {0.2, 0.1, 783.99},
                        {0.3, 0.6, 1046.5},  {0.3, 0.6, 659.25},  {0.3, 0.6, 783.99}};
  Wave w(size_t(Samples(len)));
  Osc o[6][2];
  Svf f[6];
  Osc vibrato;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double s = 0;
    double vib = 1.0 + (t > 0.45 ? 0.006 * vibrato.Sine(6) : 0);
    for (int k = 0; k < 6; ++k) {
      double u = t - notes[k].Start;
      if (u < 0 || u > notes[k].Length) continue;
      // A square and a saw through a filter that opens on the note's attack: a small brass voice.
      double raw = 0.6 * o[k][0].Saw(notes[k].Freq * vib) + 0.4 * o[k][1].Square(notes[k].Freq * vib * 0.5);
      f[k].Run(raw, 900 + 3500 * ExpDecay(u, 0.06), 1.2);
      double env = Attack(u, 0.012) * Tail(u, notes[k].Length, 0.05) * (k >= 4 ? 0.55 : 1.0);
      s += f[k].Low * env;
    }
    w[i] = s;
  }
  Finish(w, 0.5);
  return w;
}

// Select: the menu click: a crisp two-layer tick with a tiny pitched blip.
Wave MenuClick() {
  const double len = 0.06;
  Wave w(size_t(Samples(len)));
  Noise n(0x31337);
  Osc blip;
  Svf band;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    band.Run(n.Next(), 3000, 3.0);
    double tick = band.Band * ExpDecay(t, 0.003);
    double tone = blip.Sine(t < 0.02 ? 1200 : 1800) * ExpDecay(t, 0.015);
    w[i] = (0.8 * tick + 0.6 * tone) * Tail(t, len, 0.01);
  }
  Finish(w, 0.4);
  return w;
}

// Fire: the player's guns, heard at every volley, up to thirty a second: a soft, low "tup" with a
// breath of air, over in 45 ms, quiet enough to sit under everything else.
Wave GunReport() {
  const double len = 0.045;
  Wave w(size_t(Samples(len)));
  Noise n(0xf12e);
  Osc body;
  Svf air;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double tone = body.Sine(560 * std::exp(-t * 45) + 170) * ExpDecay(t, 0.01) * Attack(t, 0.0015);
    air.Run(n.Next(), 2600, 0.9);
    double breath = air.Band * ExpDecay(t, 0.005);
    w[i] = (tone + 0.35 * breath) * Tail(t, len, 0.012);
  }
  Finish(w, 0.16);
  return w;
}

// Warning: life is low. Two soft, falling sine notes, quiet and round, so that heard every
// second and a half it nags without grating.
Wave LowLifeChime() {
  const double len = 0.42;
  Wave w(size_t(Samples(len)));
  Osc a1, a2, b1, b2;
  for (size_t i = 0; i < w.size(); ++i) {
    double t = double(i) / Rate;
    double first = (a1.Sine(987.8) + 0.2 * a2.Sine(1975.5)) * ExpDecay(t, 0.07) * Attack(t, 0.006);
    double t2 = t - 0.14;
    double second = t2 > 0 ? (b1.Sine(740.0) + 0.2 * b2.Sine(1480.0)) * ExpDecay(t2, 0.09) * Attack(t2, 0.006) : 0;
    w[i] = (first + second) * Tail(t, len, 0.08);
  }
  Finish(w, 0.22);
  return w;
}

void PutU32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}
void PutU16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}

// A canonical 44-byte-header PCM WAV, 16 bits, one channel.
bool WriteWav(const std::filesystem::path& path, const Wave& w) {
  std::string data;
  data.reserve(w.size() * 2);
  for (double s : w) {
    long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    PutU16(data, uint16_t(int16_t(v)));
  }
  std::string out = "RIFF";
  PutU32(out, uint32_t(36 + data.size()));
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, Rate);
  PutU32(out, Rate * 2);
  PutU16(out, 2);
  PutU16(out, 16);
  out += "data";
  PutU32(out, uint32_t(data.size()));
  out += data;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(out.data(), std::streamsize(out.size()));
  return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zorvane_sound_effects OUTPUT_FOLDER\n";
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::pair<const char*, std::function<Wave()>> sounds[] = {
      {"Explo0", Explosion0},          {"Explo1", Explosion1},     {"Explo2", Explosion2},
      {"Ehit", HitTick},               {"Shiphit", ShipHit},       {"HitEnemy", Collision},
      {"Collect", PickupChime},        {"LevelSelect", LevelStartSweep},
      {"LevelUp", LevelUpFanfare},     {"Select", MenuClick},      {"Fire", GunReport},
      {"Warning", LowLifeChime},
  };
  for (const auto& [name, make] : sounds) {
    std::filesystem::path path = folder / (std::string(name) + ".wav");
    if (!WriteWav(path, make())) {
      std::cerr << "zorvane_sound_effects: cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
