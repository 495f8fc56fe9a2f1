// The painted sprite sheets: sizes and colour keys, every sprite inside the rectangles the game
// copies from, a visible sprite in each of them, and light faces under the menu's black text.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "enemies/data_tables.h"
#include "levels/levels.h"
#include "platform/blit.h"
#include "platform/resources.h"
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

SheetImage Decode(int sheet, const std::string& file = "") {
  SheetImage img;
  EmbeddedResource res = FindSheetImage(Sheets[sheet].Name);
  if (!res.Data && file.empty()) return img;
  SDL_Surface* raw = file.empty() ? IMG_Load_RW(SDL_RWFromConstMem(res.Data, int(res.Size)), 1) : IMG_Load(file.c_str());
  if (!raw) return img;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
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

double Lightness(uint32_t p) { return (0.3 * ((p >> 16) & 255) + 0.59 * ((p >> 8) & 255) + 0.11 * (p & 255)) / 255.0; }

}  // namespace

TEST(ContentSheets, EverySheetIsEmbeddedAtItsSizeWithItsKeyAndTheFontToo) {
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
  EmbeddedResource font = FindFont();
  ASSERT_GT(font.Size, 10000u);
  EXPECT_EQ(font.Data[0], 0);  // a TrueType file starts with version 1.0
  EXPECT_EQ(font.Data[1], 1);
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

TEST(ContentSheets, TheMenusBlackTextLandsOnLightFaces) {
  // The 8 x 8 box at each place where the game writes its numbers and lines.
  auto light = [](int sheet, int x, int y, int w = 8) {
    const SheetImage& s = AllSheets()[sheet];
    double sum = 0;
    for (int dy = 1; dy < 9; ++dy)
      for (int dx = 0; dx < w; ++dx) sum += Lightness(s.At(x + dx, y + dy));
    return sum / (8 * w);
  };
  for (int i = 0; i <= 7; ++i) EXPECT_GT(light(SheetTitle, 168, 337 + 22 * i, 40), 0.75) << "statistic " << i;
  EXPECT_GT(light(SheetTitle, 168, 535, 30), 0.75);  // completion
  EXPECT_GT(light(SheetTitle, 168, 556, 40), 0.75);  // play clock
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) EXPECT_GT(light(SheetTitle, 187 + 49 * c, 135 + 49 * r, 12), 0.75) << "shot level";
  for (int p = 0; p < 5; ++p) EXPECT_GT(light(SheetTitle, 742, 125 + 39 * p, 14), 0.75) << "part level";
  for (int k = 0; k < 3; ++k) EXPECT_GT(light(SheetTitle, 498 + 81 * k, 498, 10), 0.75) << "potions";
  for (int line = 0; line < 8; ++line) EXPECT_GT(light(SheetTitle, 500, 338 + 12 * line, 210), 0.7) << "panel";
  EXPECT_GT(light(SheetTitle, 500, 425, 210), 0.7);
  // The results panel, drawn at (300, 150).
  for (int i = 0; i < 7; ++i) EXPECT_GT(light(SheetStats, 130, 26 + 13 * i, 60), 0.75) << "counter " << i;
  for (int g = 0; g <= 5; ++g) EXPECT_GT(light(SheetStats, 129, 117 + 13 * g, 60), 0.75) << "goal line " << g;
  EXPECT_GT(light(SheetStats, 42, 208, 14), 0.75);   // grade
  EXPECT_GT(light(SheetStats, 140, 208, 50), 0.75);  // points
  EXPECT_GT(light(SheetStats, 3, 233, 190), 0.75);   // the gem earned
  EXPECT_GT(light(SheetStats, 3, 245, 190), 0.75);   // the charge ability earned
}

namespace {

// Where a box's edges break: its rim lines (as many as its bevel's depth), the line inside
// them and the line just outside are each one colour, or a gentle gradient, along the middle of
// every side. A label that runs over a rim, touches it from either side or stops a bevel short
// puts a sharp step into one of those lines. Returns the first break found, or "".
std::string EdgeBreak(const SheetImage& s, Rect b, int depth) {
  auto step = [&](int x0, int y0, int x1, int y1) {
    if (std::min({x0, y0, x1, y1}) < 0 || std::max(x0, x1) >= s.W || std::max(y0, y1) >= s.H) return false;
    uint32_t p = s.At(x0, y0), q = s.At(x1, y1);
    int d = 0;
    for (int sh : {0, 8, 16}) d += std::abs(int((p >> sh) & 255) - int((q >> sh) & 255));
    return d > 48;
  };
  for (int d = -1; d <= depth; ++d) {
    const int end = depth + 1;  // the corners, where two rims meet on the diagonal
    for (int x = b.Left + end; x + 1 < b.Right - end; ++x)
      for (int y : {b.Top + d, b.Bottom - 1 - d})
        if (step(x, y, x + 1, y)) return "row " + std::to_string(y) + " at x " + std::to_string(x);
    for (int y = b.Top + end; y + 1 < b.Bottom - end; ++y)
      for (int x : {b.Left + d, b.Right - 1 - d})
        if (step(x, y, x, y + 1)) return "column " + std::to_string(x) + " at y " + std::to_string(y);
  }
  return "";
}

struct Box {
  Rect R;
  int Depth;
};

// The light wells the game writes its numbers into, as the menu draws them.
std::vector<Box> MenuWells() {
  std::vector<Box> w;
  for (int i = 0; i < 8; ++i) w.push_back({{165, 336 + 22 * i, 262, 348 + 22 * i}, 1});
  w.push_back({{165, 534, 262, 546}, 1});  // completion
  w.push_back({{165, 554, 262, 567}, 1});  // play clock
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) w.push_back({{185 + 49 * c, 134 + 49 * r, 203 + 49 * c, 146 + 49 * r}, 1});
  for (int p = 0; p < 5; ++p) w.push_back({{738, 123 + 39 * p, 762, 137 + 39 * p}, 1});
  for (int k = 0; k < 3; ++k) w.push_back({{494 + 81 * k, 496, 514 + 81 * k, 510}, 1});
  w.push_back({{466, 328, 791, 441}, 2});  // the information panel
  return w;
}

}  // namespace

TEST(ContentSheets, LabelsStayInsideTheirBoxesAndClearOfTheirEdges) {
  // The painted buttons, cells and wells of the menu backdrop and the results panel.
  std::vector<Box> title = MenuWells();
  title.push_back({{10, 11, 155, 58}, 3});
  for (int i = 0; i < 13; ++i) {
    int top = i < 10 ? 103 + 33 * i : 465 + 33 * (i - 10);
    title.push_back({{10, top, 155, top + 26}, 2});
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) {
      int x0 = 167 + 49 * c, y0 = 107 + 49 * r;
      title.push_back({{x0, y0, x0 + 46, y0 + 13}, 1});
      title.push_back({{x0, y0 + 13, x0 + 46, y0 + 46}, 1});
    }
  for (int t = 0; t < 3; ++t) title.push_back({{467 + 80 * t, 107, 544 + 80 * t, 123}, 1});
  for (int p = 0; p < 5; ++p) title.push_back({{714, 107 + 39 * p, 779, 143 + 39 * p}, 2});
  for (int i = 0; i < 9; ++i) title.push_back({{271, 341 + 27 * i, 379, 367 + 27 * i}, 2});  // charge abilities
  for (int k = 0; k < 3; ++k) title.push_back({{463 + 80 * k, 476, 540 + 80 * k, 580}, 2});
  for (Rect r : {Rect{702, 489, 740, 514}, {742, 489, 780, 514}, {702, 529, 740, 554}, {742, 529, 780, 554},
                 {702, 555, 780, 581}, {186, 67, 748, 89}})
    title.push_back({r, r.Left == 186 ? 1 : 2});
  for (const Box& b : title)
    EXPECT_EQ(EdgeBreak(AllSheets()[SheetTitle], b.R, b.Depth), "") << "backdrop box at " << b.R.Left << "," << b.R.Top;
  std::vector<Box> results = {{{39, 205, 62, 220}, 1}, {{137, 205, 196, 220}, 1}, {{1, 231, 199, 257}, 1}};
  for (int i = 0; i < 13; ++i) results.push_back({{126, 25 + 13 * i, 196, 37 + 13 * i}, 1});  // counters, then goals
  for (const Box& b : results)
    EXPECT_EQ(EdgeBreak(AllSheets()[SheetStats], b.R, b.Depth), "") << "results box at " << b.R.Left << "," << b.R.Top;
  for (int tab = 0; tab < 3; ++tab)
    EXPECT_EQ(EdgeBreak(AllSheets()[SheetMenuHelp], {0, 176 * tab, 288, 176 * tab + 172}, 1), "") << "guide " << tab;

  // A drawn menu frame: the longest numbers and the goals table stay clear of their wells' edges.
  TempDir dir;
  ProgressBlock p = NewPlayerProgress();
  p.Points = 123456;
  for (int s = 0; s < 20; ++s) p.ShotLevel[s] = 9;
  p.PartLevel = {10, 10, 10, 10, 10};
  p.Potions = {5, 5, 5};
  p.PlayTime = {123, 59, 59};
  for (int i = 0; i < 8; ++i) p.Stats[i] = 2000000000;
  p.LevelOpen[0] = true;
  SaveBlock block = EncodeProgress(p);
  WriteFile(dir.File("save.gsv"), std::string(reinterpret_cast<const char*>(block.data()), block.size()));
  WriteFile(dir.File("hover.txt"), "0 mouse 60 110\n");
  ASSERT_EQ(RunZorvane("--headless --frames 3 --input '" + dir.File("hover.txt") + "' --save-file '" + dir.File("save.gsv") +
                           "' --screenshot '" + dir.File("menu.png") + "'"),
            0);
  SheetImage frame = Decode(SheetTitle, dir.File("menu.png"));
  ASSERT_EQ(frame.W, 800);
  for (const Box& b : MenuWells()) EXPECT_EQ(EdgeBreak(frame, b.R, b.Depth), "") << "drawn well at " << b.R.Left << "," << b.R.Top;
}
