// Input scripts: keyboard and mouse for the harness, read from or written to plain text.
// Each line is "FIRST[-LAST] ACTION [ARGS]" for the frames FIRST..LAST; '#' starts a comment.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// What the devices give the game in one frame.
struct FrameInput {
  std::array<bool, 256> Keys{};
  int Dx = 0, Dy = 0;                 // relative motion from "move"
  bool HasTarget = false;             // "mouse X Y" starts in this frame
  int TargetX = 0, TargetY = 0;
  bool LButton = false, RButton = false;
  bool Close = false;
  bool Blur = false;    // the window loses the focus in this frame
  bool Hidden = false;  // the window is hidden (minimised) in this frame
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
  enum class Action { Key, Mouse, Move, LButton, RButton, Close, Blur, Hidden };
  struct Entry {
    long long First, Last;
    Action What;
    int A = 0, B = 0;
  };
  std::vector<Entry> Entries;
};

// Collects the input the game actually read, frame by frame, and writes it as a script
// that replays the same run.
class ScriptRecorder {
 public:
  void Keys(long long frame, const std::array<bool, 256>& keys);
  void Mouse(long long frame, int dx, int dy, bool left, bool right);
  void Close(long long frame);
  void Blur(long long frame);
  void Hidden(long long frame);
  std::string Text() const;

 private:
  struct Frame {
    std::array<bool, 256> Keys{};
    int Dx = 0, Dy = 0;
    bool Left = false, Right = false, Close = false, Blur = false, Hidden = false;
  };
  std::vector<Frame> Frames;
  Frame& At(long long frame);
};
