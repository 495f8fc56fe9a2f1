// The save file: the 350-byte progress block, little-endian whatever the host, read with
// its values checked and written through a temporary file so a crash never loses progress.
#include "save/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "shell/game.h"

namespace {

// Where each field starts in the block. Every field follows the one before it, no padding.
constexpr int OffPoints = 0;
constexpr int OffShotLevel = 4;
constexpr int OffPartLevel = 44;
constexpr int OffChargeOwned = 54;
constexpr int OffGemOwned = 90;
constexpr int OffLevelOpen = 126;
constexpr int OffPotions = 154;
constexpr int OffGoalDone = 160;  // goal g of level index L at 160 + 2 * (g + 5 * L)
constexpr int OffStats = 300;
constexpr int OffPlayTime = 340;
constexpr int OffSoundOn = 346;
constexpr int OffMusicOn = 348;

void Put16(SaveBlock& b, int at, int v) {
  auto u = static_cast<uint16_t>(v);
  b[size_t(at)] = uint8_t(u & 0xFF);
  b[size_t(at) + 1] = uint8_t(u >> 8);
}

void Put32(SaveBlock& b, int at, int32_t v) {
  auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[size_t(at + i)] = uint8_t(u >> (8 * i));
}

// A Boolean is written as -1 for true and 0 for false.
void PutBool(SaveBlock& b, int at, bool v) { Put16(b, at, v ? -1 : 0); }

Integer Get16(const SaveBlock& b, int at) {
  return static_cast<Integer>(static_cast<uint16_t>(b[size_t(at)] | (b[size_t(at) + 1] << 8)));
}

Long Get32(const SaveBlock& b, int at) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= uint32_t(b[size_t(at + i)]) << (8 * i);
  return static_cast<Long>(u);
}

// Any non-zero value reads true.
bool GetBool(const SaveBlock& b, int at) { return Get16(b, at) != 0; }

template <class T>
T ClampCounted(T v, T low, T high, int& clamped) {
  if (v < low) {
    ++clamped;
    return low;
  }
  if (v > high) {
    ++clamped;
    return high;
  }
  return v;
}

std::string Reason(int err) { return std::strerror(err); }

// Writes the whole of data, going on after short writes and interruptions.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
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

SaveBlock EncodeProgress(const ProgressBlock& p) {
  SaveBlock b{};
  Put32(b, OffPoints, p.Points);
  for (int i = 0; i < 20; ++i) Put16(b, OffShotLevel + 2 * i, p.ShotLevel[size_t(i)]);
  for (int i = 0; i < 5; ++i) Put16(b, OffPartLevel + 2 * i, p.PartLevel[size_t(i)]);
  for (int i = 0; i < 18; ++i) PutBool(b, OffChargeOwned + 2 * i, p.ChargeOwned[size_t(i)]);
  for (int i = 0; i < 18; ++i) PutBool(b, OffGemOwned + 2 * i, p.GemOwned[size_t(i)]);
  for (int i = 0; i < 14; ++i) PutBool(b, OffLevelOpen + 2 * i, p.LevelOpen[size_t(i)]);
  for (int i = 0; i < 3; ++i) Put16(b, OffPotions + 2 * i, p.Potions[size_t(i)]);
  for (int level = 0; level < 14; ++level)
    for (int goal = 0; goal < 5; ++goal)
      PutBool(b, OffGoalDone + 2 * (goal + 5 * level), p.GoalDone[size_t(level)][size_t(goal)]);
  for (int i = 0; i < 10; ++i) Put32(b, OffStats + 4 * i, p.Stats[size_t(i)]);
  for (int i = 0; i < 3; ++i) Put16(b, OffPlayTime + 2 * i, p.PlayTime[size_t(i)]);
  PutBool(b, OffSoundOn, p.SoundOn);
  PutBool(b, OffMusicOn, p.MusicOn);
  return b;
}

ProgressBlock DecodeProgress(const SaveBlock& b, int* clampedOut) {
  // Values outside their ranges (a damaged or hand-edited file) are brought to the nearest
  // legal value, since the game uses several of them as indexes and prices.
  int clamped = 0;
  ProgressBlock p;
  p.Points = Get32(b, OffPoints);
  for (int i = 0; i < 20; ++i)
    p.ShotLevel[size_t(i)] = ClampCounted<Integer>(Get16(b, OffShotLevel + 2 * i), -1, 9, clamped);
  for (int i = 0; i < 5; ++i)
    p.PartLevel[size_t(i)] = ClampCounted<Integer>(Get16(b, OffPartLevel + 2 * i), 1, 10, clamped);
  for (int i = 0; i < 18; ++i) p.ChargeOwned[size_t(i)] = GetBool(b, OffChargeOwned + 2 * i);
  for (int i = 0; i < 18; ++i) p.GemOwned[size_t(i)] = GetBool(b, OffGemOwned + 2 * i);
  for (int i = 0; i < 14; ++i) p.LevelOpen[size_t(i)] = GetBool(b, OffLevelOpen + 2 * i);
  for (int i = 0; i < 3; ++i)
    p.Potions[size_t(i)] = ClampCounted<Integer>(Get16(b, OffPotions + 2 * i), 0, 5, clamped);
  for (int level = 0; level < 14; ++level)
    for (int goal = 0; goal < 5; ++goal)
      p.GoalDone[size_t(level)][size_t(goal)] = GetBool(b, OffGoalDone + 2 * (goal + 5 * level));
  for (int i = 0; i < 10; ++i) p.Stats[size_t(i)] = Get32(b, OffStats + 4 * i);
  p.Stats[StatCompletion] = ClampCounted<Long>(p.Stats[StatCompletion], 0, 100, clamped);
  // Hours are left as they are; minutes and seconds must be a clock's.
  p.PlayTime[0] = Get16(b, OffPlayTime);
  p.PlayTime[1] = ClampCounted<Integer>(Get16(b, OffPlayTime + 2), 0, 59, clamped);
  p.PlayTime[2] = ClampCounted<Integer>(Get16(b, OffPlayTime + 4), 0, 59, clamped);
  p.SoundOn = GetBool(b, OffSoundOn);
  p.MusicOn = GetBool(b, OffMusicOn);
  if (clampedOut) *clampedOut = clamped;
  return p;
}

ProgressBlock NewPlayerProgress() {
  ProgressBlock p;
  p.ShotLevel.fill(-1);
  p.ShotLevel[0] = 0;  // POWER BEAM, at level 0
  p.PartLevel.fill(1);
  p.LevelOpen[0] = true;
  p.SoundOn = p.MusicOn = true;
  return p;
}

std::string DefaultSavePath() {
  namespace fs = std::filesystem;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  fs::path base;
  // Only an absolute XDG_DATA_HOME counts; a relative one is ignored, as the convention says.
  if (xdg && *xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else {
    base = fs::path(".local") / "share";
  }
  return (base / "zorvane2" / "Game Save.gsv").string();
}

void LoadProgressAtStartUp(Game& g) {
  // The defaults that hold with or without a file: shots locked, parts at 1, the rest 0.
  g.Progress = ProgressBlock{};
  g.Progress.ShotLevel.fill(-1);
  g.Progress.PartLevel.fill(1);
  const std::string& path = g.SavePath;
  if (path.empty()) {
    g.Progress = NewPlayerProgress();
    return;
  }
  // Non-blocking, so a pipe in the file's place cannot hang the start-up.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    if (err != ENOENT && err != ENOTDIR)
      std::cerr << "zorvane2: cannot read the save file " << path << " (" << Reason(err)
                << "); starting as a new player\n";
    // A missing file is simply a new player; nothing is written until the first save.
    g.Progress = NewPlayerProgress();
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    std::cerr << "zorvane2: the save file " << path << " is not a regular file; starting as a new player\n";
    g.Progress = NewPlayerProgress();
    return;
  }
  SaveBlock block{};
  size_t got = 0;
  int readError = 0;
  while (got < block.size()) {
    ssize_t n = ::read(fd, block.data() + got, block.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) readError = errno;
    if (n <= 0) break;
    got += size_t(n);
  }
  ::close(fd);
  if (readError) {
    std::cerr << "zorvane2: cannot read the save file " << path << " (" << Reason(readError)
              << "); starting as a new player\n";
    g.Progress = NewPlayerProgress();
    return;
  }
  if (got < block.size()) {
    // Not progress: keep it aside for the curious and start afresh.
    std::string aside = path + ".bad";
    std::error_code ec;
    std::filesystem::rename(path, aside, ec);
    if (ec)
      std::cerr << "zorvane2: the save file " << path << " holds only " << got << " of " << block.size()
                << " bytes and could not be moved aside (" << ec.message() << "); starting as a new player\n";
    else
      std::cerr << "zorvane2: the save file " << path << " holds only " << got << " of " << block.size()
                << " bytes; kept as " << aside << ", starting as a new player\n";
    g.Progress = NewPlayerProgress();
    return;
  }
  // Only the first 350 bytes are progress; anything after them is ignored.
  int clamped = 0;
  g.Progress = DecodeProgress(block, &clamped);
  if (clamped > 0)
    std::cerr << "zorvane2: the save file " << path << " had " << clamped
              << " value(s) out of range; they were set to the nearest allowed value\n";
}

bool SaveProgress(Game& g) {
  namespace fs = std::filesystem;
  if (g.SavePath.empty()) return true;  // no save file in use: nothing to do
  const fs::path path(g.SavePath);
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  auto fail = [&](const std::string& why) {
    std::cerr << "zorvane2: could not save the progress to " << g.SavePath << " (" << why
              << "); the game goes on\n";
    return false;
  };

  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return fail("cannot make the folder " + folder.string() + ": " + ec.message());

  // Written in full to a temporary file beside the old one, flushed to the disk, then renamed
  // over it: at every moment the file on disk is either the old progress or the new.
  std::string temp = (folder / (path.filename().string() + ".tmpXXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(Reason(errno));
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    return fail(Reason(err));
  };
  struct stat old {};
  mode_t mode = ::stat(g.SavePath.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);
  SaveBlock block = EncodeProgress(g.Progress);
  if (!WriteAll(fd, block.data(), block.size())) return abandon(errno);
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return fail(Reason(err));
  }
  if (::rename(temp.c_str(), g.SavePath.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return fail(Reason(err));
  }
  // Make the rename itself durable.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}
