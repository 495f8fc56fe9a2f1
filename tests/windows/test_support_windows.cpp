// The test helpers that ask Windows: temporary folders and running the game beside the tests.
#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "save/safe_file.h"
#include "test_support.h"
#include "windows/wide_text.h"

namespace {

std::string TestsFolder() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
  path.resize(n);
  return Utf8Of(path.substr(0, path.find_last_of(L"\\/")));
}

// The tests write their command lines for a POSIX shell ('quoted' or "quoted" words, spaces
// between); the words they mean are taken apart here.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (char c : line) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        word += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// One argument as Windows' own parser (CommandLineToArgvW, the C runtime) reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

HANDLE Inheritable(const std::string& file) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(WideOf(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string ZorvaneExe() { return TextOf(PathOf(TestsFolder()) / ZORVANE_EXE); }

TempDir::TempDir() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path p =
        base / ("zorvane2-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) +
                "-" + std::to_string(attempt));
    std::error_code ec;
    if (std::filesystem::create_directory(p, ec)) {
      Path = p;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(Path, ec);
}

int RunZorvane(const std::string& args, std::string* out, std::string* err) {
  TempDir tmp;
  const std::string outFile = tmp.File("stdout"), errFile = tmp.File("stderr");
  std::wstring line = Quoted(WideOf(ZorvaneExe()));
  for (const std::string& word : Words(args)) line += L" " + Quoted(WideOf(word));
  SetEnvironmentVariableW(L"SDL_AUDIODRIVER", L"dummy");
  SetEnvironmentVariableW(L"SDL_VIDEODRIVER", L"dummy");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = Inheritable(outFile);
  si.hStdError = Inheritable(errFile);
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  DWORD status = DWORD(-1);
  if (started) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &status);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(si.hStdOutput);
  CloseHandle(si.hStdError);
  if (out) *out = ReadFile(outFile);
  if (err) *err = ReadFile(errFile);
  return started ? int(status) : -1;
}

void SetEnvVar(const std::string& name, const char* value, bool overwrite) {
  if (!overwrite && std::getenv(name.c_str())) return;
  // The C runtime's copy, which getenv reads, and the system's, which children inherit.
  _putenv_s(name.c_str(), value ? value : "");
  SetEnvironmentVariableW(WideOf(name).c_str(), value ? WideOf(value).c_str() : nullptr);
}
