// Art embedded in the executable, looked up by name.
#pragma once

#include <cstddef>
#include <string_view>

struct EmbeddedResource {
  const unsigned char* Data = nullptr;
  size_t Size = 0;
};

// The PNG image of a sprite sheet by resource name, without regard to case; empty when absent.
EmbeddedResource FindSheetImage(std::string_view name);
// The TrueType font used for all text; empty when absent.
EmbeddedResource FindFont();
