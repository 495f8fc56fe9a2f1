#include "render/renderer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "render/shade.h"

namespace {

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

// A cleared cell.
constexpr uint64_t ClearedCell = 0x2545F4914F6CDD1Dull;
// What pixels of unknown history are taken to hold: no drawing's digest.
constexpr uint64_t UnknownCell = 0x8F1BBCDC6ED9EBA1ull;
enum DrawingKind : uint64_t { SheetCopy = 1, ScaledCopy, BoxFill, Letters, BoxShade };

// One channel of a letter's colour laid over a pixel with the letter's coverage (1..254) as
// alpha: each side weighted in 256ths and rounded down on its own.
uint32_t BlendChannel(uint32_t src, uint32_t dst, uint32_t alpha) {
  return ((src * alpha) >> 8) + ((dst * (255 - alpha)) >> 8);
}

// The cells a rectangle (within the screen) lies over: a range of bands and a mask of pieces.
struct CellSpan {
  int FirstBand = 0, LastBand = -1;
  Renderer::CellMask Pieces = 0;
};
CellSpan CellsUnder(const PixelRect& r) {
  if (r.Empty()) return {};
  const int first = r.Left / Renderer::CellWidth, last = (r.Right - 1) / Renderer::CellWidth;
  return {r.Top / Renderer::CellHeight, (r.Bottom - 1) / Renderer::CellHeight,
          Renderer::CellMask(((2ull << last) - 1) & ~((1ull << first) - 1))};
}

constexpr PixelRect Screen{0, 0, Renderer::Width, Renderer::Height};

}  // namespace

PixelRect PixelRect::Within(const PixelRect& o) const {
  PixelRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
  if (r.Empty()) return {};
  return r;
}

Renderer::Renderer()
    : Buffer(size_t(Width) * (Height + 2 * GuardRows), 0xA5A5A5A5u),
      CellDigest(size_t(CellRows) * CellColumns, 0),  // black, but no drawing: never taken for a cleared cell
      HeldDigest(CellDigest) {
  std::fill(Buffer.begin() + GuardPixels, Buffer.end() - GuardPixels, 0u);
}

void Renderer::SetSheet(int index, int width, int height, uint32_t key, std::vector<uint32_t> pixels) {
  if (index < 0 || index >= SheetCount) return;
  Finish();  // what was noted so far is of the sheet as it was
  RenderSheet& s = Sheets[size_t(index)];
  const uint32_t version = s.Version + 1;
  s = RenderSheet{};
  s.Version = version;
  if (width <= 0 || height <= 0 || width > 32767 || pixels.size() != size_t(width) * size_t(height)) return;
  s.Width = width;
  s.Height = height;
  s.Key = key & 0xFFFFFFu;
  s.Pixels = std::move(pixels);
  // The runs of each row that are not the key, for the copies.
  s.RowStart.reserve(size_t(height) + 1);
  for (int y = 0; y < height; ++y) {
    s.RowStart.push_back(uint32_t(s.Runs.size()));
    const uint32_t* row = s.Pixels.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width;) {
      if (row[x] == s.Key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && row[x] != s.Key) ++x;
      s.Runs.emplace_back(int16_t(start), int16_t(x));
    }
  }
  s.RowStart.push_back(uint32_t(s.Runs.size()));
}

bool Renderer::SetGlyphs(const uint8_t* data, size_t size) {
  Finish();
  Text = TextSetter{};
  const bool read = Text.Atlas.Read(data, size);
  Invalidate();  // text drawn with the old letters looks different now
  return read;
}

// ---- Noting the drawing --------------------------------------------------------------------

// Unscaled copies are clipped as a blitter clips: the source rectangle to the sheet, moving the
// destination with it, then the destination to the screen.
void Renderer::CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                        int destRight, int destBottom, bool scaled) {
  if (sheet < 0 || sheet >= SheetCount) return;
  const RenderSheet& from = Sheets[size_t(sheet)];
  // Empty or inverted rectangles draw nothing.
  if (from.Pixels.empty() || srcRight <= srcLeft || srcBottom <= srcTop) return;
  Op op;
  op.Sheet = int16_t(sheet);
  if (scaled) {
    if (destRight <= destLeft || destBottom <= destTop) return;
    op.Kind = OpKind::Scaled;
    op.Src = {srcLeft, srcTop, srcRight, srcBottom};
    op.Dest = {destLeft, destTop, destRight, destBottom};
    op.Over = op.Dest.Within(Screen);
    op.What = Digest({ScaledCopy, uint64_t(sheet), from.Version, uint64_t(srcLeft), uint64_t(srcTop),
                      uint64_t(srcRight), uint64_t(srcBottom), uint64_t(destLeft), uint64_t(destTop)});
    Note(op);
    return;
  }
  int sx = srcLeft, sy = srcTop, w = srcRight - srcLeft, h = srcBottom - srcTop, dx = destLeft, dy = destTop;
  if (sx < 0) {
    w += sx;
    dx -= sx;
    sx = 0;
  }
  w = std::min(w, from.Width - sx);
  if (sy < 0) {
    h += sy;
    dy -= sy;
    sy = 0;
  }
  h = std::min(h, from.Height - sy);
  if (int d = -dx; d > 0) {
    w -= d;
    dx += d;
    sx += d;
  }
  w = std::min(w, Width - dx);
  if (int d = -dy; d > 0) {
    h -= d;
    dy += d;
    sy += d;
  }
  h = std::min(h, Height - dy);
  if (w <= 0 || h <= 0) return;
  op.Kind = OpKind::Copy;
  op.Src = {sx, sy, sx + w, sy + h};
  op.Dest = op.Over = {dx, dy, dx + w, dy + h};
  op.What = Digest({SheetCopy, uint64_t(sheet), from.Version, uint64_t(sx - dx), uint64_t(sy - dy)});
  Note(op);
}

void Renderer::FillBox(int left, int top, int right, int bottom, uint32_t colour) {
  Op op;
  op.Kind = OpKind::Box;
  op.Colour = colour & 0xFFFFFFu;
  op.Dest = op.Over = PixelRect{left, top, right, bottom}.Within(Screen);
  op.What = Digest({BoxFill, op.Colour});
  Note(op);
}

void Renderer::ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) {
  if (alpha <= 0) return;
  Op op;
  op.Kind = OpKind::Shade;
  op.Colour = colour & 0xFFFFFFu;
  op.Alpha = int16_t(std::min(alpha, 256));
  op.Dest = op.Over = PixelRect{left, top, right, bottom}.Within(Screen);
  // What it leaves depends on what is under it, which the cells' digests already follow.
  op.What = Digest({BoxShade, op.Colour, uint64_t(op.Alpha)});
  Note(op);
}

void Renderer::DrawText(int x, int y, const std::string& text, uint32_t colour) {
  if (text.empty()) return;
  const TextPicture& pic = Text.Layout(text);
  if (pic.Width <= 0) return;
  Op op;
  op.Kind = OpKind::Text;
  op.Colour = colour & 0xFFFFFFu;
  op.Dest = {x, y, x + pic.Width, y + pic.Height};
  op.Over = op.Dest.Within(Screen);
  op.TextIndex = uint32_t(Texts.size());
  op.What = Digest({Letters, std::hash<std::string>{}(text), op.Colour});
  Texts.push_back(text);
  Note(op);
}

void Renderer::Note(Op op) {
  if (op.Over.Empty()) return;
  // With the rectangle goes the drawing's place: the same sprite a pixel further is another drawing.
  op.What = Digest({op.What, uint64_t(op.Over.Left), uint64_t(op.Over.Top), uint64_t(op.Over.Right),
                    uint64_t(op.Over.Bottom)});
  Ops.push_back(op);
}

void Renderer::BeginFrame() {
  Ops.clear();
  Texts.clear();
  OpsNoted = 0;
  std::fill(CellDigest.begin(), CellDigest.end(), ClearedCell);
}

void Renderer::Invalidate() { std::fill(HeldDigest.begin(), HeldDigest.end(), UnknownCell); }

// Mixes a drawing into the digests of the cells it may draw over. Each cell's digest is a
// polynomial in the drawings' digests, taken in order: a multiply and an add a cell, since the
// backdrop and the frame around it cover thousands of cells a frame. A cell a box paints over
// entirely, or a sprite covers with pixels that are not its key, starts afresh, as if cleared:
// what was under it no longer shows (the menu's drifting dust behind its panels and the title
// changes nothing on the screen). This is done when the frame is
// finished, not as the game draws: a frame nobody looks at costs no digests.
void Renderer::NoteInCells(const Op& op) {
  const CellSpan span = CellsUnder(op.Over);
  CellMask boxed = 0;
  int boxTop = 0, boxBottom = 0;
  const CellMask* painted = nullptr;
  if (op.Kind == OpKind::Box) {
    const int x0 = (op.Over.Left + CellWidth - 1) / CellWidth, x1 = op.Over.Right / CellWidth;
    boxTop = (op.Over.Top + CellHeight - 1) / CellHeight;
    boxBottom = op.Over.Bottom / CellHeight;
    if (x0 < x1) boxed = CellMask(((1ull << x1) - 1) & ~((1ull << x0) - 1));
  } else if (op.Kind == OpKind::Copy && op.Over.Width() >= CellWidth && op.Over.Height() >= CellHeight) {
    const std::vector<CellMask>& cover = CoverOf(op);
    if (!cover.empty()) painted = cover.data();
  }
  const int first = std::countr_zero(span.Pieces), count = std::popcount(span.Pieces);
  for (int band = span.FirstBand; band <= span.LastBand; ++band) {
    uint64_t* cell = &CellDigest[size_t(band * CellColumns + first)];
    const CellMask whole =
        (painted ? painted[band - span.FirstBand] : band >= boxTop && band < boxBottom ? boxed : CellMask(0)) >> first;
    for (int i = 0; i < count; ++i) {
      const uint64_t painted = 0 - uint64_t((whole >> i) & 1);
      cell[i] = ((cell[i] & ~painted) | (ClearedCell & painted)) * 0x9E3779B97F4A7C15ull + op.What;
    }
  }
}

const std::vector<Renderer::CellMask>& Renderer::CoverOf(const Op& op) {
  if (auto it = Covers.find(op.What); it != Covers.end()) return it->second;
  if (Covers.size() >= 4096) Covers.clear();  // drawings that came and went
  const RenderSheet& from = Sheets[size_t(op.Sheet)];
  const int shiftX = op.Src.Left - op.Dest.Left, shiftY = op.Src.Top - op.Dest.Top;
  const CellSpan span = CellsUnder(op.Over);
  std::vector<CellMask> cover(size_t(span.LastBand - span.FirstBand + 1), 0);
  bool any = false;
  // Whole cells inside the drawing whose every source row is one run over the cell's columns.
  for (int band = span.FirstBand; band <= span.LastBand; ++band) {
    const int y0 = band * CellHeight, y1 = y0 + CellHeight;
    if (y0 < op.Over.Top || y1 > op.Over.Bottom) continue;
    for (int piece = 0; piece < CellColumns; ++piece) {
      const int x0 = piece * CellWidth + shiftX, x1 = x0 + CellWidth;
      if (x0 < op.Src.Left || x1 > op.Src.Right) continue;
      bool full = true;
      for (int y = y0; y < y1 && full; ++y) {
        const auto runs = from.Row(y + shiftY);
        const auto run = std::upper_bound(runs.begin(), runs.end(), x0,
                                          [](int x, const std::pair<int16_t, int16_t>& r) { return x < r.second; });
        full = run != runs.end() && run->first <= x0 && run->second >= x1;
      }
      if (full) {
        cover[size_t(band - span.FirstBand)] |= CellMask(1u) << piece;
        any = true;
      }
    }
  }
  if (!any) cover.clear();
  return Covers[op.What] = std::move(cover);
}

// ---- Drawing --------------------------------------------------------------------------------

// Does the frame's drawing over the cells whose digest is not that of the pixels they hold:
// each run of such cells across a band (or across neighbouring bands with the same runs) is
// cleared and every drawing of the frame over it done, in order, clipped to it. The other cells
// already hold this frame's pixels. The drawings stay noted until the next frame begins, so the
// picture may be looked at part-way through a frame.
void Renderer::Finish() {
  for (; OpsNoted < Ops.size(); ++OpsNoted) NoteInCells(Ops[OpsNoted]);
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
  for (const Op& op : Ops) {
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
  OpStamp.assign(Ops.size(), 0);
  GroupStamp = 0;
  // Neighbouring bands with the same cells to draw are drawn together, so a sprite over them is
  // copied once, not once a band (when everything moved, the whole screen is one rectangle).
  for (int band = 0; band < CellRows;) {
    const CellMask mask = redraw[size_t(band)];
    int end = band + 1;
    while (end < CellRows && redraw[size_t(end)] == mask) ++end;
    if (mask) {
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
        std::sort(GroupOps.begin(), GroupOps.end());
      }
      for (int piece = 0; piece < CellColumns;) {
        if (!(mask & (1u << piece))) {
          ++piece;
          continue;
        }
        const int first = piece;
        while (piece < CellColumns && (mask & (1u << piece))) ++piece;
        const PixelRect clip{first * CellWidth, band * CellHeight, piece * CellWidth, end * CellHeight};
        // A clip whose first drawing is a black-keyed sheet over all of it (the nebula behind
        // play) is not cleared first: the sheet's rows are copied whole, their key being the black.
        size_t next = 0;
        while (next < GroupOps.size() && !Ops[GroupOps[next]].Over.Meets(clip)) ++next;
        const Op* under = next < GroupOps.size() ? &Ops[GroupOps[next]] : nullptr;
        if (under && under->Kind == OpKind::Copy && Sheets[size_t(under->Sheet)].Key == 0 &&
            under->Dest.Within(clip).Width() == clip.Width() && under->Dest.Within(clip).Height() == clip.Height()) {
          const RenderSheet& from = Sheets[size_t(under->Sheet)];
          const int sx = clip.Left + under->Src.Left - under->Dest.Left, sy = under->Src.Top - under->Dest.Top;
          for (int y = clip.Top; y < clip.Bottom; ++y)
            std::memcpy(Row(y) + clip.Left, from.Pixels.data() + size_t(y + sy) * size_t(from.Width) + size_t(sx),
                        size_t(clip.Width()) * 4);
          ++next;
        } else {
          for (int y = clip.Top; y < clip.Bottom; ++y) std::memset(Row(y) + clip.Left, 0, size_t(clip.Width()) * 4);
        }
        for (; next < GroupOps.size(); ++next)
          if (Ops[GroupOps[next]].Over.Meets(clip)) DrawOver(Ops[GroupOps[next]], clip);
        ChangedRects.push_back(clip);
      }
      for (int b = band; b < end; ++b)
        for (int piece = 0; piece < CellColumns; ++piece)
          if (mask & (1u << piece)) HeldDigest[size_t(b * CellColumns + piece)] = CellDigest[size_t(b * CellColumns + piece)];
    }
    band = end;
  }
}

void Renderer::DrawOver(const Op& op, const PixelRect& clip) {
  switch (op.Kind) {
    case OpKind::Copy: CopyRuns(op, clip); return;
    case OpKind::Scaled: CopyScaled(op, clip); return;
    case OpKind::Text: DrawTextOp(op, clip); return;
    case OpKind::Box: {
      const PixelRect r = op.Over.Within(clip);
      for (int y = r.Top; y < r.Bottom; ++y) std::fill(Row(y) + r.Left, Row(y) + r.Right, op.Colour);
      return;
    }
    case OpKind::Shade: {
      const PixelRect r = op.Over.Within(clip);
      for (int y = r.Top; y < r.Bottom; ++y) ShadeRow(Row(y) + r.Left, r.Width(), op.Colour, op.Alpha);
      return;
    }
  }
}

// The copy every sprite of every frame goes through: colour-keyed, a run of a row at a time.
// The frame around the play area, drawn over every play frame, is mostly key.
void Renderer::CopyRuns(const Op& op, const PixelRect& clip) {
  const RenderSheet& from = Sheets[size_t(op.Sheet)];
  const PixelRect to = op.Dest.Within(clip);
  const int shiftX = op.Src.Left - op.Dest.Left, shiftY = op.Src.Top - op.Dest.Top;
  const int begin = to.Left + shiftX, end = to.Right + shiftX;  // source columns
  for (int y = to.Top; y < to.Bottom; ++y) {
    const int sy = y + shiftY;
    const uint32_t* s = from.Pixels.data() + size_t(sy) * size_t(from.Width);
    uint32_t* d = Row(y) - shiftX;  // d[x] is where source column x lands
    // The row's runs from the first that ends past the copy's left edge (a sheet's row may hold
    // dozens of sprites' runs), up to the first that starts past its right edge.
    const auto runs = from.Row(sy);
    auto run = std::upper_bound(runs.begin(), runs.end(), begin,
                                [](int x, const std::pair<int16_t, int16_t>& r) { return x < r.second; });
    for (; run != runs.end() && run->first < end; ++run) {
      const int lo = std::max<int>(run->first, begin), hi = std::min<int>(run->second, end);
      std::memcpy(d + lo, s + lo, size_t(hi - lo) * sizeof(uint32_t));
    }
  }
}

// Scaled, each destination pixel takes the source pixel nearest its centre, colour-keyed: the
// same whichever part of the destination the clip lets through.
void Renderer::CopyScaled(const Op& op, const PixelRect& clip) {
  const RenderSheet& from = Sheets[size_t(op.Sheet)];
  const PixelRect to = op.Over.Within(clip);
  const int64_t sw = op.Src.Width(), sh = op.Src.Height(), dw = op.Dest.Width(), dh = op.Dest.Height();
  for (int y = to.Top; y < to.Bottom; ++y) {
    const int sy = op.Src.Top + int((2 * (y - op.Dest.Top) + 1) * sh / (2 * dh));
    if (sy < 0 || sy >= from.Height) continue;
    const uint32_t* s = from.Pixels.data() + size_t(sy) * size_t(from.Width);
    uint32_t* d = Row(y);
    for (int x = to.Left; x < to.Right; ++x) {
      const int sx = op.Src.Left + int((2 * (x - op.Dest.Left) + 1) * sw / (2 * dw));
      if (sx < 0 || sx >= from.Width || s[sx] == from.Key) continue;
      d[x] = s[sx];
    }
  }
}

// Letters in one colour, their coverage as its alpha.
void Renderer::DrawTextOp(const Op& op, const PixelRect& clip) {
  const TextPicture& pic = Text.Layout(Texts[op.TextIndex]);
  const PixelRect to = op.Over.Within(clip);
  const uint32_t r = (op.Colour >> 16) & 0xFF, g = (op.Colour >> 8) & 0xFF, b = op.Colour & 0xFF;
  for (int y = to.Top; y < to.Bottom; ++y) {
    const uint8_t* cover = pic.Alpha.data() + size_t(y - op.Dest.Top) * size_t(pic.Width) - op.Dest.Left;
    uint32_t* row = Row(y);
    for (int x = to.Left; x < to.Right; ++x) {
      const uint32_t a = cover[x];
      if (a == 0) continue;
      uint32_t& d = row[x];
      if (a == 255) {
        d = op.Colour;
        continue;
      }
      d = BlendChannel(r, (d >> 16) & 0xFF, a) << 16 | BlendChannel(g, (d >> 8) & 0xFF, a) << 8 |
          BlendChannel(b, d & 0xFF, a);
    }
  }
}

long Renderer::PixelAt(int x, int y) {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return -1;
  Finish();
  return long(Row(y)[x]);
}

bool Renderer::GuardRowsUntouched() const {
  for (size_t i = 0; i < GuardPixels; ++i)
    if (Buffer[i] != 0xA5A5A5A5u || Buffer[Buffer.size() - 1 - i] != 0xA5A5A5A5u) return false;
  return true;
}
