// Shared helpers for the test suites: a game on a device-less platform.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/null_platform.h"
#include "shell/game.h"
#include "shell/shell.h"

struct TestGame {
  NullPlatform Plat;
  std::unique_ptr<Game> G = std::make_unique<Game>();

  // A freshly started game in the menu, with the new player's progress and no save file.
  explicit TestGame(bool load = true) {
    G->Plat = &Plat;
    if (load) ContentLoad(*G);
  }
  Game& operator*() { return *G; }
  Game* operator->() { return G.get(); }
};

// One frame, with what the game's (null) platform holds for this step as the command, the
// pointer's motion taken first, as the main loop does but without its pause.
inline void PlayFrame(Game& g, FrameWatcher* watcher = nullptr) {
  FrameCommand c = g.Plat->ReadCommand(g.InMenu);
  c.Ticks = g.Plat->TickCount();
  TakePointerMotion(g, c);
  RunFrame(g, c, watcher);
}

// The pointer read as a menu frame reads it, from what the game's platform holds for this step.
inline void PollPointer(Game& g) {
  const FrameCommand c = g.Plat->ReadCommand(true);
  TakePointerMotion(g, c);
  PollMouse(g, c);
}

// A temporary folder removed when the test ends.
struct TempDir {
  std::filesystem::path Path;
  TempDir();
  ~TempDir();
  std::string File(const std::string& name) const { return (Path / name).string(); }
};

// The zorvane2 executable of this build.
std::string ZorvaneExe();
// Runs the zorvane2 executable with the given arguments; returns its exit status and
// puts what it wrote on standard output into *out (standard error into *err if given).
int RunZorvane(const std::string& args, std::string* out = nullptr, std::string* err = nullptr);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);

// The copies drawn from one sheet, in drawing order.
std::vector<CopyRecord> CopiesOn(const NullPlatform& p, int sheet);
// A copy's source rectangle as left, top, right, bottom: one comparison instead of four.
inline std::array<int, 4> Src(const CopyRecord& c) { return {c.SrcLeft, c.SrcTop, c.SrcRight, c.SrcBottom}; }
// Whether an unscaled copy of that source rectangle was drawn with its top-left at (x, y).
bool HasCopy(const NullPlatform& p, int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int x, int y);
// One menu frame with the pointer at (x, y) and the given buttons down for that frame only.
void MenuAt(Game& g, int x, int y, bool left = false, bool right = false);

// One number for a whole table (FNV-1a over the bits of its values), so that a test can say
// "every value stands as written" without copying the table: any slip in any entry changes it.
struct Digest {
  uint64_t Value = 14695981039346656037ull;
  void Add(uint32_t v) {
    for (int b = 0; b < 4; ++b) Value = (Value ^ ((v >> (8 * b)) & 0xFF)) * 1099511628211ull;
  }
  void Add(int v) { Add(static_cast<uint32_t>(v)); }
  void Add(Single v) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Add(bits);
  }
};
