// The boss phases of the ten levels and the boss arena's chain of stages.
//
// The spawner puts a level's boss group into the lowest free slots in record order, and the
// timelines leave the field clear before each boss, so every boss and escort is found in a
// fixed slot. A phase runs every frame once its boss has entered (the frame after its spawn
// time) or, in the arena, while its boss is the one being fought.
#include <array>

#include "core/geometry.h"

#include "enemies/data_tables.h"
#include "levels/level_director.h"
#include "world/game.h"

namespace {

struct PhaseStart {
  Single AfterClock;  // the boss record's spawn time
  int BossSlot;
};
// By level number 1 to 10.
constexpr std::array<PhaseStart, 10> PhaseStarts = {{
    {4800, 0}, {4100, 7}, {5200, 0}, {4300, 0}, {6000, 0},
    {4700, 0}, {5600, 0}, {6100, 0}, {3500, 0}, {100, 0},
}};

constexpr Single PlayLeft = PlayColumnLeft, PlayRight = PlayColumnRight, ScreenBottom = ScreenHeight;

// Headings the park and sweep rules compare for exact equality; the enemy motion keeps
// a heading of exactly these values while the craft does not accelerate.
Single Deg0() { return DegToRad(0); }
Single Deg90() { return DegToRad(90); }
Single Deg180() { return DegToRad(180); }

// Escorts: a live craft in the slot is held above the given line and kept at the given life.
void HoldEscort(EnemyClass& e, Single line, bool refillLife) {
  if (!e.Exists || !(e.Top > line)) return;
  e.Top = line;
  if (refillLife) e.Life = 500;
}

void Escorts(Game& g, int level) {
  auto& en = g.Enemies;
  switch (level) {
    case 2:
      for (int s = 0; s <= 6; ++s) HoldEscort(en[s], 55, false);
      break;
    case 3:
      HoldEscort(en[1], 0, true);
      HoldEscort(en[2], 0, true);
      break;
    case 4:
      HoldEscort(en[1], 0, true);
      HoldEscort(en[2], 0, true);
      HoldEscort(en[3], 100, true);
      HoldEscort(en[4], 100, true);
      break;
    default:
      break;
  }
}

void HangAtTop(EnemyClass& b) {
  if (b.Top > 0) b.Top = 0;
}

// Level 5: the boss drops onto a ship that flies beneath it and climbs back otherwise.
void Level5Dive(Game& g, EnemyClass& b) {
  if (!(b.Top >= -1)) return;
  const ShipClass& s = g.Ship;
  const bool matrix = g.Level.ChargeOn[AbilityMatrix];
  const bool overShip = s.Exists && b.Left < s.Right && b.Right > s.Left && b.Bottom < s.Bottom;
  if (overShip && b.Bottom < ScreenBottom) {
    b.Top = b.Top + (matrix ? 5.0f : 20.0f);
  } else if (b.Top > 0) {
    b.Top = b.Top - (matrix ? 1.0f : 4.0f);
  }
}

// Level 6: once low enough the boss turns a little every frame, for good, and flies circles.
void Level6Circle(Game& g, EnemyClass& b) {
  if (b.Top > 220) g.Level.BossCircling = true;
  if (g.Level.BossCircling) b.Heading = b.Heading - DegToRad(1.8f);
}

// Level 8: fire bursts of 150 frames, with a rest that grows with the boss's life.
void Level8Bursts(Game& g, EnemyClass& b) {
  g.Level.BossTimer = SatAddLong(g.Level.BossTimer, 1);
  if (g.Level.BossTimer > 150) b.ShootRate = 8000;
  const Single restEnds = b.Life / 200 + 165;
  if (double(g.Level.BossTimer) > double(restEnds)) {
    g.Level.BossTimer = 0;
    b.ShootRate = 1;
  }
}

// Level 9: the boss bounces off the edges of the play area.
void Level9Bounce(Game& g, EnemyClass& b) {
  const double after = g.Level.BossArena ? double(g.Level.ArenaStageTime) + 40 : 3540.0;
  if (!(double(g.Level.FrameClock) > after)) return;
  const Single full = DegToRad(360), half = DegToRad(540);
  if (b.Top < 0) b.Heading = full - b.Heading;
  if (b.Left < PlayLeft) b.Heading = half - b.Heading;
  if (b.Bottom > ScreenBottom) b.Heading = full - b.Heading;
  if (b.Right > PlayRight) b.Heading = half - b.Heading;
}

// Level 10: the final boss keeps to the top of the play area and changes its ways as it weakens.
void Level10(Game& g, EnemyClass& b) {
  if (b.Top > 0) b.Top = 0;
  if (b.Left < PlayLeft) b.Left = PlayLeft;
  if (b.Left + b.Width > PlayRight) b.Left = PlayRight - b.Width;
  auto follow = [&](Single offset) {
    const Single target = g.Ship.Left - offset;
    if (target > b.Left) {
      b.Left = b.Left + 3;
    } else if (target < b.Left) {
      b.Left = b.Left - 3;
    }
  };
  const Single life = b.Life;
  if (life > 8000) {
    b.ShootRate = 9;
    follow(105);
  }
  if (life < 8000) b.ShootRate = 6;
  if (life > 4000 && life < 6000) {
    follow(125);
    b.ShotPattern = 35;
  }
  if (life > 2000 && life < 4000) {
    b.ShotPattern = 24;
    b.ShootRate = 5;
  }
  if (life < 2000) b.Top = b.Top + (2000 - life) / 10;
}

void BossMovement(Game& g, int level, EnemyClass& b) {
  switch (level) {
    case 1:
    case 7:
      HangAtTop(b);
      break;
    case 2:
      ParkBoss(b, 1);
      SweepBoss(b, 100, 700);
      break;
    case 3:
      ParkBoss(b, 1);
      SweepBoss(b, 200, 600);
      break;
    case 4:
      ParkBoss(b, 2);
      SweepBoss(b, 200, 600);
      break;
    case 5:
      ParkBoss(b, 2);
      Level5Dive(g, b);
      SweepBoss(b, 100, 700);
      break;
    case 6:
      Level6Circle(g, b);
      break;
    case 8:
      ParkBoss(b, 2);
      SweepBoss(b, 100, 700);
      Level8Bursts(g, b);
      break;
    case 9:
      Level9Bounce(g, b);
      break;
    case 10:
      Level10(g, b);
      break;
    default:
      break;
  }
}

// One frame of the boss phase of a level; returns true when the level is won.
bool RunPhase(Game& g, int level) {
  g.Level.BossPhase = true;
  Escorts(g, level);
  EnemyClass& boss = g.Enemies[PhaseStarts[level - 1].BossSlot];
  if (boss.Exists) {
    g.Level.BossLife = RoundToInteger(boss.Life);
    BossMovement(g, level, boss);
    return false;
  }
  g.Level.BossLife = 0;
  if (!g.Level.BossArena) return true;
  if (level == 10) return true;  // the last boss of the arena
  StartArenaStage(g, level);
  return false;
}

// The arena's stages: the records each stage starts and the slots they go to.
struct ArenaStageRec {
  std::array<int, 8> Records;
  int RecordCount;
  int ClearFrom, ClearTo;  // slots emptied afterwards (none when ClearFrom > ClearTo)
  int BossSlot;
};
// Indexed by the stage whose boss was destroyed (1 to 9).
constexpr std::array<ArenaStageRec, 9> ArenaStages = {{
    {{1, 2, 3, 4, 5, 6, 7, 8}, 8, 1, 0, 7},
    {{11, 10, 9}, 3, 3, 7, 0},
    {{16, 12, 13, 14, 15}, 5, 1, 0, 0},
    {{17}, 1, 1, 4, 0},
    {{18}, 1, 1, 0, 0},
    {{19}, 1, 1, 0, 0},
    {{20}, 1, 1, 0, 0},
    {{21}, 1, 1, 0, 0},
    {{22}, 1, 1, 0, 0},
}};

}  // namespace

void ParkBoss(EnemyClass& e, Single speed) {
  if (e.Top > 0 && e.Heading == Deg90()) {
    e.Top = 0;
    e.Heading = Deg0();
    e.Speed = speed;
  }
}

void SweepBoss(EnemyClass& e, Single leftEdge, Single rightEdge) {
  if (!(e.Left < leftEdge || e.Right > rightEdge)) return;
  if (e.Heading == Deg0()) {
    e.Heading = Deg180();
  } else if (e.Heading == Deg180()) {
    e.Heading = Deg0();
  }
}

void StartRecordInSlot(Game& g, int recordIndex, int slot) {
  if (recordIndex < 0 || recordIndex >= int(g.Level.SpawnTable.size()) || slot < 0 || slot >= EnemyCountMax) return;
  const SpawnRec& r = g.Level.SpawnTable[recordIndex];
  if (r.Kind < 0 || r.Kind >= Integer(g.Tables.EnemyKinds.size())) return;  // no such craft
  const EnemyKindRec& k = g.Tables.EnemyKinds[r.Kind];
  EnemyClass& e = g.Enemies[slot];
  e.Exists = true;
  const double halfWidth = k.Width / 2.0;
  e.Initialize(r.StartY - k.Height, r.StartY, static_cast<Single>(r.CenterX - halfWidth),
               static_cast<Single>(halfWidth + r.CenterX), r.Speed, r.Accel, k.Width, k.Height, k.SrcTop,
               SatAdd(k.SrcTop, k.Height), k.SrcLeft, SatAdd(k.SrcLeft, k.Width), r.Heading, r.AccelHeading,
               k.HitPoints, r.Shottype, r.ShootRate, r.ShotSpeed, r.ShotPat, r.Kind);
}

void StartArenaStage(Game& g, int stage) {
  if (stage < 1 || stage > 9) return;
  const ArenaStageRec& s = ArenaStages[stage - 1];
  g.Level.ArenaBoss = static_cast<Integer>(stage + 1);
  for (int i = 0; i < s.RecordCount; ++i) StartRecordInSlot(g, s.Records[i], i);
  for (int slot = s.ClearFrom; slot <= s.ClearTo; ++slot) g.Enemies[slot].Exists = false;
  if (stage == 8) g.Level.ArenaStageTime = RoundToInteger(g.Level.FrameClock);
  g.Level.BossMaxLife = RoundToInteger(g.Enemies[s.BossSlot].Life);
}

bool BossPhases(Game& g) {
  bool won = false;
  // In the arena a stage change hands over to the next boss's phase within the same frame.
  for (int level = 1; level <= 10; ++level) {
    const bool ownLevel = g.CurrentLevel == level && g.Level.FrameClock > PhaseStarts[level - 1].AfterClock;
    if (!ownLevel && g.Level.ArenaBoss != level) continue;
    if (RunPhase(g, level)) won = true;
  }
  return won;
}
