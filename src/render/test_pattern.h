// What stands in for a sheet whose art is missing or damaged: a pattern of its exact size, a
// checkerboard whose holes are the colour key, with colours that change along both axes (so
// every row and column of a copy can be told apart), a frame around the edge and the sheet's
// name on a yellow plate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/glyphs.h"

// Width x height pixels, 0x00RRGGBB; `letters` sets the name (none without an atlas).
std::vector<uint32_t> TestPattern(int index, int width, int height, uint32_t colourKey, const std::string& name,
                                  TextSetter& letters);
