#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "menus/menus.h"

std::string ZorvaneExe() { return ZORVANE_EXE; }

TempDir::TempDir() {
  std::string base = (std::filesystem::temp_directory_path() / "zorvane2-test-XXXXXX").string();
  if (!mkdtemp(base.data())) throw std::runtime_error("cannot make a temporary folder");
  Path = base;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(Path, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

int RunZorvane(const std::string& args, std::string* out, std::string* err) {
  TempDir tmp;
  std::string outFile = tmp.File("stdout"), errFile = tmp.File("stderr");
  std::string cmd = std::string("SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy '") + ZORVANE_EXE + "' " + args + " >'" +
                    outFile + "' 2>'" + errFile + "'";
  int status = std::system(cmd.c_str());
  if (out) *out = ReadFile(outFile);
  if (err) *err = ReadFile(errFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<CopyRecord> CopiesOn(const NullPlatform& p, int sheet) {
  std::vector<CopyRecord> out;
  for (const CopyRecord& c : p.Copies)
    if (c.Sheet == sheet) out.push_back(c);
  return out;
}

bool HasCopy(const NullPlatform& p, int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int x, int y) {
  for (const CopyRecord& c : p.Copies)
    if (c.Sheet == sheet && Src(c) == std::array<int, 4>{srcLeft, srcTop, srcRight, srcBottom} && c.DestLeft == x &&
        c.DestTop == y && !c.Scaled)
      return true;
  return false;
}

void MenuAt(TestGame& t, int x, int y, bool left, bool right) {
  Game& g = *t;
  g.MouseX = static_cast<Integer>(x);
  g.MouseY = static_cast<Integer>(y);
  g.MouseLeft = left;
  g.MouseRight = right;
  g.Harness.SoundsThisFrame.clear();
  MenuScreen(g);
  DeliverOutputs(t.H, g, true);
  g.MouseLeft = g.MouseRight = false;
}
