// The one software renderer, for the desktop and the browser alike: it draws the game's sheets,
// boxes and text into a plain 800 x 600 buffer of 0x00RRGGBB pixels and tells which rectangles
// changed, for the platform to present.
//
// What a frame draws is noted as it comes and done when the frame is finished, and then only
// over the cells (50 x 4 pixels) whose drawing differs from what their pixels were drawn from:
// each cell keeps a digest of the drawings over it, in order. A cell drawn just as in the frame
// before is neither cleared nor drawn again, so a moving star costs a cell or two, not the
// screen. Sprites are copied a run at a time: each sheet row's runs of pixels that are not its
// colour key are found once, when the sheet is set.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/sheets.h"
#include "render/canvas.h"
#include "render/glyphs.h"

struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Meets(const PixelRect& o) const {
    return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
  }
  PixelRect Within(const PixelRect& o) const;  // the part inside o (possibly empty)
};

// A sheet's pixels and the runs of each row that are not its colour key.
struct RenderSheet {
  int Width = 0, Height = 0;
  uint32_t Key = 0;
  std::vector<uint32_t> Pixels;                   // 0x00RRGGBB, row by row
  std::vector<uint32_t> RowStart;                 // row y's runs: Runs[RowStart[y] .. RowStart[y + 1])
  std::vector<std::pair<int16_t, int16_t>> Runs;  // [first, last) columns
  uint32_t Version = 0;                           // a sheet set again draws under a new version
  std::span<const std::pair<int16_t, int16_t>> Row(int y) const {
    return {Runs.data() + RowStart[size_t(y)], Runs.data() + RowStart[size_t(y) + 1]};
  }
};

class Renderer : public Canvas {
 public:
  static constexpr int Width = 800, Height = 600;
  static constexpr int CellWidth = 50, CellHeight = 4, CellColumns = Width / CellWidth, CellRows = Height / CellHeight;
  using CellMask = uint32_t;  // a band's cells, one bit each
  static_assert(Width % CellWidth == 0 && Height % CellHeight == 0 && CellColumns <= 32);

  Renderer();

  // A sheet's pixels (width x height, 0x00RRGGBB) and its colour key; an empty sheet draws nothing.
  void SetSheet(int index, int width, int height, uint32_t key, std::vector<uint32_t> pixels);
  const RenderSheet& Sheet(int index) const { return Sheets[size_t(index)]; }
  // The letters of the game's text (render/glyphs.h); false when the bytes are no atlas.
  bool SetGlyphs(const uint8_t* data, size_t size);
  bool HasGlyphs() const { return Text.Atlas.FontHeight > 0; }

  // The canvas: noted now, done at Finish.
  void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                int destRight, int destBottom, bool scaled) override;
  void DrawText(int x, int y, const std::string& text, uint32_t colour) override;
  void FillBox(int left, int top, int right, int bottom, uint32_t colour) override;
  void ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) override;

  // A new frame: its drawing starts from a cleared buffer (the pixels stay until Finish).
  void BeginFrame();
  // The frame's drawing done over the cells that changed; the rectangles drawn afresh are added
  // to Changed() until TakeChanged.
  void Finish();
  const std::vector<PixelRect>& Changed() const { return ChangedRects; }
  void TakeChanged() { ChangedRects.clear(); }
  // Forgets what the pixels hold: the next Finish draws every cell.
  void Invalidate();

  // The pixels, 800 x 600 row by row without gaps, as of the last Finish.
  const uint32_t* Pixels() const { return Buffer.data() + GuardPixels; }
  // A pixel of the frame as drawn so far (finished first), 0xRRGGBB; -1 off the screen.
  long PixelAt(int x, int y);
  // For tests: nothing was ever written into the guard rows around the buffer.
  bool GuardRowsUntouched() const;

  // The picture of a string, as DrawText draws it.
  const TextPicture& TextOf(const std::string& text) { return Text.Layout(text); }

 private:
  enum class OpKind : uint8_t { Copy, Scaled, Box, Shade, Text };
  struct Op {
    OpKind Kind = OpKind::Box;
    int16_t Sheet = -1;
    int16_t Alpha = 0;
    PixelRect Src;        // Copy: the part of the sheet, clipped; Scaled: the source as asked
    PixelRect Dest;       // Copy: where the part goes; Scaled: the destination as asked; Text: x, y
    PixelRect Over;       // what it may draw over, within the screen
    uint32_t Colour = 0;
    uint32_t TextIndex = 0;
    uint64_t What = 0;    // a digest of what it draws there
  };
  static constexpr int GuardRows = 16;
  static constexpr size_t GuardPixels = size_t(GuardRows) * Width;

  std::array<RenderSheet, SheetCount> Sheets;
  TextSetter Text;
  std::vector<uint32_t> Buffer;  // guard rows, the picture, guard rows
  std::vector<Op> Ops;
  std::vector<std::string> Texts;
  size_t OpsNoted = 0;  // the drawings mixed into the cells' digests so far
  // What each cell's drawing is, as a digest of the drawings over it since the frame began, and
  // what the pixels it holds were drawn from.
  std::vector<uint64_t> CellDigest, HeldDigest;
  std::vector<PixelRect> ChangedRects;
  // While drawing: the drawings over each band of cells, in order.
  std::vector<uint32_t> BandOpStart, BandOpNext, BandOps, GroupOps, OpStamp;
  uint32_t GroupStamp = 0;

  // The cells a sprite paints every pixel of, a mask for each band it lies over (empty when
  // none), found once for each drawing seen: the title and the frames around the menus and the
  // play column come back every frame.
  std::unordered_map<uint64_t, std::vector<CellMask>> Covers;
  const std::vector<CellMask>& CoverOf(const Op& op);

  uint32_t* Row(int y) { return Buffer.data() + GuardPixels + size_t(y) * Width; }
  void Note(Op op);
  void NoteInCells(const Op& op);
  void DrawOver(const Op& op, const PixelRect& clip);
  void CopyRuns(const Op& op, const PixelRect& clip);
  void CopyScaled(const Op& op, const PixelRect& clip);
  void DrawTextOp(const Op& op, const PixelRect& clip);
};
