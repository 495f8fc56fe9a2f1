// What a running game knows about its save file besides the progress itself: whether it may
// write it at all, and the lock that keeps a second copy of the game off the same file.
#pragma once

#include <functional>
#include <memory>
#include <string>

// The steps of loading and saving where the file system can fail; tests make them fail on purpose.
// Lock: taking the lock beside the save; CheckFolder: asking at start-up whether the save's
// folder may be written.
enum class SaveStep { Open, Read, SetAside, CreateTemp, Sync, Lock, CheckFolder };

// An advisory lock on "<save file>.lock", held while this game runs.
struct SaveLock;

struct SaveSession {
  // Not empty: this run never writes the save file, for this reason (another copy of the game
  // uses it, or what is at the path is not a file the game may replace).
  std::string NoSaving;
  // Set before start-up when there is nowhere to keep a save (no home folder), for this reason:
  // the save path then only names the file, and the game plays without saving.
  std::string Nowhere;
  // Shared by copies of the game state; the lock goes when the last of them does.
  std::shared_ptr<SaveLock> Lock;
  // For tests: the error (an errno value) a step meets in place of what the system says; 0 for none.
  std::function<int(SaveStep)> Fault;
};
