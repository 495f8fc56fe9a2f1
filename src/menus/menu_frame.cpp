// The menu screen, run once per menu frame: everything outside play happens here, on one
// fixed screen whose regions are all live at once and recomputed from the progress every frame.
#include <string>

#include "menus/menu_draw.h"
#include "menus/menus.h"
#include "world/sound.h"

namespace {

void MenuMusic(Game& g) {
  if (g.Menu.MusicStarted) return;
  ChangeMusic(g, -800, "Menu", false);
  g.Menu.MusicStarted = true;
}

// The tabs only change the picture above the information panel.
void Tabs(Game& g) {
  for (int tab = 0; tab <= 2; ++tab) {
    if (g.MouseLeft && PointerIn(g, 467 + 80 * tab, 543 + 80 * tab, 107, 122)) {
      g.Menu.MenuTab = static_cast<Integer>(tab);
      PlaySoundIfOn(g, SoundSelect);
    }
  }
  const int tab = g.Menu.MenuTab >= 0 && g.Menu.MenuTab <= 2 ? g.Menu.MenuTab : 0;
  DrawSprite(g, SheetButtons, 466 + 80 * tab, 106, 68, 0, 147, 18);
  DrawSprite(g, SheetMenuHelp, 417, 126, 0, 176 * tab, 288, 176 * tab + 172);
}

void QuitButton(Game& g, MenuRequest& request) {
  if (g.MouseLeft && PointerIn(g, QuitButtonArea)) request.Kind = MenuRequest::Quit;  // saves, then ends
}

void Statistics(Game& g) {
  const ProgressBlock& p = g.Progress;
  DrawText(g, 168, 556,
           std::to_string(p.PlayTime[0]) + ":" + std::to_string(p.PlayTime[1]) + ":" + std::to_string(p.PlayTime[2]));
  for (int i = 0; i <= 7; ++i) DrawText(g, 168, 337 + 22 * i, std::to_string(p.Stats[i]));
  DrawText(g, 168, 535, std::to_string(p.Stats[StatCompletion]) + "%");
}

void Switches(Game& g) {
  ProgressBlock& p = g.Progress;
  if (g.MouseLeft) {
    if (PointerIn(g, 702, 739, 489, 513)) {
      p.SoundOn = true;
      PlaySound(g, SoundSelect);
    }
    if (PointerIn(g, 742, 779, 489, 513)) p.SoundOn = false;
    if (PointerIn(g, 702, 739, 529, 553)) {
      p.MusicOn = true;
      PlayMusic(g);  // the loaded track, from its beginning
      PlaySoundIfOn(g, SoundSelect);
    }
    if (PointerIn(g, 742, 779, 529, 553)) {
      p.MusicOn = false;
      StopMusic(g);
      PlaySoundIfOn(g, SoundSelect);
    }
  }
  DrawSprite(g, SheetButtons, p.SoundOn ? 702 : 742, 489, 102, 44, 140, 69);
  DrawSprite(g, SheetButtons, p.MusicOn ? 702 : 742, 529, 102, 44, 140, 69);
}

// The eight panel lines: line 4 (the points) always at the foot; a goals table packs the
// other lines closer and strikes out the goals already met.
void InfoPanel(Game& g, int goalsOf) {
  for (int k = 0; k <= 7; ++k) {
    const std::string& line = g.Menu.HelpLines[k];
    if (line.empty()) continue;
    int y;
    if (k == 4) {
      y = 425;
    } else if (!g.Menu.GoalsShown) {
      y = 338 + 20 * k;
    } else {
      y = k < 4 ? 338 + 12 * k : 338 + 12 * (k - 1);
    }
    DrawText(g, 500, y, line);
  }
  if (!g.Menu.GoalsShown || goalsOf < 0 || goalsOf > 13) return;
  static constexpr int StrikeY[5] = {367, 379, 391, 403, 415};
  const uint32_t fill = g.Pen.FillColour;
  g.Pen.FillColour = g.Pen.TextColour;
  for (int goal = 0; goal <= 4; ++goal)
    if (g.Progress.GoalDone[goalsOf][goal]) DrawBox(g, 498, StrikeY[goal], 712, StrikeY[goal] + 1);
  g.Pen.FillColour = fill;
}

}  // namespace

MenuRequest MenuFrame(Game& g) {
  MenuRequest request;
  MenuMusic(g);
  g.Menu.GoalsShown = false;
  CompletionUpdate(g);
  UnlockUpdate(g);

  DrawSprite(g, SheetTitle, 0, 0, 0, 0, 800, 600);
  // A marathon always starts from its first stage.
  g.Level.MarathonStage = 1;
  g.Level.MarathonStageLoaded = false;

  g.Menu.HelpLines = {};
  g.Menu.HelpLines[4] = "              YOU HAVE " + std::to_string(g.Progress.Points) + " POINTS TO SPEND";

  Tabs(g);
  HoverTexts(g);
  g.Pen.TextColour = 0;  // black on the light panels
  Shop(g);
  QuitButton(g, request);
  const int goalsOf = LevelButtons(g, request);
  Statistics(g);
  Switches(g);
  InfoPanel(g, goalsOf);
  DrawSprite(g, SheetMouse, g.MouseX, g.MouseY, 0, 0, 20, 30);
  return request;
}
