// The generated sound effects and music: every file the game names lies beside the executable,
// loads through SDL_mixer and is sound rather than silence; and the game itself, run with SDL's
// disk audio driver, is heard with sound and music on and is silent with both off. The effect
// bus that mixes the effects over the music never lets a pile-up reach full scale.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "platform/audio.h"
#include "platform/effect_bus.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

const std::filesystem::path GameFolder = std::filesystem::path(ZORVANE_EXE).parent_path();

// SDL_mixer opened on the dummy driver, which mixes nothing out but loads and converts as usual.
struct Mixer {
  bool Up = false;
  Mixer() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    Mix_Init(MIX_INIT_MID);
    // The soundfont the game uses when SDL_mixer knows of none.
    if (std::filesystem::is_regular_file("/usr/share/sounds/sf2/TimGM6mb.sf2") && !std::getenv("SDL_SOUNDFONTS"))
      Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
    Up = Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0;
  }
  ~Mixer() {
    if (Up) Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
};

// What a Standard MIDI File holds, read back byte by byte.
struct MidiSummary {
  std::string Error;  // empty when the file is well formed
  int Format = -1, Division = 0;
  std::vector<uint32_t> TrackEnds;  // tick of each track's end-of-track event
  double Seconds = 0;               // the longest track, at the file's tempo
  std::set<int> Channels;           // channels that sound notes
  int Notes = 0, HangingNotes = 0;  // note-ons; note-ons never switched off before the end
};

MidiSummary ReadMidi(const std::string& d) {
  MidiSummary m;
  size_t i = 0;
  auto need = [&](size_t n) { return i + n <= d.size(); };
  auto be = [&](size_t at, int n) {
    uint32_t v = 0;
    for (int k = 0; k < n; ++k) v = v << 8 | uint8_t(d[at + size_t(k)]);
    return v;
  };
  auto varLen = [&](size_t end) {
    uint32_t v = 0;
    for (int k = 0; k < 4 && i < end; ++k) {
      uint8_t b = uint8_t(d[i++]);
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    m.Error = "bad variable-length number";
    return v;
  };
  if (!need(14) || d.compare(0, 4, "MThd") != 0 || be(4, 4) != 6) return m.Error = "no header", m;
  m.Format = int(be(8, 2));
  uint32_t tracks = be(10, 2);
  m.Division = int(be(12, 2));
  i = 14;
  uint32_t usPerBeat = 500000;
  for (uint32_t t = 0; t < tracks; ++t) {
    if (!need(8) || d.compare(i, 4, "MTrk") != 0) return m.Error = "track " + std::to_string(t) + " missing", m;
    size_t end = i + 8 + be(i + 4, 4);
    if (end > d.size()) return m.Error = "track runs past the file", m;
    i += 8;
    uint32_t tick = 0;
    uint8_t status = 0;
    bool ended = false;
    std::map<int, int> sounding;  // channel * 128 + pitch -> count
    while (i < end && m.Error.empty()) {
      if (ended) return m.Error = "events after end of track", m;
      tick += varLen(end);
      if (i >= end) break;
      if (uint8_t(d[i]) & 0x80) status = uint8_t(d[i++]);
      if (status == 0xFF) {
        uint8_t type = uint8_t(d[i++]);
        uint32_t len = varLen(end);
        if (type == 0x51 && len == 3) usPerBeat = be(i, 3);
        if (type == 0x2F) ended = true, m.TrackEnds.push_back(tick);
        i += len;
      } else if (status == 0xF0 || status == 0xF7) {
        i += varLen(end);
      } else {
        int kind = status >> 4, ch = status & 15;
        int data = (kind == 0xC || kind == 0xD) ? 1 : 2;
        if (i + size_t(data) > end) break;
        int key = ch * 128 + uint8_t(d[i]);
        if (kind == 0x9 && uint8_t(d[i + 1]) > 0) ++sounding[key], ++m.Notes, m.Channels.insert(ch);
        else if (kind == 0x8 || kind == 0x9) --sounding[key];
        i += size_t(data);
      }
    }
    if (!ended || i != end) return m.Error = "track " + std::to_string(t) + " lacks its end", m;
    for (auto [key, count] : sounding) m.HangingNotes += std::max(count, 0);
  }
  if (m.TrackEnds.size() != tracks) return m.Error = "track count", m;
  uint32_t last = *std::max_element(m.TrackEnds.begin(), m.TrackEnds.end());
  m.Seconds = double(last) / m.Division * usPerBeat / 1e6;
  return m;
}

}  // namespace

TEST(AudioContent, EveryMusicTrackIsAWellFormedGeneralMidiSongOfItsLength) {
  Mixer mixer;
  ASSERT_TRUE(mixer.Up) << Mix_GetError();
  for (std::string name : {"Menu", "0", "1", "2", "3", "Win", "Death"}) {
    std::filesystem::path path = GameFolder / "Music" / (name + ".mid");
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    MidiSummary m = ReadMidi(ReadFile(path.string()));
    ASSERT_EQ(m.Error, "") << name;
    EXPECT_EQ(m.Format, 1) << name;
    EXPECT_GE(m.TrackEnds.size(), 3u) << name;
    EXPECT_EQ(m.HangingNotes, 0) << name;
    EXPECT_GT(m.Notes, 30) << name;
    bool loops = name != "Win" && name != "Death";
    if (loops) {
      // A loop of half a minute to a minute and a half, every part ending on the same tick so
      // the song comes round in time, and drums on the General MIDI drum channel.
      EXPECT_GE(m.Seconds, 30) << name;
      EXPECT_LE(m.Seconds, 90) << name;
      EXPECT_EQ(std::set<uint32_t>(m.TrackEnds.begin(), m.TrackEnds.end()).size(), 1u) << name;
      EXPECT_EQ(m.TrackEnds[0] % uint32_t(m.Division * 4), 0u) << name << " ends mid-bar";
      EXPECT_TRUE(m.Channels.count(9)) << name;
    } else {
      EXPECT_GE(m.Seconds, 4) << name;
      EXPECT_LE(m.Seconds, 25) << name;
    }
    EXPECT_GE(m.Channels.size(), 3u) << name;
    Mix_Music* music = Mix_LoadMUS(path.string().c_str());
    ASSERT_NE(music, nullptr) << path << ": " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MID) << name;
    Mix_FreeMusic(music);
  }
}

TEST(AudioContent, EverySoundEffectLoadsAndIsAShortAudibleSound) {
  Mixer mixer;
  ASSERT_TRUE(mixer.Up) << Mix_GetError();
  for (const char* name : SoundNames) {
    std::filesystem::path path = GameFolder / "Sound" / (std::string(name) + ".wav");
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    Mix_Chunk* chunk = Mix_LoadWAV(path.string().c_str());
    ASSERT_NE(chunk, nullptr) << path << ": " << Mix_GetError();
    // The chunk is in the device's format: 16-bit stereo at 44100 Hz.
    const auto* s = reinterpret_cast<const int16_t*>(chunk->abuf);
    size_t count = chunk->alen / 2;
    double seconds = double(count) / 2 / 44100;
    double sum = 0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
      sum += double(s[i]) * s[i];
      peak = std::max(peak, std::abs(int(s[i])));
    }
    double rms = std::sqrt(sum / double(count)) / 32768;
    EXPECT_GT(seconds, 0.03) << name;
    EXPECT_LT(seconds, 2.5) << name;
    EXPECT_GT(rms, 0.02) << name;
    EXPECT_LT(peak, 32767) << name << " clips";
    // No click at either end: the first and last samples are near silence.
    EXPECT_LT(std::abs(int(s[0])), 400) << name;
    EXPECT_LT(std::abs(int(s[count - 1])), 400) << name;
    Mix_FreeChunk(chunk);
  }
}

// The real game for under two seconds in a window (on the dummy video driver), its audio
// written by SDL's disk driver. The pointer clicks a menu tab twice (a click sound when sound
// is on), then starts level 1 (the launch sound and a level theme) and fires. Three runs at
// once: sound and music on, sound only, both off.
TEST(AudioContent, TheGameIsHeardWithSoundOrMusicOnAndSilentWithBothOff) {
  TempDir tmp;
  WriteFile(tmp.File("clicks.txt"),
            "0 mouse 500 115\n10 lbutton\n30 lbutton\n40 mouse 50 110\n45 lbutton\n46-99 key X\n");
  struct Run {
    bool Sound, Music;
    std::string Name;
  };
  const Run runs[3] = {{true, true, "both"}, {true, false, "sound"}, {false, false, "off"}};
  std::string command = "(";
  for (const Run& r : runs) {
    ProgressBlock p = NewPlayerProgress();
    p.SoundOn = r.Sound;
    p.MusicOn = r.Music;
    SaveBlock bytes = EncodeProgress(p);
    WriteFile(tmp.File(r.Name + ".gsv"), std::string(bytes.begin(), bytes.end()));
    // The disk driver writes each buffer after waiting as long as the buffer lasts, so the file
    // grows at the pace of real playback.
    command += " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE='" + tmp.File(r.Name + ".raw") +
               "' '" + ZORVANE_EXE + "' --windowed --frames 100 --input '" + tmp.File("clicks.txt") +
               "' --save-file '" + tmp.File(r.Name + ".gsv") + "' --dump-state '" + tmp.File(r.Name + ".json") + "' >'" + tmp.File(r.Name + ".log") + "' 2>&1 &";
  }
  command += " wait)";
  ASSERT_EQ(std::system(command.c_str()), 0);

  for (const Run& r : runs) {
    auto state = nlohmann::json::parse(ReadFile(tmp.File(r.Name + ".json")));
    ASSERT_FALSE(state["InMenu"]) << r.Name << ": level 1 did not start";
    EXPECT_EQ(state["Music"]["playing"], r.Music) << r.Name;
    // 16-bit stereo samples at 44100 Hz, as the game opens the device.
    std::string raw = ReadFile(tmp.File(r.Name + ".raw"));
    const auto* s = reinterpret_cast<const int16_t*>(raw.data());
    size_t count = raw.size() / 2;
    ASSERT_GT(count, size_t(44100 * 2)) << r.Name << ": less than a second of output\n"
                                        << ReadFile(tmp.File(r.Name + ".log"));
    double sum = 0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
      sum += double(s[i]) * s[i];
      peak = std::max(peak, std::abs(int(s[i])));
    }
    double rms = std::sqrt(sum / double(count)) / 32768;
    if (r.Music) EXPECT_GT(rms, 0.005) << r.Name;        // the menu theme, then a level theme
    else if (r.Sound) EXPECT_GT(rms, 0.0005) << r.Name;  // clicks and the launch in silence
    else EXPECT_EQ(peak, 0) << r.Name;                    // not a single sample off zero
  }
}

// The effect bus: every slot started at once at full scale over loud, lifted music comes out
// limited below the ceiling (and still loud); a lone quiet sound passes untouched, only late by
// the look-ahead; a slot started again restarts instead of sounding twice; and the gun's slot
// lets a start that comes too soon after the last one go by.
TEST(EffectBus, APileUpStaysBelowTheCeilingAndAQuietSoundPassesUntouched) {
  const int frames = 44100, block = 2048, late = EffectBus::Lookahead;
  std::vector<int16_t> loud(2 * frames), quiet(2 * frames), stream(2 * block);
  for (int i = 0; i < frames; ++i) {
    loud[size_t(2 * i)] = loud[size_t(2 * i + 1)] = int16_t((i / 50) % 2 ? 32000 : -32000);
    quiet[size_t(2 * i)] = quiet[size_t(2 * i + 1)] = int16_t(3000 * std::sin(i * 0.05));
  }
  EffectBus pile;
  pile.MusicGain = 3.16f;
  for (int slot = 0; slot < EffectBus::Slots; ++slot) {
    pile.SetSound(slot, loud.data(), frames, 1.0f);
    pile.Start(slot);
  }
  int peak = 0;
  for (int b = 0; b < 8; ++b) {
    for (int i = 0; i < block; ++i) stream[size_t(2 * i)] = stream[size_t(2 * i + 1)] = int16_t(20000 * std::sin(i * 0.01));
    pile.Mix(stream.data(), block);
    for (int16_t v : stream) peak = std::max(peak, std::abs(int(v)));
  }
  EXPECT_LE(peak, int(EffectBus::Ceiling * 32767) + 1);
  EXPECT_GT(peak, 26000) << "limited, not silenced";

  EffectBus bus;
  bus.SetSound(SoundEhit, quiet.data(), frames, 1.0f);
  bus.SetSound(SoundFire, quiet.data(), frames, 1.0f, 3 * block);
  // What comes out, block by block, compared with the quiet sound from `from` on.
  auto playsFrom = [&](int from) {
    std::fill(stream.begin(), stream.end(), int16_t(0));
    bus.Mix(stream.data(), block);
    int off = 0;
    for (int i = late; i < block; ++i) off += std::abs(stream[size_t(2 * i)] - quiet[size_t(2 * (from + i - late))]) > 1;
    return off;
  };
  bus.Start(SoundEhit);
  EXPECT_EQ(playsFrom(0), 0);
  EXPECT_EQ(playsFrom(block), 0);
  bus.Start(SoundEhit);
  EXPECT_EQ(playsFrom(0), 0) << "restarted from its beginning, once";
  bus.SetSound(SoundEhit, nullptr, 0, 0);
  bus.Start(SoundFire);
  EXPECT_EQ(playsFrom(0), 0);
  bus.Start(SoundFire);
  EXPECT_EQ(playsFrom(block), 0) << "too soon: the gun's sound plays on";
}
