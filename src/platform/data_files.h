// The sound effects and music tracks on the disk, looked up in the data folders (data_folders.h).
// A missing file is said on standard error wherever the game runs, headless too; the game then
// goes on without it.
#pragma once

#include <set>
#include <string>
#include <vector>

class DataFiles {
 public:
  explicit DataFiles(const std::string& executableFolder);

  // Sound/NAME.wav in the first folder that has it; "" when none has, noted for ReportMissing.
  std::string Sound(const std::string& name);
  // The sounds not found since the last report, in one line (nothing when all were found).
  void ReportMissing();
  // Music/NAME.EXTENSION (mid or ogg) likewise; a missing track is said at once, and once only.
  std::string Music(const std::string& name, const std::string& extension = "mid");
  // A track found that will not play: said once for each track.
  void ReportUnplayable(const std::string& name, const std::string& path, const std::string& why);

 private:
  std::string Find(const std::string& folder, const std::string& file) const;
  std::string FoldersText() const;

  std::vector<std::string> Folders;        // where Sound/ and Music/ are looked for, in order
  std::vector<std::string> MissingSounds;  // not yet reported
  std::set<std::string> TracksReported;
};
