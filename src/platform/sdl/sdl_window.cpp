#include "platform/sdl/sdl_window.h"

#include <time.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "platform/data_folders.h"
#include "platform/sdl/png_file.h"
#include "save/safe_file.h"

namespace {

// Changed cells go to the display as rectangles over bands of rows; rectangles this few rows
// apart are one.
constexpr int BandGap = 8;

long long MonotonicNanos() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

}  // namespace

SdlWindow::SdlWindow(const PlatformOptions& options) : Options(options), FullScreen_(!options.Windowed) {
  FrameLog = SDL_getenv("ZORVANE_FRAME_LOG");
  if (FrameLog && *FrameLog) FrameTimes.reserve(1 << 16);
  else FrameLog = nullptr;
}

SdlWindow::~SdlWindow() {
  if (FrameLog) {
    if (FILE* f = std::fopen(FrameLog, "w")) {
      for (long long t : FrameTimes) std::fprintf(f, "%lld\n", t);
      std::fclose(f);
    }
  }
  SDL_FreeSurface(Picture);
  if (Screen) SDL_DestroyTexture(Screen);
  if (Drawer) SDL_DestroyRenderer(Drawer);
  if (Window) {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_DestroyWindow(Window);
  }
}

bool SdlWindow::Open() {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (FullScreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
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
    Drawer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_ACCELERATED);
    SDL_RendererInfo info{};
    if (Drawer && SDL_GetRendererInfo(Drawer, &info) == 0 && std::strncmp(info.name, "opengl", 6) == 0 &&
        SoftwareGl()) {
      SDL_DestroyRenderer(Drawer);
      Drawer = nullptr;
    }
  }
  if (!Drawer && chosen && *chosen) Drawer = SDL_CreateRenderer(Window, -1, 0);
  if (!Drawer) Drawer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
  if (!Drawer) {
    std::cerr << "zorvane2: cannot draw into the window (" << SDL_GetError() << ")\n";
    return false;
  }
  SDL_RendererInfo info{};
  PresentName = SDL_GetRendererInfo(Drawer, &info) == 0 ? info.name : "";
  // The 800 x 600 picture is scaled to the window with its aspect kept; the rest is black.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_RenderSetLogicalSize(Drawer, Renderer::Width, Renderer::Height);
  Screen = SDL_CreateTexture(Drawer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, Renderer::Width,
                             Renderer::Height);
  if (!Screen) {
    std::cerr << "zorvane2: cannot make the screen texture (" << SDL_GetError() << ")\n";
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);  // the game draws its own pointer
  ChoosePacing();
  return true;
}

// True when OpenGL here is a software rasteriser: no GPU device node at all, or, once an
// OpenGL renderer exists, a driver that says it draws in software.
bool SdlWindow::SoftwareGl() {
  if (!Drawer) {
#ifndef __linux__
    return false;  // the GPU's device nodes are a Linux matter; elsewhere its driver is asked below
#endif
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

void SdlWindow::ToggleFullScreen() {
  if (!Window) return;
  if (SDL_SetWindowFullscreen(Window, FullScreen_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
  FullScreen_ = !FullScreen_;
  ChoosePacing();
}

void SdlWindow::PictureToWindow(int x, int y, int& wx, int& wy) const {
  wx = x;
  wy = y;
  if (Drawer) SDL_RenderLogicalToWindow(Drawer, float(x), float(y), &wx, &wy);
}

WindowPlace SdlWindow::Place() const {
  WindowPlace place = LastWindow;
  place.FullScreen = FullScreen_;
  return place;
}

// Sixty game frames a second on every display: the display's vertical sync paces us when it
// runs at 60 Hz, a frame limiter on the monotonic clock otherwise.
void SdlWindow::ChoosePacing() {
  if (!Drawer) return;
  bool want = false;
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(Window);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) want = mode.refresh_rate == 60;
  want = want && std::strcmp(PresentName, "software") != 0;  // software presentation never waits for vsync
  VSync = want && SDL_RenderSetVSync(Drawer, 1) == 0;
  if (!VSync) SDL_RenderSetVSync(Drawer, 0);
  LimiterBase = 0;
  ClearFrames = 2;
  VSyncCheckStart = 0;
  VSyncCheckFrames = 0;
}

// Sleeps until the next frame is due: an absolute deadline on the monotonic clock, so the
// process does nothing at all while it waits and the wake-up is late by microseconds only.
void SdlWindow::WaitForNextFrame() {
  const long long now = MonotonicNanos();
  // Frame k is due at base + k / 60 s, so rounding never builds up. After a stall (or on
  // the first frame) the count starts afresh rather than racing to catch up.
  const long long due = LimiterBase + (LimiterFrames + 1) * 1000000000LL / 60;
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

void SdlWindow::Present(Renderer& screen) {
  if (!Drawer) return;
  screen.Finish();
  if (ScreenshotWanted) {
    ScreenshotWanted = false;
    TakeScreenshot(screen);
  }
  // The window appears with the first finished frame, after the content and progress are loaded.
  if (!Shown) {
    SDL_ShowWindow(Window);
    Shown = true;
    Away_ = false;
  }
  if (!VSync) WaitForNextFrame();
  Show(screen);
  screen.TakeChanged();
  LastShown = &screen;
  if (FrameLog) FrameTimes.push_back(MonotonicNanos());
  if (!VSync) return;
  // A driver may accept vsync and not wait for it; if a second of frames goes by in well
  // under a second, pace with the limiter instead.
  const Uint64 now = SDL_GetPerformanceCounter();
  if (VSyncCheckStart == 0) {
    VSyncCheckStart = now;
    VSyncCheckFrames = 0;
  } else if (VSyncCheckFrames >= 0 && ++VSyncCheckFrames == 60) {
    if (now - VSyncCheckStart < SDL_GetPerformanceFrequency() * 8 / 10) {
      SDL_RenderSetVSync(Drawer, 0);
      VSync = false;
      LimiterBase = 0;
    }
    VSyncCheckFrames = -1;  // checked once
  }
}

// Without a GPU the window's pixels are plain memory the display server reads when told to:
// when the picture fits the window unscaled, only the rectangles the renderer drew afresh are
// copied into them and sent; otherwise the picture is copied over scaled, and only its
// rectangle is sent. The black bars beside it stay black once cleared after the window was made
// or resized. A GPU gets the screen texture, cleared and drawn afresh each time (its buffers
// come back undefined).
void SdlWindow::Show(const Renderer& screen) {
  SDL_Surface* target = std::strcmp(PresentName, "software") == 0 ? SDL_GetWindowSurface(Window) : nullptr;
  SentCount = 0;
  if (!target) {
    SDL_UpdateTexture(Screen, nullptr, screen.Pixels(), Renderer::Width * 4);
    SDL_SetRenderDrawColor(Drawer, 0, 0, 0, 255);
    SDL_RenderClear(Drawer);
    SDL_RenderCopy(Drawer, Screen, nullptr, nullptr);
    SDL_RenderPresent(Drawer);
    return;
  }
  int left = 0, top = 0, right = 0, bottom = 0;
  SDL_RenderLogicalToWindow(Drawer, 0, 0, &left, &top);
  SDL_RenderLogicalToWindow(Drawer, Renderer::Width, Renderer::Height, &right, &bottom);
  const SDL_Rect picture{left, top, right - left, bottom - top};
  const bool whole = ClearFrames > 0;
  if (whole) {
    --ClearFrames;
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
  }
  const bool direct = picture.w == Renderer::Width && picture.h == Renderer::Height && picture.x >= 0 &&
                      picture.y >= 0 && picture.x + picture.w <= target->w && picture.y + picture.h <= target->h &&
                      target->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(target);
  if (direct) {
    // A window made afresh, resized or just cleared holds nothing of the picture.
    if (whole || target->pixels != SentPixels || target->pitch != SentPitch) {
      for (int y = 0; y < Renderer::Height; ++y)
        std::memcpy(static_cast<Uint8*>(target->pixels) + (picture.y + y) * target->pitch + picture.x * 4,
                    screen.Pixels() + size_t(y) * Renderer::Width, Renderer::Width * 4);
      SentPixels = target->pixels;
      SentPitch = target->pitch;
      SentBands[size_t(SentCount++)] = whole ? SDL_Rect{0, 0, target->w, target->h} : picture;
      SDL_UpdateWindowSurfaceRects(Window, SentBands.data(), SentCount);
      return;
    }
    SendChanged(screen, target, picture);
    return;
  }
  SentPixels = nullptr;
  // Scaled in software, smoothing costs three times as much as taking the nearest pixel (about
  // 2 ms a frame for a 1920 x 1080 screen, an eighth of a core), so it is had only by asking
  // with SDL_RENDER_SCALE_QUALITY=linear.
  const char* quality = SDL_getenv("SDL_RENDER_SCALE_QUALITY");
  const bool smooth = quality && (std::strcmp(quality, "linear") == 0 || std::strcmp(quality, "best") == 0 ||
                                   std::strcmp(quality, "1") == 0 || std::strcmp(quality, "2") == 0);
  if (!Picture || Picture->pixels != screen.Pixels()) {
    SDL_FreeSurface(Picture);
    Picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(screen.Pixels()), Renderer::Width,
                                                 Renderer::Height, 32, Renderer::Width * 4, SDL_PIXELFORMAT_RGB888);
    if (!Picture) return;
  }
  SentBands[size_t(SentCount++)] = whole ? SDL_Rect{0, 0, target->w, target->h} : picture;
  SDL_Rect to = picture;
  if (picture.w == Renderer::Width && picture.h == Renderer::Height) SDL_BlitSurface(Picture, nullptr, target, &to);
  else if (!smooth || SDL_SoftStretchLinear(Picture, nullptr, target, &to) != 0)
    SDL_BlitScaled(Picture, nullptr, target, &to);
  SDL_UpdateWindowSurfaceRects(Window, SentBands.data(), SentCount);
}

// The rectangles drawn afresh since the last presentation are copied into the window, and sent
// as rectangles over bands of cells: near ones are merged, and with no rectangles left the rest
// join the last.
void SdlWindow::SendChanged(const Renderer& screen, SDL_Surface* target, const SDL_Rect& picture) {
  std::array<Renderer::CellMask, Renderer::CellRows> bands{};
  for (const PixelRect& r : screen.Changed()) {
    for (int y = r.Top; y < r.Bottom; ++y)
      std::memcpy(static_cast<Uint8*>(target->pixels) + (picture.y + y) * target->pitch + (picture.x + r.Left) * 4,
                  screen.Pixels() + size_t(y) * Renderer::Width + size_t(r.Left), size_t(r.Width()) * 4);
    const int first = r.Left / Renderer::CellWidth, last = (r.Right - 1) / Renderer::CellWidth;
    const auto cells = Renderer::CellMask(((2ull << last) - 1) & ~((1ull << first) - 1));
    for (int band = r.Top / Renderer::CellHeight; band <= (r.Bottom - 1) / Renderer::CellHeight; ++band)
      bands[size_t(band)] |= cells;
  }
  for (int band = 0; band < Renderer::CellRows; ++band) {
    const Renderer::CellMask mask = bands[size_t(band)];
    if (!mask) continue;
    const int x0 = picture.x + std::countr_zero(mask) * Renderer::CellWidth;
    const int x1 = picture.x + (32 - std::countl_zero(mask)) * Renderer::CellWidth;
    const int y0 = picture.y + band * Renderer::CellHeight;
    SDL_Rect* last = SentCount > 0 ? &SentBands[size_t(SentCount - 1)] : nullptr;
    if (last && (y0 - (last->y + last->h) <= BandGap || SentCount == int(SentBands.size()))) {
      const int from = std::min(last->x, x0), to = std::max(last->x + last->w, x1);
      last->x = from;
      last->w = to - from;
      last->h = y0 + Renderer::CellHeight - last->y;
    } else {
      SentBands[size_t(SentCount++)] = SDL_Rect{x0, y0, x1 - x0, Renderer::CellHeight};
    }
  }
  if (SentCount > 0) SDL_UpdateWindowSurfaceRects(Window, SentBands.data(), SentCount);
}

void SdlWindow::HandleEvent(const SDL_WindowEvent& e, bool paused) {
  if (e.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) ChoosePacing();
  if (e.event == SDL_WINDOWEVENT_HIDDEN || e.event == SDL_WINDOWEVENT_MINIMIZED) Away_ = true;
  if (e.event == SDL_WINDOWEVENT_SHOWN || e.event == SDL_WINDOWEVENT_RESTORED || e.event == SDL_WINDOWEVENT_MAXIMIZED)
    Away_ = false;
  // While paused nothing is drawn; a window uncovered or resized shows the last picture again.
  if (e.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.event == SDL_WINDOWEVENT_EXPOSED) ClearFrames = 2;
  if ((e.event == SDL_WINDOWEVENT_EXPOSED || e.event == SDL_WINDOWEVENT_SIZE_CHANGED) && paused && Drawer &&
      LastShown)
    Show(*LastShown);
  // The window's size and place in window mode, remembered for the next start.
  if (!FullScreen_ && Window && !(SDL_GetWindowFlags(Window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED))) {
    if (e.event == SDL_WINDOWEVENT_MOVED) SDL_GetWindowPosition(Window, &LastWindow.X, &LastWindow.Y);
    if (e.event == SDL_WINDOWEVENT_SIZE_CHANGED) SDL_GetWindowSize(Window, &LastWindow.Width, &LastWindow.Height);
  }
}

// F12: the finished frame as a dated PNG in the player's pictures folder.
void SdlWindow::TakeScreenshot(Renderer& screen) {
  namespace fs = std::filesystem;
  const std::string folder = ScreenshotFolder();
  if (folder.empty()) {
#ifdef _WIN32
    std::cerr << "zorvane2: no folder for screenshots (Windows names neither a Pictures nor an application data "
                 "folder for this user)\n";
#else
    std::cerr << "zorvane2: no folder for screenshots (neither HOME nor XDG_PICTURES_DIR is set)\n";
#endif
    return;
  }
  std::error_code ec;
  fs::create_directories(PathOf(folder), ec);
  if (ec) {
    std::cerr << "zorvane2: could not save a screenshot: cannot make the folder " << folder << " (" << ec.message()
              << ")\n";
    return;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string name =
      ScreenshotName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  // Two in the same second get a number rather than replacing the first.
  fs::path path = PathOf(folder) / name;
  for (int n = 2; fs::exists(path, ec) && n < 100; ++n)
    path = PathOf(folder) / (name.substr(0, name.size() - 4) + "-" + std::to_string(n) + ".png");
  if (fs::exists(path, ec)) {
    std::cerr << "zorvane2: could not save a screenshot: too many taken this second in " << folder << "\n";
    return;
  }
  std::string why;
  if (!WritePng(TextOf(path), screen.Pixels(), Renderer::Width, Renderer::Height, why)) {
    std::cerr << "zorvane2: could not save a screenshot to " << TextOf(path) << " (" << why << ")\n";
    fs::remove(path, ec);  // no half-written picture left behind
    return;
  }
  std::cerr << "zorvane2: screenshot saved to " << TextOf(path) << "\n";
}
