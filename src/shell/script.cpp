// Input scripts for the harness.
#include "shell/script.h"

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
    } else {
      return fail("unknown action '" + action + "'");
    }
    if (words >> a) return fail("unexpected '" + a + "' after the action");
    script.Entries.push_back(e);
  }
  return script;
}

FrameInput InputScript::For(long long frame) const {
  FrameInput f;
  for (const Entry& e : Entries) {
    if (frame < e.First || frame > e.Last) continue;
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
    }
  }
  return f;
}

ScriptRecorder::Frame& ScriptRecorder::At(long long frame) {
  if (frame < 0) frame = 0;
  if (static_cast<size_t>(frame) >= Frames.size()) Frames.resize(static_cast<size_t>(frame) + 1);
  return Frames[static_cast<size_t>(frame)];
}

void ScriptRecorder::Keys(long long frame, const std::array<bool, 256>& keys) {
  auto& k = At(frame).Keys;
  for (size_t i = 0; i < k.size(); ++i) k[i] = k[i] || keys[i];
}

void ScriptRecorder::Mouse(long long frame, int dx, int dy, bool left, bool right) {
  Frame& f = At(frame);
  f.Dx += dx;
  f.Dy += dy;
  f.Left = f.Left || left;
  f.Right = f.Right || right;
}

void ScriptRecorder::Close(long long frame) { At(frame).Close = true; }
void ScriptRecorder::Blur(long long frame) { At(frame).Blur = true; }
void ScriptRecorder::Hidden(long long frame) { At(frame).Hidden = true; }

std::string ScriptRecorder::Text() const {
  std::ostringstream out;
  out << "# zorvane2 input script: FIRST[-LAST] ACTION [ARGS]\n";
  auto range = [&](size_t a, size_t b) {
    return a == b ? std::to_string(a) : std::to_string(a) + "-" + std::to_string(b);
  };
  // Runs of consecutive frames where a predicate holds become one line each.
  auto runs = [&](auto holds, const std::string& action) {
    size_t i = 0;
    while (i < Frames.size()) {
      if (!holds(Frames[i])) {
        ++i;
        continue;
      }
      size_t j = i;
      while (j + 1 < Frames.size() && holds(Frames[j + 1])) ++j;
      out << range(i, j) << ' ' << action << '\n';
      i = j + 1;
    }
  };
  for (int code = 1; code <= 211; ++code)
    runs([code](const Frame& f) { return f.Keys[code]; }, "key " + NameForScanCode(code));
  runs([](const Frame& f) { return f.Left; }, "lbutton");
  runs([](const Frame& f) { return f.Right; }, "rbutton");
  runs([](const Frame& f) { return f.Close; }, "close");
  runs([](const Frame& f) { return f.Hidden; }, "hidden");
  for (size_t i = 0; i < Frames.size(); ++i)
    if (Frames[i].Blur) out << i << " blur\n";
  for (size_t i = 0; i < Frames.size(); ++i)
    if (Frames[i].Dx != 0 || Frames[i].Dy != 0)
      out << i << " move " << Frames[i].Dx << ' ' << Frames[i].Dy << '\n';
  return out.str();
}
