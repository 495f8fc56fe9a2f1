// Start-up, the main loop and shut-down, with the harness's script, record, trace,
// dump and screenshot around them.
#include "shell/run.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

#include "world/sound.h"
#include "save/safe_file.h"
#include "save/save_file.h"
#include "shell/embedded_art.h"
#include "shell/host.h"
#include "shell/inputs.h"
#include "shell/main_loop.h"
#include "shell/settings.h"
#include "frame/frame.h"
#include "shell/state_json.h"

namespace {

// Writes a file (or standard output for "-") through `write`, so a long one is never held whole.
bool WriteWholeFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  if (path == "-") {
    write(std::cout);
    std::cout.flush();
    return bool(std::cout);
  }
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  write(out);
  out.flush();
  return bool(out);
}

}  // namespace

int RunProgram(const Options& o, const std::string& executableFolder, const PlatformFactory& makePlatform) {
  std::optional<InputScript> script;
  if (!o.InputFile.empty()) {
    std::string text, error;
    if (!ReadWholeFile(o.InputFile, text, error)) {
      std::cerr << "zorvane2: cannot read the input script " << o.InputFile << " (" << error << ")\n";
      return 2;
    }
    script = InputScript::Parse(text, &error);
    if (!script) {
      std::cerr << "zorvane2: " << o.InputFile << ": " << error << "\n";
      return 2;
    }
  }
  std::ofstream trace;
  if (!o.TraceFile.empty()) {
    trace.open(PathOf(o.TraceFile), std::ios::binary | std::ios::trunc);
    if (!trace) {
      std::cerr << "zorvane2: cannot write the trace file " << o.TraceFile << "\n";
      return 2;
    }
  }

  // The player's settings: read (and made on the first run) when playing; the headless harness
  // reads and writes them only when given --settings, so tests never depend on the player's.
  SettingsFile settingsFile;
  settingsFile.Path = !o.SettingsFile.empty() ? o.SettingsFile : o.Headless ? "" : DefaultSettingsPath();
  if (settingsFile.Path.empty() && o.SettingsFile.empty() && !o.Headless)
    std::cerr << "zorvane2: " << NoHomeFolder() << "; playing with the default settings, which are not written\n";
  Settings settings = LoadSettings(settingsFile, std::cerr);
  if (o.WindowModeGiven) settings.Window.FullScreen = !o.Windowed;

  PlatformOptions po;
  po.Headless = o.Headless;
  po.Windowed = !settings.Window.FullScreen;
  po.DataFolder = executableFolder;
  po.WindowX = settings.Window.X;
  po.WindowY = settings.Window.Y;
  po.WindowWidth = settings.Window.Width;
  po.WindowHeight = settings.Window.Height;
  po.EffectsVolume = settings.EffectsVolume;
  po.MusicVolume = settings.MusicVolume;
  po.Keys = settings.Bindings();
  std::unique_ptr<Platform> device = makePlatform(po);
  if (!device) return 1;

  auto game = std::make_unique<Game>();
  Game& g = *game;
  Host host;
  host.Device = device.get();
  std::unique_ptr<Autopilot> pilot;
  std::unique_ptr<CommandSource> input;
  if (script) {
    input = std::make_unique<ScriptCommands>(*device, std::move(*script), po.Keys);
  } else if (o.Autopilot) {
    pilot = std::make_unique<Autopilot>(o.HumanPilot ? PilotLimits::Human() : PilotLimits{});
    input = std::make_unique<PilotCommands>(*device, *pilot);
  } else {
    input = std::make_unique<DeviceCommands>(*device);
  }
  ScriptRecorder recorder;
  std::string& savePath = host.Save.Path;
  savePath = o.SaveFile;
  if (savePath.empty()) {
    savePath = DefaultSavePath();
    if (savePath.empty()) {
      // Nowhere to keep progress: said at the start and at each save, and nothing is written.
      savePath = "Game Save.gsv";
      host.Save.Session.Nowhere = NoHomeFolder();
    }
    // The autopilot keeps a save of its own beside the player's: a demo never spends the
    // player's points.
    if (o.Autopilot)
      savePath = TextOf(PathOf(savePath).parent_path() / (o.HumanPilot ? "Human Pilot Save.gsv" : "Autopilot Save.gsv"));
  }

  device->BeginFrame(0);
  // A headless run that writes no screenshot has nobody to show its pictures to.
  if (!o.Headless || !o.ScreenshotFile.empty()) {
    host.Screen = std::make_unique<Renderer>();
    LoadEmbeddedArt(*host.Screen);
  }
  LoadSounds(*device);
  ContentLoad(g, host.Save.Load(), device->TickCount());
  g.Draw = host.Screen.get();
  g.SettingsPath = settingsFile.Path;
  g.KeySource = po.Keys.Source;
  g.Flair.ShakeOn = settings.ScreenShake;

  LoopOptions loop;
  loop.Frames = o.Frames;
  loop.Trace = trace.is_open() ? &trace : nullptr;
  loop.Record = o.RecordFile.empty() ? nullptr : &recorder;
  loop.ScreenshotFile = o.ScreenshotFile;
  MainLoop mainLoop(g, host, *input, loop);
  while (mainLoop.Step()) {
  }
  device->SetPaused(false);
  if (!settingsFile.Path.empty()) {
    device->GetWindowPlace(settings.Window);
    SaveSettings(settingsFile, settings, std::cerr);
  }

  int status = 0;
  if (!o.DumpStateFile.empty() &&
      !WriteWholeFile(o.DumpStateFile, [&](std::ostream& out) { out << StateJson(g, false) << '\n'; })) {
    std::cerr << "zorvane2: could not write the state dump " << o.DumpStateFile << "\n";
    status = 1;
  }
  if (!o.RecordFile.empty() && !WriteWholeFile(o.RecordFile, [&](std::ostream& out) { recorder.Write(out); })) {
    std::cerr << "zorvane2: could not write the input record " << o.RecordFile << "\n";
    status = 1;
  }
  if (pilot) {
    std::cerr << "zorvane2: the autopilot's campaign"
              << (pilot->CampaignDone(g) ? " is complete" : " is not complete") << ":\n"
              << pilot->CampaignTable();
  }
  StopMusic(g);
  DeliverOutputs(host, g, false);
  g.Draw = nullptr;
  return status;
}
