// The guide over the play column: the level's card, the first level's controls, the boss
// warning, the progress strip and the notice about both fire keys. See play_guide.h.
#include "menus/play_guide.h"

#include <algorithm>
#include <string>

#include "core/key_names.h"
#include "effects/flair_sheet.h"
#include "levels/level_director.h"
#include "menus/menus.h"
#include "world/draw.h"
#include "world/game.h"

namespace {

constexpr uint32_t PanelInk = 0x080C1C, PanelRim = 0x5878B8, Heading = 0x60D0FF, Words = 0xE8EEF8, Faint = 0x8898B8;
constexpr uint32_t SlotX = 0x40D860, SlotC = 0xFFA030;  // the menu's colours of the two slots

// A see-through panel with a lit rim.
void Panel(Game& g, int left, int top, int right, int bottom, int alpha = 200) {
  ShadeBox(g, left, top, right, bottom, PanelInk, alpha);
  DrawBoxIn(g, left, top, right, top + 1, PanelRim);
  DrawBoxIn(g, left, bottom - 1, right, bottom, PanelRim);
  DrawBoxIn(g, left, top, left + 1, bottom, PanelRim);
  DrawBoxIn(g, right - 1, top, right, bottom, PanelRim);
}

// A large word of the flair sheet, centred on x.
void DrawWord(Game& g, int word, int centreX, int top) {
  const flair::Rect r = flair::WordSlot(word);
  const int left = centreX - r.Width() / 2;
  Blit(g, SheetFlair, true, top, top + r.Height(), left, left + r.Width(), r.Top, r.Bottom, r.Left, r.Right);
}

// A key cap with the key's name on it; returns the x just right of it.
int DrawKey(Game& g, int x, int y, const std::string& name) {
  std::string label = name == "ESCAPE" ? "ESC" : name;
  if (name == "UP") label = "^";
  if (name == "DOWN") label = "v";
  if (name == "LEFT") label = "<";
  if (name == "RIGHT") label = ">";
  const bool wide = label.size() > 1;
  const flair::Rect r = wide ? flair::WideKeyCap : flair::KeyCap;
  Blit(g, SheetFlair, true, y, y + r.Height(), x, x + r.Width(), r.Top, r.Bottom, r.Left, r.Right);
  // About six pixels a capital at the game's text size.
  const int textX = x + (r.Width() - 6 * int(label.size())) / 2;
  DrawTextIn(g, textX, y + 4, label, 0x101418);
  return x + r.Width() + 3;
}

// Splits a goal line of the menu's table ("KILL ALL ENEMIES      NEW CHARGE") into the goal and
// its reward.
void SplitGoal(const std::string& line, std::string& goal, std::string& reward) {
  const size_t gap = line.find("  ");
  goal = line.substr(0, gap);
  reward.clear();
  if (gap == std::string::npos) return;
  const size_t from = line.find_first_not_of(' ', gap);
  if (from != std::string::npos) reward = line.substr(from);
}

int CardWordFor(const Game& g) {
  if (g.Level.BossArena) return flair::WordBossArena;
  if (g.CurrentLevel == ModeMiniGame) return flair::WordMiniGame;
  if (g.CurrentLevel == ModeMarathon) return flair::WordStage1 + std::clamp(int(g.Level.MarathonStage), 1, 9) - 1;
  if (g.CurrentLevel >= 1 && g.CurrentLevel <= 10) return flair::WordLevel1 + g.CurrentLevel - 1;
  return -1;
}

void DrawCard(Game& g) {
  PlayGuide& p = g.Guide;
  if (p.CardAge < 0) return;
  const int level = g.CurrentLevel;
  if (level >= 1 && level <= 10 && !g.Level.BossArena) {
    const auto lines = GoalsTable(level - 1);
    const int goals = level == 10 ? 1 : 5;
    const int bottom = 200 + 15 * goals;
    Panel(g, 190, 118, 610, bottom);
    DrawWord(g, p.CardWord, 400, 124);
    DrawTextIn(g, 206, 176, "GOALS", Heading);
    DrawTextIn(g, 500, 176, "REWARD", Heading);
    static constexpr int Rows[5] = {2, 3, 5, 6, 7};  // where the table keeps the five goals
    for (int k = 0; k < goals; ++k) {
      std::string goal, reward;
      SplitGoal(lines[size_t(Rows[k])], goal, reward);
      const bool done = g.Progress.GoalDone[size_t(level - 1)][size_t(k)];
      const int y = 194 + 15 * k;
      DrawTextIn(g, 206, y, goal, done ? Faint : Words);
      DrawTextIn(g, 500, y, done ? "DONE" : reward, done ? Faint : 0xFFD060);
    }
    return;
  }
  const char* what = "";
  if (g.Level.BossArena) what = "THE TEN BOSSES, ONE AFTER ANOTHER";
  else if (level == ModeMiniGame) what = "STAY ALIVE AS LONG AS YOU CAN";
  else if (level == ModeMarathon) what = g.Level.MarathonStage <= 1 ? "NINE LEVELS IN A ROW, NO BOSSES" : "OF NINE";
  Panel(g, 230, 118, 570, 196);
  DrawWord(g, p.CardWord, 400, 124);
  // About six pixels a capital: centred near enough.
  DrawTextIn(g, 400 - 3 * int(std::string(what).size()), 176, what, Words);
}

// The first level of a new save: steering, the two guns (one at a time), pause.
void DrawControls(Game& g) {
  PlayGuide& p = g.Guide;
  if (p.ControlsAge < 0) return;
  auto key = [&](int gameKey) { return KeyNameForCode(g.KeySource[size_t(gameKey)]); };
  Panel(g, 166, 306, 634, 392);
  DrawTextIn(g, 178, 310, "CONTROLS", Heading);
  int x = 178;
  for (int k : {KeyUp, KeyDown, KeyLeft, KeyRight}) x = DrawKey(g, x, 326, key(k));
  DrawTextIn(g, x + 4, 330, "STEER", Words);
  x = DrawKey(g, 388, 326, key(KeyP));
  DrawTextIn(g, x + 4, 330, "PAUSE", Words);
  x = DrawKey(g, 500, 326, key(KeyEscape));
  DrawTextIn(g, x + 4, 330, "LEAVE", Words);
  x = DrawKey(g, 178, 358, key(KeyX));
  DrawTextIn(g, x + 4, 362, "FIRE SLOT X", SlotX);
  x = DrawKey(g, 302, 358, key(KeyC));
  DrawTextIn(g, x + 4, 362, "FIRE SLOT C", SlotC);
  DrawTextIn(g, 426, 356, "ONE FIRE KEY AT A TIME:", Words);
  DrawTextIn(g, 426, 368, "BOTH HELD FIRE NEITHER", Faint);
}

void DrawBossWarning(Game& g) {
  PlayGuide& p = g.Guide;
  if (p.BossAge < 0) return;
  // Blinking at first, then steady.
  if (p.BossAge < 90 && (p.BossAge / 10) % 2 == 1) return;
  ShadeBox(g, 100, 184, 700, 292, 0x300004, 150);
  DrawBoxIn(g, 100, 184, 700, 186, 0xFF3020);
  DrawBoxIn(g, 100, 290, 700, 292, 0xFF3020);
  DrawWord(g, flair::WordWarning, 400, 188);
  DrawWord(g, flair::WordBoss, 400, 236);
  if (g.Level.BossArena) {
    const std::string of = std::to_string(g.Level.ArenaBoss) + " OF 10";
    DrawTextIn(g, 400 - 3 * int(of.size()), 276, of, Words);
  }
}

// How far the level has come towards its boss, 0 to 1; below 0 when it has no such measure.
Single Progress(const Game& g) {
  if (g.Level.BossArena) return Single(std::clamp(int(g.Level.ArenaBoss) - 1, 0, 10)) / 10;
  if (g.CurrentLevel == ModeMarathon) {
    const int stage = std::clamp(int(g.Level.MarathonStage), 1, 9);
    const Single within = std::clamp(g.Level.FrameClock / MarathonStageEnd(stage), 0.0f, 1.0f);
    return (Single(stage - 1) + within) / 9;
  }
  if (g.CurrentLevel < 1 || g.CurrentLevel > 10 || g.Level.SpawnTable.empty()) return -1;
  if (g.Level.BossPhase) return 1;
  const Single bossTime = g.Level.SpawnTable.back().SpawnTime;
  return bossTime > 0 ? std::clamp(g.Level.FrameClock / bossTime, 0.0f, 1.0f) : 1;
}

// A thin strip between the column and the boss bar, filling from the bottom as the level goes
// on; the boss's mark sits at its head.
void DrawProgressStrip(Game& g) {
  const Single share = Progress(g);
  if (share < 0) return;
  constexpr int Left = 704, Right = 710, Top = 75, Bottom = 526;
  DrawBoxIn(g, Left, Top, Right, Bottom, 0x0A0E1C);
  const int filled = RoundToInteger(Single(Bottom - Top) * share);
  const bool boss = g.Level.BossPhase || g.Level.BossArena;
  DrawBoxIn(g, Left + 1, Bottom - filled, Right - 1, Bottom, boss ? 0xFF5040 : 0x3890E0);
  if (filled > 0) DrawBoxIn(g, Left + 1, Bottom - filled, Right - 1, Bottom - filled + 2, boss ? 0xFFC0A0 : 0xA0E0FF);
  // The marathon's stages and the arena's bosses as notches.
  const int notches = g.Level.BossArena ? 10 : g.CurrentLevel == ModeMarathon ? 9 : 0;
  for (int k = 1; k < notches; ++k) {
    const int y = Bottom - (Bottom - Top) * k / notches;
    DrawBoxIn(g, Left, y, Right, y + 1, 0x5868A0);
  }
  if (g.CurrentLevel >= 1 && g.CurrentLevel <= 10) {
    // Lit once the boss has come, blinking while it fights.
    if (!boss || (g.Flair.Frame / 16) % 2 == 0) {
      const flair::Rect r = flair::BossMark;
      Blit(g, SheetFlair, true, Top - 18, Top - 18 + r.Height(), 699, 699 + r.Width(), r.Top, r.Bottom, r.Left, r.Right);
    }
  }
}

void DrawBothFireNotice(Game& g) {
  if (g.Guide.BothFireNotice <= 0 || !g.Ship.Exists) return;
  const int cx = RoundToInteger((g.Ship.Right - g.Ship.Left) / 2 + g.Ship.Left);
  // Below the ship when there is room, else above it.
  int top = RoundToInteger(g.Ship.Bottom) + 8;
  if (top > 560) top = RoundToInteger(g.Ship.Top) - 40;
  const int left = std::clamp(cx - 84, 102, 530);
  Panel(g, left, top, left + 168, top + 32, 210);
  DrawTextIn(g, left + 12, top + 4, "ONE FIRE KEY AT A TIME", 0xFFD060);
  DrawTextIn(g, left + 8, top + 17, "BOTH HELD FIRE NEITHER GUN", Words);
}

}  // namespace

void StartPlayGuide(Game& g) {
  PlayGuide& p = g.Guide;
  const bool controlsSeen = p.ControlsSeen;
  p = {};
  p.ControlsSeen = controlsSeen;
  p.CardWord = CardWordFor(g);
  p.CardAge = p.CardWord >= 0 ? 0 : -1;
  p.StageSeen = g.Level.MarathonStage;
  p.ArenaBossSeen = g.Level.ArenaBoss;
  // A new save flying its first level: no level has been played to its end yet.
  if (g.CurrentLevel == 1 && g.Progress.Stats[StatLevelsPlayed] == 0 && !p.ControlsSeen) {
    p.ControlsSeen = true;
    p.ControlsAge = 0;
  }
}

void StepPlayGuide(Game& g) {
  PlayGuide& p = g.Guide;
  // The marathon's next stage gets a card of its own.
  if (g.CurrentLevel == ModeMarathon && g.Level.MarathonStage != p.StageSeen) {
    p.StageSeen = g.Level.MarathonStage;
    p.CardWord = CardWordFor(g);
    p.CardAge = 0;
  }
  // The boss's coming, or in the arena the next boss's, once the level's card has gone.
  const bool bossHere = g.Level.BossPhase && !g.LevelOver;
  if (bossHere && !p.BossWasHere && p.CardAge < 0) {
    p.BossWasHere = true;
    p.BossAge = 0;
  }
  if (g.Level.BossArena && g.Level.ArenaBoss != p.ArenaBossSeen && !g.LevelOver) {
    p.ArenaBossSeen = g.Level.ArenaBoss;
    p.BossAge = 0;
  }
  // Both fire keys held for a moment, without the double shot: they fire neither gun.
  const bool both = g.Keys[KeyX] && g.Keys[KeyC] && !g.Level.ChargeOn[AbilityDoubleShot] && g.Ship.Exists &&
                    !g.LevelOver;
  p.BothFireKeys = both ? p.BothFireKeys + 1 : 0;
  if (p.BothFireKeys >= 8) p.BothFireNotice = BothFireFrames;

  if (Shown(g)) {
    DrawProgressStrip(g);
    DrawBossWarning(g);
    DrawCard(g);
    DrawControls(g);
    DrawBothFireNotice(g);
  }
  if (p.CardAge >= 0 && ++p.CardAge >= CardFrames) p.CardAge = -1;
  if (p.ControlsAge >= 0 && ++p.ControlsAge >= ControlsFrames) p.ControlsAge = -1;
  if (p.BossAge >= 0 && ++p.BossAge >= BossWarningFrames) p.BossAge = -1;
  if (p.BothFireNotice > 0) --p.BothFireNotice;
}
