// A platform that stands between the game and the real one for the headless harness.
#pragma once

#include <memory>

#include "platform/platform.h"

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
  FrameCommand ReadCommand(bool pointerInUse) override { return Inner.ReadCommand(pointerInUse); }
  void PlaySound(int slot) override { Inner.PlaySound(slot); }
  void LoadMusic(const std::string& name) override { Inner.LoadMusic(name); }
  void PlayMusic() override { Inner.PlayMusic(); }
  void StopMusic() override { Inner.StopMusic(); }
  void SetMusicVolume(int v) override { Inner.SetMusicVolume(v); }
  int32_t TickCount() override { return Inner.TickCount(); }
  void BeginFrame(long long frame) override { Inner.BeginFrame(frame); }
  bool SaveScreenshot(const std::string& path) override { return Inner.SaveScreenshot(path); }
  void SetPaused(bool paused) override { Inner.SetPaused(paused); }
  bool GetWindowPlace(WindowPlace& place) override { return Inner.GetWindowPlace(place); }
  bool Shows() override { return Inner.Shows(); }

 protected:
  Platform& Inner;
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
