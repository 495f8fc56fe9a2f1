// The player's own files (the save and the settings): where the player's folders are, where a
// path's links lead, and how a file is replaced so that a crash at any moment leaves either the
// old file or the new one, whole.
//
// Everything here that asks the operating system is written once for POSIX systems
// (safe_file.cpp) and once for Windows (src/windows/safe_file_windows.cpp); the game above it
// is the same on both. Paths are UTF-8 text everywhere in the game; errors are errno values.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "save/save_session.h"

// A path in the game's UTF-8 text as the file system's own, and back, so that folders with
// letters beyond ASCII work wherever the system keeps paths in another form.
std::filesystem::path PathOf(const std::string& text);
std::string TextOf(const std::filesystem::path& path);

// The folder the game keeps a kind of the player's files in: on POSIX systems $variable/zorvane2
// when the variable holds an absolute path, else belowHome/zorvane2 inside the home folder (the
// data in ".local/share", the settings in ".config"); on Windows the player's roaming
// application data folder, Zorvane2. Empty when the system names no such folder.
std::string PlayerFolder(const char* variable, const char* belowHome);

// The player's home folder: $HOME, else the one the password database gives this user (on
// Windows the profile folder); empty when neither names one.
std::string HomeFolder();
// Why PlayerFolder() is empty, in words for the player.
std::string NoHomeFolder();

// Where a path leads: the path itself, or the end of its chain of symbolic links. The game reads
// and replaces that file, so a link to a file kept elsewhere stays a link.
struct PathTarget {
  std::string File;
  bool Link = false;    // reached through at least one link
  bool Exists = false;  // something is there (Mode says what)
  mode_t Mode = 0;
  int Error = 0;        // the path cannot be followed (a loop of links, a folder that may not be searched)
};
PathTarget FollowLinks(const std::string& path);

// "a folder", "a named pipe", "a device"... for what is not a regular file.
const char* KindOf(mode_t mode);

// The folder a file is in ("." for a bare name).
std::string FolderOf(const std::string& file);

// Writes bytes to file (with the given permissions) through a temporary file beside it, flushed to
// the disk and then renamed over the old one. Returns 0, or the errno value of the step that failed,
// after which the old file is as it was and the temporary file is gone. While it is being written
// the temporary file is locked, so a copy of the game starting meanwhile leaves it alone.
// `fault` (tests) may make the CreateTemp and Sync steps fail.
int ReplaceFile(const std::string& file, const std::string& bytes, mode_t mode,
                const std::function<int(SaveStep)>& fault = {});

// Removes the temporary files writes of `file` that were killed half-way left ("FILE.tmp" and six
// letters or digits, regular files no running write holds): they hold nothing the file does not.
void RemoveLeftovers(const std::string& file);

// The start of a file, read without waiting (a pipe put in its place cannot hang the game):
// OpenError is the errno value of opening it (ENOENT or ENOTDIR: nothing there); Mode what was
// opened (only a regular file is read); ReadError the errno value of reading it; Bytes at most
// `limit` bytes from its start. `fault` (tests) may make the Open and Read steps fail.
struct FileStart {
  int OpenError = 0;
  mode_t Mode = 0;
  int ReadError = 0;
  std::string Bytes;
};
FileStart ReadFileStart(const std::string& file, size_t limit, const std::function<int(SaveStep)>& fault = {});

// The whole of a file (or a pipe); false, with the reason in `why`, when it cannot be read. A
// folder is refused rather than read as nothing.
bool ReadWholeFile(const std::string& path, std::string& out, std::string& why);

// Whether the game may make files in `folder`: 0, or the errno value that says why not.
int FolderWritable(const std::string& folder);

// Renames `from` to `to` unless something is at `to` already: 0, EEXIST, or another errno value.
int RenameNoReplace(const std::string& from, const std::string& to);

// An exclusive lock on a lock file, held by this process for as long as the object lives.
struct SaveLock {
  std::string Path;
  std::intptr_t Handle;  // the system's handle of the open lock file
  SaveLock(std::intptr_t handle, std::string path) : Path(std::move(path)), Handle(handle) {}
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;
  ~SaveLock();  // closing the file lets the lock go
};
// Takes the lock on lockPath (made when missing, a link never followed). Lock is set when taken;
// else Busy says another process holds it, or Why says what stands in the way ("it is a
// folder", a system error).
struct LockAttempt {
  std::shared_ptr<SaveLock> Lock;
  bool Busy = false;
  std::string Why;
};
LockAttempt TakeFileLock(const std::string& lockPath);
