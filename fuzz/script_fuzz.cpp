// Any text as an input script: the parser accepts it or says which line is wrong, and a
// script it accepts drives the harness's keyboard and mouse without overflow or stray keys.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/null_platform.h"
#include "shell/game.h"
#include "shell/harness_platform.h"
#include "shell/script.h"

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

  // The first frames through the scripted platform, as the harness reads them.
  NullPlatform inner;
  Game g;
  ScriptedPlatform plat(inner, *script, g);
  for (long long frame = 0; frame < 256; ++frame) {
    plat.BeginFrame(frame);
    std::array<bool, 256> keys{};
    plat.ReadKeyboard(keys);
    Require(!keys[0], "scan code 0 held");
    for (int code = 212; code < 256; ++code) Require(!keys[size_t(code)], "a scan code beyond 211 held");
    if (frame % 3 == 0) {
      // The menu reads the mouse now and then; play frames leave the motion to pile up.
      int dx = 0, dy = 0;
      bool left = false, right = false;
      plat.ReadMouse(dx, dy, left, right);
    }
  }
  // Far frames too: ranges may reach any frame number.
  for (long long frame : {1000LL, 1LL << 31, LLONG_MAX / 2, LLONG_MAX}) (void)script->For(frame);
  return 0;
}
