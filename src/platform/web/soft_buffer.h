// The 800 x 600 back buffer and the sheets as plain memory, with the copies the desktop makes
// through SDL reproduced pixel for pixel: colour-keyed sheet copies, boxes, and text laid out
// from the glyph atlas and blended as SDL blends a picture with per-pixel alpha.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/sheets.h"

struct SoftSheet {
  int Width = 0, Height = 0;
  uint32_t Key = 0;              // 0xRRGGBB
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB
};

// Letters of the game's font, as the atlas tool wrote them (see tools/glyph_atlas.cpp).
struct GlyphAtlas {
  struct Glyph {
    bool HasMetrics = false, HasPicture = false;
    int MinX = 0, MaxX = 0, Advance = 0;
    int Width = 0, Height = 0;
    std::vector<uint8_t> Coverage;
  };
  int FontHeight = 0;
  std::array<Glyph, 256> Glyphs;
  // False when the bytes are not an atlas; the atlas is then empty and no text is drawn.
  bool Read(const uint8_t* data, size_t size);
};

class SoftBuffer {
 public:
  static constexpr int Width = 800, Height = 600;
  SoftBuffer();

  std::array<SoftSheet, SheetCount> Sheets;
  GlyphAtlas Atlas;

  void Copy(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop);
  void CopyScaled(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                  int destRight, int destBottom);
  void Fill(int left, int top, int right, int bottom, uint32_t rgb);
  void Shade(int left, int top, int right, int bottom, uint32_t rgb, int alpha);
  void Text(int x, int y, const std::string& text, uint32_t rgb);
  void Clear() { Pixels.assign(size_t(Width) * Height, 0); }
  // The picture as RGBA bytes, opaque.
  void ToRgba(uint8_t* out) const;

 private:
  // A string's picture: coverage per pixel (the colour is the same everywhere).
  struct TextPicture {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Alpha;
  };
  const TextPicture& Layout(const std::string& text);

  std::vector<uint32_t> Pixels;
  std::map<std::string, TextPicture> TextCache;
};
