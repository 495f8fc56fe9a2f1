// Pictures written as PNG files: the harness's screenshots and the player's (F12).
#pragma once

#include <cstdint>
#include <string>

// Width x height pixels of the form 0x00RRGGBB, row by row; false, with the reason in `why`,
// when the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height, std::string& why);
