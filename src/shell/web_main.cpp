// The game in a browser page: the same start-up and frames as the desktop, driven by the page's
// animation callback at sixty game frames a second, with progress and the settings kept in the
// browser's storage.
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "platform/web/web_platform.h"
#include "shell/host.h"
#include "shell/inputs.h"
#include "shell/main_loop.h"
#include "save/save_file.h"
#include "world/game.h"
#include "frame/frame.h"
#include "shell/script.h"
#include "shell/settings.h"
#include "shell/state_json.h"
#include "core/key_names.h"
#include "autopilot/autopilot.h"

namespace {

// The page mounts the browser's persistent storage here before the game starts; the settings
// are the desktop's settings.ini, kept beside the save.
constexpr const char* SavePath = "/save/Game Save.gsv";
constexpr const char* SettingsPath = "/save/settings.ini";
constexpr double FrameMs = 1000.0 / 60.0;

struct WebGame {
  std::unique_ptr<WebPlatform> Plat;
  Host H;  // the page's platform and the save file in the browser's storage
  std::unique_ptr<CommandSource> Input;  // the player, or the page's ?script=FILE as the harness has it
  std::unique_ptr<Game> G;
  std::unique_ptr<MainLoop> Loop;
  double Last = 0, Owed = 0;      // the animation callback's time, and game time not yet run
  SaveBlock Stored{};             // progress as last written, to notice what needs saving
  int SavesStored = 0;             // the saves written so far that went to the browser's storage
  bool SavesHeld = false;         // a save loaded from disk is about to replace ours
  long long StopAt = -1;          // the page's ?frames=N: stop after N steps, as the harness does
  bool Fast = false;              // the page's ?fast: frames as fast as they run, as the harness does
  SettingsFile SettingsAt;        // the settings file in the browser's storage
  Settings Current;               // the settings in force
  std::array<int, 6> Shown{-1};   // what the page was last told of the game's mode
  // The page's ?advise: the built-in pilot says before every frame which keys it would hold. It
  // only advises; a test's touch player presses the buttons.
  std::unique_ptr<Autopilot> Advisor;
  std::array<bool, 256> Advice{};
};
WebGame* Web = nullptr;

// The play time ticks every second; it is kept with the next save but does not call for one.
bool SameApartFromPlayTime(const SaveBlock& a, const SaveBlock& b) {
  using namespace SaveLayout;
  return std::equal(a.begin(), a.begin() + OffPlayTime, b.begin()) &&
         std::equal(a.begin() + OffPlayTime + PlayTimeBytes, a.end(), b.begin() + OffPlayTime + PlayTimeBytes);
}

// After the game wrote its save file, the browser's storage is brought up to date.
void StoreIfSaved() {
  if (Web->H.Save.Written == Web->SavesStored) return;
  Web->SavesStored = Web->H.Save.Written;
  EM_ASM(ZorvaneWeb.storeSaves());
}

void SaveNow() {
  if (!Web || Web->SavesHeld) return;
  Web->H.Save.Save(Web->G->Progress);
  Web->Stored = EncodeProgress(Web->G->Progress);
  StoreIfSaved();
}

// The settings in force: the keyboard's keys, the volumes, the shaking picture.
void ApplySettings() {
  Web->Plat->SetBindings(Web->Current.Bindings());
  Web->Plat->SetVolumes(Web->Current.EffectsVolume, Web->Current.MusicVolume);
  Web->G->KeySource = Web->Current.Bindings().Source;
  Web->G->Flair.ShakeOn = Web->Current.ScreenShake;
}

// The page shows the touch controls in a level, and the potions the player has.
void TellPageTheMode() {
  const Game& g = *Web->G;
  const std::array<int, 6> now = {g.InMenu, g.LevelOver, g.Paused, g.Progress.Potions[0], g.Progress.Potions[1],
                                  g.Progress.Potions[2]};
  if (now == Web->Shown) return;
  Web->Shown = now;
  EM_ASM({ ZorvaneWeb.setMode($0, $1, $2, $3, $4, $5); }, now[0], now[1], now[2], now[3], now[4], now[5]);
}

void Tick() {
  Game& g = *Web->G;
  const double now = emscripten_get_now();
  // A display of any refresh rate: game frames are run for the time that went by. After a
  // stall (a hidden tab) the game goes on where it was instead of racing to catch up.
  Web->Owed = std::min(Web->Owed + (now - Web->Last), 4 * FrameMs);
  if (Web->Fast) Web->Owed = 500 * FrameMs;
  Web->Last = now;
  // The same main loop as the desktop's, pause included: P, a hidden tab and a page that lost
  // the focus stop a level.
  bool going = true;
  while (Web->Owed >= FrameMs && going) {
    Web->Owed -= FrameMs;
    if (Web->Advisor) Web->Advice = Web->Advisor->Decide(g).Keys;
    going = Web->Loop->Step();
  }
  // A page has no quit moment to save at, so the menu's changes (a purchase, the sound
  // switches) are saved as they are made; the game's own saves are stored likewise.
  if (g.GameRunning && g.InMenu && !Web->SavesHeld &&
      !SameApartFromPlayTime(EncodeProgress(g.Progress), Web->Stored))
    SaveNow();
  StoreIfSaved();
  TellPageTheMode();
  if (!g.GameRunning || !going) {
    emscripten_cancel_main_loop();
    EM_ASM(ZorvaneWeb.ended());
  }
}

}  // namespace

// Called by the page when it is hidden or left (the desktop saves when its window closes).
extern "C" EMSCRIPTEN_KEEPALIVE void zorvane_save_now() {
  if (Web && Web->G->GameRunning) SaveNow();
}

// The game's state as the harness dumps it, for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE const char* zorvane_state() {
  static std::string text;
  text = Web ? StateJson(*Web->G, false) : "{}";
  return text.c_str();
}

// The keys the pilot would hold now, by scan code ("" without ?advise): "203 45" is left and X.
extern "C" EMSCRIPTEN_KEEPALIVE const char* zorvane_advice() {
  static std::string text;
  text.clear();
  if (Web && Web->Advisor)
    for (size_t k = 0; k < Web->Advice.size(); ++k)
      if (Web->Advice[k]) text += (text.empty() ? "" : " ") + std::to_string(k);
  return text.c_str();
}

// Called by the page before it puts a save file from disk in place and reloads.
extern "C" EMSCRIPTEN_KEEPALIVE void zorvane_hold_saves() {
  if (Web) Web->SavesHeld = true;
}

// The settings as the page's panel shows them: the volumes, the shaking picture and each
// action's key.
std::string SettingsJson(const Settings& s) {
  std::ostringstream out;
  out << "{\"effects_volume\":" << s.EffectsVolume << ",\"music_volume\":" << s.MusicVolume
      << ",\"screen_shake\":" << (s.ScreenShake ? "true" : "false") << ",\"keys\":[";
  for (size_t i = 0; i < KeyActions.size(); ++i) {
    out << (i ? "," : "") << "{\"name\":\"" << KeyActions[i].Name << "\",\"what\":\"" << KeyActions[i].What
        << "\",\"key\":\"" << KeyNameForCode(s.Keys[i]) << "\",\"default\":\""
        << KeyNameForCode(KeyActions[i].DefaultKey) << "\"}";
  }
  out << "]}";
  return out.str();
}

// The page's settings panel: the settings in force as JSON.
extern "C" EMSCRIPTEN_KEEPALIVE const char* zorvane_settings() {
  static std::string text;
  text = Web ? SettingsJson(Web->Current) : "{}";
  return text.c_str();
}

// The panel changes one entry of settings.ini ("sound", "effects_volume", "40"; "keys", "fire_1",
// "45"; or "defaults" to put every entry back): read by the same rules as the file, so a key
// the erase chord needs is refused as it is there. The entry takes effect at once and is
// stored; the answer is what the rules said of it ("" when it was taken as it is).
extern "C" EMSCRIPTEN_KEEPALIVE const char* zorvane_change_setting(const char* section, const char* name,
                                                                   const char* value) {
  static std::string said;
  said.clear();
  if (!Web || !section || !name || !value) return said.c_str();
  const std::string where = section;
  std::ostringstream warnings;
  Settings changed;
  if (where == "defaults") {
    changed = Settings{};
    changed.Window = Web->Current.Window;
  } else {
    // A key comes as the scan code the page read, and is written by its name in the file.
    std::string v = value;
    if (where == "keys" && !v.empty() && v.size() <= 3 && v.find_first_not_of("0123456789") == std::string::npos)
      v = NameForScanCode(std::stoi(v));
    // Only a section, a name and a value of the panel's own: nothing that could add lines.
    const std::string entry = std::string(name) + " = " + v;
    if ((where + entry).find_first_of("\n\r[]#") != std::string::npos) {
      said = "not a setting: " + where + " " + entry;
      return said.c_str();
    }
    changed = ParseSettings(SettingsText(Web->Current) + "\n[" + where + "]\n" + entry + "\n", "settings", warnings);
  }
  said = warnings.str();
  Web->Current = changed;
  ApplySettings();
  std::ostringstream quiet;
  if (SaveSettings(Web->SettingsAt, Web->Current, quiet)) EM_ASM(ZorvaneWeb.storeSaves());
  else said += quiet.str();
  return said.c_str();
}

// The page's test script, if it was given one ("" when not).
EM_JS(char*, zw_script, (), { return allocateUTF8(ZorvaneWeb.script || ""); });

int main() {
  Web = new WebGame;
  Web->Plat = std::make_unique<WebPlatform>();
  Web->G = std::make_unique<Game>();
  Game& g = *Web->G;
  Web->H.Device = Web->Plat.get();
  Web->H.Screen = std::make_unique<Renderer>();
  g.Draw = Web->H.Screen.get();
  if (char* text = zw_script()) {
    std::string error;
    if (*text) {
      if (auto script = InputScript::Parse(text, &error)) {
        Web->Input = std::make_unique<ScriptCommands>(*Web->Plat, std::move(*script), KeyBindings{});
        Web->Fast = EM_ASM_INT({ return ZorvaneWeb.fast ? 1 : 0; });
      } else {
        EM_ASM({ console.error('zorvane2: the script: ' + UTF8ToString($0)); }, error.c_str());
      }
    }
    std::free(text);
  }
  Web->H.Save.Path = SavePath;
  // The settings from the browser's storage, made with the defaults on the first visit; what is
  // wrong in them is said on the console.
  Web->SettingsAt.Path = SettingsPath;
  {
    std::ostringstream said;
    Web->Current = LoadSettings(Web->SettingsAt, said);
    if (!said.str().empty()) EM_ASM({ console.warn(UTF8ToString($0)); }, said.str().c_str());
    EM_ASM(ZorvaneWeb.storeSaves());
  }
  ApplySettings();
  g.SettingsPath = "THE SETTINGS PANEL OF THE PAGE'S MENU";
  Web->Plat->BeginFrame(0);
  Web->Plat->LoadArt(*Web->H.Screen);
  LoadSounds(*Web->Plat);
  ContentLoad(g, Web->H.Save.Load(), Web->Plat->TickCount());  // the save file read and checked as on the desktop
  Web->Stored = EncodeProgress(g.Progress);
  Web->StopAt = EM_ASM_DOUBLE({ return ZorvaneWeb.stopAt; });
  // ?advise=person holds the pilot to a person's limits.
  if (const int advise = EM_ASM_INT({ return ZorvaneWeb.advise === 'person' ? 2 : ZorvaneWeb.advise !== null ? 1 : 0; }))
    Web->Advisor = std::make_unique<Autopilot>(advise == 2 ? PilotLimits::Human() : PilotLimits{});
  if (!Web->Input) Web->Input = std::make_unique<DeviceCommands>(*Web->Plat);
  LoopOptions loop;
  loop.Frames = Web->StopAt >= 0 ? Web->StopAt : -1;
  Web->Loop = std::make_unique<MainLoop>(g, Web->H, *Web->Input, loop);
  Web->Last = emscripten_get_now();
  emscripten_set_main_loop(Tick, 0, 0);
  return 0;
}
