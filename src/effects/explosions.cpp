// Explosions: short animations from the explosions sheet, 50 at most at a time.
#include <cmath>

#include "core/geometry.h"
#include "effects/explo_class.h"
#include "world/draw.h"
#include "world/game.h"

void ExploClass::Initialize(Single xpos, Single ypos, Integer frameAmount, Integer height, Integer width,
                            Integer srcTop, Integer startFrame) {
  Xpos = xpos;
  Ypos = ypos;
  AmtFrames = frameAmount;
  Height = height;
  Width = width;
  SrcTop = srcTop;
  Frame = startFrame;
}

// Each frame of the animation shows for two game frames (eight under the matrix);
// a negative start keeps the slot busy but invisible until it reaches zero.
void ExploClass::DoExplosion(Game& g) {
  if (Frame >= 0) {
    const int f = static_cast<int>(std::floor(Frame));
    Blit(g, SheetExplosions, true, RoundToInteger(Ypos), RoundToInteger(Ypos + Single(Height)), RoundToInteger(Xpos),
         RoundToInteger(Xpos + Single(Width)), SrcTop, SrcTop + Height, f * Width, (f + 1) * Width);
  }
  Frame = Frame + (g.Level.ChargeOn[AbilityMatrix] ? 0.125f : 0.5f);
  if (Frame >= AmtFrames) Exists = false;
}

// Starts an explosion of the given kind in the lowest free slot; a full pool drops it.
void AddExplosion(Game& g, Integer kind, Single xpos, Single ypos, Integer startFrame) {
  if (kind < 0 || kind >= static_cast<int>(g.Tables.ExploTypes.size())) return;
  const ExploTypeRec& type = g.Tables.ExploTypes[kind];
  const int slot = FirstFreeSlot(g.Explosions);
  if (slot < 0) return;
  ExploClass& x = g.Explosions[size_t(slot)];
  x.Exists = true;
  x.Initialize(xpos, ypos, type.FrameAmount, type.Height, type.Width, type.SrcTop, startFrame);
}

void StepExplosions(Game& g) {
  for (ExploClass& x : g.Explosions)
    if (x.Exists) x.DoExplosion(g);
}

void FillExplosionKinds(Game& g) {
  g.Tables.ExploTypes[0] = {0, 57, 60, 11};
  g.Tables.ExploTypes[1] = {60, 70, 80, 12};
  g.Tables.ExploTypes[2] = {132, 27, 30, 8};
}
