// The game's words: one digest per table of text, so that a slip of one character anywhere (a
// hover text, a shot's name, a goal, a hint of the shop, a word of the results screen or of the
// pause screen) fails here by name. Texts that the game builds as it runs are read from what it
// shows: the menu's panel at the spot of every button and piece of the shop, the results screen
// of each level, the first frame of each level and mode, the pause screen.
#include <gtest/gtest.h>

#include <string_view>

#include "effects/flair_sheet.h"
#include "levels/level_director.h"
#include "menus/menu_layout.h"
#include "menus/menus.h"
#include "shell/options.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

// A text counts with its length, so that moving a character from one text to the next shows.
void AddText(Digest& d, std::string_view text) {
  d.Add(int(text.size()));
  d.Add(text);
}

void AddDrawnTexts(Digest& d, const NullPlatform& p) {
  for (const TextRecord& t : p.Texts) AddText(d, t.Text);
}

uint64_t HoverPanel() {
  Digest d;
  for (const HoverRow& r : HoverTable) {
    for (const int v : {r.Left, r.Right, r.Top, r.Bottom}) d.Add(v);
    for (const char* line : r.Lines) line ? AddText(d, line) : d.Add(-1);
  }
  return d.Value;
}

uint64_t ShopNames() {
  Digest d;
  for (const char* name : ShotNames) AddText(d, name);
  for (const char* name : ChargeNames) AddText(d, name);
  return d.Value;
}

uint64_t LevelGoals() {
  Digest d;
  for (int level = 0; level < 10; ++level)
    for (const std::string& line : GoalsTable(level)) AddText(d, line);
  return d.Value;
}

// The large words of the flair sheet: the levels' and stages' names, the modes', PAUSED, ...
uint64_t LargeWords() {
  Digest d;
  for (int w = 0; w < flair::WordCount; ++w) AddText(d, flair::WordText(w));
  return d.Value;
}

// The panel's eight lines with the pointer resting on each button and piece of the shop: the
// locks and the modes' descriptions, the prices, the ways to win each locked shot, gem and
// ability, and the words for a shot or part at its last level. First a new player's menu, then
// one with everything open, the common shots at their last level and the rare ones still locked.
uint64_t MenuPanel() {
  Digest d;
  for (const bool open : {false, true}) {
    TestGame t;
    ProgressBlock& p = t->Progress;
    if (open) {
      p.LevelOpen.fill(true);
      p.Points = 4321;
      for (int shot = 0; shot < 20; ++shot) p.ShotLevel[shot] = shot < 15 ? 9 : -1;
      p.PartLevel.fill(10);
    }
    std::vector<MenuArea> spots;
    for (int i = 1; i < 13; ++i) spots.push_back(LevelButtonArea(i));
    for (int shot = 0; shot < 20; ++shot) spots.push_back(ShotLevelArea(shot));
    for (int ability = 0; ability < 9; ++ability) spots.push_back(AbilityArea(ability));
    for (int gem = 0; gem < 18; ++gem) spots.push_back(GemArea(gem));
    for (int part = 0; part < 5; ++part) spots.push_back(PartArea(part));
    for (const MenuArea& a : spots) {
      MenuAt(t, (a.Left + a.Right) / 2, (a.Top + a.Bottom) / 2);
      for (const std::string& line : t->Menu.HelpLines) AddText(d, line);
    }
  }
  return d.Value;
}

// The results screen of each level won with both of its reward goals met: the counters, each
// goal's state, the grade, the points and the names of the gem and the ability won.
uint64_t ResultsScreens() {
  Digest d;
  for (int level = 1; level <= 10; ++level) {
    TestGame t;
    Game& g = *t;
    CreatePools(g);
    g.InMenu = false;
    g.CurrentLevel = Integer(level);
    g.Level.FrameClock = 9000;  // past the boss's time, with no boss left: won
    g.Level.EnemyCount = 10;
    g.Level.KillCount = level == 3 ? 1 : 10;  // level 3's gem is for a single kill
    g.Level.DamageDealt = 100;
    g.Ship.Exists = true;
    g.Ship.GemType1 = g.Ship.GemType2 = -1;
    g.Progress.GoalDone[size_t(level - 1)][1] = true;  // one goal met before: "DONE"
    t.Plat.ClearRecords();
    LevelDirector(g);
    AddDrawnTexts(d, t.Plat);
  }
  return d.Value;
}

// What play shows in words: the card of each level and mode on its first frame (with the
// controls for a new player's first level), the notice for both fire keys held, and the pause
// screen.
uint64_t PlayScreens() {
  Digest d;
  for (int index = 0; index < 13; ++index) {
    TestGame t;
    Game& g = *t;
    g.SettingsPath = "/home/pilot/.config/zorvane2/settings.ini";
    g.Progress.GoalDone[size_t(index < 10 ? index : 0)][2] = true;
    StartLevel(g, index);
    t.Plat.ClearRecords();
    PlayFrame(t);
    AddDrawnTexts(d, t.Plat);
    if (index != 0) continue;
    t.Plat.KeyState[KeyX] = t.Plat.KeyState[KeyC] = true;
    for (int f = 0; f < 9; ++f) PlayFrame(t);
    t.Plat.KeyState[KeyX] = t.Plat.KeyState[KeyC] = false;
    t.Plat.ClearRecords();
    PlayFrame(t);
    AddDrawnTexts(d, t.Plat);
    FrameCommand pause;
    pause.Keys[KeyP] = true;
    t.Plat.ClearRecords();
    EXPECT_EQ(StepGame(g, pause), PauseStep::Show);
    AddDrawnTexts(d, t.Plat);
  }
  return d.Value;
}

uint64_t Texts(std::string_view text) {
  Digest d;
  AddText(d, text);
  return d.Value;
}

}  // namespace

// The help names the player's files where each system keeps them.
#ifdef _WIN32
constexpr uint64_t HelpDigest = 0xd71a03b731525ba6;
#else
constexpr uint64_t HelpDigest = 0x97f76c99727c7d2d;
#endif

// A text changed on purpose changes its table's digest here in the same commit.
TEST(TextTables, EveryTextStandsAsWritten) {
  const struct {
    const char* Table;
    uint64_t Got, Want;
  } tables[] = {
      {"the hover table (menus/hover_texts.cpp)", HoverPanel(), 0xca16c1800d673676},
      {"the shot and ability names (menus/shop.cpp)", ShopNames(), 0xc4bc9af1e232af95},
      {"the level goals (menus/level_buttons.cpp)", LevelGoals(), 0x72f634b8afd89d5d},
      {"the large words (effects/flair_sheet.h)", LargeWords(), 0xb7330879f32cf708},
      {"the menu panel's hints, locks and descriptions (menus/shop.cpp, menus/level_buttons.cpp)", MenuPanel(),
       0xd7a3850072771d8f},
      {"the results screens (levels/level_end.cpp; the numbers they show count too)", ResultsScreens(),
       0x113eef810e880f7b},
      {"the words of play: cards, controls, notices, pause (menus/play_guide.cpp, frame/pause.cpp)",
       PlayScreens(), 0xabffd5dd254c4c0c},
      {"the command line's help (shell/options.cpp)", Texts(HelpText()), HelpDigest},
      {"the settings file's comments (shell/settings.cpp)", Texts(SettingsText(Settings{})), 0xf938a9a143227f51},
  };
  for (const auto& t : tables)
    EXPECT_EQ(t.Got, t.Want) << "A text of " << t.Table << " changed. If that was meant, put the new digest, "
                             << std::hex << std::showbase << t.Got << ", in its place here in the same commit.";
}
