// Every letter of the game's text font at its text size, set as the labels painted into the
// sheets are set (crisp_text.h), written as one small binary atlas. The game draws its text from
// the atlas (render/glyphs.h), so the desktop and the browser show the same letters without a
// font renderer of their own.
//
// Little-endian: "ZGA1", int16 font height, then for each character code 0..255: uint8 flags
// (1: has metrics, 2: has a picture), and with metrics int16 minx, maxx, advance, with a picture
// uint16 width, height and width x height coverage bytes (already lifted).
#include "glyph_atlas.h"

#include "crisp_text.h"

namespace {

void Put16(std::vector<unsigned char>& out, int v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

}  // namespace

std::vector<unsigned char> GlyphAtlasBytes(TTF_Font* font) {
  if (!font) return {};
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
  return out;
}
