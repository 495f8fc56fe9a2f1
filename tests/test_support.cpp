#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "menus/menus.h"
#include "save/safe_file.h"

std::string ReadFile(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  out << text;
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
