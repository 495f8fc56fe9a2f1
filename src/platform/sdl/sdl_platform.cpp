// The SDL platform: bringing it up and down, the clock, and the test look-ups.
#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "platform/data_folders.h"
#include "platform/sdl/sdl_platform_impl.h"

std::unique_ptr<Platform> CreateSdlPlatform(const PlatformOptions& options) {
  auto p = std::make_unique<SdlPlatform>(options);
  if (!p->Usable()) return nullptr;
  return p;
}

SdlPlatform::SdlPlatform(const PlatformOptions& options)
    : Options(options), DataFolders(DataSearchPath(options.DataFolder)) {
  // The game turns SIGINT and SIGTERM into "save and quit" itself, headless too.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  InstallSignalHandlers();

  // The back buffer lives between guard rows in one block of memory, so a stray write
  // past its first or last row cannot go unnoticed in tests.
  BufferMemory.assign(size_t(800) * (600 + 2 * GuardRows), 0xA5A5A5A5u);
  uint32_t* first = BufferMemory.data() + size_t(800) * GuardRows;
  std::fill(first, first + 800 * 600, 0u);
  CellDigest.assign(size_t(CellRows) * CellColumns, 0);  // black, but no drawing: never taken for a cleared cell
  HeldDigest = CellDigest;
  CellsUnsent.assign(CellRows, 0);
  OwnBuffer = BackBuffer = SDL_CreateRGBSurfaceWithFormatFrom(first, 800, 600, 32, 800 * 4, SDL_PIXELFORMAT_RGB888);
  if (!BackBuffer) {
    std::cerr << "zorvane2: cannot make the back buffer: " << SDL_GetError() << "\n";
    Usable_ = false;
    return;
  }

  if (TTF_Init() == 0) {
    TtfUp = true;
    OpenFont();
  } else {
    std::cerr << "zorvane2: the text renderer did not start (" << TTF_GetError() << "); no text will be shown\n";
  }

  if (Options.Headless) return;

  // The game reads keys, never typed text, so X's table of compose sequences, thousands of
  // lines read at every start (about 15 ms in a UTF-8 locale), is no use to it.
  if (!SDL_getenv("XCOMPOSEFILE")) SDL_setenv("XCOMPOSEFILE", "/dev/null", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0 || SDL_GetNumVideoDisplays() < 1) {
    std::cerr << "zorvane2: no display to open a window on (" << SDL_GetError()
              << "); use --headless to run without one\n";
    Usable_ = false;
    return;
  }
  VideoUp = true;
  // SDL falls back to an invisible display when it finds no real one; that is no display to
  // play on, unless it was asked for by name (as tests do).
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) && !(asked && *asked)) {
    std::cerr << "zorvane2: no display to open a window on; use --headless to run without one\n";
    Usable_ = false;
    return;
  }
  FullScreen = !Options.Windowed;
  FrameLog = SDL_getenv("ZORVANE_FRAME_LOG");
  if (FrameLog && *FrameLog) FrameTimes.reserve(1 << 16);
  else FrameLog = nullptr;
  if (!OpenWindow()) {
    Usable_ = false;
    return;
  }
  Pads_.Start();
  OpenAudio();
  // The player's effects volume, 0..100, over the game's own.
  if (AudioUp) Bus.EffectsGain = float(std::clamp(Options.EffectsVolume, 0, 100)) / 100.f;
}

SdlPlatform::~SdlPlatform() {
  if (FrameLog) {
    if (FILE* f = std::fopen(FrameLog, "w")) {
      for (long long t : FrameTimes) std::fprintf(f, "%lld\n", t);
      std::fclose(f);
    }
  }
  ReportMissingSounds();
  CloseAudio();
  Pads_.Stop();
  CloseWindow();
  for (SDL_Surface*& s : SheetSurfaces) {
    SDL_FreeSurface(s);
    s = nullptr;
  }
  ClearTextCache();
  if (Font) TTF_CloseFont(Font);
  if (TtfUp) TTF_Quit();
  SDL_FreeSurface(OwnBuffer);
  if (VideoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  RestoreSignalHandlers();
}

int32_t SdlPlatform::TickCount() {
  if (Options.Headless) return HeadlessTicks;
  // Milliseconds in 32 bits, wrapping after about 49.7 days; the play clock subtracts modulo 2^32.
  // Time spent paused is left out, so the play clock stands still with the game.
  Uint64 now = Paused ? PausedSince : SDL_GetTicks64();
  return static_cast<int32_t>(static_cast<uint32_t>(now - PausedTicks));
}

void SdlPlatform::BeginFrame(long long frameNumber) {
  ReportMissingSounds();
  LastFrame = frameNumber;
  if (Options.Headless) {
    // Frame n is read at floor(n * 1000 / 60) ms, paused frames left out; wraps after 2^32 ms
    // like the real clock.
    HeadlessTicks = static_cast<int32_t>(static_cast<uint32_t>((frameNumber - PausedFrames) * 1000 / 60));
    return;
  }
  PumpEvents();
}

void SdlPlatform::SetPaused(bool paused) {
  if (paused == Paused) return;
  Paused = paused;
  // Sound and music hold their breath with the game.
  if (AudioUp) {
    if (paused) {
      Mix_Pause(-1);
      Midi.SetPaused(true);
      if (MixerDevice) SDL_PauseAudioDevice(MixerDevice, 1);
    } else {
      if (MixerDevice) SDL_PauseAudioDevice(MixerDevice, 0);
      Mix_Resume(-1);
      Midi.SetPaused(false);
    }
  }
  if (paused) {
    PausedSince = SDL_GetTicks64();
    PausedFromFrame = LastFrame;
    return;
  }
  PausedTicks += SDL_GetTicks64() - PausedSince;
  PausedFrames += LastFrame - PausedFromFrame;
  if (Options.Headless) BeginFrame(LastFrame);
  LimiterBase = 0;  // pacing starts afresh
}

bool SdlPlatform::GetWindowPlace(WindowPlace& place) {
  if (!Window) return false;
  place = LastWindow;
  place.FullScreen = FullScreen;
  return true;
}

long SdlPlatform::PixelAt(int x, int y) const {
  if (!BackBuffer || x < 0 || y < 0 || x >= 800 || y >= 600) return -1;
  const_cast<SdlPlatform*>(this)->Realise();
  uint32_t p = reinterpret_cast<const uint32_t*>(static_cast<const Uint8*>(BackBuffer->pixels) + y * BackBuffer->pitch)[x];
  Uint8 r, g, b;
  SDL_GetRGB(p, BackBuffer->format, &r, &g, &b);
  return long(r) << 16 | long(g) << 8 | long(b);
}

long SdlPlatform::SheetPixelAt(int sheet, int x, int y) const {
  if (sheet < 0 || sheet >= SheetCount || !SheetSurfaces[sheet]) return -1;
  SDL_Surface* s = SheetSurfaces[sheet];
  if (x < 0 || y < 0 || x >= s->w || y >= s->h) return -1;
  if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
  uint32_t p = *reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * 4);
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  Uint8 r, g, b;
  SDL_GetRGB(p, s->format, &r, &g, &b);
  return long(r) << 16 | long(g) << 8 | long(b);
}

void SdlPlatform::SheetSize(int sheet, int& width, int& height) const {
  width = height = 0;
  if (sheet < 0 || sheet >= SheetCount || !SheetSurfaces[sheet]) return;
  width = SheetSurfaces[sheet]->w;
  height = SheetSurfaces[sheet]->h;
}

const uint32_t* SdlPlatform::RawPixels() const {
  auto* self = const_cast<SdlPlatform*>(this);
  self->Realise();
  if (BackBuffer->pitch == 800 * 4) return static_cast<const uint32_t*>(BackBuffer->pixels);
  self->GaplessCopy.resize(size_t(800) * 600);
  for (int y = 0; y < 600; ++y)
    std::memcpy(&self->GaplessCopy[size_t(y) * 800], static_cast<const Uint8*>(BackBuffer->pixels) + y * BackBuffer->pitch,
                800 * 4);
  return self->GaplessCopy.data();
}

bool SdlPlatform::GuardRowsUntouched() const {
  const_cast<SdlPlatform*>(this)->Realise();
  const size_t guard = size_t(800) * GuardRows;
  for (size_t i = 0; i < guard; ++i)
    if (BufferMemory[i] != 0xA5A5A5A5u || BufferMemory[BufferMemory.size() - 1 - i] != 0xA5A5A5A5u) return false;
  return true;
}
