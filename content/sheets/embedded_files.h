// The files the build embeds in the executable (written by the sheet generator).
#pragma once

#include <cstddef>

struct EmbeddedFile {
  const char* Name;
  const unsigned char* Data;
  size_t Size;
  int Width = 0, Height = 0;  // a sheet's size in pixels
};

extern const EmbeddedFile EmbeddedSheets[];
extern const int EmbeddedSheetCount;
extern const EmbeddedFile EmbeddedGlyphs;
