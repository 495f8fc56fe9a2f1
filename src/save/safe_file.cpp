// The player's own files: the folders they live in, links followed, and crash-safe replacing.
#include "save/safe_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  // Started without a HOME (by a service, a cron job, env -i): the account's own home, so the
  // game finds the same save whatever folder it was started from.
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
  return "";
}

std::string NoHomeFolder() {
  return "there is no home folder (HOME is not set and the password database has none for user " +
         std::to_string(::getuid()) + ")";
}

fs::path PathOf(const std::string& text) { return fs::path(text); }

std::string TextOf(const fs::path& path) { return path.string(); }

std::string PlayerFolder(const char* variable, const char* belowHome) {
  // An XDG base folder. Only an absolute path counts; a relative one is ignored, as the
  // convention says.
  const char* set = std::getenv(variable);
  if (set && *set && fs::path(set).is_absolute()) return (fs::path(set) / "zorvane2").string();
  const std::string home = HomeFolder();
  return home.empty() ? "" : (fs::path(home) / belowHome / "zorvane2").string();
}

PathTarget FollowLinks(const std::string& path) {
  PathTarget t;
  std::string at = path;
  for (int hops = 0; hops <= 40; ++hops) {  // the kernel's own limit on links in a row
    struct stat st {};
    t.File = at;
    if (::lstat(at.c_str(), &st) != 0) {
      // Nothing there (or a plain file where a folder should be): nothing to read yet.
      if (errno != ENOENT && errno != ENOTDIR) t.Error = errno;
      return t;
    }
    if (!S_ISLNK(st.st_mode)) {
      t.Exists = true;
      t.Mode = st.st_mode;
      return t;
    }
    t.Link = true;
    std::string to(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
    if (n < 0 || size_t(n) >= to.size()) {
      t.Error = n < 0 ? errno : ENAMETOOLONG;
      return t;
    }
    to.resize(size_t(n));
    fs::path next(to);
    at = next.is_absolute() ? to : (fs::path(at).parent_path() / next).string();
  }
  t.Error = ELOOP;
  return t;
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "not a regular file";
}

std::string FolderOf(const std::string& file) {
  fs::path folder = fs::path(file).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

namespace {

// Writes the whole of data, going on after short writes and interruptions.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

}  // namespace

int ReplaceFile(const std::string& file, const std::string& bytes, mode_t mode,
                const std::function<int(SaveStep)>& fault) {
  auto injected = [&](SaveStep step) { return fault ? fault(step) : 0; };
  const std::string folder = FolderOf(file);
  // Written in full to a temporary file beside the old one, flushed to the disk, then renamed
  // over it: at every moment the file on disk is either the old one or the new.
  std::string temp = (fs::path(folder) / (fs::path(file).filename().string() + ".tmpXXXXXX")).string();
  if (int err = injected(SaveStep::CreateTemp)) return err;
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  // Held until the descriptor closes (or the process dies), so a start meanwhile tells this
  // temporary file from one a killed write left.
  ::flock(fd, LOCK_EX | LOCK_NB);
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    return err;
  };
  ::fchmod(fd, mode & 07777);
  if (!WriteAll(fd, bytes.data(), bytes.size())) return abandon(errno);
  if (int err = injected(SaveStep::Sync)) return abandon(err);
  if (::fsync(fd) != 0) return abandon(errno);
  // Renamed while still held, then let go (its bytes are on the disk already).
  if (::rename(temp.c_str(), file.c_str()) != 0) return abandon(errno);
  ::close(fd);
  // Make the new name itself durable: a power cut after this cannot bring back the old file.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

void RemoveLeftovers(const std::string& file) {
  const std::string prefix = fs::path(file).filename().string() + ".tmp";
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!std::all_of(name.begin() + long(prefix.size()), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
      continue;
    // Only a regular file no running write holds: opened without following a link, and locked.
    int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(it->path().c_str());
    ::close(fd);
  }
}

FileStart ReadFileStart(const std::string& file, size_t limit, const std::function<int(SaveStep)>& fault) {
  FileStart r;
  auto injected = [&](SaveStep step) { return fault ? fault(step) : 0; };
  // Non-blocking, so a pipe put in the file's place meanwhile cannot hang the start-up.
  r.OpenError = injected(SaveStep::Open);
  const int fd = r.OpenError ? -1 : ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (!r.OpenError) r.OpenError = errno;
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    r.Mode = st.st_mode;
    ::close(fd);
    return r;
  }
  r.Mode = st.st_mode;
  r.Bytes.resize(limit);
  size_t got = 0;
  r.ReadError = injected(SaveStep::Read);
  while (!r.ReadError && got < r.Bytes.size()) {
    ssize_t n = ::read(fd, r.Bytes.data() + got, r.Bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) r.ReadError = errno;
    if (n <= 0) break;
    got += size_t(n);
  }
  ::close(fd);
  r.Bytes.resize(got);
  return r;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::string& why) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    why = "it is a folder";
    return false;
  }
  out.clear();
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) why = std::strerror(errno);
    if (n <= 0) break;
    out.append(buffer, size_t(n));
  }
  ::close(fd);
  return why.empty();
}

int FolderWritable(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0 ? 0 : errno; }

int RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
#endif
  // A file system without the no-replace rename (or the browser's): look first.
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

SaveLock::~SaveLock() { ::close(int(Handle)); }

LockAttempt TakeFileLock(const std::string& lockPath) {
  LockAttempt a;
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (fd < 0) {
    const int err = errno;
    struct stat st {};
    if (::lstat(lockPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
      a.Why = std::string("it is ") + KindOf(st.st_mode);  // a folder, a link
    else
      a.Why = std::strerror(err);
    return a;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {  // a pipe or a device opens, but is no lock
    ::close(fd);
    a.Why = std::string("it is ") + KindOf(st.st_mode);
    return a;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK)
      a.Busy = true;
    else
      a.Why = std::strerror(err);
    return a;
  }
  a.Lock = std::make_shared<SaveLock>(fd, lockPath);
  return a;
}
