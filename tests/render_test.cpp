// The renderer: every drawing lands exactly where and as it should, clipped to the screen and
// to its sheet; a frame drawn over the last one (only the cells that changed) is the frame drawn
// afresh; the rectangles it reports as changed hold every pixel that changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "render/renderer.h"
#include "render/shade.h"
#include "shell/embedded_art.h"
#include "test_support.h"
#include "world/draw.h"

namespace {

// The drawings the game makes, done the plainest way, pixel by pixel, on a buffer of our own.
struct Reference {
  Renderer& R;  // for its sheets and letters
  std::vector<uint32_t> Px = std::vector<uint32_t>(size_t(800) * 600, 0);

  void Put(int x, int y, uint32_t p) {
    if (x >= 0 && y >= 0 && x < 800 && y < 600) Px[size_t(y) * 800 + size_t(x)] = p;
  }
  uint32_t* At(int x, int y) { return x >= 0 && y >= 0 && x < 800 && y < 600 ? &Px[size_t(y) * 800 + size_t(x)] : nullptr; }
  // Unscaled: a translation of the source rectangle, whatever of it lies on the sheet and the screen.
  void Copy(int sheet, int left, int top, int right, int bottom, int x, int y) {
    const RenderSheet& s = R.Sheet(sheet);
    for (int sy = std::max(top, 0); sy < std::min(bottom, s.Height); ++sy)
      for (int sx = std::max(left, 0); sx < std::min(right, s.Width); ++sx) {
        const uint32_t p = s.Pixels[size_t(sy) * size_t(s.Width) + size_t(sx)];
        if (p != s.Key) Put(x + sx - left, y + sy - top, p);
      }
  }
  // Scaled: each destination pixel from the source pixel under its centre.
  void Scaled(int sheet, int left, int top, int right, int bottom, int dl, int dt, int dr, int db) {
    const RenderSheet& s = R.Sheet(sheet);
    for (int y = dt; y < db; ++y)
      for (int x = dl; x < dr; ++x) {
        const double fx = left + (x - dl + 0.5) * (right - left) / double(dr - dl);
        const double fy = top + (y - dt + 0.5) * (bottom - top) / double(db - dt);
        const int sx = int(std::floor(fx)), sy = int(std::floor(fy));
        if (sx < 0 || sy < 0 || sx >= s.Width || sy >= s.Height) continue;
        const uint32_t p = s.Pixels[size_t(sy) * size_t(s.Width) + size_t(sx)];
        if (p != s.Key) Put(x, y, p);
      }
  }
  void Box(int l, int t, int r, int b, uint32_t c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Put(x, y, c);
  }
  void Shade(int l, int t, int r, int b, uint32_t c, int a) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x)
        if (uint32_t* p = At(x, y)) *p = ShadePixel(*p, c, a);
  }
  // Letters: their coverage weighs the colour against what is under it, channel by channel.
  void Text(int x, int y, const std::string& text, uint32_t c) {
    const TextPicture& pic = R.TextOf(text);
    for (int row = 0; row < pic.Height; ++row)
      for (int col = 0; col < pic.Width; ++col) {
        const uint32_t a = pic.Alpha[size_t(row) * size_t(pic.Width) + size_t(col)];
        uint32_t* p = At(x + col, y + row);
        if (!p || a == 0) continue;
        uint32_t out = 0;
        for (int shift : {16, 8, 0}) {
          const uint32_t s = (c >> shift) & 0xFF, d = (*p >> shift) & 0xFF;
          out |= (a == 255 ? s : ((s * a) >> 8) + ((d * (255 - a)) >> 8)) << shift;
        }
        *p = out;
      }
  }
};

struct Drawing {
  int Kind, Sheet, Left, Top, Right, Bottom, X, Y, W, H;
  uint32_t Colour;
  std::string Words;
};

void Draw(Renderer& r, const Drawing& d) {
  switch (d.Kind) {
    case 0: r.CopyRect(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y, 0, 0, false); break;
    case 1: r.CopyRect(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y, d.X + d.W, d.Y + d.H, true); break;
    case 2: r.FillBox(d.X, d.Y, d.X + d.W, d.Y + d.H, d.Colour); break;
    case 3: r.ShadeBox(d.X, d.Y, d.X + d.W, d.Y + d.H, d.Colour, d.Left); break;
    default: r.DrawText(d.X, d.Y, d.Words, d.Colour); break;
  }
}

void Draw(Reference& r, const Drawing& d) {
  switch (d.Kind) {
    case 0: r.Copy(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y); break;
    case 1: r.Scaled(d.Sheet, d.Left, d.Top, d.Right, d.Bottom, d.X, d.Y, d.X + d.W, d.Y + d.H); break;
    case 2: r.Box(d.X, d.Y, d.X + d.W, d.Y + d.H, d.Colour); break;
    case 3: r.Shade(d.X, d.Y, d.X + d.W, d.Y + d.H, d.Colour, d.Left); break;
    default: r.Text(d.X, d.Y, d.Words, d.Colour); break;
  }
}

// Any drawing, anywhere: inside, across or beyond its sheet and the screen, of any size.
Drawing RandomDrawing(std::mt19937& rng, bool large) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  Drawing d{};
  d.Kind = pick(0, 9);
  if (d.Kind > 4) d.Kind = 0;  // sprites most of all
  d.Sheet = pick(0, SheetCount - 1);
  const int w = Sheets[d.Sheet].Width, h = Sheets[d.Sheet].Height;
  d.Left = pick(-40, w + 10);
  d.Top = pick(-40, h + 10);
  d.Right = d.Left + pick(1, large ? 900 : 120);
  d.Bottom = d.Top + pick(1, large ? 700 : 120);
  d.X = pick(-300, 850);
  d.Y = pick(-300, 650);
  d.W = pick(1, large ? 900 : 200);
  d.H = pick(1, large ? 700 : 200);
  d.Colour = uint32_t(pick(0, 0xFFFFFF));
  if (d.Kind == 3) d.Left = pick(1, 256);  // the shade's alpha
  d.Words = "SCORE " + std::to_string(pick(0, 99999)) + (pick(0, 1) ? " Mg" : "");
  return d;
}

int Differences(Renderer& r, const Reference& ref) {
  r.Finish();
  int n = 0;
  for (size_t i = 0; i < ref.Px.size(); ++i) n += r.Pixels()[i] != ref.Px[i];
  return n;
}

}  // namespace

TEST(Renderer, EveryDrawingLandsAsDrawnAloneClippedToTheScreenAndItsSheet) {
  Renderer r;
  LoadEmbeddedArt(r);
  Reference ref{r};
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    // A new frame now and then, so drawings land on fresh and on old pixels.
    if (round % 37 == 0) {
      r.BeginFrame();
      std::fill(ref.Px.begin(), ref.Px.end(), 0u);
    }
    const Drawing d = RandomDrawing(rng, round % 10 == 0);
    Draw(r, d);
    Draw(ref, d);
    if (round % 50 == 49) {
      ASSERT_EQ(Differences(r, ref), 0) << "after drawing " << round << " (kind " << d.Kind << ")";
    }
  }
  EXPECT_TRUE(r.GuardRowsUntouched());
}

// A frame is drawn only over the cells that differ from the frame before: frame after frame, the
// picture is what drawing the frame alone on a new buffer gives, with sprites, text and boxes
// that stay, move, come and go, and the picture looked at part-way through a frame too.
TEST(Renderer, FramesDrawnOverTheLastOnesMatchFramesDrawnAfresh) {
  Renderer kept;
  LoadEmbeddedArt(kept);
  std::mt19937 rng(11);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  auto small = [&] {
    Drawing d = RandomDrawing(rng, false);
    d.Left = std::max(d.Left, 0);
    d.Top = std::max(d.Top, 0);
    d.X = pick(-50, 799);
    d.Y = pick(-50, 599);
    return d;
  };
  // A box over the whole screen whose colour changes every frame, the nebula, drawings under the
  // frame of the play column, another such box, part of the title over it and a strip of the
  // frame (whose solid parts hide what changes beneath them, and whose clear parts show it),
  // then drawings over them all. Their edges fall inside cells, a pixel past their edges.
  std::vector<Drawing> frame = {{2, 0, 0, 0, 0, 0, 0, 0, 800, 600, 0x336699u, ""},
                                {0, SheetBackdrop, 0, 0, 600, 600, 100, 0, 0, 0, 0, ""}};
  for (int i = 0; i < 12; ++i) frame.push_back(small());
  frame.push_back({0, SheetBackround, 0, 0, 800, 600, 1, 0, 0, 0, 0, ""});
  frame.push_back({2, 0, 0, 0, 0, 0, 145, 75, 510, 410, 0x336699u, ""});
  frame.push_back({0, SheetTitle, 150, 80, 650, 480, 168, 83, 0, 0, 0, ""});
  frame.push_back({0, SheetBackround, 0, 300, 800, 400, -1, 300, 0, 0, 0, ""});
  const size_t fixed = frame.size();
  for (int i = 0; i < 30; ++i) frame.push_back(small());
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("frame " + std::to_string(round));
    // Most drawings stay as they were; some are nudged a pixel or two, as craft move; some go,
    // some come.
    frame[0].Colour = frame[fixed - 3].Colour = 0x336699u * uint32_t(round + 1) & 0xFFFFFFu;
    for (size_t i = 2; i < frame.size(); ++i) {
      if (i >= fixed - 4 && i < fixed) continue;
      if (pick(0, 4) == 0) frame[i] = small();
      else if (pick(0, 3) == 0) {
        frame[i].X += pick(-2, 2);
        frame[i].Y += pick(-2, 2);
      }
    }
    if (pick(0, 1)) frame.push_back(small());
    Renderer fresh;
    LoadEmbeddedArt(fresh);
    kept.BeginFrame();
    // Every other frame the nebula comes first, as in play, with nothing under it.
    for (size_t i = round % 2; i < frame.size(); ++i) {
      Draw(kept, frame[i]);
      Draw(fresh, frame[i]);
      if (i == frame.size() / 2 && round % 3 == 0) kept.PixelAt(0, 0);  // a look part-way through
    }
    kept.Finish();
    fresh.Finish();
    ASSERT_EQ(std::memcmp(kept.Pixels(), fresh.Pixels(), 800 * 600 * 4), 0);
  }
  EXPECT_TRUE(kept.GuardRowsUntouched());
}

// What a platform sends to the screen: every pixel that changed lies in a changed rectangle; a
// frame drawn as the one before reports none; a sheet set again, or Invalidate, redraws.
TEST(Renderer, ChangedRectanglesHoldEveryChangedPixelAndNothingElseChanges) {
  Renderer r;
  LoadEmbeddedArt(r);
  std::mt19937 rng(3);
  std::vector<uint32_t> before(size_t(800) * 600, 0);
  std::vector<Drawing> frame;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("frame " + std::to_string(round));
    const bool same = round % 4 == 3;
    if (!same) {
      frame.clear();
      for (int i = 0; i < 20; ++i) frame.push_back(RandomDrawing(rng, false));
    }
    if (round == 20) LoadEmbeddedSheet(r, SheetShips, "PATTERN Ships");
    if (round == 30) r.Invalidate();
    r.BeginFrame();
    for (const Drawing& d : frame) Draw(r, d);
    r.Finish();
    std::vector<bool> covered(before.size(), false);
    for (const PixelRect& c : r.Changed())
      for (int y = std::max(c.Top, 0); y < std::min(c.Bottom, 600); ++y)
        for (int x = std::max(c.Left, 0); x < std::min(c.Right, 800); ++x) covered[size_t(y) * 800 + size_t(x)] = true;
    int unsent = 0, all = 0;
    for (size_t i = 0; i < before.size(); ++i) {
      unsent += r.Pixels()[i] != before[i] && !covered[i];
      all += covered[i];
    }
    EXPECT_EQ(unsent, 0);
    if (same && round != 31) {
      EXPECT_EQ(all, 0) << "a frame drawn as the one before was redrawn";
    }
    if (round == 30) {
      EXPECT_EQ(all, 800 * 600) << "after Invalidate every pixel is drawn afresh";
    }
    r.TakeChanged();
    std::memcpy(before.data(), r.Pixels(), before.size() * 4);
  }
}

// Blit's own rule, above the renderer's: objects off the top of the screen lose their top rows
// from the source, those past the bottom their bottom rows; the sides are left to the renderer.
TEST(Renderer, BlitClipsTopAndBottomAndTheRendererClipsTheSides) {
  Renderer r;
  // Names no resource carries: the copies are checked on test patterns, whose every pixel is known.
  for (int i = 0; i < SheetCount; ++i) LoadEmbeddedSheet(r, i, std::string("PATTERN ") + Sheets[i].Name);
  auto g = std::make_unique<Game>();
  g->Draw = &r;
  Reference ref{r};
  // Above the screen: a 30-row object at -10 shows its lower 20 rows at the top.
  EXPECT_EQ(Blit(*g, SheetShips, true, -10, 20, 100, 140, 0, 30, 0, 40), 0);
  ref.Copy(SheetShips, 0, 10, 40, 30, 100, 0);
  EXPECT_EQ(Differences(r, ref), 0);
  // Below: the bottom edge at 610 loses the lowest 10 rows.
  Blit(*g, SheetShips, true, 580, 610, 200, 240, 50, 80, 60, 100);
  ref.Copy(SheetShips, 60, 50, 100, 70, 200, 580);
  EXPECT_EQ(Differences(r, ref), 0);
  // The sides are not clipped by Blit; the picture shows what fits.
  Blit(*g, SheetShips, true, 300, 330, 790, 820, 0, 30, 0, 30);
  ref.Copy(SheetShips, 0, 0, 10, 30, 790, 300);
  Blit(*g, SheetShips, true, 400, 430, -10, 20, 0, 30, 0, 30);
  ref.Copy(SheetShips, 10, 0, 30, 30, 0, 400);
  EXPECT_EQ(Differences(r, ref), 0);
  // Nothing at all from what lies wholly off the screen, is inverted or empty.
  Blit(*g, SheetShips, true, 700, 730, 10, 40, 0, 30, 0, 30);
  Blit(*g, SheetShips, true, 10, 40, 10, 40, 30, 0, 30, 0);
  Blit(*g, SheetShips, false, 10, 10, 10, 40, 0, 30, 0, 30);
  EXPECT_EQ(Differences(r, ref), 0);
  EXPECT_TRUE(r.GuardRowsUntouched());
}
