// The letters of the game's font at its text size, as the atlas tool wrote them at build time
// (content/glyphs), and strings laid out from them: letter by letter at whole-pixel advances, a
// space between two words at least 4 pixels wide, overlapping letters keeping the larger coverage.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

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

// A string's picture: the letters' coverage per pixel (the colour is the same everywhere).
struct TextPicture {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Alpha;
};

class TextSetter {
 public:
  GlyphAtlas Atlas;
  // The picture of a string, kept for the next time it is asked for (a few hundred at most).
  const TextPicture& Layout(const std::string& text);

 private:
  std::map<std::string, TextPicture> Cache;
};
