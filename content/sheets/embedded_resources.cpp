// The sprite sheets and the glyph atlas, embedded in the executable and found by name.
#include <zstd.h>

#include <bit>
#include <cctype>

#include "embedded_files.h"
#include "platform/resources.h"

namespace {

bool SameName(std::string_view a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

}  // namespace

EmbeddedResource FindSheetImage(std::string_view name) {
  for (int i = 0; i < EmbeddedSheetCount; ++i)
    if (SameName(name, EmbeddedSheets[i].Name))
      return {EmbeddedSheets[i].Data, EmbeddedSheets[i].Size, EmbeddedSheets[i].Width, EmbeddedSheets[i].Height};
  return {};
}

bool UnpackSheetImage(const EmbeddedResource& sheet, uint32_t* pixels) {
  if (!sheet.Data || sheet.Width <= 0 || sheet.Height <= 0) return false;
  const size_t bytes = size_t(sheet.Width) * size_t(sheet.Height) * 4;
  // The whole size is checked first, so nothing is written past the pixels.
  if (ZSTD_getFrameContentSize(sheet.Data, sheet.Size) != bytes) return false;
  if (ZSTD_decompress(pixels, bytes, sheet.Data, sheet.Size) != bytes) return false;
  // Packed little-endian, as most machines keep their pixels.
  if constexpr (std::endian::native == std::endian::big)
    for (size_t i = 0; i < bytes / 4; ++i)
      pixels[i] = (pixels[i] >> 24) | ((pixels[i] >> 8) & 0xFF00u) | ((pixels[i] << 8) & 0xFF0000u) | (pixels[i] << 24);
  return true;
}

EmbeddedResource FindGlyphAtlas() { return {EmbeddedGlyphs.Data, EmbeddedGlyphs.Size}; }
