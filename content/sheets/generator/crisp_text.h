// The game's small text, laid out letter by letter: the one look shared by the text the game
// draws every frame and the labels painted into the sheets at build time.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <string>
#include <vector>

// Letters are hinted lightly (stems snap to the pixel grid, widths stay close to the font's own)
// and placed at whole-pixel advances without kerning, the way small screen text has always
// been set. A space between two words is at least 4 pixels, so words never run together at
// 7 points; runs of spaces that line up columns keep the font's own width.
inline void UseCrispHinting(TTF_Font* font) {
  if (!font) return;
  TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  TTF_SetFontKerning(font, 0);
}

// At 9 pixels a smoothed stem covers two half-lit columns; the coverage is lifted a little so
// strokes stay dark and crisp on the light panels and bright on the dark ones.
inline Uint8 CrispCoverage(Uint8 coverage) {
  const unsigned lifted = unsigned(coverage) * 3u / 2u;
  return Uint8(lifted > 255u ? 255u : lifted);
}

// The string as an ARGB8888 picture: the colour everywhere, the letters' coverage as alpha.
// Null for an empty string or when the font has none of its letters.
inline SDL_Surface* RenderCrispText(TTF_Font* font, const std::string& text, Uint32 rgb) {
  if (!font || text.empty()) return nullptr;
  const int n = int(text.size());
  int width = 0, pen = 0;
  std::vector<int> at(size_t(n), 0);
  for (int i = 0; i < n; ++i) {
    const Uint32 ch = static_cast<unsigned char>(text[size_t(i)]);
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    if (TTF_GlyphMetrics32(font, ch, &minx, &maxx, &miny, &maxy, &advance) != 0) continue;
    if (ch == ' ' && i > 0 && i + 1 < n && text[size_t(i) - 1] != ' ' && text[size_t(i) + 1] != ' ')
      advance = std::max(advance, 4);
    at[size_t(i)] = pen;
    width = std::max(width, pen + std::max(advance, maxx));
    pen += advance;
  }
  const int height = TTF_FontHeight(font);
  if (width <= 0 || height <= 0) return nullptr;
  SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!out) return nullptr;
  SDL_FillRect(out, nullptr, rgb & 0xFFFFFFu);
  for (int i = 0; i < n; ++i) {
    const Uint32 ch = static_cast<unsigned char>(text[size_t(i)]);
    if (ch == ' ') continue;
    SDL_Surface* g = TTF_RenderGlyph32_Blended(font, ch, SDL_Color{255, 255, 255, 255});
    SDL_Surface* a = g ? SDL_ConvertSurfaceFormat(g, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(g);
    if (!a) continue;
    // Coverage of overlapping letters is the larger of the two, never a sum.
    for (int y = 0; y < std::min(a->h, height); ++y) {
      const auto* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(a->pixels) + y * a->pitch);
      auto* dst = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) + y * out->pitch);
      for (int x = 0; x < a->w; ++x) {
        const int ox = at[size_t(i)] + x;
        if (ox < 0 || ox >= width) continue;
        const Uint32 cover = CrispCoverage(Uint8(src[x] >> 24));
        if (cover > (dst[ox] >> 24)) dst[ox] = (cover << 24) | (rgb & 0xFFFFFFu);
      }
    }
    SDL_FreeSurface(a);
  }
  return out;
}
