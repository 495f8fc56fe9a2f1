// Build-time tool for the browser build: every letter of the game's font at the game's text size,
// set exactly as the desktop sets it (crisp_text.h), written as one small binary atlas. The
// browser lays out strings from it the same way, so its text matches the desktop's pixel for pixel.
//
//   glyph_atlas FONT.ttf OUT.bin
//
// OUT.bin, little-endian: "ZGA1", int16 font height, then for each character code 0..255:
//   uint8 flags (1: has metrics, 2: has a picture), and with metrics int16 minx, maxx, advance,
//   with a picture uint16 width, height and width x height coverage bytes (already lifted).
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <vector>

#include "platform/sdl/crisp_text.h"

namespace {

void Put16(std::vector<unsigned char>& out, int v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: glyph_atlas FONT.ttf OUT.bin\n");
    return 2;
  }
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "glyph_atlas: %s\n", TTF_GetError());
    return 1;
  }
  // Seven points at 96 dots per inch, as the game opens it.
  TTF_Font* font = TTF_OpenFontDPI(argv[1], 7, 96, 96);
  if (!font) {
    std::fprintf(stderr, "glyph_atlas: cannot open %s (%s)\n", argv[1], TTF_GetError());
    return 1;
  }
  UseCrispHinting(font);
  std::vector<unsigned char> out = {'Z', 'G', 'A', '1'};
  Put16(out, TTF_FontHeight(font));
  for (Uint32 ch = 0; ch < 256; ++ch) {
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    const bool metrics = TTF_GlyphMetrics32(font, ch, &minx, &maxx, &miny, &maxy, &advance) == 0;
    SDL_Surface* glyph = ch == 0 ? nullptr : TTF_RenderGlyph32_Blended(font, ch, SDL_Color{255, 255, 255, 255});
    SDL_Surface* argb = glyph ? SDL_ConvertSurfaceFormat(glyph, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(glyph);
    out.push_back(static_cast<unsigned char>((metrics ? 1 : 0) | (argb ? 2 : 0)));
    if (metrics) {
      Put16(out, minx);
      Put16(out, maxx);
      Put16(out, advance);
    }
    if (!argb) continue;
    Put16(out, argb->w);
    Put16(out, argb->h);
    for (int y = 0; y < argb->h; ++y) {
      const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
      for (int x = 0; x < argb->w; ++x) out.push_back(CrispCoverage(Uint8(row[x] >> 24)));
    }
    SDL_FreeSurface(argb);
  }
  TTF_CloseFont(font);
  TTF_Quit();
  FILE* f = std::fopen(argv[2], "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "glyph_atlas: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
