// A platform with no devices, which is also the canvas the game draws on: for tests, fuzzing
// and benchmarks. It records what the game asks of it (copies, text, boxes, sounds, music) and
// plays back whatever keys, mouse and clock a test sets.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct CopyRecord {
  int Sheet, SrcLeft, SrcTop, SrcRight, SrcBottom, DestLeft, DestTop, DestRight, DestBottom;
  bool Scaled;
};

struct TextRecord {
  int X, Y;
  std::string Text;
  uint32_t Colour;
};

class NullPlatform : public Platform, public Canvas {
 public:
  bool RecordDrawing = true;
  std::vector<CopyRecord> Copies;
  std::vector<TextRecord> Texts;
  std::vector<std::array<int, 5>> Boxes;  // left, top, right, bottom, colour
  std::vector<std::array<int, 6>> Shades;  // left, top, right, bottom, colour, alpha
  std::vector<int> SoundsPlayed;
  std::vector<std::string> MusicCalls;  // "load NAME", "play", "stop", "volume V"
  std::array<bool, 256> KeyState{};
  int MouseDx = 0, MouseDy = 0;
  bool MouseLeft = false, MouseRight = false;
  int32_t Ticks = 0;
  bool Close = false;

  void LoadSound(int, const std::string&) override {}
  void CopyRect(int sheet, int srcLeft, int srcTop, int srcRight, int srcBottom, int destLeft, int destTop,
                int destRight, int destBottom, bool scaled) override {
    if (RecordDrawing)
      Copies.push_back({sheet, srcLeft, srcTop, srcRight, srcBottom, destLeft, destTop, destRight, destBottom, scaled});
  }
  void DrawText(int x, int y, const std::string& text, uint32_t colour) override {
    if (RecordDrawing) Texts.push_back({x, y, text, colour});
  }
  void FillBox(int left, int top, int right, int bottom, uint32_t colour) override {
    if (RecordDrawing) Boxes.push_back({left, top, right, bottom, int(colour)});
  }
  void ShadeBox(int left, int top, int right, int bottom, uint32_t colour, int alpha) override {
    if (RecordDrawing) Shades.push_back({left, top, right, bottom, int(colour), alpha});
  }
  void Present(Renderer&) override {}
  FrameCommand ReadCommand(bool) override {
    FrameCommand c;
    c.Keys = KeyState;
    c.Dx = MouseDx;
    c.Dy = MouseDy;
    c.Left = MouseLeft;
    c.Right = MouseRight;
    c.Close = Close;
    c.Ticks = Ticks;
    MouseDx = MouseDy = 0;  // motion is consumed by the read
    return c;
  }
  void PlaySound(int slot) override { SoundsPlayed.push_back(slot); }
  void LoadMusic(const std::string& name) override { MusicCalls.push_back("load " + name); }
  void PlayMusic() override { MusicCalls.push_back("play"); }
  void StopMusic() override { MusicCalls.push_back("stop"); }
  void SetMusicVolume(int v) override { MusicCalls.push_back("volume " + std::to_string(v)); }
  int32_t TickCount() override { return Ticks; }

  void ClearRecords() {
    Copies.clear();
    Texts.clear();
    Boxes.clear();
    Shades.clear();
    SoundsPlayed.clear();
    MusicCalls.clear();
  }
};
