// Input scripts for the harness.
#include "shell/script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "core/types.h"

int ScanCodeForName(const std::string& raw) {
  std::string name;
  for (char c : raw) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.empty()) return 0;
  if (std::isdigit(static_cast<unsigned char>(name[0])) && name.size() > 1) {
    int code = 0;
    auto [p, ec] = std::from_chars(name.data(), name.data() + name.size(), code);
    if (ec != std::errc() || p != name.data() + name.size() || code < 1 || code > 211) return 0;
    return code;
  }
  static const char* const kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int kRowStart[] = {16, 30, 44};
  if (name.size() == 1) {
    char c = name[0];
    if (c >= '1' && c <= '9') return 2 + (c - '1');
    if (c == '0') return 11;
    for (int r = 0; r < 3; ++r)
      for (int i = 0; kRows[r][i]; ++i)
        if (kRows[r][i] == c) return kRowStart[r] + i;
    return 0;
  }
  if (name == "ESCAPE") return 1;
  if (name == "SPACE") return 57;
  if (name == "ENTER") return 28;
  if (name == "UP") return 200;
  if (name == "DOWN") return 208;
  if (name == "LEFT") return 203;
  if (name == "RIGHT") return 205;
  return 0;
}

std::string NameForScanCode(int code) {
  static const char* const kNamed[] = {"ESCAPE", "SPACE", "ENTER", "UP", "DOWN", "LEFT", "RIGHT"};
  for (const char* n : kNamed)
    if (ScanCodeForName(n) == code) return n;
  for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
    if (ScanCodeForName(std::string(1, c)) == code) return std::string(1, c);
  return std::to_string(code);  // two or three digits: never read as a digit key
}

static bool ParseNumber(const std::string& s, long long& out) {
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

std::optional<InputScript> InputScript::Parse(const std::string& text, std::string* error) {
  InputScript script;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) -> std::optional<InputScript> {
    if (error) *error = "line " + std::to_string(lineNo) + ": " + why;
    return std::nullopt;
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string range, action;
    if (!(words >> range)) continue;  // blank or comment
    if (!(words >> action)) return fail("'" + range + "' has no action");
    Entry e{};
    auto dash = range.find('-', 1);
    long long first = 0, last = 0;
    if (dash == std::string::npos) {
      if (!ParseNumber(range, first)) return fail("bad frame '" + range + "'");
      last = first;
    } else if (!ParseNumber(range.substr(0, dash), first) || !ParseNumber(range.substr(dash + 1), last)) {
      return fail("bad frame range '" + range + "'");
    }
    if (first < 0 || last < first) return fail("frame range '" + range + "' is empty or negative");
    e.First = first;
    e.Last = last;
    std::string a, b;
    for (char& c : action) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (action == "key") {
      if (!(words >> a)) return fail("key needs a name or scan code");
      int code = ScanCodeForName(a);
      if (code == 0) return fail("unknown key '" + a + "'");
      e.What = Action::Key;
      e.A = code;
    } else if (action == "mouse" || action == "move") {
      long long x = 0, y = 0;
      if (!(words >> a >> b) || !ParseNumber(a, x) || !ParseNumber(b, y)) return fail(action + " needs two whole numbers");
      if (x < -100000 || x > 100000 || y < -100000 || y > 100000) return fail(action + " values are out of range");
      e.What = action == "mouse" ? Action::Mouse : Action::Move;
      e.A = static_cast<int>(x);
      e.B = static_cast<int>(y);
    } else if (action == "lbutton") {
      e.What = Action::LButton;
    } else if (action == "rbutton") {
      e.What = Action::RButton;
    } else if (action == "close") {
      e.What = Action::Close;
    } else if (action == "blur") {
      e.What = Action::Blur;
    } else if (action == "hidden") {
      e.What = Action::Hidden;
    } else if (action == "gamekeys") {
      e.What = Action::GameKeys;
    } else {
      return fail("unknown action '" + action + "'");
    }
    if (words >> a) return fail("unexpected '" + a + "' after the action");
    e.Line = static_cast<uint32_t>(script.Entries.size());
    script.Entries.push_back(e);
  }
  script.Index();
  return script;
}

void InputScript::Index() {
  std::sort(Entries.begin(), Entries.end(),
            [](const Entry& a, const Entry& b) { return a.First < b.First || (a.First == b.First && a.Line < b.Line); });
  MaxLast.assign(Entries.size(), 0);
  // Bottom up: each stretch's middle entry takes the latest last frame of its two halves.
  auto build = [&](auto& self, size_t low, size_t high) -> long long {
    if (low >= high) return -1;
    const size_t mid = low + (high - low) / 2;
    MaxLast[mid] = std::max({Entries[mid].Last, self(self, low, mid), self(self, mid + 1, high)});
    return MaxLast[mid];
  };
  build(build, 0, Entries.size());
}

void InputScript::Find(long long frame, size_t low, size_t high, std::vector<const Entry*>& found) const {
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (MaxLast[mid] < frame) return;  // everything in this stretch has ended before the frame
    Find(frame, low, mid, found);
    const Entry& e = Entries[mid];
    if (e.First > frame) return;  // and everything after it starts later still
    if (e.Last >= frame) found.push_back(&e);
    low = mid + 1;
  }
}

FrameInput InputScript::For(long long frame) const {
  std::vector<const Entry*> found;
  Find(frame, 0, Entries.size(), found);
  // In the script's order: the last "mouse" of a frame wins, and motion saturates as it adds up.
  std::sort(found.begin(), found.end(), [](const Entry* a, const Entry* b) { return a->Line < b->Line; });
  FrameInput f;
  for (const Entry* entry : found) {
    const Entry& e = *entry;
    switch (e.What) {
      case Action::Key: f.Keys[e.A] = true; break;
      case Action::Mouse:
        if (frame == e.First) {
          f.HasTarget = true;
          f.TargetX = e.A;
          f.TargetY = e.B;
        }
        break;
      case Action::Move:
        // Any number of lines may move in one frame: the sum saturates rather than overflows.
        f.Dx = SatAddLong(f.Dx, e.A);
        f.Dy = SatAddLong(f.Dy, e.B);
        break;
      case Action::LButton: f.LButton = true; break;
      case Action::RButton: f.RButton = true; break;
      case Action::Close: f.Close = true; break;
      case Action::Blur: f.Blur = true; break;
      case Action::Hidden: f.Hidden = true; break;
      case Action::GameKeys: f.GameKeys = true; break;
    }
  }
  return f;
}

ScriptRecorder::Frame& ScriptRecorder::At(long long frame) {
  if (frame < 0) frame = 0;
  if (frame > CurrentFrame) {
    Flush();
    Current = Frame{};
    CurrentFrame = frame;
  }
  return Current;  // (an earlier frame, which never comes, would count as this one)
}

bool ScriptRecorder::Holds(const Frame& f, int k) {
  switch (k) {
    case LeftRuns: return f.Left;
    case RightRuns: return f.Right;
    case CloseRuns: return f.Close;
    case HiddenRuns: return f.Hidden;
    default: return f.Keys[size_t(k)];
  }
}

void ScriptRecorder::Flush() {
  if (CurrentFrame < 0) return;
  for (int k = 1; k < RunKinds; ++k) {
    if (!Holds(Current, k)) continue;
    std::deque<Run>& runs = Runs[size_t(k)];
    if (!runs.empty() && runs.back().Last == CurrentFrame - 1) runs.back().Last = CurrentFrame;
    else runs.push_back({CurrentFrame, CurrentFrame});
  }
  if (Current.Blur) Blurs.push_back(CurrentFrame);
  if (Current.Dx != 0 || Current.Dy != 0) Moves.push_back({CurrentFrame, Current.Dx, Current.Dy});
}

void ScriptRecorder::Note(long long frame, const FrameCommand& cmd) {
  Frame& f = At(frame);
  f.Keys = cmd.Keys;
  f.Dx = SatAddLong(f.Dx, cmd.Dx);
  f.Dy = SatAddLong(f.Dy, cmd.Dy);
  f.Left = cmd.Left;
  f.Right = cmd.Right;
  f.Close = cmd.Close;
  f.Blur = cmd.FocusLost;
  f.Hidden = cmd.Hidden;
}

void ScriptRecorder::Write(std::ostream& out) const {
  out << "# zorvane2 input script: FIRST[-LAST] ACTION [ARGS]\n";
  auto range = [&](long long a, long long b) {
    out << a;
    if (b != a) out << '-' << b;
  };
  // The keys below are the game's own: no bindings are laid over them again in a replay.
  if (CurrentFrame >= 0) {
    range(0, CurrentFrame);
    out << " gamekeys\n";
  }
  // Each kind's runs, the frame still being recorded with them.
  auto runs = [&](int k, const std::string& action) {
    const std::deque<Run>& done = Runs[size_t(k)];
    const bool now = CurrentFrame >= 0 && Holds(Current, k);
    const bool extends = now && !done.empty() && done.back().Last == CurrentFrame - 1;
    for (size_t i = 0; i < done.size(); ++i) {
      range(done[i].First, extends && i + 1 == done.size() ? CurrentFrame : done[i].Last);
      out << ' ' << action << '\n';
    }
    if (now && !extends) out << CurrentFrame << ' ' << action << '\n';
  };
  for (int code = 1; code <= MaxKey; ++code) runs(code, "key " + NameForScanCode(code));
  runs(LeftRuns, "lbutton");
  runs(RightRuns, "rbutton");
  runs(CloseRuns, "close");
  runs(HiddenRuns, "hidden");
  for (long long frame : Blurs) out << frame << " blur\n";
  if (CurrentFrame >= 0 && Current.Blur) out << CurrentFrame << " blur\n";
  for (const Move& m : Moves) out << m.Frame << " move " << m.Dx << ' ' << m.Dy << '\n';
  if (CurrentFrame >= 0 && (Current.Dx != 0 || Current.Dy != 0))
    out << CurrentFrame << " move " << Current.Dx << ' ' << Current.Dy << '\n';
}

std::string ScriptRecorder::Text() const {
  std::ostringstream out;
  Write(out);
  return out.str();
}
