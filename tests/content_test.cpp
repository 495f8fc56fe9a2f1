// The painted sprite sheets: sizes and colour keys, every sprite inside the rectangles the game
// copies from and a visible sprite in each of them.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "world/draw.h"
#include "platform/resources.h"
#include "render/glyphs.h"
#include "save/save_file.h"
#include "test_support.h"

namespace {

struct Rect {
  int Left, Top, Right, Bottom;
};

// One decoded sheet as 0xRRGGBB pixels.
struct SheetImage {
  int W = 0, H = 0;
  std::vector<uint32_t> Px;
  uint32_t At(int x, int y) const { return Px[size_t(y) * size_t(W) + size_t(x)]; }
};

SheetImage Decode(int sheet) {
  SheetImage img;
  const EmbeddedResource res = FindSheetImage(Sheets[sheet].Name);
  img.Px.resize(size_t(res.Width) * size_t(res.Height));
  if (!UnpackSheetImage(res, img.Px.data())) return {};
  img.W = res.Width;
  img.H = res.Height;
  return img;
}

// A PNG the generator wrote beside the build (the browser build draws those).
SheetImage ReadPng(const std::string& path) {
  SheetImage img;
  SDL_Surface* raw = IMG_Load(path.c_str());
  SDL_Surface* s = raw ? SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0) : nullptr;
  SDL_FreeSurface(raw);
  if (!s) return img;
  img.W = s->w;
  img.H = s->h;
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x)
      img.Px.push_back(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch)[x] &
                       0xFFFFFF);
  SDL_FreeSurface(s);
  return img;
}

const std::array<SheetImage, 14>& AllSheets() {
  static const std::array<SheetImage, 14> sheets = [] {
    std::array<SheetImage, 14> a;
    for (int i = 0; i < 14; ++i) a[i] = Decode(i);
    return a;
  }();
  return sheets;
}

// Every rectangle the game copies from, sheet by sheet, taken from the game's own tables
// where it has them and from the drawing code's coordinates otherwise.
std::array<std::vector<Rect>, 14> ReadRectangles() {
  TestGame t;
  Game& g = *t;
  std::array<std::vector<Rect>, 14> r;
  const ShipClass& ship = g.Ship;
  const int w = int(ship.Width), h = int(ship.Height);
  // Ships: the plain ship, the rammer, the seven upgraded frames, the hit flash; five rows of
  // part overlays, one per level.
  r[SheetShips].push_back({ship.SrcRectLeft, ship.SrcRectTop, ship.SrcRectRight, ship.SrcRectBottom});
  for (int col = 1; col <= 8; ++col) r[SheetShips].push_back({col * w, 0, (col + 1) * w, h});
  r[SheetShips].push_back({405, ship.SrcRectTop, 450, ship.SrcRectBottom});
  for (int row = 1; row <= 5; ++row)
    for (int level = 1; level <= 10; ++level)
      r[SheetShips].push_back({(level - 1) * w, row * h, level * w, (row + 1) * h});
  r[SheetBackround].push_back({0, 0, 800, 600});
  r[SheetStars] = {{0, 0, 2, 2}, {3, 0, 6, 3}, {7, 0, 11, 4}};
  // Shots: every animation frame of every catalogue entry; the cloaked ship; the shrinking
  // crescent blade, whose frames slide to x 15 as it narrows by 10 pixels a frame.
  for (int kind = 0; kind < 20; ++kind)
    for (int level = 0; level < 10; ++level) {
      const ShotTypeRec& e = g.Tables.ShotTypes[kind][level];
      for (int f = 0; f <= e.Frames; ++f)
        r[SheetShots].push_back({e.SrcLeft + f * e.Width, e.SrcTop, e.SrcLeft + (f + 1) * e.Width, e.SrcTop + e.Height});
      if (kind == 15)
        for (int narrow = e.Width - 10; narrow > 0; narrow -= 10)
          r[SheetShots].push_back({15, e.SrcTop, 15 + narrow, e.SrcTop + e.Height});
    }
  r[SheetShots].push_back({141, 15, 186, 71});
  r[SheetBars] = {{0, 0, 51, 201}, {51, 0, 102, 201}, {102, 0, 152, 451}, {152, 0, 204, 451}};
  // Enemies: kinds 0 to 19 from the tables, the bosses as the level set-up writes them.
  LevelSetup(g, 1);
  for (int k = 0; k < 30; ++k) {
    const EnemyKindRec& e = g.Tables.EnemyKinds[k];
    if (e.Width > 0) r[SheetEnemies].push_back({e.SrcLeft, e.SrcTop, e.SrcLeft + e.Width, e.SrcTop + e.Height});
  }
  if (g.Tables.EnemyKinds[20].Width == 0) {
    // Until the level set-up writes them, the bosses' rectangles (left, top, width, height).
    const int bosses[10][4] = {{0, 196, 59, 127},  {428, 111, 101, 49}, {59, 124, 183, 199}, {335, 89, 93, 85},
                               {242, 88, 93, 86},  {493, 160, 91, 82},  {494, 242, 320, 81}, {584, 181, 108, 61},
                               {584, 90, 143, 91}, {243, 174, 250, 149}};
    for (const auto& b : bosses) r[SheetEnemies].push_back({b[0], b[1], b[0] + b[2], b[1] + b[3]});
  }
  r[SheetEnemiesHurt] = r[SheetEnemies];
  for (const ExploTypeRec& e : g.Tables.ExploTypes)
    for (int f = 0; f < e.FrameAmount; ++f)
      r[SheetExplosions].push_back({f * e.Width, e.SrcTop, (f + 1) * e.Width, e.SrcTop + e.Height});
  // Enemy shots: the common bullet has one row per level 1 to 13.
  for (int kind = 0; kind < 5; ++kind) {
    const EShotTypeRec& e = g.Tables.EShotTypes[kind];
    for (int row = 0; row < (kind == 0 ? 13 : 1); ++row) {
      int top = kind == 0 ? row * e.Height : e.SrcTop;
      r[SheetEShots].push_back({e.SrcLeft, top, e.SrcLeft + e.Width, top + e.Height});
    }
  }
  r[SheetEShots].push_back({9, 96, 30, 117});  // the instant kill's flare, its second frame
  r[SheetTitle].push_back({0, 0, 800, 600});
  r[SheetMouse].push_back({0, 0, 20, 30});
  // Menu marks, locks and highlights.
  r[SheetButtons] = {{0, 0, 48, 47},    {68, 0, 147, 18},   {48, 18, 150, 44},  {102, 44, 140, 69},
                     {0, 48, 48, 63},   {48, 48, 96, 63},   {0, 63, 101, 88},   {0, 89, 102, 115},
                     {0, 115, 35, 140}, {0, 141, 35, 167},  {35, 141, 70, 167}, {0, 167, 147, 194}};
  r[SheetStats].push_back({0, 0, 200, 300});
  for (int tab = 0; tab < 3; ++tab) r[SheetMenuHelp].push_back({0, 176 * tab, 288, 176 * tab + 172});
  return r;
}

bool Inside(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& q : rects)
    if (x >= q.Left && x < q.Right && y >= q.Top && y < q.Bottom) return true;
  return false;
}

}  // namespace

TEST(ContentSheets, EverySheetIsEmbeddedAtItsSizeWithItsKeyAndTheLettersToo) {
  for (int i = 0; i < 14; ++i) {
    const SheetImage& s = AllSheets()[i];
    ASSERT_EQ(s.W, Sheets[i].Width) << Sheets[i].Name;
    ASSERT_EQ(s.H, Sheets[i].Height) << Sheets[i].Name;
    // The top-left pixel is transparent on every sprite sheet; the frame and the backdrop
    // leave the play column and the gutters between the menu panels open.
    int keyed = 0;
    for (uint32_t p : s.Px) keyed += p == Sheets[i].ColourKey;
    if (i != SheetStats && i != SheetMenuHelp && i != SheetMouse) {
      EXPECT_GT(keyed, s.W * s.H / 20) << Sheets[i].Name;
    }
  }
  EXPECT_EQ(AllSheets()[SheetBackround].At(400, 300), 0u);  // the play column shows through
  EXPECT_TRUE(FindSheetImage("ENEMIESHURT").Data);           // names are found without regard to case
  EXPECT_FALSE(FindSheetImage("Enemy").Data);
  // The desktop's packed pixels and the browser's PNGs are the same pictures.
  for (int i = 0; i < SheetCount; ++i) {
    const SheetImage png = ReadPng(std::string(ZORVANE_SHEET_DIR) + "/" + Sheets[i].Name + ".png");
    const SheetImage packed = i < 14 ? AllSheets()[size_t(i)] : Decode(i);
    EXPECT_TRUE(png.W == packed.W && png.H == packed.H && png.Px == packed.Px) << Sheets[i].Name;
  }
  // Damaged data is refused, never unpacked in part or past the pixels.
  EmbeddedResource cut = FindSheetImage("Stars");
  std::vector<uint32_t> pixels(size_t(cut.Width) * size_t(cut.Height));
  cut.Size -= 1;
  EXPECT_FALSE(UnpackSheetImage(cut, pixels.data()));
  EmbeddedResource wrongSize = FindSheetImage("Stars");
  wrongSize.Height -= 1;
  EXPECT_FALSE(UnpackSheetImage(wrongSize, pixels.data()));
  // The letters of the game's text: an atlas with the printable characters, the same bytes the
  // browser build is given.
  const EmbeddedResource glyphs = FindGlyphAtlas();
  GlyphAtlas atlas;
  ASSERT_TRUE(atlas.Read(glyphs.Data, glyphs.Size));
  EXPECT_GE(atlas.FontHeight, 8);
  for (char c = ' '; c <= '~'; ++c) EXPECT_TRUE(atlas.Glyphs[size_t(c)].HasMetrics) << c;
  EXPECT_EQ(ReadFile(std::string(ZORVANE_SHEET_DIR) + "/glyphs.bin"),
            std::string(reinterpret_cast<const char*>(glyphs.Data), glyphs.Size));
}

TEST(ContentSheets, SpritesStayInsideTheRectanglesTheGameReadsAndFillEachOfThem) {
  const auto rects = ReadRectangles();
  for (int i = 0; i < 14; ++i) {
    const SheetImage& s = AllSheets()[i];
    ASSERT_EQ(s.W, Sheets[i].Width);
    ASSERT_FALSE(rects[i].empty()) << Sheets[i].Name;
    int stray = 0;
    for (int y = 0; y < s.H; ++y)
      for (int x = 0; x < s.W; ++x)
        if (s.At(x, y) != Sheets[i].ColourKey && !Inside(rects[i], x, y)) ++stray;
    EXPECT_EQ(stray, 0) << Sheets[i].Name << " paints outside the rectangles the game copies";
    for (const Rect& q : rects[i]) {
      int drawn = 0, area = (q.Right - q.Left) * (q.Bottom - q.Top);
      for (int y = q.Top; y < q.Bottom; ++y)
        for (int x = q.Left; x < q.Right; ++x) drawn += s.At(x, y) != Sheets[i].ColourKey;
      // A small part overlay or the first spark of a fireball is small by design.
      EXPECT_GE(drawn, std::min(area / 10, 16)) << Sheets[i].Name << " has next to nothing at " << q.Left << "," << q.Top << " - "
                                  << q.Right << "," << q.Bottom;
    }
  }
  // The hurt look covers exactly the same pixels as the plain look, in other colours.
  const SheetImage &plain = AllSheets()[SheetEnemies], &hurt = AllSheets()[SheetEnemiesHurt];
  int sameShape = 0, recoloured = 0, opaque = 0;
  for (size_t k = 0; k < plain.Px.size(); ++k) {
    sameShape += (plain.Px[k] == 0xFFFFFF) == (hurt.Px[k] == 0xFFFFFF);
    if (plain.Px[k] != 0xFFFFFF) ++opaque, recoloured += plain.Px[k] != hurt.Px[k];
  }
  EXPECT_EQ(sameShape, int(plain.Px.size()));
  EXPECT_GT(recoloured, opaque * 9 / 10);
}
