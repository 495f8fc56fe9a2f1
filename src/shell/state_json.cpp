// Writes the state with the game's own names. Floats are written so they read back
// to the same float; non-finite values (which sound play never produces) as null.
#include "shell/state_json.h"

#include <cmath>
#include <cstdio>

#include "world/game.h"

namespace {

class Json {
 public:
  std::string Out;

  void Key(const char* k) {
    Comma();
    Out += '"';
    Out += k;
    Out += "\":";
    Fresh = true;
  }
  void Begin(char c) {
    Comma();
    Out += c;
    Fresh = true;
  }
  void End(char c) {
    Out += c;
    Fresh = false;
  }
  void Value(bool v) { Raw(v ? "true" : "false"); }
  void Value(int v) { Raw(std::to_string(v)); }
  void Value(long v) { Raw(std::to_string(v)); }
  void Value(long long v) { Raw(std::to_string(v)); }
  void Value(Integer v) { Value(int(v)); }
  void Value(float v) {
    if (!std::isfinite(v)) return Raw("null");
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", double(v));
    Raw(buf);
  }
  void Value(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
      if (c == '"' || c == '\\') {
        q += '\\';
        q += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        q += buf;
      } else {
        q += c;
      }
    }
    Raw(q + "\"");
  }
  template <class T>
  void Field(const char* k, const T& v) {
    Key(k);
    Value(v);
  }
  template <class Arr>
  void Array(const char* k, const Arr& a) {
    Key(k);
    Begin('[');
    for (const auto& v : a) Value(v);
    End(']');
  }

 private:
  bool Fresh = true;
  void Comma() {
    if (!Fresh) Out += ',';
    Fresh = false;
  }
  void Raw(const std::string& s) {
    Comma();
    Out += s;
  }
};

void WriteShip(Json& j, const ShipClass& s) {
  j.Key("Ship");
  j.Begin('{');
  j.Field("Top", s.Top);
  j.Field("Bottom", s.Bottom);
  j.Field("Left", s.Left);
  j.Field("Right", s.Right);
  j.Field("Speed", s.Speed);
  j.Field("ShipSpeed", s.ShipSpeed);
  j.Field("ShipAccel", s.ShipAccel);
  j.Field("Heading", s.Heading);
  j.Field("Width", s.Width);
  j.Field("Height", s.Height);
  j.Field("SrcRectTop", s.SrcRectTop);
  j.Field("SrcRectBottom", s.SrcRectBottom);
  j.Field("SrcRectLeft", s.SrcRectLeft);
  j.Field("SrcRectRight", s.SrcRectRight);
  j.Field("CurShot1", s.CurShot1);
  j.Field("CurShot2", s.CurShot2);
  j.Field("LastShot1", long(s.LastShot1));
  j.Field("LastShot2", long(s.LastShot2));
  j.Field("CurLevel1", s.CurLevel1);
  j.Field("CurLevel2", s.CurLevel2);
  j.Field("Life", s.Life);
  j.Field("Charge", s.Charge);
  j.Field("CurReducer", s.CurReducer);
  j.Field("CurDefence", s.CurDefence);
  j.Field("CurRegen", s.CurRegen);
  j.Field("CurSpeed", s.CurSpeed);
  j.Field("CurCharge", s.CurCharge);
  j.Field("Exists", s.Exists);
  j.Field("Special1", s.Special1);
  j.Field("Special2", s.Special2);
  j.Field("GemType1", s.GemType1);
  j.Field("GemType2", s.GemType2);
  j.Field("NoMove", long(s.NoMove));
  j.Field("NoShoot", long(s.NoShoot));
  j.Field("Resurected", s.Resurected);
  j.Field("AniFrame", s.AniFrame);
  j.Field("Pressed", s.Pressed);
  j.Field("Pressed2", s.Pressed2);
  j.End('}');
}

void WriteProgress(Json& j, const ProgressBlock& p) {
  j.Key("Progress");
  j.Begin('{');
  j.Field("Points", long(p.Points));
  j.Array("ShotLevel", p.ShotLevel);
  j.Array("PartLevel", p.PartLevel);
  j.Array("ChargeOwned", p.ChargeOwned);
  j.Array("GemOwned", p.GemOwned);
  j.Array("LevelOpen", p.LevelOpen);
  j.Array("Potions", p.Potions);
  j.Key("GoalDone");
  j.Begin('[');
  for (const auto& level : p.GoalDone) {
    j.Begin('[');
    for (bool done : level) j.Value(done);
    j.End(']');
  }
  j.End(']');
  std::array<long, 10> stats{};
  for (int i = 0; i < 10; ++i) stats[i] = p.Stats[i];
  j.Array("Stats", stats);
  j.Array("PlayTime", p.PlayTime);
  j.Field("SoundOn", p.SoundOn);
  j.Field("MusicOn", p.MusicOn);
  j.End('}');
}

void WriteSpawnTable(Json& j, const Game& g) {
  j.Key("SpawnTable");
  j.Begin('[');
  for (const SpawnRec& r : g.Level.SpawnTable) {
    j.Begin('{');
    j.Field("Kind", r.Kind);
    j.Field("SpawnTime", r.SpawnTime);
    j.Field("Heading", r.Heading);
    j.Field("Speed", r.Speed);
    j.Field("CenterX", r.CenterX);
    j.Field("StartY", r.StartY);
    j.Field("Accel", r.Accel);
    j.Field("AccelHeading", r.AccelHeading);
    j.Field("Shottype", r.Shottype);
    j.Field("ShotPat", r.ShotPat);
    j.Field("ShootRate", r.ShootRate);
    j.Field("ShotSpeed", r.ShotSpeed);
    j.End('}');
  }
  j.End(']');
}

// A pool of slots: those in use, each with its index and then its fields.
template <class Pool, class Fields>
void WritePool(Json& j, const char* name, const Pool& pool, Fields fields) {
  j.Key(name);
  j.Begin('[');
  for (size_t i = 0; i < pool.size(); ++i) {
    if (!pool[i].Exists) continue;
    j.Begin('{');
    j.Field("slot", int(i));
    fields(pool[i]);
    j.End('}');
  }
  j.End(']');
}

void WriteEnemies(Json& j, const Game& g) {
  WritePool(j, "Enemies", g.Enemies, [&](const EnemyClass& e) {
    j.Field("Top", e.Top);
    j.Field("Bottom", e.Bottom);
    j.Field("Left", e.Left);
    j.Field("Right", e.Right);
    j.Field("Speed", e.Speed);
    j.Field("Accel", e.Accel);
    j.Field("AccelHeading", e.AccelHeading);
    j.Field("Heading", e.Heading);
    j.Field("Width", e.Width);
    j.Field("Height", e.Height);
    j.Field("SrcRectTop", e.SrcRectTop);
    j.Field("SrcRectBottom", e.SrcRectBottom);
    j.Field("SrcRectLeft", e.SrcRectLeft);
    j.Field("SrcRectRight", e.SrcRectRight);
    j.Field("Exists", e.Exists);
    j.Field("Life", e.Life);
    j.Field("ShotSpeed", e.ShotSpeed);
    j.Field("ShootRate", e.ShootRate);
    j.Field("LastShot", long(e.LastShot));
    j.Field("Shottype", e.Shottype);
    j.Field("ShotPattern", e.ShotPattern);
    j.Field("FreezeTime", e.FreezeTime);
    j.Field("Kind", e.Kind);
    j.Field("ShotRotate", long(e.ShotRotate));
    j.Field("Hurt", e.Hurt);
  });
}

void WriteShots(Json& j, const Game& g) {
  WritePool(j, "Shots", g.Shots, [&](const ShotClass& s) {
    j.Field("Top", s.Top);
    j.Field("Bottom", s.Bottom);
    j.Field("Left", s.Left);
    j.Field("Right", s.Right);
    j.Field("Speed", s.Speed);
    j.Field("Damage", s.Damage);
    j.Field("SrcTop", s.SrcTop);
    j.Field("SrcBottom", s.SrcBottom);
    j.Field("SrcLeft", s.SrcLeft);
    j.Field("SrcRight", s.SrcRight);
    j.Field("SrcInterval", s.SrcInterval);
    j.Field("Width", s.Width);
    j.Field("Height", s.Height);
    j.Field("Exists", s.Exists);
    j.Field("Heading", s.Heading);
    j.Field("AniFrame", s.AniFrame);
    j.Field("Frames", s.Frames);
    j.Field("AnimationCount", s.AnimationCount);
    j.Field("AccelRate", s.AccelRate);
    j.Field("AccelHeading", s.AccelHeading);
    j.Field("HomeRate", s.HomeRate);
    j.Field("Kind", s.Kind);
    j.Field("HalfSpeed", s.HalfSpeed);
    j.Field("ComeBack", s.ComeBack);
    j.Field("Level", s.Level);
    j.Field("AlreadyHit", s.AlreadyHit);
    j.Field("Dist", s.Dist);
  });
}

void WriteEShots(Json& j, const Game& g) {
  WritePool(j, "EShots", g.EShots, [&](const EShotsClass& s) {
    j.Field("Top", s.Top);
    j.Field("Bottom", s.Bottom);
    j.Field("Left", s.Left);
    j.Field("Right", s.Right);
    j.Field("Speed", s.Speed);
    j.Field("Accel", s.Accel);
    j.Field("AccelHeading", s.AccelHeading);
    j.Field("Heading", s.Heading);
    j.Field("Width", s.Width);
    j.Field("Height", s.Height);
    j.Field("Damage", s.Damage);
    j.Field("Exists", s.Exists);
    j.Field("SrcTop", s.SrcTop);
    j.Field("Kind", s.Kind);
    j.Field("SrcLeft", s.SrcLeft);
  });
}

void WriteExplosions(Json& j, const Game& g) {
  WritePool(j, "Explosions", g.Explosions, [&](const ExploClass& x) {
    j.Field("Xpos", x.Xpos);
    j.Field("Ypos", x.Ypos);
    j.Field("Frame", x.Frame);
    j.Field("Height", x.Height);
    j.Field("Width", x.Width);
    j.Field("AmtFrames", x.AmtFrames);
    j.Field("SrcTop", x.SrcTop);
    j.Field("Exists", x.Exists);
  });
}

void WriteStars(Json& j, const Game& g) {
  j.Key("Stars");
  j.Begin('[');
  for (const StarClass& s : g.Stars) {
    j.Begin('{');
    j.Field("Kind", s.Kind);
    j.Field("Xpos", s.Xpos);
    j.Field("Ypos", s.Ypos);
    j.Field("Speed", s.Speed);
    j.End('}');
  }
  j.End(']');
}

}  // namespace

std::string StateJson(const Game& g, bool brief) {
  Json j;
  j.Begin('{');
  j.Field("frame", g.Harness.FrameNumber);
  j.Field("InMenu", g.InMenu);
  j.Field("LevelOver", g.LevelOver);
  j.Field("Paused", g.Paused);
  j.Field("GameRunning", g.GameRunning);
  j.Field("CurrentLevel", g.CurrentLevel);
  j.Field("FrameClock", g.Level.FrameClock);
  j.Field("MouseX", g.MouseX);
  j.Field("MouseY", g.MouseY);
  j.Field("KillCount", g.Level.KillCount);
  j.Field("EnemyCount", g.Level.EnemyCount);
  j.Field("DamageTaken", g.Level.DamageTaken);
  j.Field("DamageDealt", g.Level.DamageDealt);
  j.Field("DistanceMoved", g.Level.DistanceMoved);
  j.Field("ChargeUsed", g.Level.ChargeUsed);
  j.Field("PotionsUsedLevel", g.Level.PotionsUsedLevel);
  j.Field("PickupTaken", g.Level.PickupTaken);
  j.Field("BossPhase", g.Level.BossPhase);
  j.Field("BossLife", g.Level.BossLife);
  j.Field("BossMaxLife", g.Level.BossMaxLife);
  j.Field("BossArena", g.Level.BossArena);
  j.Field("ArenaBoss", g.Level.ArenaBoss);
  j.Field("MarathonStage", g.Level.MarathonStage);
  j.Field("MarathonStageLoaded", g.Level.MarathonStageLoaded);
  j.Field("BossTimer", long(g.Level.BossTimer));
  j.Field("BossCircling", g.Level.BossCircling);
  j.Field("ArenaStageTime", g.Level.ArenaStageTime);
  j.Field("DeathTime", long(g.Level.DeathTime));
  j.Field("MiniGameTime", long(g.Level.MiniGameTime));
  j.Array("ChargeOn", g.Level.ChargeOn);
  j.Field("MenuTab", g.Menu.MenuTab);
  j.Field("GoalsShown", g.Menu.GoalsShown);
  j.Field("MusicStarted", g.Menu.MusicStarted);
  j.Array("HelpLines", g.Menu.HelpLines);
  j.Field("SpawnCount", g.Level.SpawnCount);
  WriteShip(j, g.Ship);
  WriteProgress(j, g.Progress);
  if (!brief) WriteSpawnTable(j, g);
  WriteEnemies(j, g);
  WriteShots(j, g);
  WriteEShots(j, g);
  WriteExplosions(j, g);
  if (!brief) WriteStars(j, g);
  j.Key("Music");
  j.Begin('{');
  j.Field("track", g.Harness.Music.Track);
  j.Field("volume", g.Harness.Music.Volume);
  j.Field("playing", g.Harness.Music.Playing);
  j.End('}');
  j.Array("Sounds", g.Harness.SoundsThisFrame);
  j.End('}');
  return j.Out;
}
