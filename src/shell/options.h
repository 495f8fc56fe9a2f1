// Command-line options of the zorvane2 executable.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Options {
  bool Windowed = false;
  bool WindowModeGiven = false;  // --windowed or --fullscreen was given (else the settings decide)
  std::string SettingsFile;      // --settings: read and write these settings (headless too)
  bool Headless = false;
  long long Frames = -1;  // -1: run until the player quits
  std::string SaveFile;   // empty: the default path
  std::string InputFile, RecordFile, DumpStateFile, TraceFile, ScreenshotFile;
  bool Autopilot = false;   // input from the built-in pilot
  bool HumanPilot = false;  // ... held to a person's limits (--autopilot-human)
  bool ShowHelp = false, ShowVersion = false;
};

// Parses the arguments (without the program name). On a mistake returns nothing and sets *error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);
std::string HelpText();
