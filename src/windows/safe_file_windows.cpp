// The player's own files on Windows: the folders the system names for them, and crash-safe
// replacing with the system's own calls. Every path goes to the system as UTF-16, so folders
// named in any language work; errors are turned into the errno values the game reports.
#include <windows.h>
#include <shlobj.h>
// windows.h names its own ReplaceFile (ReplaceFileW); the game's is the one declared in safe_file.h.
#undef ReplaceFile

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "save/safe_file.h"
#include "windows/wide_text.h"

namespace fs = std::filesystem;

namespace {

// The errno value nearest to a Windows error, for the messages the game already has.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
      return EBUSY;
    case ERROR_LOCK_VIOLATION:
      return EWOULDBLOCK;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

int LastErrno() { return ErrnoOf(GetLastError()); }

// A folder the shell knows (the roaming application data, the pictures, the profile); "" if none.
std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR wide = nullptr;
  std::string folder;
  if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &wide) == S_OK && wide) folder = Utf8Of(wide);
  CoTaskMemFree(wide);
  return folder;
}

mode_t ModeOf(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? S_IFDIR : S_IFREG; }

// Reads from an open handle until `limit` bytes or the end; 0 or an errno value.
int ReadUpTo(HANDLE h, std::string& bytes, size_t limit) {
  bytes.resize(limit);
  size_t got = 0;
  int err = 0;
  while (got < limit) {
    DWORD n = 0;
    const DWORD ask = DWORD(std::min<size_t>(limit - got, 1 << 20));
    if (!ReadFile(h, bytes.data() + got, ask, &n, nullptr)) {
      if (GetLastError() != ERROR_BROKEN_PIPE) err = LastErrno();
      break;
    }
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return err;
}

// Six letters and digits for a temporary file's name, different from one call to the next.
std::string SixLetters() {
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  static unsigned long long state = 0;
  state = state * 6364136223846793005ull + 1442695040888963407ull + unsigned(now.QuadPart) + GetCurrentProcessId();
  std::string six;
  unsigned long long bits = state;
  for (int i = 0; i < 6; ++i, bits /= 62) six += letters[bits % 62];
  return six;
}

}  // namespace

fs::path PathOf(const std::string& text) { return fs::path(WideOf(text)); }

std::string TextOf(const fs::path& path) { return Utf8Of(path.wstring()); }

std::string HomeFolder() { return KnownFolder(FOLDERID_Profile); }

std::string NoHomeFolder() { return "Windows names no application data folder for this user"; }

std::string PlayerFolder(const char*, const char*) {
  // The settings and the save live together in the roaming application data, as Windows
  // programs keep theirs, so they follow the player to another machine of the same network.
  const std::string appData = KnownFolder(FOLDERID_RoamingAppData);
  return appData.empty() ? "" : TextOf(PathOf(appData) / L"Zorvane2");
}

PathTarget FollowLinks(const std::string& path) {
  PathTarget t;
  t.File = path;
  const std::wstring wide = WideOf(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const int err = LastErrno();
    if (err != ENOENT) t.Error = err;
    return t;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A symbolic link or a junction: the file it leads to is the one read and replaced.
    t.Link = true;
    HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const int err = LastErrno();
      if (err != ENOENT) t.Error = err;  // a link that leads nowhere yet gets its file at the first save
      return t;
    }
    std::wstring target(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h, target.data(), DWORD(target.size()), FILE_NAME_NORMALIZED);
    if (n >= target.size()) {
      target.resize(n + 1);
      n = GetFinalPathNameByHandleW(h, target.data(), DWORD(target.size()), FILE_NAME_NORMALIZED);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (n == 0 || n >= target.size() || !known) {
      t.Error = EIO;
      return t;
    }
    target.resize(n);
    if (target.rfind(L"\\\\?\\UNC\\", 0) == 0)
      target = L"\\" + target.substr(7);
    else if (target.rfind(L"\\\\?\\", 0) == 0)
      target = target.substr(4);
    t.File = Utf8Of(target);
    t.Exists = true;
    t.Mode = ModeOf(info.dwFileAttributes);
    return t;
  }
  t.Exists = true;
  t.Mode = ModeOf(attributes);
  return t;
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode)) return "a device";
  return "not a regular file";
}

std::string FolderOf(const std::string& file) {
  const fs::path folder = PathOf(file).parent_path();
  return folder.empty() ? std::string(".") : TextOf(folder);
}

int ReplaceFile(const std::string& file, const std::string& bytes, mode_t,
                const std::function<int(SaveStep)>& fault) {
  auto injected = [&](SaveStep step) { return fault ? fault(step) : 0; };
  // Written in full to a temporary file beside the old one, flushed to the disk, then moved
  // over it with the move itself written through: at every moment the file on disk is either
  // the old one or the new. Nobody else may open the temporary file while it is written, so a
  // copy of the game starting meanwhile leaves it alone; only the move may take it away.
  if (int err = injected(SaveStep::CreateTemp)) return err;
  // A file the player marked read-only stays as it is, as Windows programs leave such files.
  const DWORD attributes = GetFileAttributesW(WideOf(file).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return EACCES;
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
    temp = WideOf(file + ".tmp" + SixLetters());
    h = CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return LastErrno();
  }
  if (h == INVALID_HANDLE_VALUE) return EEXIST;
  auto abandon = [&](int err) {
    CloseHandle(h);
    DeleteFileW(temp.c_str());
    return err;
  };
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    const DWORD ask = DWORD(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(h, bytes.data() + done, ask, &n, nullptr)) return abandon(LastErrno());
    done += n;
  }
  if (int err = injected(SaveStep::Sync)) return abandon(err);
  if (!FlushFileBuffers(h)) return abandon(LastErrno());
  if (!MoveFileExW(temp.c_str(), WideOf(file).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return abandon(LastErrno());
  CloseHandle(h);
  return 0;
}

void RemoveLeftovers(const std::string& file) {
  const std::string prefix = TextOf(PathOf(file).filename()) + ".tmp";
  std::error_code ec;
  for (fs::directory_iterator it(PathOf(FolderOf(file)), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = TextOf(it->path().filename());
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!std::all_of(name.begin() + long(prefix.size()), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
      continue;
    // Only a plain file no running write holds: a write keeps others out of its temporary file,
    // so opening it alone, to be deleted when closed, succeeds only for one a killed write left.
    const std::wstring wide = it->path().wstring();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
      continue;
    HANDLE h = CreateFileW(wide.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
}

FileStart ReadFileStart(const std::string& file, size_t limit, const std::function<int(SaveStep)>& fault) {
  FileStart r;
  auto injected = [&](SaveStep step) { return fault ? fault(step) : 0; };
  r.OpenError = injected(SaveStep::Open);
  if (r.OpenError) return r;
  HANDLE h = CreateFileW(WideOf(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    r.OpenError = LastErrno();
    return r;
  }
  // Only a file on a disk is read; a device or a pipe opened by name is not a save.
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)) {
    r.Mode = S_IFCHR;
    CloseHandle(h);
    return r;
  }
  r.Mode = ModeOf(info.dwFileAttributes);
  if (!S_ISREG(r.Mode)) {
    CloseHandle(h);
    return r;
  }
  r.ReadError = injected(SaveStep::Read);
  if (!r.ReadError) r.ReadError = ReadUpTo(h, r.Bytes, limit);
  CloseHandle(h);
  return r;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::string& why) {
  const std::wstring wide = WideOf(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    why = "it is a folder";
    return false;
  }
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = std::strerror(LastErrno());
    return false;
  }
  // A script is a few kilobytes; a gigabyte is certainly not one.
  const int err = ReadUpTo(h, out, size_t(1) << 30);
  CloseHandle(h);
  if (err) why = std::strerror(err);
  return err == 0;
}

int FolderWritable(const std::string& folder) {
  // Windows has no quick question for this that agrees with its access lists, so a file that
  // is gone again when closed is made there.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const std::wstring probe = WideOf(TextOf(PathOf(folder) / ("zorvane2-probe-" + SixLetters())));
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return 0;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return LastErrno();
  }
  return EEXIST;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when something is at `to` already.
  return MoveFileExW(WideOf(from).c_str(), WideOf(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : LastErrno();
}

SaveLock::~SaveLock() { CloseHandle(reinterpret_cast<HANDLE>(Handle)); }

LockAttempt TakeFileLock(const std::string& lockPath) {
  LockAttempt a;
  const std::wstring wide = WideOf(lockPath);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) a.Why = "it is a folder";
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) a.Why = "it is a symbolic link";
    if (!a.Why.empty()) return a;
  }
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    a.Why = std::strerror(LastErrno());
    return a;
  }
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    a.Why = "it is a device";
    return a;
  }
  // The lock belongs to this handle: another copy of the game, or another handle of this one,
  // is refused at once while it is held.
  OVERLAPPED at{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    const DWORD error = GetLastError();
    CloseHandle(h);
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
      a.Busy = true;
    else
      a.Why = std::strerror(ErrnoOf(error));
    return a;
  }
  a.Lock = std::make_shared<SaveLock>(reinterpret_cast<std::intptr_t>(h), lockPath);
  return a;
}
