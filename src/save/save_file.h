// The 350-byte save file: encoding, decoding with validation, and safe loading and saving.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "save/progress.h"

struct Game;

inline constexpr int SaveBlockSize = 350;
using SaveBlock = std::array<uint8_t, SaveBlockSize>;

// Byte for byte, little-endian, whatever the host's byte order.
SaveBlock EncodeProgress(const ProgressBlock& p);
// Reads a block; values outside their ranges are clamped to the nearest legal value and
// counted in *clamped (if given). A Boolean reads true when non-zero.
ProgressBlock DecodeProgress(const SaveBlock& bytes, int* clamped = nullptr);

// The new player's progress (also what an erase leaves, apart from the lifetime fields).
ProgressBlock NewPlayerProgress();

// The default save path: $XDG_DATA_HOME/zorvane2/Game Save.gsv (or ~/.local/share/...).
std::string DefaultSavePath();

// Start-up: defaults, then the file at g.SavePath if it exists (a symbolic link is followed).
// Takes the lock beside the file for as long as g lives and removes what interrupted saves left.
// Problems are reported on standard error in one line each; the game always goes on. A file that
// exists but cannot be read is moved aside (FILE.bad); where that fails, or the path is not a
// regular file, or another copy of the game holds the lock, g.Save.NoSaving says why nothing
// will be written.
void LoadProgressAtStartUp(Game& g);
// Writes g.Progress to g.SavePath (or the file its link leads to) through a temporary file renamed
// over the old one. Returns false (after one line on standard error) when it cannot or may not.
bool SaveProgress(Game& g);
