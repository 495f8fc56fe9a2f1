// The sheet generator, run by the build: paints the sprite sheets at their sizes and
// colour keys, writes each as a PNG (for the browser build and for tools), and writes a C++
// source that embeds their pixels, compressed, and the letters of the game's text (a glyph atlas,
// also written as glyphs.bin) in the executable.
//   zorvane_sheetgen OUTPUT_DIR EMBED_CPP REGULAR_FONT BOLD_FONT
#include <SDL.h>
#include <SDL_ttf.h>
#include <zstd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "effects/flair_sheet.h"
#include "glyph_atlas.h"
#include "sheets.h"

namespace {

void WriteArray(std::ostream& out, const std::string& name, const std::vector<unsigned char>& bytes) {
  out << "alignas(16) const unsigned char " << name << "[] = {";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 24 == 0) out << "\n";
    out << int(bytes[i]) << ",";
  }
  out << "\n};\n";
}

// A sheet's pixels as the game unpacks them: each pixel 0x00RRGGBB in four little-endian
// bytes, row by row, compressed with Zstandard. They unpack several times faster than a PNG
// decodes, straight into the game's own pixel format.
std::vector<unsigned char> PackPixels(const Canvas& sheet) {
  std::vector<unsigned char> raw;
  raw.reserve(sheet.Px.size() * 4);
  for (uint32_t p : sheet.Px)
    for (int shift : {0, 8, 16, 24}) raw.push_back(static_cast<unsigned char>((p & 0xFFFFFF) >> shift));
  std::vector<unsigned char> packed(ZSTD_compressBound(raw.size()));
  const size_t size = ZSTD_compress(packed.data(), packed.size(), raw.data(), raw.size(), 19);
  if (ZSTD_isError(size)) return {};
  packed.resize(size);
  return packed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: zorvane_sheetgen OUTPUT_DIR EMBED_CPP REGULAR_FONT BOLD_FONT\n";
    return 2;
  }
  const std::string dir = argv[1], embed = argv[2];
  SetFontFiles(argv[3], argv[4]);
  if (SDL_Init(0) != 0 || TTF_Init() != 0 || !MenuFont()) {
    std::cerr << "zorvane_sheetgen: cannot open the font " << argv[3] << "\n";
    return 1;
  }

  Canvas ships(450, 336, WhiteKey), backround(800, 600, BlackKey), stars(12, 5, BlackKey), shots(240, 161, WhiteKey),
      bars(204, 451, WhiteKey), enemies(982, 323, WhiteKey), explosions(1024, 159, BlackKey), eshots(30, 117, WhiteKey),
      title(800, 600, WhiteKey), mouse(20, 30, BlackKey), buttons(150, 195, WhiteKey), stats(200, 300, WhiteKey),
      menuHelp(289, 563, WhiteKey), enemiesHurt(982, 323, WhiteKey), backdrop(600, 664, BlackKey),
      flairSheet(flair::SheetWidth, flair::SheetHeight, BlackKey);
  PaintShips(ships);
  PaintBackround(backround);
  PaintStars(stars);
  PaintShots(shots);
  PaintBars(bars);
  PaintEnemies(enemies);
  PaintExplosions(explosions);
  PaintEShots(eshots);
  PaintTitle(title, ships, shots, enemies);
  PaintMouse(mouse);
  PaintButtons(buttons);
  PaintStats(stats);
  PaintMenuHelp(menuHelp, ships, enemies, eshots);
  PaintEnemiesHurt(enemiesHurt, enemies);
  PaintBackdrop(backdrop);
  PaintFlair(flairSheet);

  // Resource names as the game asks for them.
  const int count = 16;
  const std::pair<const char*, const Canvas*> sheets[count] = {
      {"Ships", &ships},     {"Backround", &backround}, {"Stars", &stars},       {"Shots", &shots},
      {"Bars", &bars},       {"Enemies", &enemies},     {"Explosions", &explosions}, {"EShots", &eshots},
      {"Title", &title},     {"Mouse", &mouse},         {"Buttons", &buttons},   {"Stats", &stats},
      {"MenuHelp", &menuHelp}, {"EnemiesHurt", &enemiesHurt}, {"Backdrop", &backdrop}, {"Flair", &flairSheet}};

  std::ostringstream out;
  out << "// Written by zorvane_sheetgen at build time: the sprite sheets and the glyph atlas.\n"
         "#include \"embedded_files.h\"\n\n";
  for (int i = 0; i < count; ++i) {
    const std::string png = dir + "/" + sheets[i].first + ".png";
    if (!sheets[i].second->SavePng(png)) {
      std::cerr << "zorvane_sheetgen: cannot write " << png << "\n";
      return 1;
    }
    const std::vector<unsigned char> packed = PackPixels(*sheets[i].second);
    if (packed.empty()) {
      std::cerr << "zorvane_sheetgen: cannot compress " << sheets[i].first << "\n";
      return 1;
    }
    WriteArray(out, "Sheet" + std::to_string(i), packed);
  }
  // The letters of the game's text, for the game and for the browser build (glyphs.bin).
  const std::vector<unsigned char> glyphs = GlyphAtlasBytes(MenuFont());
  const std::string atlas = dir + "/glyphs.bin";
  std::ofstream atlasFile(atlas, std::ios::binary);
  atlasFile.write(reinterpret_cast<const char*>(glyphs.data()), std::streamsize(glyphs.size()));
  atlasFile.close();
  if (glyphs.empty() || !atlasFile) {
    std::cerr << "zorvane_sheetgen: cannot write the glyph atlas " << atlas << "\n";
    return 1;
  }
  WriteArray(out, "GlyphData", glyphs);
  out << "\nconst EmbeddedFile EmbeddedSheets[] = {\n";
  for (int i = 0; i < count; ++i)
    out << "    {\"" << sheets[i].first << "\", Sheet" << i << ", sizeof Sheet" << i << ", " << sheets[i].second->W
        << ", " << sheets[i].second->H << "},\n";
  out << "};\nconst int EmbeddedSheetCount = " << count << ";\n"
         "const EmbeddedFile EmbeddedGlyphs = {\"glyphs\", GlyphData, sizeof GlyphData};\n";
  std::ofstream file(embed, std::ios::binary);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << "zorvane_sheetgen: cannot write " << embed << "\n";
    return 1;
  }
  CloseArtFonts();
  TTF_Quit();
  SDL_Quit();
  return 0;
}
