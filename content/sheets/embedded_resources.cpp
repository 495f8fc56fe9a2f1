// The sprite sheets and the font, embedded in the executable and found by name.
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
    if (SameName(name, EmbeddedSheets[i].Name)) return {EmbeddedSheets[i].Data, EmbeddedSheets[i].Size};
  return {};
}

EmbeddedResource FindFont() { return {EmbeddedFont.Data, EmbeddedFont.Size}; }
