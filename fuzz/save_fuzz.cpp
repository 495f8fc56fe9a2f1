// Any bytes of any length as the save file: loading never fails the game, and what it loads
// is always progress the game can play with and save again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "save/save_file.h"

namespace {

std::string Folder;
std::ostringstream Discard;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "save fuzz: %s\n", what);
  std::abort();
}

// Every field within the range the game relies on, and a save of it reads back the same.
void CheckPlayable(const ProgressBlock& p) {
  int clamped = 0;
  Require(DecodeProgress(EncodeProgress(p), &clamped) == p, "the loaded progress does not save unchanged");
  Require(clamped == 0, "the loaded progress holds values out of range");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory where the machine has it: the loader's file work is the slow part of a run.
  std::filesystem::path tmp = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  std::string base = (tmp / "zorvane2-fuzz-XXXXXX").string();
  Require(mkdtemp(base.data()) != nullptr, "no temporary folder");
  Folder = base;
  std::atexit([] { std::filesystem::remove_all(Folder); });
  std::cerr.rdbuf(Discard.rdbuf());  // the loader's one-line reports
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Discard.str("");
  // The decoder alone, on the first 350 bytes (zeros after a short input).
  SaveBlock block{};
  std::memcpy(block.data(), data, std::min(size, block.size()));
  int clamped = 0;
  ProgressBlock decoded = DecodeProgress(block, &clamped);
  CheckPlayable(decoded);

  // The whole start-up load from a file holding exactly these bytes.
  SaveStore store{Folder + "/Game Save.gsv", {}};
  std::filesystem::remove(store.Path + ".bad");
  {
    std::ofstream out(store.Path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  const ProgressBlock loaded = store.Load();
  CheckPlayable(loaded);
  if (size >= block.size()) {
    // A full block is the player's progress, whatever follows it.
    Require(loaded == decoded, "a full block did not load as decoded");
    Require(std::filesystem::exists(store.Path), "a full block was moved aside");
  } else {
    // A short file is no progress: a new player, with the file kept aside.
    Require(loaded == NewPlayerProgress(), "a short file did not start a new player");
    Require(std::filesystem::exists(store.Path + ".bad"), "a short file was not kept aside");
  }
  return 0;
}
