// The game's text font as a glyph atlas (see glyph_atlas.cpp).
#pragma once

#include <SDL_ttf.h>

#include <vector>

// Empty without a font.
std::vector<unsigned char> GlyphAtlasBytes(TTF_Font* font);
