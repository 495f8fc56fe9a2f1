// The player's own files (the save and the settings): where the player's folders are, where a
// path's links lead, and how a file is replaced so that a crash at any moment leaves either the
// old file or the new one, whole.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

#include "save/save_session.h"

// The player's home folder: $HOME, else the one the password database gives this user; empty
// when neither names one.
std::string HomeFolder();
// Why HomeFolder() is empty, in words for the player.
std::string NoHomeFolder();
// An XDG base folder: $variable when it holds an absolute path, else belowHome inside the home
// folder (".local/share" for XDG_DATA_HOME); empty when there is neither.
std::string UserFolder(const char* variable, const char* belowHome);

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
