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

#include "world/sound.h"
#include "platform/effect_bus.h"
#include "platform/sdl/midi_player.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

const std::filesystem::path GameFolder = std::filesystem::path(ZorvaneExe()).parent_path();

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

}  // namespace

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
               "' '" + ZorvaneExe() + "' --windowed --frames 100 --input '" + tmp.File("clicks.txt") +
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

// The synthesiser works ahead of the device: however the device asks for the music, a frame at a
// time or several pieces at once, it hears the same music without a frame lost or doubled; a
// pause holds the music where it was, and a stop silences it at once.
TEST(Music, TheDeviceHearsTheSameMusicHoweverItAsksForIt) {
  const std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2", track = (GameFolder / "Music" / "0.mid").string();
  if (!std::filesystem::is_regular_file(font)) GTEST_SKIP() << "no soundfont";
  MidiPlayer steady, uneven;
  std::string error;
  for (MidiPlayer* m : {&steady, &uneven}) {
    ASSERT_TRUE(m->Open(font, 44100, error)) << error;
    ASSERT_TRUE(m->Load(track, error)) << error;
    m->SetVolume(1);
    m->Play(true);
  }
  const int total = 3 * MidiPlayer::AheadFrames + 1000;
  std::vector<int16_t> a(size_t(2 * total)), b(size_t(2 * total), 1);
  for (int at = 0; at < total; at += 1024) steady.Render(&a[size_t(2 * at)], std::min(1024, total - at));
  const int asks[] = {1, 700, MidiPlayer::AheadFrames, 5000, 3, 333};
  std::vector<int16_t> paused(2048, 1);
  for (int at = 0, i = 0; at < total; ++i) {
    const int n = std::min(asks[i % 6], total - at);
    uneven.Render(&b[size_t(2 * at)], n);
    at += n;
    if (i == 3) {  // a pause between two pieces of the device's asking
      uneven.SetPaused(true);
      uneven.Render(paused.data(), 1024);
      uneven.SetPaused(false);
    }
  }
  EXPECT_TRUE(a == b);
  EXPECT_EQ(std::count(paused.begin(), paused.end(), 0), 2048);
  double sum = 0;
  for (int16_t v : a) sum += double(v) * v;
  EXPECT_GT(std::sqrt(sum / double(a.size())), 300.0);  // music, not silence
  uneven.Stop();
  uneven.Render(paused.data(), 1024);
  EXPECT_EQ(std::count(paused.begin(), paused.end(), 0), 2048);
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

  // The spacing holds to the frame: one block after a start, a sound spaced one block apart starts
  // again and one spaced a frame more plays on.
  for (int spacing : {block, block + 1}) {
    EffectBus gun;
    gun.SetSound(SoundFire, quiet.data(), frames, 1.0f, spacing);
    for (int start = 0; start < 2; ++start) {
      gun.Start(SoundFire);
      std::fill(stream.begin(), stream.end(), int16_t(0));
      gun.Mix(stream.data(), block);
    }
    const int from = spacing == block ? 0 : block;
    int off = 0;
    for (int i = late; i < block; ++i) off += std::abs(stream[size_t(2 * i)] - quiet[size_t(2 * (from + i - late))]) > 1;
    EXPECT_EQ(off, 0) << "spacing " << spacing;
  }
}
