#include "platform/sdl/sdl_platform.h"

#include <cstring>
#include <iostream>

#include "platform/sdl/music_player.h"
#include "platform/sdl/png_file.h"

std::unique_ptr<Platform> CreateSdlPlatform(const PlatformOptions& options) {
  auto p = std::make_unique<SdlPlatform>(options);
  if (!p->Usable()) return nullptr;
  return p;
}

SdlPlatform::SdlPlatform(const PlatformOptions& options)
    : Files(options.DataFolder), Window_(options), Input_(Window_, options.Keys) {
  // The game turns SIGINT and SIGTERM into "save and quit" itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
#ifdef _WIN32
  // The executable's manifest makes it aware of each monitor's scaling, so full screen uses every
  // pixel; a window is then sized in the desktop's scaled units, so an 800 x 600 window is as
  // large on a 200 % screen as on a 100 % one, and drawn at the screen's own resolution.
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_SCALING, "1");
#endif
  // The game reads keys, never typed text, so X's table of compose sequences, thousands of
  // lines read at every start (about 15 ms in a UTF-8 locale), is no use to it.
  if (!SDL_getenv("XCOMPOSEFILE")) SDL_setenv("XCOMPOSEFILE", "/dev/null", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0 || SDL_GetNumVideoDisplays() < 1) {
    std::cerr << "zorvane2: no display to open a window on (" << SDL_GetError()
              << "); use --headless to run without one\n";
    Usable_ = false;
    return;
  }
  Video.Up = true;
  // SDL falls back to an invisible display when it finds no real one; that is no display to
  // play on, unless it was asked for by name (as tests do).
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) && !(asked && *asked)) {
    std::cerr << "zorvane2: no display to open a window on; use --headless to run without one\n";
    Usable_ = false;
    return;
  }
  if (!Window_.Open()) {
    Usable_ = false;
    return;
  }
  Input_.UpdateMouseMode();
  Input_.Start();
  Audio.emplace(Files, options.EffectsVolume, options.MusicVolume);
}

SdlPlatform::~SdlPlatform() {
  Files.ReportMissing();
  Audio.reset();
}

void SdlPlatform::LoadSound(int slot, const std::string& name) {
  if (Audio) Audio->LoadSound(slot, name);
  else Files.Sound(name);
}
void SdlPlatform::PlaySound(int slot) {
  if (Audio) Audio->PlaySound(slot);
}
void SdlPlatform::LoadMusic(const std::string& name) {
  if (Audio) Audio->LoadMusic(name);
  else Files.Music(name, MusicFileExtension);
}
void SdlPlatform::PlayMusic() {
  if (Audio) Audio->PlayMusic();
}
void SdlPlatform::StopMusic() {
  if (Audio) Audio->StopMusic();
}
void SdlPlatform::SetMusicVolume(int hundredthsOfDb) {
  if (Audio) Audio->SetMusicVolume(hundredthsOfDb);
}

int32_t SdlPlatform::TickCount() {
  // Milliseconds in 32 bits, wrapping after about 49.7 days; the play clock subtracts modulo 2^32.
  // Time spent paused is left out, so the play clock stands still with the game.
  const Uint64 now = Paused ? PausedSince : SDL_GetTicks64();
  return static_cast<int32_t>(static_cast<uint32_t>(now - PausedTicks));
}

void SdlPlatform::BeginFrame(long long) {
  Files.ReportMissing();
  if (!Video.Up) return;
  // Paused, or out of sight, the game waits for something to happen instead of drawing frames.
  WindowRequests asked = Input_.Pump(Paused || Window_.Away());
  for (const SDL_WindowEvent& e : asked.Events) {
    Window_.HandleEvent(e, Paused);
    Input_.WindowChanged(e);
  }
  if (asked.ToggleFullScreen) {
    Window_.ToggleFullScreen();
    Input_.UpdateMouseMode();
  }
  if (asked.Screenshot) Window_.WantScreenshot();
}

bool SdlPlatform::SaveScreenshot(const std::string& path, Renderer& screen) {
  screen.Finish();
  std::string why;
  return WritePng(path, screen.Pixels(), Renderer::Width, Renderer::Height, why);
}

void SdlPlatform::SetPaused(bool paused) {
  if (paused == Paused) return;
  Paused = paused;
  if (Audio) Audio->SetPaused(paused);
  if (paused) {
    PausedSince = SDL_GetTicks64();
    return;
  }
  PausedTicks += SDL_GetTicks64() - PausedSince;
  Window_.RestartPacing();
}

bool SdlPlatform::GetWindowPlace(WindowPlace& place) {
  if (!Window_.Handle()) return false;
  place = Window_.Place();
  return true;
}
