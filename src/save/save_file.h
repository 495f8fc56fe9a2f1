// The 350-byte save file: encoding, decoding with validation, and safe loading and saving.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "save/progress.h"
#include "save/save_session.h"

inline constexpr int SaveBlockSize = 350;
using SaveBlock = std::array<uint8_t, SaveBlockSize>;

// Where each field starts in the block. Every field follows the one before it, no padding;
// 16-bit values, Booleans as -1 and 0, 32-bit points and statistics.
namespace SaveLayout {
inline constexpr int OffPoints = 0;
inline constexpr int OffShotLevel = 4;
inline constexpr int OffPartLevel = 44;
inline constexpr int OffChargeOwned = 54;
inline constexpr int OffGemOwned = 90;
inline constexpr int OffLevelOpen = 126;
inline constexpr int OffPotions = 154;
inline constexpr int OffGoalDone = 160;  // goal g of level index L at 160 + 2 * (g + 5 * L)
inline constexpr int OffStats = 300;
inline constexpr int OffPlayTime = 340;  // hours, minutes, seconds
inline constexpr int PlayTimeBytes = 6;
inline constexpr int OffSoundOn = 346;
inline constexpr int OffMusicOn = 348;
}  // namespace SaveLayout

// Byte for byte, little-endian, whatever the host's byte order.
SaveBlock EncodeProgress(const ProgressBlock& p);
// Reads a block; values outside their ranges are clamped to the nearest legal value and
// counted in *clamped (if given). A Boolean reads true when non-zero.
ProgressBlock DecodeProgress(const SaveBlock& bytes, int* clamped = nullptr);

// The new player's progress (also what an erase leaves, apart from the lifetime fields).
ProgressBlock NewPlayerProgress();

// The default save path: $XDG_DATA_HOME/zorvane2/Game Save.gsv (or ~/.local/share/...).
std::string DefaultSavePath();

// The save file a running game keeps its progress in, with what it knows about it.
struct SaveStore {
  std::string Path;  // empty: progress is kept nowhere (saves are skipped)
  SaveSession Session;
  // Start-up: defaults, then the file at Path if it exists (a symbolic link is followed). Takes
  // the lock beside the file for as long as the session lives and removes what interrupted saves
  // left. Problems are reported on standard error in one line each; the game always goes on. A
  // file that exists but cannot be read is moved aside (FILE.bad); where that fails, or the path
  // is not a regular file, or another copy of the game holds the lock, Session.NoSaving says why
  // nothing will be written.
  ProgressBlock Load();
  // Writes the progress to Path (or the file its link leads to) through a temporary file renamed
  // over the old one. Returns false (after one line on standard error) when it cannot or may not.
  bool Save(const ProgressBlock& progress);
  // How many saves have reached the file since start-up (the browser copies each to its storage).
  int Written = 0;
};
