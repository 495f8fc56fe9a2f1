// Any text as an input script: the parser accepts it or says which line is wrong, and a
// script it accepts drives the harness's keyboard and mouse without overflow or stray keys.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "null_platform.h"
#include "shell/inputs.h"
#include "shell/script.h"
#include "world/game.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "script fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto script = InputScript::Parse(text, &error);
  if (!script) {
    Require(error.rfind("line ", 0) == 0, "a rejected script does not name its line");
    return 0;
  }
  Require(error.empty(), "an accepted script came with an error");

  // The first steps' commands, as the harness makes them from the script, the pointer's motion
  // piling up in the game in between (saturating, never overflowing).
  NullPlatform device;
  Game g;
  ScriptCommands commands(device, *script, KeyBindings{});
  for (long long frame = 0; frame < 256; ++frame) {
    const FrameCommand c = commands.Next(g, frame);
    Require(!c.Keys[0], "scan code 0 held");
    for (int code = 212; code < 256; ++code) Require(!c.Keys[size_t(code)], "a scan code beyond 211 held");
    g.PendingDx = SatAddLong(g.PendingDx, c.Dx);
    g.PendingDy = SatAddLong(g.PendingDy, c.Dy);
    if (frame % 3 == 0) g.PendingDx = g.PendingDy = 0;  // the menu reads the pointer now and then
  }
  // Far frames too: ranges may reach any frame number.
  for (long long frame : {1000LL, 1LL << 31, LLONG_MAX / 2, LLONG_MAX}) (void)script->For(frame);
  return 0;
}
