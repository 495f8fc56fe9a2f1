// Art embedded in the executable, looked up by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct EmbeddedResource {
  const unsigned char* Data = nullptr;
  size_t Size = 0;
  int Width = 0, Height = 0;  // a sheet's size in pixels
};

// A sprite sheet's packed pixels by resource name, without regard to case; empty when absent.
EmbeddedResource FindSheetImage(std::string_view name);
// Unpacks a sheet found by FindSheetImage into Width x Height pixels, row by row, each
// 0x00RRGGBB; false (the pixels undefined) when its data is damaged.
bool UnpackSheetImage(const EmbeddedResource& sheet, uint32_t* pixels);
// The letters of the game's text (render/glyphs.h); empty when absent.
EmbeddedResource FindGlyphAtlas();
