// The test helpers that ask a POSIX system: temporary folders and running the game.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "test_support.h"

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

void SetEnvVar(const std::string& name, const char* value, bool overwrite) {
  if (value)
    setenv(name.c_str(), value, overwrite ? 1 : 0);
  else
    unsetenv(name.c_str());
}
