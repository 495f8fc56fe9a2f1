// The SDL platform's class, shared by its display, input and audio files (and by tests,
// which look at the back buffer through it).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <array>
#include <map>
#include <set>
#include <unordered_map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/sheets.h"
#include "platform/effect_bus.h"
#include "platform/platform.h"
#include "platform/sdl/gamepads.h"
#include "platform/sdl/midi_player.h"

// The key table from the keyboard's state (SDL scancodes) and the pads: an entry is held while
// either holds it.
void MergeKeyTable(const Uint8* keyboard, int count, const Gamepads& pads, std::array<bool, 256>& keys,
                   const KeyBindings& bindings = {});

class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(const PlatformOptions& options);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // False when a window was asked for and none could be opened.
  bool Usable() const { return Usable_; }

  void LoadSheet(int index, const std::string& name, uint32_t colourKey) override;
  void LoadSound(int slot, const std::string& name) override;
  void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                int destRight, int destBottom, bool scaled) override;
  void DrawText(int x, int y, const std::string& text, uint32_t colour) override;
  void FillBox(int left, int top, int right, int bottom, uint32_t colour) override;
  void ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) override;
  void ClearBuffer() override;
  void Present() override;
  FrameCommand ReadCommand(bool pointerInUse) override;
  void PlaySound(int slot) override;
  void LoadMusic(const std::string& name) override;
  void PlayMusic() override;
  void StopMusic() override;
  void SetMusicVolume(int hundredthsOfDb) override;
  int32_t TickCount() override;
  void BeginFrame(long long frameNumber) override;
  bool SaveScreenshot(const std::string& path) override;
  void SetPaused(bool paused) override;
  bool GetWindowPlace(WindowPlace& place) override;
  // How frames reach the window: "software" (SDL's own, no OpenGL) or the accelerated renderer's name.
  const char* PresentPath() const { return PresentName; }

  // For tests: a back-buffer pixel as 0xRRGGBB, the frame's drawing done first; a sheet pixel
  // likewise (-1 outside).
  long PixelAt(int x, int y) const;
  long SheetPixelAt(int sheet, int x, int y) const;
  // The sheet's size, or 0 x 0 when it is not loaded.
  void SheetSize(int sheet, int& width, int& height) const;
  // For tests: the window (null headless), and the rectangles of it the last presentation sent.
  SDL_Window* TheWindow() const { return Window; }
  std::vector<SDL_Rect> SentToWindow() const { return {SentBands.begin(), SentBands.begin() + SentCount}; }
  // For tests: true while the guard rows around the back buffer hold nothing drawn.
  bool GuardRowsUntouched() const;
  // For tests: the back buffer's raw pixels, 800 x 600 without gaps.
  const uint32_t* RawPixels() const;
  // Sprites are copied by our own colour-keyed loop (false: by SDL's, which gives the same pixels).
  bool FastKeyedCopy = true;
  // For tests: the game controllers.
  Gamepads& Pads() { return Pads_; }
  // Saves the back buffer as a dated PNG in the screenshot folder and says where (F12).
  void TakeScreenshot();

 private:
  // sdl_display.cpp
  bool OpenWindow();
  void CloseWindow();
  void OpenFont();
  SDL_Surface* TextImage(const std::string& text, uint32_t colour);
  void ClearTextCache();
  void ToggleFullScreen();
  void ChoosePacing();
  void WaitForNextFrame();
  bool SoftwareGl();
  void ShowScreen();
  void DropWindowView();
  SDL_Surface* MakeTestPattern(int index, const std::string& name, uint32_t colourKey);
  uint32_t MapColour(uint32_t rgb) const;
  bool KeyedCopyable(int sheet) const;  // the sheet has its runs indexed and the buffer needs no lock
  bool KeyedCopy(int sheet, SDL_Rect srcRect, SDL_Rect destRect);
  bool ClipKeyed(int sheet, SDL_Rect srcRect, SDL_Rect destRect, const SDL_Rect& clip, SDL_Rect& from,
                 SDL_Point& to) const;
  void IndexSheetRuns(int sheet);
  // sdl_input.cpp
  void PumpEvents();
  void ReadKeyboard(std::array<bool, 256>& keys);
  void ReadMouse(int& dx, int& dy, bool& left, bool& right, bool pointerInUse);
  bool CloseRequested() const;
  void InstallSignalHandlers();
  void RestoreSignalHandlers();
  void UpdateMouseMode();
  // sdl_audio.cpp
  void OpenAudio();
  void CloseAudio();
  void ReportMissingSounds();
  static void MixMusic(void* self, Uint8* stream, int bytes);
  static void MixEffects(void* self, Uint8* stream, int bytes);
  std::string FindDataFile(const std::string& folder, const std::string& file) const;
  std::string DataFoldersText() const;

  PlatformOptions Options;
  bool Usable_ = true;
  bool VideoUp = false;

  // The frame's drawing is noted as it comes and done when the frame is shown (or its pixels
  // are looked at), and then only over the cells whose digest differs from that of the pixels
  // they hold: a cell drawn just as in the frame before is neither cleared nor drawn again.
  // The buffer is followed in cells of 50 x 4 pixels: 16 across a band of 4 rows, 150 bands.
  // (A star that moves dirties a cell or two; larger or smaller cells cost more a frame.)
  static constexpr int CellWidth = 50, CellHeight = 4, CellColumns = 800 / CellWidth, CellRows = 600 / CellHeight;
  using CellMask = uint32_t;  // a band's cells, one bit each
  static_assert(800 % CellWidth == 0 && 600 % CellHeight == 0 && CellColumns <= 32);
  enum class OpKind : uint8_t { Keyed, Copy, Scaled, Box, Shade, Text };
  // What a drawing paints over entirely: nothing known, its whole rectangle (a box), or the
  // pixels of a keyed sheet that are not the key (source = destination + (DX, DY)).
  struct Covering {
    enum Kind { Nothing, Whole, SheetPixels } How = Nothing;
    int Sheet = -1;
    int DX = 0, DY = 0;
  };
  struct DrawOp {
    OpKind Kind;
    int Sheet;
    SDL_Rect Src, Dest;
    uint32_t Colour;
    SDL_Rect Over;  // what it may draw over
    uint64_t What;  // a digest of what it draws there
    Covering Cover;
    std::string Words;
    int Alpha = 0;  // a shade's
    // Once noted: the cells it leaves bare (a mask for each band from FirstBand), or null.
    const CellMask* Bare = nullptr;
    int FirstBand = 0;
  };
  std::vector<DrawOp> Ops;
  size_t OpsNoted = 0;  // the drawings mixed into the cells' digests so far
  // What each cell holds, as a digest of the drawing over it since it was last cleared; a
  // reloaded sheet draws under a new version number.
  std::vector<uint64_t> CellDigest;
  std::vector<uint64_t> HeldDigest;  // the digest of what each cell's pixels were drawn from
  std::vector<uint32_t> BandOpStart, BandOpNext, BandOps;  // while drawing: the drawings over each band
  std::vector<uint32_t> GroupOps;                          // and over a group of neighbouring bands
  std::vector<uint32_t> OpStamp;                           // the last group each drawing was taken into
  uint32_t GroupStamp = 0;
  struct CellSpan {
    int FirstBand = 0, LastBand = -1;
    CellMask Pieces = 0;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // the rectangle clipped to the screen
  };
  static CellSpan CellsUnder(const SDL_Rect& r);
  void Realise();
  void RunOp(const DrawOp& op);
  void CopyScaled(SDL_Surface* sheet, SDL_Rect src, SDL_Rect dest);

  // The back buffer: 800 x 600 pixels with guard rows above and below it in one block.
  static constexpr int GuardRows = 16;
  std::vector<uint32_t> BufferMemory;
  SDL_Surface* OwnBuffer = nullptr;
  // Where the frame is drawn: the back buffer, or, when the picture goes to a window unscaled
  // and without a GPU, the picture's rectangle of the window's own pixels (see ShowScreen).
  SDL_Surface* BackBuffer = nullptr;
  SDL_Surface* WindowView = nullptr;
  std::vector<CellMask> CellsUnsent;  // each band's cells drawn since the window was last sent the picture
  std::vector<uint32_t> GaplessCopy;  // RawPixels' copy of the window's rows
  // While the frame is drawn (see Realise), the rows to clear, row by row: the first sprite
  // copy over a row clears it in passing; SettleClear does the rows still owed in the clip.
  mutable std::vector<uint8_t> RowsToClear;
  mutable int RowsToClearCount = 0;
  void SettleClear() const;
  std::array<uint32_t, SheetCount> SheetVersion{};
  void NoteDrawing(DrawOp& op);
  struct SheetCover {
    std::vector<CellMask> Painted, Bare;
  };
  const SheetCover* CoverOf(uint64_t what, int left, int top, int right, int bottom, const Covering& covering);
  std::unordered_map<uint64_t, SheetCover> SheetCovers;  // see CoverOf
  std::array<SDL_Surface*, SheetCount> SheetSurfaces{};
  // Each sheet's runs of pixels that are not its colour key: row y's runs are
  // Runs[RowStart[y]] up to Runs[RowStart[y + 1]], as [first, last) columns.
  struct SheetRunIndex {
    std::vector<uint32_t> RowStart;
    std::vector<std::pair<int16_t, int16_t>> Runs;
    std::span<const std::pair<int16_t, int16_t>> Row(int y) const {
      return {Runs.data() + RowStart[size_t(y)], Runs.data() + RowStart[size_t(y) + 1]};
    }
    // The key is black: over a cleared row a copy of the sheet's row is the row itself.
    bool KeyIsBlack = false;
  };
  std::array<SheetRunIndex, SheetCount> SheetRuns{};
  TTF_Font* Font = nullptr;
  std::map<std::pair<std::string, uint32_t>, SDL_Surface*> TextCache;  // string pictures, see TextImage
  bool TtfUp = false;

  // Window and presentation.
  SDL_Window* Window = nullptr;
  SDL_Renderer* Renderer = nullptr;
  SDL_Texture* Screen = nullptr;
  bool FullScreen = true;
  bool VSync = false;
  const char* PresentName = "";
  int ClearFrames = 2;           // presentations that still clear the whole window first
  std::array<SDL_Rect, 64> SentBands{};  // the parts of the window the last presentation sent
  int SentCount = 0;
  // ZORVANE_FRAME_LOG=FILE: when each frame was shown (ns, monotonic), one a line, written at exit.
  const char* FrameLog = nullptr;
  std::vector<long long> FrameTimes;
  long long LimiterBase = 0;     // frame limiter: monotonic time of its frame 0, in nanoseconds
  long long LimiterFrames = 0;   // frames paced since then
  WindowPlace LastWindow;        // the window as last seen in window mode
  Uint64 VSyncCheckStart = 0;    // when the vsync check began
  int VSyncCheckFrames = 0;      // frames presented since then

  // Input.
  bool QuitEvent = false;
  bool Paused = false;                      // the game is paused: wait for events, not frames
  bool Away = false;                        // the window is hidden or minimised
  bool Shown = false;                       // the first frame has been shown (the window starts hidden)
  bool LostFocus = false;                   // the window lost the focus since the game last asked
  Uint64 PausedSince = 0, PausedTicks = 0;  // the clock stands still while paused
  long long PausedFromFrame = 0, PausedFrames = 0, LastFrame = 0;  // likewise, headless
  int RelativeDx = 0, RelativeDy = 0;       // full screen: motion since the last read
  int PointerX = 0, PointerY = 0;           // the game's pointer as it will be after the reported motion
  int AbsoluteX = 0, AbsoluteY = 0;         // window: the system pointer in picture coordinates
  bool HaveAbsolute = false;
  bool LeftPressed = false, RightPressed = false;  // a press seen in this frame's events
  Gamepads Pads_;
  int WarpX = -1, WarpY = -1;               // window: where the pad last put the system pointer
  bool ScreenshotWanted = false;  // F12 was pressed: the frame is saved when it is finished
  bool SignalsInstalled = false;

  // Audio.
  bool AudioUp = false;
  SDL_AudioDeviceID MixerDevice = 0;  // the mixer's device, 0 if it could not be told
  std::array<Mix_Chunk*, EffectBus::Slots> Sounds{};
  EffectBus Bus;  // mixes the effects over the music, limited below full scale
  MidiPlayer Midi;           // the music, rendered in the mixer's music hook
  bool MusicLoaded = false;  // the last track asked for is ready to play
  std::string MusicName;
  std::set<std::string> MissingReported;   // music tracks already reported
  std::vector<std::string> MissingSounds;  // sound files not found, not yet reported
  int32_t HeadlessTicks = 0;
  std::vector<std::string> DataFolders;    // where Sound/ and Music/ are looked for, in order
};
