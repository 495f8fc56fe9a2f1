// The display: window and presentation at 60 frames a second, the sheets, and the
// back-buffer calls (copies, text, box, clear, screenshot).
#include <SDL_image.h>

#include <time.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iostream>

#include "core/sheets.h"
#include "platform/resources.h"
#include "platform/shade.h"
#include "platform/sdl/crisp_text.h"
#include "platform/sdl/sdl_platform_impl.h"

namespace {

// Used when the game carries no font of its own.
constexpr const char* FallbackFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// Fills pixels with one value; black (and any value of four equal bytes) goes through
// memset, which is several times quicker than a loop of single stores.
void FillPixels(Uint32* from, Uint32* to, Uint32 value) {
  if (to <= from) return;
  const Uint8 byte = Uint8(value);
  if (value == byte * 0x01010101u) std::memset(from, byte, size_t(to - from) * sizeof(Uint32));
  else std::fill(from, to, value);
}

// Changed cells go to the display as rectangles over bands of rows; rectangles this few rows
// apart are one.
constexpr int BandGap = 8;

// Digests of what is drawn: a well-mixed 64-bit hash, so two different drawings (or histories
// of a cell) agree by chance about once in 2^64.
uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}
uint64_t Digest(std::initializer_list<uint64_t> parts) {
  uint64_t d = 0x9E3779B97F4A7C15ull;
  for (uint64_t p : parts) d = Mix(d ^ p) + 0x9E3779B97F4A7C15ull;
  return d;
}
// Asks for bytes that will soon be read (or written), a cache line at a time.
inline void Prefetch(const void* at, int bytes, bool forWriting) {
#if defined(__GNUC__)
  const char* p = static_cast<const char*>(at);
  for (int b = 0; b < bytes; b += 64) {
    if (forWriting) __builtin_prefetch(p + b, 1);
    else __builtin_prefetch(p + b, 0);
  }
#else
  (void)at, (void)bytes, (void)forWriting;
#endif
}

// A cleared cell.
constexpr uint64_t ClearedCell = 0x2545F4914F6CDD1Dull;
// What pixels of unknown history are taken to hold: no drawing's digest.
constexpr uint64_t UnknownCell = 0x8F1BBCDC6ED9EBA1ull;
enum DrawingKind : uint64_t { KeyedRows = 1, SheetCopy, ScaledCopy, Box, Text, Shade };

}  // namespace

// ---- Window and presentation ------------------------------------------------------------

bool SdlPlatform::OpenWindow() {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (FullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  LastWindow.Width = std::max(Options.WindowWidth, 400);
  LastWindow.Height = std::max(Options.WindowHeight, 300);
  LastWindow.X = Options.WindowX;
  LastWindow.Y = Options.WindowY;
  const int x = LastWindow.X < 0 ? int(SDL_WINDOWPOS_CENTERED) : LastWindow.X;
  const int y = LastWindow.Y < 0 ? int(SDL_WINDOWPOS_CENTERED) : LastWindow.Y;
  // Without a GPU the window's pixels are plain memory shown by the display server; SDL
  // must not route them through a software OpenGL.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  Window = SDL_CreateWindow("Zorvane 2", x, y, LastWindow.Width, LastWindow.Height, flags);
  if (!Window) {
    std::cerr << "zorvane2: cannot open a window (" << SDL_GetError() << "); use --headless to run without one\n";
    return false;
  }
  SDL_SetWindowMinimumSize(Window, 400, 300);
  // The cheapest renderer that keeps 60 frames: a GPU's, but where OpenGL is only a software
  // rasteriser (or there is no GPU at all) SDL's software renderer, which copies the picture
  // straight into the window. SDL_RENDER_DRIVER chooses by hand.
  const char* chosen = SDL_getenv("SDL_RENDER_DRIVER");
  if (!(chosen && *chosen) && !SoftwareGl()) {
    Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_ACCELERATED);
    SDL_RendererInfo info{};
    if (Renderer && SDL_GetRendererInfo(Renderer, &info) == 0 && std::strncmp(info.name, "opengl", 6) == 0 &&
        SoftwareGl()) {
      SDL_DestroyRenderer(Renderer);
      Renderer = nullptr;
    }
  }
  if (!Renderer && chosen && *chosen) Renderer = SDL_CreateRenderer(Window, -1, 0);
  if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
  if (!Renderer) {
    std::cerr << "zorvane2: cannot draw into the window (" << SDL_GetError() << ")\n";
    return false;
  }
  SDL_RendererInfo info{};
  PresentName = SDL_GetRendererInfo(Renderer, &info) == 0 ? info.name : "";
  // The 800 x 600 picture is scaled to the window with its aspect kept; the rest is black.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_RenderSetLogicalSize(Renderer, 800, 600);
  Screen = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 800, 600);
  if (!Screen) {
    std::cerr << "zorvane2: cannot make the screen texture (" << SDL_GetError() << ")\n";
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);  // the game draws its own pointer
  UpdateMouseMode();
  ChoosePacing();
  return true;
}

// True when OpenGL here is a software rasteriser: no GPU device node at all, or, once an
// OpenGL renderer exists, a driver that says it draws in software.
bool SdlPlatform::SoftwareGl() {
  if (!Renderer) {
    std::error_code ec;
    for (const auto& node : std::filesystem::directory_iterator("/dev/dri", ec))
      if (node.path().filename().string().rfind("renderD", 0) == 0 || node.path().filename().string().rfind("card", 0) == 0)
        return false;
    return true;
  }
  using GetString = const unsigned char* (*)(unsigned);
  auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = glGetString ? glGetString(0x1F01 /* GL_RENDERER */) : nullptr;
  if (!name) return false;
  std::string text(reinterpret_cast<const char*>(name));
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  for (const char* soft : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "lavapipe"})
    if (text.find(soft) != std::string::npos) return true;
  return false;
}

void SdlPlatform::CloseWindow() {
  DropWindowView();
  if (Screen) SDL_DestroyTexture(Screen);
  if (Renderer) SDL_DestroyRenderer(Renderer);
  if (Window) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_DestroyWindow(Window);
  }
  Screen = nullptr;
  Renderer = nullptr;
  Window = nullptr;
}

void SdlPlatform::ToggleFullScreen() {
  if (!Window) return;
  bool wasFullScreen = FullScreen;
  DropWindowView();
  if (SDL_SetWindowFullscreen(Window, wasFullScreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
  FullScreen = !wasFullScreen;
  UpdateMouseMode();
  ChoosePacing();
}

// Sixty game frames a second on every display: the display's vertical sync paces us when it
// runs at 60 Hz, a frame limiter on the performance counter otherwise.
void SdlPlatform::ChoosePacing() {
  if (!Renderer) return;
  bool want = false;
  SDL_DisplayMode mode;
  int display = SDL_GetWindowDisplayIndex(Window);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) want = mode.refresh_rate == 60;
  want = want && std::strcmp(PresentName, "software") != 0;  // software presentation never waits for vsync
  VSync = want && SDL_RenderSetVSync(Renderer, 1) == 0;
  if (!VSync) SDL_RenderSetVSync(Renderer, 0);
  LimiterBase = 0;
  ClearFrames = 2;
  VSyncCheckStart = 0;
  VSyncCheckFrames = 0;
}

// Sleeps until the next frame is due: an absolute deadline on the monotonic clock, so the
// process does nothing at all while it waits and the wake-up is late by microseconds only.
void SdlPlatform::WaitForNextFrame() {
  auto nanos = [] {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
  };
  long long now = nanos();
  // Frame k is due at base + k / 60 s, so rounding never builds up. After a stall (or on
  // the first frame) the count starts afresh rather than racing to catch up.
  long long due = LimiterBase + (LimiterFrames + 1) * 1000000000LL / 60;
  if (LimiterBase == 0 || now > due + 100000000LL) {
    LimiterBase = now;
    LimiterFrames = 0;
    return;
  }
  timespec until{time_t(due / 1000000000LL), long(due % 1000000000LL)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
  ++LimiterFrames;
}

// Shows the finished frame (or, while paused, the last one again). Without a GPU the window's
// own pixels are plain memory the display server reads when told to: when the picture fits the
// window unscaled, the frame is drawn straight into them, and only the cells drawn afresh are
// sent; otherwise it is drawn into the back buffer and copied over (scaled), and only the
// picture's rectangle is sent. The black bars beside it stay black once cleared after the
// window was made or resized. A GPU gets the screen texture, cleared and drawn afresh each time
// (its buffers come back undefined).
void SdlPlatform::ShowScreen() {
  SDL_Surface* target = std::strcmp(PresentName, "software") == 0 ? SDL_GetWindowSurface(Window) : nullptr;
  if (!target) {
    DropWindowView();
    Realise();
    SDL_UpdateTexture(Screen, nullptr, BackBuffer->pixels, BackBuffer->pitch);
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Screen, nullptr, nullptr);
    SDL_RenderPresent(Renderer);
    return;
  }
  int left = 0, top = 0, right = 0, bottom = 0;
  SDL_RenderLogicalToWindow(Renderer, 0, 0, &left, &top);
  SDL_RenderLogicalToWindow(Renderer, 800, 600, &right, &bottom);
  SDL_Rect picture{left, top, right - left, bottom - top};
  const bool whole = ClearFrames > 0;
  if (whole) {
    --ClearFrames;
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
  }
  const bool direct = picture.w == 800 && picture.h == 600 && picture.x >= 0 && picture.y >= 0 &&
                      picture.x + 800 <= target->w && picture.y + 600 <= target->h &&
                      target->format->format == OwnBuffer->format->format && !SDL_MUSTLOCK(target);
  if (direct) {
    Uint8* corner = static_cast<Uint8*>(target->pixels) + picture.y * target->pitch + picture.x * 4;
    // A window made afresh, resized or just cleared holds nothing of the frame.
    if (whole || !WindowView || WindowView->pixels != corner || WindowView->pitch != target->pitch) {
      DropWindowView();
      WindowView = SDL_CreateRGBSurfaceWithFormatFrom(corner, 800, 600, 32, target->pitch, OwnBuffer->format->format);
      if (WindowView) {
        BackBuffer = WindowView;
        std::fill(HeldDigest.begin(), HeldDigest.end(), UnknownCell);
      }
    }
  } else {
    DropWindowView();
  }
  Realise();
  SentCount = 0;
  if (direct && WindowView) {
    if (whole) {
      SentBands[SentCount++] = SDL_Rect{0, 0, target->w, target->h};
    } else {
      // The cells drawn afresh since the last presentation, as rectangles over bands of cells;
      // near ones are merged, and with no rectangles left the rest join the last.
      for (int band = 0; band < CellRows; ++band) {
        const unsigned mask = CellsUnsent[size_t(band)];
        if (!mask) continue;
        const int x0 = picture.x + std::countr_zero(mask) * CellWidth;
        const int x1 = picture.x + (32 - std::countl_zero(mask)) * CellWidth;
        const int y0 = picture.y + band * CellHeight;
        SDL_Rect* last = SentCount > 0 ? &SentBands[size_t(SentCount - 1)] : nullptr;
        if (last && (y0 - (last->y + last->h) <= BandGap || SentCount == int(SentBands.size()))) {
          const int from = std::min(last->x, x0), to = std::max(last->x + last->w, x1);
          last->x = from;
          last->w = to - from;
          last->h = y0 + CellHeight - last->y;
        } else {
          SentBands[size_t(SentCount++)] = SDL_Rect{x0, y0, x1 - x0, CellHeight};
        }
      }
    }
    std::fill(CellsUnsent.begin(), CellsUnsent.end(), 0);
    if (SentCount > 0) SDL_UpdateWindowSurfaceRects(Window, SentBands.data(), SentCount);
    return;
  }
  std::fill(CellsUnsent.begin(), CellsUnsent.end(), 0);
  // Scaled in software, smoothing costs three times as much as taking the nearest pixel (about
  // 2 ms a frame for a 1920 x 1080 screen, an eighth of a core), so it is had only by asking
  // with SDL_RENDER_SCALE_QUALITY=linear.
  const char* quality = SDL_getenv("SDL_RENDER_SCALE_QUALITY");
  const bool smooth = quality && (std::strcmp(quality, "linear") == 0 || std::strcmp(quality, "best") == 0 ||
                                   std::strcmp(quality, "1") == 0 || std::strcmp(quality, "2") == 0);
  SentBands[SentCount++] = whole ? SDL_Rect{0, 0, target->w, target->h} : picture;
  if (picture.w == 800 && picture.h == 600) SDL_BlitSurface(BackBuffer, nullptr, target, &picture);
  else if (!smooth || SDL_SoftStretchLinear(BackBuffer, nullptr, target, &picture) != 0)
    SDL_BlitScaled(BackBuffer, nullptr, target, &picture);
  if (whole) SDL_UpdateWindowSurface(Window);
  else SDL_UpdateWindowSurfaceRects(Window, &picture, 1);
}

// Draws into the back buffer again: the window's pixels may be about to go (a resize, a change
// of display mode, the window closed). The back buffer holds an old frame, so it is all redrawn.
void SdlPlatform::DropWindowView() {
  if (!WindowView) return;
  SDL_FreeSurface(WindowView);
  WindowView = nullptr;
  BackBuffer = OwnBuffer;
  std::fill(HeldDigest.begin(), HeldDigest.end(), UnknownCell);
}

void SdlPlatform::Present() {
  if (!Renderer) return;
  if (ScreenshotWanted) {
    ScreenshotWanted = false;
    TakeScreenshot();
  }
  // The window appears with the first finished frame, after the content and progress are loaded.
  if (!Shown) {
    SDL_ShowWindow(Window);
    Shown = true;
    Away = false;
  }
  if (!VSync) WaitForNextFrame();
  ShowScreen();
  if (FrameLog) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    FrameTimes.push_back((long long)t.tv_sec * 1000000000LL + t.tv_nsec);
  }
  if (!VSync) return;
  // A driver may accept vsync and not wait for it; if a second of frames goes by in well
  // under a second, pace with the limiter instead.
  Uint64 now = SDL_GetPerformanceCounter();
  if (VSyncCheckStart == 0) {
    VSyncCheckStart = now;
    VSyncCheckFrames = 0;
  } else if (VSyncCheckFrames >= 0 && ++VSyncCheckFrames == 60) {
    if (now - VSyncCheckStart < SDL_GetPerformanceFrequency() * 8 / 10) {
      SDL_RenderSetVSync(Renderer, 0);
      VSync = false;
      LimiterBase = 0;
    }
    VSyncCheckFrames = -1;  // checked once
  }
}

// ---- The back buffer ----------------------------------------------------------------------


// The copy every sprite of every frame goes through: unscaled and colour-keyed, from a sheet
// to the back buffer. It clips exactly as SDL_BlitSurface does and writes the same pixels, but
// copies only the runs of each row that are not the key, found once when the sheet was loaded:
// the frame around the play area, drawn over every play frame, is mostly key. Returns false
// for a sheet without runs (SDL copies it).
bool SdlPlatform::KeyedCopyable(int sheet) const {
  return !SheetRuns[size_t(sheet)].RowStart.empty() && !SDL_MUSTLOCK(BackBuffer);
}

bool SdlPlatform::KeyedCopy(int sheet, SDL_Rect srcRect, SDL_Rect destRect) {
  const SheetRunIndex& runs = SheetRuns[size_t(sheet)];
  SDL_Surface* from = SheetSurfaces[size_t(sheet)];
  SDL_Surface* to = BackBuffer;
  if (!KeyedCopyable(sheet)) {
    SettleClear();
    return false;
  }
  SDL_Rect part{};
  SDL_Point at{};
  if (!ClipKeyed(sheet, srcRect, destRect, to->clip_rect, part, at)) return true;
  const int sx = part.x, sy = part.y, w = part.w, h = part.h, dx = at.x, dy = at.y;
  const SDL_Rect& clip = to->clip_rect;

  // A frame begins with copies over every row (the title, or the nebula of the play column):
  // the clear before them is done a row at a time in passing, filling the row beside the copy
  // and the key's gaps black, instead of in a pass of its own over the whole buffer. Over a
  // cleared row a sheet whose key is black is copied whole, its key pixels being the black.
  const int end = sx + w;
  const Uint32 black = MapColour(0);
  auto* const firstRow = static_cast<Uint8*>(to->pixels) + clip.x * int(sizeof(Uint32));
  // Between frames the game sleeps and its pixels leave the caches: the rows of the first copy
  // over cells drawn afresh (the backdrop, mostly) are asked for all at once, so the memory
  // fetches them side by side instead of one after another. The copies after it find the rows
  // at hand, and a large copy streams well enough by itself.
  if (RowsToClearCount > 0 && RowsToClear[size_t(dy)] && w * h <= 65536)
    for (int row = 0; row < h; ++row) {
      Prefetch(static_cast<const Uint8*>(from->pixels) + (sy + row) * from->pitch + sx * 4, w * 4, false);
      Prefetch(static_cast<const Uint8*>(to->pixels) + (dy + row) * to->pitch + dx * 4, w * 4, true);
    }
  for (int row = 0; row < h; ++row) {
    const auto* s = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(from->pixels) + (sy + row) * from->pitch);
    auto* d = reinterpret_cast<Uint32*>(static_cast<Uint8*>(to->pixels) + (dy + row) * to->pitch) + (dx - sx);
    const bool clearing = RowsToClearCount > 0 && RowsToClear[size_t(dy + row)];
    if (clearing) {
      RowsToClear[size_t(dy + row)] = 0;
      --RowsToClearCount;
      auto* line = reinterpret_cast<Uint32*>(firstRow + (dy + row) * to->pitch);
      FillPixels(line, d + sx, black);          // left of the copy
      FillPixels(d + end, line + clip.w, black);  // right of it
      if (runs.KeyIsBlack) {
        std::memcpy(d + sx, s + sx, size_t(w) * sizeof(Uint32));
        continue;
      }
    }
    // The row's runs from the first that ends past the copy's left edge (a sheet's row may hold
    // dozens of sprites' runs), up to the first that starts past its right edge.
    const auto rowRuns = runs.Row(sy + row);
    const auto rowEnd = rowRuns.end();
    auto run = std::upper_bound(rowRuns.begin(), rowEnd, sx,
                                [](int x, const std::pair<int16_t, int16_t>& r) { return x < r.second; });
    int filled = sx;  // clearing: the row is black or copied up to here
    for (; run != rowEnd && run->first < end; ++run) {
      const int lo = std::max<int>(run->first, sx), hi = std::min<int>(run->second, end);
      if (clearing) FillPixels(d + filled, d + lo, black);
      std::memcpy(d + lo, s + lo, size_t(hi - lo) * sizeof(Uint32));
      filled = hi;
    }
    if (clearing) FillPixels(d + filled, d + end, black);
  }
  return true;
}

// Clips a keyed copy as SDL_BlitSurface does: the source rectangle to the sheet, moving the
// destination with it, then the destination to `clip`. False when nothing is left to copy.
bool SdlPlatform::ClipKeyed(int sheet, SDL_Rect srcRect, SDL_Rect destRect, const SDL_Rect& clip, SDL_Rect& part,
                            SDL_Point& at) const {
  SDL_Surface* from = SheetSurfaces[size_t(sheet)];
  int sx = srcRect.x, sy = srcRect.y, w = srcRect.w, h = srcRect.h;
  int dx = destRect.x, dy = destRect.y;
  if (sx < 0) {
    w += sx;
    dx -= sx;
    sx = 0;
  }
  w = std::min(w, from->w - sx);
  if (sy < 0) {
    h += sy;
    dy -= sy;
    sy = 0;
  }
  h = std::min(h, from->h - sy);
  if (int d = clip.x - dx; d > 0) {
    w -= d;
    dx += d;
    sx += d;
  }
  if (int d = dx + w - clip.x - clip.w; d > 0) w -= d;
  if (int d = clip.y - dy; d > 0) {
    h -= d;
    dy += d;
    sy += d;
  }
  if (int d = dy + h - clip.y - clip.h; d > 0) h -= d;
  if (w <= 0 || h <= 0) return false;
  part = {sx, sy, w, h};
  at = {dx, dy};
  return true;
}

// Finds the runs of pixels that are not the key, row by row, for KeyedCopy.
void SdlPlatform::IndexSheetRuns(int sheet) {
  SheetRunIndex& runs = SheetRuns[size_t(sheet)];
  runs = {};
  SDL_Surface* s = SheetSurfaces[size_t(sheet)];
  Uint32 key = 0;
  if (!s || s->format->format != SDL_PIXELFORMAT_RGB888 || BackBuffer->format->format != SDL_PIXELFORMAT_RGB888 ||
      SDL_GetColorKey(s, &key) != 0 || SDL_MUSTLOCK(s) || s->w > 32767)
    return;
  SDL_BlendMode blend = SDL_BLENDMODE_NONE;
  Uint8 r = 0, g = 0, b = 0, a = 0;
  SDL_GetSurfaceBlendMode(s, &blend);
  SDL_GetSurfaceColorMod(s, &r, &g, &b);
  SDL_GetSurfaceAlphaMod(s, &a);
  if (blend != SDL_BLENDMODE_NONE || r != 255 || g != 255 || b != 255 || a != 255) return;
  runs.RowStart.reserve(size_t(s->h) + 1);
  for (int y = 0; y < s->h; ++y) {
    runs.RowStart.push_back(uint32_t(runs.Runs.size()));
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < s->w;) {
      if (row[x] == key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < s->w && row[x] != key) ++x;
      runs.Runs.emplace_back(int16_t(start), int16_t(x));
    }
  }
  runs.RowStart.push_back(uint32_t(runs.Runs.size()));
  runs.KeyIsBlack = key == MapColour(0);
}

uint32_t SdlPlatform::MapColour(uint32_t rgb) const {
  return SDL_MapRGB(BackBuffer->format, Uint8(rgb >> 16), Uint8(rgb >> 8), Uint8(rgb));
}

void SdlPlatform::CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft,
                           int destTop, int destRight, int destBottom, bool scaled) {
  if (sheet < 0 || sheet >= SheetCount || !SheetSurfaces[sheet] || !BackBuffer) return;
  // Empty or inverted rectangles draw nothing. SDL clips everything else to the sheet and
  // the back buffer, so nothing is ever written outside them.
  if (srcRight <= srcLeft || srcBottom <= srcTop) return;
  SDL_Rect src{srcLeft, srcTop, srcRight - srcLeft, srcBottom - srcTop};
  if (!scaled) {
    SDL_Rect dest{destLeft, destTop, 0, 0};
    if (FastKeyedCopy && KeyedCopyable(sheet)) {
      SDL_Rect part{};
      SDL_Point at{};
      if (!ClipKeyed(sheet, src, dest, BackBuffer->clip_rect, part, at)) return;
      const SDL_Rect over{at.x, at.y, part.w, part.h};
      Ops.push_back({OpKind::Keyed, sheet, src, dest, 0, over,
                     Digest({KeyedRows, uint64_t(sheet), SheetVersion[size_t(sheet)], uint64_t(part.x),
                             uint64_t(part.y - at.y)}),
                     Covering{Covering::SheetPixels, sheet, part.x - at.x, part.y - at.y}, {}});
      return;
    }
    const SDL_Rect over{destLeft, destTop, src.w, src.h};
    Ops.push_back({OpKind::Copy, sheet, src, dest, 0, over,
                   Digest({SheetCopy, uint64_t(sheet), SheetVersion[size_t(sheet)], uint64_t(src.x), uint64_t(src.y),
                           uint64_t(src.w), uint64_t(src.h)}),
                   Covering{}, {}});
    return;
  }
  if (destRight <= destLeft || destBottom <= destTop) return;
  SDL_Rect dest{destLeft, destTop, destRight - destLeft, destBottom - destTop};
  Ops.push_back({OpKind::Scaled, sheet, src, dest, 0, dest,
                 Digest({ScaledCopy, uint64_t(sheet), SheetVersion[size_t(sheet)], uint64_t(src.x), uint64_t(src.y),
                         uint64_t(src.w), uint64_t(src.h)}),
                 Covering{}, {}});
}

void SdlPlatform::FillBox(int left, int top, int right, int bottom, uint32_t colour) {
  if (!BackBuffer || right <= left || bottom <= top) return;
  SDL_Rect r{left, top, right - left, bottom - top};
  Ops.push_back({OpKind::Box, -1, {}, r, colour, r, Digest({Box, colour}), Covering{Covering::Whole}, {}});
}

void SdlPlatform::ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) {
  if (!BackBuffer || right <= left || bottom <= top || alpha <= 0) return;
  SDL_Rect r{left, top, right - left, bottom - top};
  // What it leaves depends on what is under it, which the cells' digests already follow.
  Ops.push_back({OpKind::Shade, -1, {}, r, colour, r, Digest({Shade, colour, uint64_t(alpha)}), Covering{}, {}});
  Ops.back().Alpha = alpha;
}

// The cells a rectangle lies over, within the screen: a range of bands and a mask of pieces
// (no pieces when it is off the screen).
SdlPlatform::CellSpan SdlPlatform::CellsUnder(const SDL_Rect& r) {
  const int left = std::max(r.x, 0), right = std::min(r.x + r.w, 800);
  const int top = std::max(r.y, 0), bottom = std::min(r.y + r.h, 600);
  if (left >= right || top >= bottom) return {};
  const int first = left / CellWidth, last = (right - 1) / CellWidth;
  return {top / CellHeight, (bottom - 1) / CellHeight, CellMask(((2ull << last) - 1) & ~((1ull << first) - 1)),
          left, top, right, bottom};
}

// Mixes a drawing into the digests of the cells it may draw over; with it goes the rectangle,
// since a drawing that covers more or fewer of a cell's pixels leaves something else there. A
// cell the drawing paints over entirely starts afresh, as if cleared: what was under it no
// longer shows (the menu's drifting dust behind its panels changes nothing on the screen).
// This is done when the frame is drawn, not as the game draws: a frame nobody looks at (the
// harness's) costs no digests.
void SdlPlatform::NoteDrawing(DrawOp& op) {
  const SDL_Rect& over = op.Over;
  const Covering& covering = op.Cover;
  uint64_t what = op.What;
  const CellSpan span = CellsUnder(over);
  if (!span.Pieces) return;
  const int left = span.Left, right = span.Right, top = span.Top, bottom = span.Bottom;
  what = Digest({what, uint64_t(over.x), uint64_t(over.y), uint64_t(over.w), uint64_t(over.h)});
  const int firstBand = span.FirstBand, lastBand = span.LastBand;
  // The cells painted entirely: a box's whole cells; for a sheet, looked up.
  const CellMask* painted = nullptr;
  CellMask boxed = 0;
  int boxTop = 0, boxBottom = 0;
  if (covering.How == Covering::Whole) {
    const int x0 = (left + CellWidth - 1) / CellWidth, x1 = right / CellWidth;
    boxTop = (top + CellHeight - 1) / CellHeight;
    boxBottom = bottom / CellHeight;
    if (x0 < x1) boxed = CellMask(((1ull << x1) - 1) & ~((1ull << x0) - 1));
  } else if (covering.How == Covering::SheetPixels) {
    if (const SheetCover* cover = CoverOf(what, left, top, right, bottom, covering)) {
      op.Bare = cover->Bare.data();
      op.FirstBand = firstBand;
      if (!cover->Painted.empty()) painted = cover->Painted.data();
    }
  }
  // Each cell's digest is a polynomial in the drawings' digests, taken in order: a multiply and
  // an add a cell, since the backdrop and the frame around it cover thousands of cells a frame.
  const int first = std::countr_zero(span.Pieces), count = std::popcount(span.Pieces);
  for (int band = firstBand; band <= lastBand; ++band) {
    uint64_t* cell = &CellDigest[size_t(band * CellColumns + first)];
    const CellMask whole =
        (painted ? painted[band - firstBand] : band >= boxTop && band < boxBottom ? boxed : CellMask(0)) >> first;
    if (whole == 0) {
      for (int i = 0; i < count; ++i) cell[i] = cell[i] * 0x9E3779B97F4A7C15ull + what;
    } else {
      for (int i = 0; i < count; ++i) {
        const uint64_t painted = 0 - uint64_t((whole >> i) & 1);
        cell[i] = ((cell[i] & ~painted) | (ClearedCell & painted)) * 0x9E3779B97F4A7C15ull + what;
      }
    }
  }
}

// What a keyed sheet's drawing over left..right, top..bottom (at least a cell's size) does to
// the cells, a mask for each band from the top one: the cells it paints every pixel of, and those
// it leaves bare (all key there). Looked up in the sheet's runs once for each drawing seen: the
// title and the frames around the menus and the play column come back every frame.
const SdlPlatform::SheetCover* SdlPlatform::CoverOf(uint64_t what, int left, int top, int right, int bottom,
                                                    const Covering& covering) {
  if (right - left < CellWidth || bottom - top < CellHeight) return nullptr;
  if (auto it = SheetCovers.find(what); it != SheetCovers.end()) return &it->second;
  const int firstBand = top / CellHeight, lastBand = (bottom - 1) / CellHeight;
  SheetCover cover;
  cover.Painted.assign(size_t(lastBand - firstBand + 1), 0);
  cover.Bare.assign(size_t(lastBand - firstBand + 1), 0);
  bool painted = false;
  const SheetRunIndex& runs = SheetRuns[size_t(covering.Sheet)];
  // The first run of a row that starts past column a.
  auto after = [](std::span<const std::pair<int16_t, int16_t>> row, int a) {
    return std::upper_bound(row.begin(), row.end(), a, [](int x, const std::pair<int16_t, int16_t>& r) {
      return x < r.first;
    });
  };
  // Of source row y from column a up to b: true when it is not the key anywhere (solid), or
  // when it is the key everywhere (clear).
  auto solid = [&](int y, int a, int b) {
    const auto row = runs.Row(y);
    const auto next = after(row, a);
    return next != row.begin() && (next - 1)->second >= b;
  };
  auto clear = [&](int y, int a, int b) {
    const auto row = runs.Row(y);
    const auto next = after(row, a);
    return (next == row.begin() || (next - 1)->second <= a) && (next == row.end() || next->first >= b);
  };
  for (int band = firstBand; band <= lastBand; ++band)
    for (int piece = left / CellWidth; piece <= (right - 1) / CellWidth; ++piece) {
      // The part of the cell the drawing covers, in source columns and rows.
      const int x0 = std::max(piece * CellWidth, left) + covering.DX, x1 = std::min((piece + 1) * CellWidth, right) + covering.DX;
      const int y0 = std::max(band * CellHeight, top), y1 = std::min((band + 1) * CellHeight, bottom);
      const bool whole = x1 - x0 == CellWidth && y1 - y0 == CellHeight;
      bool full = whole, bare = true;
      for (int y = y0; y < y1 && (full || bare); ++y) {
        full = full && solid(y + covering.DY, x0, x1);
        bare = bare && clear(y + covering.DY, x0, x1);
      }
      if (full) {
        cover.Painted[size_t(band - firstBand)] |= CellMask(1u << piece);
        painted = true;
      }
      if (bare) cover.Bare[size_t(band - firstBand)] |= CellMask(1u << piece);
    }
  if (!painted) cover.Painted.clear();
  return &(SheetCovers[what] = std::move(cover));
}

// A new frame: what was noted and not shown is dropped (the pixels stay as they were).
void SdlPlatform::ClearBuffer() {
  if (!BackBuffer) return;
  Ops.clear();
  OpsNoted = 0;
  if (SheetCovers.size() >= 4096) SheetCovers.clear();  // drawings that came and went
  std::fill(CellDigest.begin(), CellDigest.end(), ClearedCell);
}

// Clears the rows still owed within the clip rectangle, in bands of neighbouring rows.
void SdlPlatform::SettleClear() const {
  if (RowsToClearCount == 0) return;
  const SDL_Rect& clip = BackBuffer->clip_rect;
  const Uint32 black = MapColour(0);
  for (int y = clip.y; y < clip.y + clip.h;) {
    if (!RowsToClear[size_t(y)]) {
      ++y;
      continue;
    }
    SDL_Rect band{clip.x, y, clip.w, 0};
    while (y < clip.y + clip.h && RowsToClear[size_t(y)]) {
      RowsToClear[size_t(y++)] = 0;
      --RowsToClearCount;
    }
    band.h = y - band.y;
    SDL_FillRect(BackBuffer, &band, black);
  }
}

// Does the frame's drawing over the cells whose digest is not that of the pixels they hold:
// each run of such cells across a band (or across neighbouring bands with the same runs) is
// cleared and every drawing of the frame over it done, in order, clipped to it. The other cells
// already hold this frame's pixels. The frame's drawings are kept until the next clear, so the
// buffer may be looked at part-way through a frame.
void SdlPlatform::Realise() {
  if (!BackBuffer) return;
  for (; OpsNoted < Ops.size(); ++OpsNoted) NoteDrawing(Ops[OpsNoted]);
  const SDL_Rect whole = BackBuffer->clip_rect;
  std::array<CellMask, CellRows> redraw{};
  CellMask any = 0;
  for (int band = 0; band < CellRows; ++band) {
    const uint64_t* held = &HeldDigest[size_t(band * CellColumns)];
    const uint64_t* now = &CellDigest[size_t(band * CellColumns)];
    CellMask mask = 0;
    for (int piece = 0; piece < CellColumns; ++piece) mask |= CellMask(held[piece] != now[piece]) << piece;
    redraw[size_t(band)] = mask;
    any |= mask;
  }
  if (!any) return;
  // The drawings over each band to be drawn, in order.
  BandOpStart.assign(size_t(CellRows) + 1, 0);
  for (const DrawOp& op : Ops) {
    const CellSpan span = CellsUnder(op.Over);
    for (int band = span.FirstBand; band <= span.LastBand; ++band)
      BandOpStart[size_t(band) + 1] += (redraw[size_t(band)] & span.Pieces) != 0;
  }
  for (int band = 0; band < CellRows; ++band) BandOpStart[size_t(band) + 1] += BandOpStart[size_t(band)];
  BandOps.resize(BandOpStart.back());
  BandOpNext.assign(BandOpStart.begin(), BandOpStart.end() - 1);
  for (uint32_t i = 0; i < Ops.size(); ++i) {
    const CellSpan span = CellsUnder(Ops[i].Over);
    for (int band = span.FirstBand; band <= span.LastBand; ++band)
      if (redraw[size_t(band)] & span.Pieces) BandOps[BandOpNext[size_t(band)]++] = i;
  }
  RowsToClear.assign(size_t(BackBuffer->h), 0);
  OpStamp.assign(Ops.size(), 0);
  GroupStamp = 0;
  // Neighbouring bands with the same cells to draw are drawn together, so a sprite over them is
  // copied once, not once a band (when everything moved, the whole screen is one rectangle).
  for (int band = 0; band < CellRows;) {
    const CellMask mask = redraw[size_t(band)];
    int end = band + 1;
    while (end < CellRows && redraw[size_t(end)] == mask) ++end;
    // The drawings over these bands, each once and in order.
    if (end == band + 1) {
      GroupOps.assign(BandOps.begin() + BandOpStart[size_t(band)], BandOps.begin() + BandOpStart[size_t(end)]);
    } else {
      GroupOps.clear();
      ++GroupStamp;
      for (uint32_t k = BandOpStart[size_t(band)]; k < BandOpStart[size_t(end)]; ++k)
        if (OpStamp[BandOps[k]] != GroupStamp) {
          OpStamp[BandOps[k]] = GroupStamp;
          GroupOps.push_back(BandOps[k]);
        }
      // A few are put in order; many (a full screen of sprites) are taken in order from the marks.
      if (GroupOps.size() <= 32) {
        std::sort(GroupOps.begin(), GroupOps.end());
      } else {
        GroupOps.clear();
        for (uint32_t i = 0; i < Ops.size(); ++i)
          if (OpStamp[i] == GroupStamp) GroupOps.push_back(i);
      }
    }
    for (int piece = 0; mask && piece < CellColumns;) {
      if (!(mask & (1u << piece))) {
        ++piece;
        continue;
      }
      const int first = piece;
      while (piece < CellColumns && (mask & (1u << piece))) ++piece;
      const SDL_Rect clip{first * CellWidth, band * CellHeight, (piece - first) * CellWidth, (end - band) * CellHeight};
      SDL_SetClipRect(BackBuffer, &clip);
      std::fill(RowsToClear.begin() + clip.y, RowsToClear.begin() + clip.y + clip.h, 1);
      RowsToClearCount = clip.h;
      const CellMask run = CellMask(((1ull << piece) - 1) & ~((1ull << first) - 1));
      auto draw = [&](const DrawOp& op) {
        if (op.Over.x >= clip.x + clip.w || op.Over.x + op.Over.w <= clip.x || op.Over.y >= clip.y + clip.h ||
            op.Over.y + op.Over.h <= clip.y)
          return;
        if (op.Bare) {  // nothing to do where its sheet is all key
          const int from = std::max(band, op.FirstBand);
          const int to = std::min(end - 1, (std::min(op.Over.y + op.Over.h, 600) - 1) / CellHeight);
          bool bare = true;
          for (int b = from; b <= to && bare; ++b) bare = (op.Bare[b - op.FirstBand] & run) == run;
          if (bare) return;
        }
        RunOp(op);
      };
      for (uint32_t k : GroupOps) draw(Ops[k]);
      SettleClear();  // what nothing was drawn over is black
    }
    for (; band < end; ++band) {
      for (int piece = 0; piece < CellColumns; ++piece)
        if (mask & (1u << piece))
          HeldDigest[size_t(band * CellColumns + piece)] = CellDigest[size_t(band * CellColumns + piece)];
      CellsUnsent[size_t(band)] |= mask;
    }
  }
  SDL_SetClipRect(BackBuffer, &whole);
}

// One noted drawing, within the back buffer's clip rectangle.
void SdlPlatform::RunOp(const DrawOp& op) {
  SDL_Surface* sheet = op.Sheet >= 0 ? SheetSurfaces[size_t(op.Sheet)] : nullptr;
  SDL_Rect src = op.Src, dest = op.Dest;
  switch (op.Kind) {
    case OpKind::Keyed:
      if (sheet && KeyedCopy(op.Sheet, src, dest)) return;
      [[fallthrough]];
    case OpKind::Copy:
      SettleClear();
      if (sheet) SDL_BlitSurface(sheet, &src, BackBuffer, &dest);
      return;
    case OpKind::Scaled:
      SettleClear();
      if (sheet) CopyScaled(sheet, src, dest);
      return;
    case OpKind::Box:
      SettleClear();
      SDL_FillRect(BackBuffer, &dest, MapColour(op.Colour));
      return;
    case OpKind::Shade: {
      SettleClear();
      SDL_Rect r{};
      if (!SDL_IntersectRect(&dest, &BackBuffer->clip_rect, &r)) return;
      // The back buffer is 0x00RRGGBB, as the sheets are.
      for (int y = r.y; y < r.y + r.h; ++y)
        ShadeRow(static_cast<uint32_t*>(BackBuffer->pixels) + size_t(y) * size_t(BackBuffer->pitch / 4) + r.x, r.w,
                 op.Colour, op.Alpha);
      return;
    }
    case OpKind::Text:
      SettleClear();
      if (SDL_Surface* s = TextImage(op.Words, op.Colour)) SDL_BlitSurface(s, nullptr, BackBuffer, &dest);
      return;
  }
}

// A scaled copy, the same whichever part of it the clip rectangle lets through: clipped, SDL
// would sample the sheet at other points, so the whole picture is scaled aside first (over the
// sheet's key, which stays clear) and the part wanted copied from there.
void SdlPlatform::CopyScaled(SDL_Surface* sheet, SDL_Rect src, SDL_Rect dest) {
  SDL_Surface* whole = SDL_CreateRGBSurfaceWithFormat(0, dest.w, dest.h, 32, BackBuffer->format->format);
  if (!whole) return;
  Uint32 key = 0;
  if (SDL_GetColorKey(sheet, &key) == 0) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(key, sheet->format, &r, &g, &b);
    const Uint32 clear = SDL_MapRGB(whole->format, r, g, b);
    SDL_FillRect(whole, nullptr, clear);
    SDL_SetColorKey(whole, SDL_TRUE, clear);
  }
  SDL_Rect all{0, 0, dest.w, dest.h};
  SDL_BlitScaled(sheet, &src, whole, &all);
  SDL_BlitSurface(whole, nullptr, BackBuffer, &dest);
  SDL_FreeSurface(whole);
}

bool SdlPlatform::SaveScreenshot(const std::string& path) {
  if (!BackBuffer) return false;
  Realise();
  return IMG_SavePNG(BackBuffer, path.c_str()) == 0;
}

// ---- Text ---------------------------------------------------------------------------------

void SdlPlatform::OpenFont() {
  // Seven points at 96 dots per inch: the size the menus are laid out for.
  EmbeddedResource res = FindFont();
  if (res.Data && res.Size) {
    SDL_RWops* rw = SDL_RWFromConstMem(res.Data, int(res.Size));
    if (rw) Font = TTF_OpenFontDPIRW(rw, 1, 7, 96, 96);
  }
  if (!Font) {
    SDL_RWops* rw = SDL_RWFromFile(FallbackFont, "rb");
    if (rw) Font = TTF_OpenFontDPIRW(rw, 1, 7, 96, 96);
  }
  if (!Font) {
    std::cerr << "zorvane2: no font found (looked for " << FallbackFont << "); no text will be shown\n";
    return;
  }
  UseCrispHinting(Font);
}

// The picture of a string in a colour: smoothed letters whose coverage is the alpha. The menu
// writes the same few dozen strings every frame, so pictures are kept until the set grows
// past what a menu ever shows (a level's hover texts and counters change only now and then).
SDL_Surface* SdlPlatform::TextImage(const std::string& text, uint32_t colour) {
  auto key = std::make_pair(text, colour & 0xFFFFFFu);
  if (auto it = TextCache.find(key); it != TextCache.end()) return it->second;
  if (TextCache.size() >= 512) ClearTextCache();
  SDL_Surface* a = RenderCrispText(Font, text, colour);
  if (!a) return nullptr;
  SDL_SetSurfaceBlendMode(a, SDL_BLENDMODE_BLEND);
  TextCache.emplace(std::move(key), a);
  return a;
}

void SdlPlatform::ClearTextCache() {
  for (auto& entry : TextCache) SDL_FreeSurface(entry.second);
  TextCache.clear();
}

void SdlPlatform::DrawText(int x, int y, const std::string& text, uint32_t colour) {
  if (!Font || text.empty() || !BackBuffer) return;
  SDL_Surface* s = TextImage(text, colour);
  if (!s) return;
  const SDL_Rect over{x, y, s->w, s->h};
  Ops.push_back({OpKind::Text, -1, {}, SDL_Rect{x, y, 0, 0}, colour, over,
                 Digest({Text, std::hash<std::string>{}(text), colour & 0xFFFFFFu}), Covering{}, text});
}

// ---- Sheets -------------------------------------------------------------------------------

// Until the art is in, a sheet is a pattern of its exact size: a checkerboard whose holes are
// the colour key, with colours that change along both axes (so every row and column of a
// copy can be told apart), a frame around the edge and the sheet's name.
SDL_Surface* SdlPlatform::MakeTestPattern(int index, const std::string& name, uint32_t colourKey) {
  int w = 64, h = 64;
  if (index >= 0 && index < SheetCount) {
    w = Sheets[index].Width;
    h = Sheets[index].Height;
  }
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
  if (!s) return nullptr;
  const uint32_t red = 0x40u + uint32_t(index & 15) * 8u;  // never 0x00 nor 0xFF, so never the key
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < w; ++x) {
      bool hole = ((x / 8) + (y / 8)) % 2 == 0;
      bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      uint32_t rgb = (red << 16) | (uint32_t(y & 0xFF) << 8) | uint32_t(x & 0xFF);
      if (edge) rgb = 0xFF00FF;
      else if (hole) rgb = colourKey;
      row[x] = SDL_MapRGB(s->format, Uint8(rgb >> 16), Uint8(rgb >> 8), Uint8(rgb));
    }
  }
  if (Font && w >= 40 && h >= 14) {
    // The name on a yellow plate, in colours that are neither key.
    if (SDL_Surface* label = TTF_RenderUTF8_Solid(Font, name.c_str(), SDL_Color{16, 16, 16, 255})) {
      SDL_Rect plate{2, 2, std::min(label->w + 4, w - 4), std::min(label->h + 2, h - 4)};
      SDL_FillRect(s, &plate, SDL_MapRGB(s->format, 255, 255, 0));
      SDL_Rect at{4, 3, 0, 0};
      SDL_BlitSurface(label, nullptr, s, &at);
      SDL_FreeSurface(label);
    }
  }
  return s;
}

void SdlPlatform::LoadSheet(int index, const std::string& name, uint32_t colourKey) {
  if (index < 0 || index >= SheetCount) return;
  Realise();  // the drawing noted so far is of the sheet as it was
  SDL_FreeSurface(SheetSurfaces[index]);
  SheetSurfaces[index] = nullptr;
  SDL_Surface* sheet = nullptr;
  const EmbeddedResource res = FindSheetImage(name);
  if (res.Data && res.Size) {
    // Unpacked straight into the surface, whose rows lie back to back (four bytes a pixel).
    sheet = SDL_CreateRGBSurfaceWithFormat(0, res.Width, res.Height, 32, SDL_PIXELFORMAT_RGB888);
    if (sheet && (sheet->pitch != res.Width * 4 || !UnpackSheetImage(res, static_cast<uint32_t*>(sheet->pixels)))) {
      std::cerr << "zorvane2: the sheet " << name << " is unreadable; a test pattern stands in for it\n";
      SDL_FreeSurface(sheet);
      sheet = nullptr;
    }
  }
  if (!sheet) sheet = MakeTestPattern(index, name, colourKey);
  if (!sheet) return;  // a sheet that cannot be made is skipped; copies from it draw nothing
  SDL_SetSurfaceBlendMode(sheet, SDL_BLENDMODE_NONE);
  SDL_SetColorKey(sheet, SDL_TRUE, SDL_MapRGB(sheet->format, Uint8(colourKey >> 16), Uint8(colourKey >> 8),
                                              Uint8(colourKey)));
  SheetSurfaces[index] = sheet;
  ++SheetVersion[size_t(index)];
  IndexSheetRuns(index);
}
