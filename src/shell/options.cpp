// Command-line options.
#include "shell/options.h"

#include <charconv>

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
  Options o;
  auto fail = [&](const std::string& why) -> std::optional<Options> {
    if (error) *error = why;
    return std::nullopt;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) -> bool {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (a == "--windowed" || a == "--fullscreen") {
      o.Windowed = a == "--windowed";
      o.WindowModeGiven = true;
    } else if (a == "--settings") {
      if (!value(o.SettingsFile) || o.SettingsFile.empty()) return fail("--settings needs a file");
    } else if (a == "--headless") {
      o.Headless = true;
    } else if (a == "--help" || a == "-h") {
      o.ShowHelp = true;
    } else if (a == "--version") {
      o.ShowVersion = true;
    } else if (a == "--frames") {
      std::string v;
      if (!value(v)) return fail("--frames needs a number");
      long long n = -1;
      auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
      if (ec != std::errc() || p != v.data() + v.size() || n < 0) return fail("--frames needs a whole number, not '" + v + "'");
      o.Frames = n;
    } else if (a == "--save-file") {
      if (!value(o.SaveFile) || o.SaveFile.empty()) return fail("--save-file needs a path");
    } else if (a == "--input") {
      if (!value(o.InputFile)) return fail("--input needs a file");
    } else if (a == "--record") {
      if (!value(o.RecordFile)) return fail("--record needs a file");
    } else if (a == "--dump-state") {
      if (!value(o.DumpStateFile)) return fail("--dump-state needs a file (or - for standard output)");
    } else if (a == "--trace") {
      if (!value(o.TraceFile)) return fail("--trace needs a file");
    } else if (a == "--screenshot") {
      if (!value(o.ScreenshotFile)) return fail("--screenshot needs a file");
    } else if (a == "--autopilot") {
      o.Autopilot = true;
    } else if (a == "--autopilot-human") {
      o.Autopilot = true;
      o.HumanPilot = true;
    } else {
      return fail("unknown option '" + a + "' (try --help)");
    }
  }
  if (o.Autopilot && !o.InputFile.empty())
    return fail(std::string(o.HumanPilot ? "--autopilot-human" : "--autopilot") +
                " and --input both want to give the input; choose one");
  return o;
}

namespace {

// Where the player's files and the game's data are, as each system keeps them.
#ifdef _WIN32
constexpr const char* SettingsDefault = "%APPDATA%\\Zorvane2\\settings.ini";
constexpr const char* SaveDefault = "%APPDATA%\\Zorvane2\\Game Save.gsv";
constexpr const char* FilesText =
    "Progress and settings are kept in %APPDATA%\\Zorvane2\\. Sound and music are looked for\n"
    "beside the executable.\n";
#else
constexpr const char* SettingsDefault = "$XDG_CONFIG_HOME/zorvane2/settings.ini";
constexpr const char* SaveDefault = "$XDG_DATA_HOME/zorvane2/Game Save.gsv";
constexpr const char* FilesText =
    "Progress is saved in $XDG_DATA_HOME/zorvane2/ (~/.local/share/zorvane2/). Sound and music\n"
    "are looked for beside the executable, then in ../share/zorvane2 from it.\n";
#endif

}  // namespace

std::string HelpText() {
  return "Usage: zorvane2 [OPTIONS]\n"
         "Zorvane 2, a space shooter with an upgrade shop.\n"
         "\n"
         "Options:\n"
         "  --windowed            play in a window (Alt+Enter switches)\n"
         "  --fullscreen          play full screen (the default until the settings say otherwise)\n"
         "  --settings FILE       read and write the settings in FILE (default: in play\n"
         "                        " +
         std::string(SettingsDefault) +
         "; headless: none)\n"
         "  --save-file PATH      the save file to read and write\n"
         "                        (default: " +
         SaveDefault +
         ")\n"
         "  --headless            no window, no sound, frames as fast as they run\n"
         "  --frames N            stop after N frames (writes no save of its own)\n"
         "  --input FILE          take keyboard and mouse from a script\n"
         "  --record FILE         write this run's input as a script\n"
         "  --dump-state FILE     after the last frame write the state as JSON (- = stdout)\n"
         "  --trace FILE          after every frame append the state as one JSON line\n"
         "  --screenshot FILE     write the last frame as a PNG\n"
         "  --autopilot           let the built-in pilot play the campaign (with --record,\n"
         "                        its input becomes a script that replays the same run)\n"
         "  --autopilot-human     the same pilot held to a person's limits: blind to the\n"
         "                        game's dice, a choice at most every quarter second, keys\n"
         "                        held four frames at least\n"
         "  --help, --version     this text; the version\n"
         "\n"
         "Controls in a level (keyboard / gamepad):\n"
         "  arrow keys  left stick, D-pad    steer\n"
         "  Space       left stick click     fly at half speed\n"
         "  X, C        A, B                 fire shot slots 1 and 2\n"
         "  Z, V        X, Y                 use charge abilities 1 and 2\n"
         "  A           left shoulder        drink a health potion\n"
         "  S           right shoulder       drink a charge potion\n"
         "  D           either trigger       drink a full potion\n"
         "  Escape      Start                leave the level (or collect the results)\n"
         "  P           Back                 pause and go on (losing the window's focus pauses too)\n"
         "In the menu: the mouse, or the gamepad's left stick as the pointer; left click (A) buys and\n"
         "fills slot 1, right click (B) fills slot 2. Hold Q and Z and click the erase button to wipe\n"
         "all progress.\n"
         "Anywhere: F12 saves a screenshot in your pictures folder; Alt+Enter switches between full\n"
         "screen and a window.\n"
         "\n" + FilesText;
}
