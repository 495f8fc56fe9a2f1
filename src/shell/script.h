// Input scripts: keyboard and mouse for the harness, read from or written to plain text.
// Each line is "FIRST[-LAST] ACTION [ARGS]" for the frames FIRST..LAST; '#' starts a comment.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "world/command.h"

// What the devices give the game in one frame.
struct FrameInput {
  std::array<bool, 256> Keys{};
  int Dx = 0, Dy = 0;                 // relative motion from "move"
  bool HasTarget = false;             // "mouse X Y" starts in this frame
  int TargetX = 0, TargetY = 0;
  bool LButton = false, RButton = false;
  bool Close = false;
  bool Blur = false;      // the window loses the focus in this frame
  bool Hidden = false;    // the window is hidden (minimised) in this frame
  bool GameKeys = false;  // the keys are the game's own, already through the bindings (a recording)
};

// A key name of the script (scan code 1..211, ESCAPE, SPACE, ENTER, arrows, A..Z, 0..9) to its scan code; 0 if unknown.
int ScanCodeForName(const std::string& name);
// The name a script uses for a scan code: ESCAPE, a letter, a digit, an arrow... or the number.
std::string NameForScanCode(int code);

class InputScript {
 public:
  // Returns nothing on a malformed line, with "line N: what is wrong" in *error.
  static std::optional<InputScript> Parse(const std::string& text, std::string* error);
  FrameInput For(long long frame) const;

 private:
  enum class Action { Key, Mouse, Move, LButton, RButton, Close, Blur, Hidden, GameKeys };
  struct Entry {
    long long First, Last;
    Action What;
    int A = 0, B = 0;
    uint32_t Line = 0;  // its place among the script's entries: lines apply in the script's order
  };
  // Sorted by first frame, and read as a balanced tree: the entry in the middle of a stretch
  // holds the latest last frame of the whole stretch (MaxLast), so a frame finds its lines
  // without looking at the others, however long the script.
  std::vector<Entry> Entries;
  std::vector<long long> MaxLast;
  void Index();
  void Find(long long frame, size_t low, size_t high, std::vector<const Entry*>& found) const;
};

// Collects the command of every step (steps come in order) and writes them as a script that
// replays the same run. Only the script's lines are kept, never the frames: a key held or a
// button down is a run of frames, extended while it lasts. The keys are the game's, after the
// bindings, and the script says so, so it replays the same whatever keys the player has moved.
class ScriptRecorder {
 public:
  void Note(long long frame, const FrameCommand& cmd);
  void Write(std::ostream& out) const;
  std::string Text() const;

 private:
  // What the game read in the frame being recorded, kept until the next frame begins.
  struct Frame {
    std::array<bool, 256> Keys{};
    int Dx = 0, Dy = 0;
    bool Left = false, Right = false, Close = false, Blur = false, Hidden = false;
  };
  struct Run {
    long long First, Last;
  };
  struct Move {
    long long Frame;
    int Dx, Dy;
  };
  // The runs of each scan code a script can name, then of the left and right buttons, the close
  // and the hidden window. (A deque grows without ever holding twice what it needs.)
  static constexpr int MaxKey = 211, LeftRuns = MaxKey + 1, RightRuns = MaxKey + 2, CloseRuns = MaxKey + 3,
                       HiddenRuns = MaxKey + 4, RunKinds = MaxKey + 5;
  std::array<std::deque<Run>, RunKinds> Runs;
  std::deque<long long> Blurs;
  std::deque<Move> Moves;
  Frame Current;
  long long CurrentFrame = -1;
  Frame& At(long long frame);
  // Adds the frame being recorded to the runs.
  void Flush();
  // Whether the frame holds what run kind k stands for.
  static bool Holds(const Frame& f, int k);
};
