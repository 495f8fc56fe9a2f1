// The world of one game: everything a frame reads and changes, every program-wide variable,
// pool and table, and what a frame hands out to the machine (the sounds it started, its music
// calls, a save it asks for). Frame steps take the Game they work on; nothing here is global,
// and nothing here knows the machine it runs on, so a test (or the autopilot, rehearsing) can
// copy a game and run as many as it likes. The host around it (shell/host.h) keeps the rest:
// the platform, the save file and the harness's records.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "effects/explo_class.h"
#include "effects/flair.h"
#include "effects/star_class.h"
#include "enemies/data_tables.h"
#include "enemies/enemy_class.h"
#include "enemies/eshot_class.h"
#include "levels/levels.h"
#include "menus/play_guide.h"
#include "save/progress.h"
#include "ship/ship_class.h"
#include "shots/shot_class.h"
#include "shots/shot_types.h"
#include "core/ids.h"
#include "core/types.h"

class Canvas;

inline constexpr int StarCount = 50;
inline constexpr int ShotCount = 200;
inline constexpr int EnemyCountMax = 50;
inline constexpr int ExplosionCount = 50;
inline constexpr int EShotCount = 200;

// Scan codes the game reads.
enum ScanCode {
  KeyEscape = 1,
  KeyQ = 16,
  KeyP = 25,
  KeyA = 30,
  KeyS = 31,
  KeyD = 32,
  KeyZ = 44,
  KeyX = 45,
  KeyC = 46,
  KeyV = 47,
  KeySpace = 57,
  KeyUp = 200,
  KeyLeft = 203,
  KeyRight = 205,
  KeyDown = 208,
};

// The music as the game has set it (the state dump reports it).
struct MusicRecord {
  std::string Track;  // last loaded, "" if none
  int Volume = 0;     // hundredths of a dB
  bool Playing = false;
};

// One call on the music, in the order the game made it, for the machine to carry out.
struct MusicCall {
  enum What { Load, Play, Stop, SetVolume } Kind = Play;
  std::string Track;  // Load
  int Volume = 0;     // SetVolume, in hundredths of a dB
};

// Fixed tables: filled once at start-up, except enemy kinds 20..29, which every level set-up
// rewrites with the level's bosses and heavy craft.
struct GameTables {
  std::array<ExploTypeRec, 3> ExploTypes{};
  std::array<EShotPatternRec, 38> EShotPatterns{};
  std::array<EShotTypeRec, 5> EShotTypes{};
  std::array<EnemyKindRec, 30> EnemyKinds{};
  std::array<Single, 10> ChargeCost{};
  std::array<std::array<ShotTypeRec, ShotLevels>, ShotKinds> ShotTypes{};  // [kind][level]
  Integer ShipWidth = 0, ShipHeight = 0, ShipSrcTop = 0;
  Single ShipSpeedBase = 0, ShipAccelBase = 0, RegenBase = 0, ChargeBase = 0;
};

// The level being played: its clock, counters, boss and mode state, and its spawn table.
struct LevelState {
  Single FrameClock = 0;
  std::array<bool, 10> ChargeOn{};
  Single DamageTaken = 0, DamageDealt = 0;
  Integer KillCount = 0;
  Single DistanceMoved = 0;
  Single ChargeUsed = 0;
  Integer PotionsUsedLevel = 0;
  bool BossPhase = false;
  Integer BossMaxLife = 0, BossLife = 0;
  Integer EnemyCount = 0;
  bool PickupTaken = false;
  Long DeathTime = 0;
  Long MiniGameTime = 0;
  std::vector<SpawnRec> SpawnTable;
  Integer SpawnCount = 0;
  bool BossArena = false;
  Integer ArenaBoss = 0;
  Integer MarathonStage = 1;
  bool MarathonStageLoaded = false;
  Long BossTimer = 0;
  bool BossCircling = false;
  Integer ArenaStageTime = 0;
};

// The menu screen's state.
struct MenuState {
  Integer MenuTab = 0;
  std::array<std::string, 8> HelpLines{};
  bool GoalsShown = false;
  bool MusicStarted = false;
};

// Back-buffer drawing state: the colours of the next text and the next box, and how far the
// picture is moved (the play column shaking after a heavy hit).
struct DrawingPen {
  uint32_t TextColour = 0xFFFFFF;
  uint32_t FillColour = 0xFFFFFF;
  int ShiftX = 0, ShiftY = 0;
};

// What the frames hand out, and count, for the machine and the harness.
struct FrameOutput {
  long long FrameNumber = 0;         // frames run so far
  MusicRecord Music;
  std::vector<int> SoundsThisFrame;  // sound slots started during the current frame
  std::vector<MusicCall> MusicCalls;  // music calls not yet carried out
  std::optional<ProgressBlock> SaveWanted;  // progress to be written, as it stood when asked
};

struct Game {
  // Where the frames draw; null when nobody can see them (the harness without a screenshot, a
  // rehearsal): then the pictures that only cost time are skipped. Not owned.
  Canvas* Draw = nullptr;
  RandomGenerator Rng;
  Single Rnd() { return Rng.Next(); }

  // Shell and input.
  bool GameRunning = false;
  bool InMenu = true;
  bool LevelOver = false;
  Long ClockLastTick = 0;
  std::array<bool, 212> Keys{};
  Integer MouseX = 0, MouseY = 0;
  Long PendingDx = 0, PendingDy = 0;  // pointer motion not yet read (play frames never read it)
  bool MouseLeft = false, MouseRight = false;
  bool MouseLeftDown = false, MouseRightDown = false;

  // Entity pools, created afresh at content load and at every level start (CreatePools).
  ShipClass Ship;
  std::array<StarClass, StarCount> Stars{};
  std::array<ShotClass, ShotCount> Shots{};
  std::array<EnemyClass, EnemyCountMax> Enemies{};
  std::array<ExploClass, ExplosionCount> Explosions{};
  std::array<EShotsClass, EShotCount> EShots{};

  Integer CurrentLevel = 0;
  LevelState Level;
  ProgressBlock Progress;  // saved progress
  MenuState Menu;
  GameTables Tables;
  DrawingPen Pen;
  FrameOutput Harness;

  // What answers and guides the player: pictures and sounds only, never read by play.
  FlairState Flair;
  PlayGuide Guide;

  // Pause: no game frame runs while paused (or while the window is hidden), so the run is
  // the same with or without pauses.
  bool Paused = false;
  bool PauseKeyHeld = false;  // P was held in the last step (a press toggles once)
  bool Still = false;         // no frame ran in the last step; the platform's clock stands still
  bool PauseShown = false;    // the pause screen is drawn over the frozen picture

  // Where the player's settings are (shown on the pause screen; empty: none), and which key of
  // the keyboard plays each of the game's keys, to name the right keys in the controls shown.
  std::string SettingsPath;
  std::array<uint8_t, 256> KeySource = [] {
    std::array<uint8_t, 256> k{};
    for (size_t i = 0; i < k.size(); ++i) k[i] = uint8_t(i);
    return k;
  }();
};

// Creates every entity pool afresh (all fields zero) and scatters new stars.
void CreatePools(Game& g);

// Asks for the progress as it stands to be written to the save file once the frame is done.
inline void RequestSave(Game& g) { g.Harness.SaveWanted = g.Progress; }
