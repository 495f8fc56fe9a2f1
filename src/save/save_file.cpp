// The save file: the 350-byte progress block, little-endian whatever the host, read with
// its values checked and written through a temporary file so a crash never loses progress.
// Whatever goes wrong with the file, the game plays on and never writes over progress it
// could not read: links are followed, odd files left alone, one copy of the game per file.
#include "save/save_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "save/safe_file.h"

namespace {

using namespace SaveLayout;

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
  const std::string folder = PlayerFolder("XDG_DATA_HOME", ".local/share");
  return folder.empty() ? "" : TextOf(PathOf(folder) / "Game Save.gsv");
}

namespace {

namespace fs = std::filesystem;

// "the save file PATH", naming the link's target too.
std::string Named(const std::string& path, const PathTarget& t) {
  std::string s = "the save file " + path;
  if (t.Link && !t.Error) s += " (a link to " + t.File + ")";
  return s;
}

int Injected(const SaveSession& s, SaveStep step) { return s.Fault ? s.Fault(step) : 0; }

// Takes the lock beside the save file. Whenever it cannot be had, for whatever reason (another
// copy of the game holds it, the lock file is a folder, a pipe or a link, or cannot be made at all),
// there is no telling whether another copy is writing the save: this run then never writes it, and
// s.NoSaving says why.
bool TakeLock(SaveSession& s, const std::string& path, const PathTarget& t) {
  const std::string lockPath = t.File + ".lock";
  if (s.Lock && s.Lock->Path == lockPath) return true;  // started again: still ours
  s.Lock.reset();
  std::error_code ec;
  if (!t.Link) fs::create_directories(PathOf(FolderOf(t.File)), ec);  // a link's target folder is never made
  auto refuse = [&](const std::string& why) {
    s.NoSaving = "the lock file " + lockPath + " of " + Named(path, t) + " cannot be taken (" + why + ")";
    return false;
  };
  if (int err = Injected(s, SaveStep::Lock)) return refuse(Reason(err));
  LockAttempt lock = TakeFileLock(lockPath);
  if (lock.Busy) {
    s.NoSaving = "another copy of the game is using " + Named(path, t);
    return false;
  }
  if (!lock.Lock) return refuse(lock.Why);
  s.Lock = std::move(lock.Lock);
  return true;
}

// Moves an existing file that holds no usable progress out of the way, to the first of
// FILE.bad, FILE.bad.2 ... FILE.bad.9 that is free (an older one is never replaced).
int MoveAside(const SaveSession& s, const std::string& file, std::string& aside) {
  if (int err = Injected(s, SaveStep::SetAside)) return err;
  for (int n = 1; n <= 9; ++n) {
    aside = file + ".bad" + (n > 1 ? "." + std::to_string(n) : "");
    const int err = RenameNoReplace(file, aside);
    if (err != EEXIST) return err;
  }
  return EEXIST;
}

}  // namespace

ProgressBlock SaveStore::Load() {
  // The defaults that hold with or without a file: shots locked, parts at 1, the rest 0.
  ProgressBlock progress{};
  progress.ShotLevel.fill(-1);
  progress.PartLevel.fill(1);
  Session.NoSaving.clear();
  const std::string& path = Path;
  if (path.empty()) {
    Session.Lock.reset();
    progress = NewPlayerProgress();
    return progress;
  }
  const PathTarget t = Session.Nowhere.empty() ? FollowLinks(path) : PathTarget{};
  const std::string named = Named(path, t);
  // Said once here, and again whenever progress would have been saved.
  auto playWithoutSaving = [&](const std::string& why) -> ProgressBlock {
    Session.NoSaving = why;
    Session.Lock.reset();
    std::cerr << "zorvane2: " << why << "; playing without saving\n";
    progress = NewPlayerProgress();
    return progress;
  };
  if (!Session.Nowhere.empty()) return playWithoutSaving(Session.Nowhere);
  if (t.Error)
    return playWithoutSaving(named + (t.Link ? " cannot be followed (" : " cannot be reached (") + Reason(t.Error) + ")");
  // A folder, a pipe, a device or a socket is never read, replaced or written.
  if (t.Exists && !S_ISREG(t.Mode)) return playWithoutSaving(named + " is " + KindOf(t.Mode) + ", not a file");

  // One copy of the game per save file. A second one may play, from the progress as it is, but
  // never writes, moves or tidies anything the first one owns.
  const bool locked = TakeLock(Session, path, t);
  // A folder the game may not write in (read-only, or not the player's) is said now, not only
  // when the first save fails.
  if (Session.NoSaving.empty()) {
    int err = Injected(Session, SaveStep::CheckFolder);
    if (!err) err = FolderWritable(FolderOf(t.File));
    if (err) Session.NoSaving = "the folder " + FolderOf(t.File) + " of " + named + " cannot be written (" + Reason(err) + ")";
  }
  const bool mayChange = Session.NoSaving.empty();
  if (!mayChange) std::cerr << "zorvane2: " << Session.NoSaving << "; playing without saving\n";
  if (locked) RemoveLeftovers(t.File);

  // A file that exists but holds no usable progress is set aside before anything is written over
  // it; where that cannot be done, the game plays without saving rather than lose it.
  auto setAside = [&](const std::string& problem) -> ProgressBlock {
    progress = NewPlayerProgress();
    std::string aside;
    int err = mayChange ? MoveAside(Session, t.File, aside) : 0;
    if (!mayChange)
      std::cerr << "zorvane2: " << problem << "; starting as a new player\n";
    else if (err == 0)
      std::cerr << "zorvane2: " << problem << "; kept as " << aside << ", starting as a new player\n";
    else
      playWithoutSaving(problem + " and could not be moved aside (" + Reason(err) + ")");
    return progress;
  };

  // Read without waiting, so a pipe put in the file's place meanwhile cannot hang the start-up.
  const FileStart read = ReadFileStart(t.File, SaveBlock{}.size(), Session.Fault);
  const int err = read.OpenError;
  if (err == ENOENT || err == ENOTDIR) {
    // A missing file is simply a new player; nothing is written until the first save.
    if (t.Link)
      std::cerr << "zorvane2: " << named << " leads nowhere yet; starting as a new player, saved there\n";
    progress = NewPlayerProgress();
    return progress;
  }
  if (err) return setAside(named + " cannot be read (" + Reason(err) + ")");
  if (!S_ISREG(read.Mode)) return playWithoutSaving(named + " is " + KindOf(read.Mode) + ", not a file");
  if (read.ReadError) return setAside(named + " cannot be read (" + Reason(read.ReadError) + ")");
  SaveBlock block{};
  const size_t got = read.Bytes.size();
  if (got < block.size())
    return setAside(named + " holds only " + std::to_string(got) + " of " + std::to_string(block.size()) +
                    " bytes");
  std::copy(read.Bytes.begin(), read.Bytes.end(), block.begin());
  // Only the first 350 bytes are progress; anything after them is ignored.
  int clamped = 0;
  progress = DecodeProgress(block, &clamped);
  if (clamped > 0)
    std::cerr << "zorvane2: " << named << " had " << clamped
              << " value(s) out of range; they were set to the nearest allowed value\n";
  return progress;
}

bool SaveStore::Save(const ProgressBlock& progress) {
  if (Path.empty()) return true;  // no save file in use: nothing to do
  if (!Session.NoSaving.empty()) {
    std::cerr << "zorvane2: progress not saved: " << Session.NoSaving << "\n";
    return false;
  }
  // Looked at again: what is at the path may have changed since the start.
  const PathTarget t = FollowLinks(Path);
  auto fail = [&](const std::string& why) {
    std::cerr << "zorvane2: could not save the progress to "
              << (t.Link && !t.Error ? t.File + " through the link " + Path : Path) << " ("
              << why << "); the game goes on\n";
    return false;
  };
  if (t.Error) return fail("the path cannot be followed: " + Reason(t.Error));
  if (t.Exists && !S_ISREG(t.Mode)) return fail(std::string("it is ") + KindOf(t.Mode) + ", which is never replaced");
  const std::string folder = FolderOf(t.File);

  std::error_code ec;
  if (!t.Link) fs::create_directories(PathOf(folder), ec);
  if (ec) return fail("cannot make the folder " + folder + ": " + ec.message());

  const SaveBlock block = EncodeProgress(progress);
  if (int err = ReplaceFile(t.File, std::string(block.begin(), block.end()), t.Exists ? t.Mode : 0644, Session.Fault))
    return fail(Reason(err));
  ++Written;
  return true;
}
