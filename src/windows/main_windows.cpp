// zorvane2.exe starts here. It is a windowed program, so a double click in Explorer opens no
// console; started from a console, it writes its messages (--help, --version, what went wrong)
// there, and into files or pipes when they are redirected.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "windows/wide_text.h"

int ZorvaneMain(const std::vector<std::string>& args, const std::string& executableFolder);

namespace {

bool HasStream(DWORD which) {
  HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// Standard output and error go where the program was started from: a redirection as it is, else
// the console of the command line that started it, if any.
void ConnectConsole() {
  const bool out = HasStream(STD_OUTPUT_HANDLE), err = HasStream(STD_ERROR_HANDLE);
  if (out && err) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from Explorer: nobody to tell
  // The game's messages are UTF-8, paths and all.
  SetConsoleOutputCP(CP_UTF8);
  if (!out && std::freopen("CONOUT$", "w", stdout)) std::cout.clear();
  if (!err && std::freopen("CONOUT$", "w", stderr)) {
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    std::cerr.clear();
  }
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return "";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return Utf8Of(slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ConnectConsole();
  // Lines end in \n alone, as on every other system: a state dump or a help text written to a
  // file or a pipe is the same file everywhere (today's consoles show it as they should).
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8Of(argv[i]));
  return ZorvaneMain(args, ExecutableFolder());
}
