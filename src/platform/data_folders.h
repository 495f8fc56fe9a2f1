// Where the game looks for its sound effects and music, and where it puts screenshots.
#pragma once

#include <string>
#include <vector>

// The folders that may hold Sound/ and Music/, in the order they are tried:
//  1. beside the executable (a build tree, or an unpacked archive);
//  2. the data folder of the prefix the executable is installed in (bin/../share/zorvane2), so an
//     install into any --prefix, or one moved elsewhere as a whole, finds its own data;
//  3. the data folder the build was configured for.
// Empty entries and repeats are left out.
std::vector<std::string> DataSearchPath(const std::string& executableFolder);

// The folder screenshots go to: $XDG_PICTURES_DIR (from the environment or the user's
// user-dirs.dirs), else ~/Pictures if it exists, else the game's own data folder
// ($XDG_DATA_HOME/zorvane2, ~/.local/share/zorvane2 when unset). Empty when none can be named.
std::string ScreenshotFolder();

// A screenshot's file name for the given local time: zorvane2-YYYY-MM-DD-HHMMSS.png.
std::string ScreenshotName(int year, int month, int day, int hour, int minute, int second);
