// Platforms that stand between the game and the real one for the harness: one replays
// a script's input, one records the input the game read.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "shell/script.h"

struct Game;

// Forwards everything to an inner platform except what it changes.
class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : Inner(inner) {}
  void LoadSheet(int i, const std::string& n, uint32_t k) override { Inner.LoadSheet(i, n, k); }
  void LoadSound(int s, const std::string& n) override { Inner.LoadSound(s, n); }
  void CopyRect(int sheet, int sl, int st, int sr, int sb, int dl, int dt, int dr, int db, bool scaled) override {
    Inner.CopyRect(sheet, sl, st, sr, sb, dl, dt, dr, db, scaled);
  }
  void DrawText(int x, int y, const std::string& t, uint32_t c) override { Inner.DrawText(x, y, t, c); }
  void FillBox(int l, int t, int r, int b, uint32_t c) override { Inner.FillBox(l, t, r, b, c); }
  void ShadeBox(int l, int t, int r, int b, uint32_t c, int a) override { Inner.ShadeBox(l, t, r, b, c, a); }
  void ClearBuffer() override { Inner.ClearBuffer(); }
  void Present() override { Inner.Present(); }
  void ReadKeyboard(std::array<bool, 256>& keys) override { Inner.ReadKeyboard(keys); }
  void ReadMouse(int& dx, int& dy, bool& l, bool& r) override { Inner.ReadMouse(dx, dy, l, r); }
  bool CloseRequested() override { return Inner.CloseRequested(); }
  void PlaySound(int slot) override { Inner.PlaySound(slot); }
  void LoadMusic(const std::string& name) override { Inner.LoadMusic(name); }
  void PlayMusic() override { Inner.PlayMusic(); }
  void StopMusic() override { Inner.StopMusic(); }
  void SetMusicVolume(int v) override { Inner.SetMusicVolume(v); }
  int32_t TickCount() override { return Inner.TickCount(); }
  void BeginFrame(long long frame) override { Inner.BeginFrame(frame); }
  bool SaveScreenshot(const std::string& path) override { return Inner.SaveScreenshot(path); }
  void SetPaused(bool paused) override { Inner.SetPaused(paused); }
  bool FocusLost() override { return Inner.FocusLost(); }
  bool Hidden() override { return Inner.Hidden(); }
  bool GetWindowPlace(WindowPlace& place) override { return Inner.GetWindowPlace(place); }
  bool Shows() override { return Inner.Shows(); }

 protected:
  Platform& Inner;
};

// Keyboard and mouse come from a script. Relative motion adds up until the game reads
// the mouse, as a real mouse's does; "mouse X Y" moves from where the game's pointer is.
class ScriptedPlatform : public ForwardingPlatform {
 public:
  // The script names keys; `keys` says which of the game's keys each one plays.
  ScriptedPlatform(Platform& inner, InputScript script, const Game& game, const KeyBindings& keys = {})
      : ForwardingPlatform(inner), Script(std::move(script)), TheGame(game), Bindings(keys) {}
  void BeginFrame(long long frame) override;
  void ReadKeyboard(std::array<bool, 256>& keys) override { keys = Bindings.Apply(Current.Keys); }
  void ReadMouse(int& dx, int& dy, bool& left, bool& right) override;
  bool CloseRequested() override { return Current.Close || Inner.CloseRequested(); }
  // The window's focus and visibility come from the script too, so the run does not depend on them.
  bool FocusLost() override { return Inner.FocusLost(), Current.Blur; }
  bool Hidden() override { return Current.Hidden; }

 private:
  InputScript Script;
  const Game& TheGame;
  KeyBindings Bindings;
  FrameInput Current;
  int PendingDx = 0, PendingDy = 0;
  long long BegunFrame = -1;
};

// A headless run that writes no screenshot has nobody to show its pictures to: the drawing
// calls stop here, and the frames cost only the game itself. Nothing the game decides depends
// on the back buffer, so the run is the same frame for frame.
class UnseenPlatform : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  void CopyRect(int, int, int, int, int, int, int, int, int, bool) override {}
  void DrawText(int, int, const std::string&, uint32_t) override {}
  void FillBox(int, int, int, int, uint32_t) override {}
  void ShadeBox(int, int, int, int, uint32_t, int) override {}
  void ClearBuffer() override {}
  void Present() override {}
  bool Shows() override { return false; }
};

// Records what the game read from the inner platform.
class RecordingPlatform : public ForwardingPlatform {
 public:
  RecordingPlatform(Platform& inner, ScriptRecorder& recorder) : ForwardingPlatform(inner), Recorder(recorder) {}
  void BeginFrame(long long frame) override {
    Frame = frame;
    Inner.BeginFrame(frame);
  }
  void ReadKeyboard(std::array<bool, 256>& keys) override {
    Inner.ReadKeyboard(keys);
    Recorder.Keys(Frame, keys);
  }
  void ReadMouse(int& dx, int& dy, bool& left, bool& right) override {
    Inner.ReadMouse(dx, dy, left, right);
    Recorder.Mouse(Frame, dx, dy, left, right);
  }
  bool CloseRequested() override {
    bool c = Inner.CloseRequested();
    if (c) Recorder.Close(Frame);
    return c;
  }
  bool FocusLost() override {
    bool lost = Inner.FocusLost();
    if (lost) Recorder.Blur(Frame);
    return lost;
  }
  bool Hidden() override {
    bool hidden = Inner.Hidden();
    if (hidden) Recorder.Hidden(Frame);
    return hidden;
  }

 private:
  ScriptRecorder& Recorder;
  long long Frame = 0;
};
