#include "platform/data_files.h"

#include <filesystem>
#include <iostream>

#include "platform/data_folders.h"
#include "save/safe_file.h"

namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(PathOf(path), ec);
}

}  // namespace

DataFiles::DataFiles(const std::string& executableFolder) : Folders(DataSearchPath(executableFolder)) {}

std::string DataFiles::Find(const std::string& folder, const std::string& file) const {
  for (const std::string& base : Folders) {
    // Joined by the system's own separator, so messages show one kind of path.
    std::string path = TextOf(PathOf(base) / folder / file);
    if (IsFile(path)) return path;
  }
  return "";
}

// "A, B or C": the folders looked in, for the messages about missing files.
std::string DataFiles::FoldersText() const {
  std::string text;
  for (size_t i = 0; i < Folders.size(); ++i)
    text += (i == 0 ? "" : i + 1 == Folders.size() ? " or " : ", ") + Folders[i];
  return text.empty() ? "no data folder" : text;
}

std::string DataFiles::Sound(const std::string& name) {
  std::string path = Find("Sound", name + ".wav");
  // Gathered and told in one line once the content load is over.
  if (path.empty()) MissingSounds.push_back("Sound/" + name + ".wav");
  return path;
}

void DataFiles::ReportMissing() {
  if (MissingSounds.empty()) return;
  std::cerr << "zorvane2: " << MissingSounds.size() << " sound file(s) not found in " << FoldersText() << " (";
  for (size_t i = 0; i < MissingSounds.size(); ++i) std::cerr << (i ? ", " : "") << MissingSounds[i];
  std::cerr << "); those effects stay silent\n";
  MissingSounds.clear();
}

std::string DataFiles::Music(const std::string& name, const std::string& extension) {
  std::string path = Find("Music", name + "." + extension);
  // Each track that will not load is reported once, not at every change of track.
  if (path.empty() && TracksReported.insert(name).second)
    std::cerr << "zorvane2: music Music/" << name << "." << extension << " not found (looked in " << FoldersText()
              << "); no music there\n";
  return path;
}

void DataFiles::ReportUnplayable(const std::string& name, const std::string& path, const std::string& why) {
  if (TracksReported.insert(name).second)
    std::cerr << "zorvane2: cannot play the music " << path << " (" << why << "); no music there\n";
}
