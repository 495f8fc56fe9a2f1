// The generated sound effects and music: every file the game names lies beside the executable,
// loads through SDL_mixer and is sound rather than silence.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/audio.h"
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
