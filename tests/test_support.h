// Shared helpers for the test suites: a game on a device-less platform.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "null_platform.h"
#include "world/game.h"
#include "frame/frame.h"
#include "save/save_file.h"
#include "shell/host.h"

// A game on the null platform, which records what is drawn and heard, with a host around it
// that saves where H.Save.Path says (nowhere unless a test sets it).
struct TestGame {
  NullPlatform Plat;
  Host H;
  std::unique_ptr<Game> G = std::make_unique<Game>();

  // A freshly started game in the menu, with the new player's progress and no save file.
  explicit TestGame(bool load = true) {
    H.Device = &Plat;
    G->Draw = &Plat;
    if (load) ContentLoad(*G, H.Save.Load(), Plat.Ticks);
  }
  // Starts the game afresh from the save file at `path`.
  void Load(const std::string& path) {
    H.Save.Path = path;
    ContentLoad(*G, H.Save.Load(), Plat.Ticks);
  }
  Game& operator*() { return *G; }
  Game* operator->() { return G.get(); }
};

// One frame, with what the null platform holds for this step as the command, the pointer's
// motion taken first and what the frame asked of the machine carried out after, as the main loop
// does (but without its pause).
inline void PlayFrame(Game& g, Host& host, Platform& input, FrameWatcher* watcher = nullptr) {
  FrameCommand c = input.ReadCommand(g.InMenu);
  c.Ticks = input.TickCount();
  TakePointerMotion(g, c);
  RunFrame(g, c, watcher);
  DeliverOutputs(host, g, true);
}
inline void PlayFrame(TestGame& t, FrameWatcher* watcher = nullptr) { PlayFrame(*t, t.H, t.Plat, watcher); }

// The pointer read as a menu frame reads it, from what the null platform holds for this step.
inline void PollPointer(Game& g, Platform& input) {
  const FrameCommand c = input.ReadCommand(true);
  TakePointerMotion(g, c);
  PollMouse(g, c);
}
inline void PollPointer(TestGame& t) { PollPointer(*t, t.Plat); }

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
// Sets an environment variable of this process (only where unset, unless `overwrite`); a null
// value removes it.
void SetEnvVar(const std::string& name, const char* value, bool overwrite = true);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);

// The copies drawn from one sheet, in drawing order.
std::vector<CopyRecord> CopiesOn(const NullPlatform& p, int sheet);
// A copy's source rectangle as left, top, right, bottom: one comparison instead of four.
inline std::array<int, 4> Src(const CopyRecord& c) { return {c.SrcLeft, c.SrcTop, c.SrcRight, c.SrcBottom}; }
// Whether an unscaled copy of that source rectangle was drawn with its top-left at (x, y).
bool HasCopy(const NullPlatform& p, int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int x, int y);
// One menu frame with the pointer at (x, y) and the given buttons down for that frame only.
// What the menu asks for (a level started, the game left) is carried out, and its sounds,
// music and save delivered to the null platform and the host.
void MenuAt(TestGame& t, int x, int y, bool left = false, bool right = false);

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
  void Add(std::string_view bytes) {
    for (const unsigned char c : bytes) Value = (Value ^ c) * 1099511628211ull;
  }
};
