// The browser platform. Each call hands its browser half to the page's script (web/glue.js),
// which keeps the decoded sheets, the input state and the Web Audio graph.
#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>

#include "core/geometry.h"
#include "core/sheets.h"
#include "core/sounds.h"
#include "platform/web/web_keys.h"

// clang-format off
EM_JS(int, zw_sheet_size, (const char* name, int* size), {
  const s = ZorvaneWeb.sheet(UTF8ToString(name));
  if (!s) return 0;
  HEAP32[size >> 2] = s.width;
  HEAP32[(size >> 2) + 1] = s.height;
  return 1;
});
EM_JS(void, zw_sheet_pixels, (const char* name, uint32_t* out), {
  const s = ZorvaneWeb.sheet(UTF8ToString(name));
  const d = s.data;
  let o = out >> 2;
  for (let i = 0; i < d.length; i += 4) HEAPU32[o++] = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
});
EM_JS(int, zw_atlas_size, (), { return ZorvaneWeb.atlas ? ZorvaneWeb.atlas.length : 0; });
EM_JS(void, zw_atlas_copy, (uint8_t* out), { HEAPU8.set(ZorvaneWeb.atlas, out); });
EM_JS(void, zw_map_key, (const char* code, int pc), { ZorvaneWeb.keyCodes[UTF8ToString(code)] = pc; });
EM_JS(void, zw_present, (const uint8_t* rgba, const int* rects, int count), {
  ZorvaneWeb.present(rgba, HEAP32.subarray(rects >> 2, (rects >> 2) + 4 * count));
});
EM_JS(void, zw_read_keys, (uint8_t* keys, uint8_t* touch), { ZorvaneWeb.readKeys(keys, touch); });
EM_JS(void, zw_read_mouse, (int* out), {
  const m = ZorvaneWeb.mouse;
  const o = out >> 2;
  HEAP32[o] = m.have ? 1 : 0;
  HEAP32[o + 1] = m.x;
  HEAP32[o + 2] = m.y;
  HEAP32[o + 3] = m.left || m.leftPressed ? 1 : 0;
  HEAP32[o + 4] = m.right || m.rightPressed ? 1 : 0;
  HEAP32[o + 5] = ZorvaneWeb.focusLost ? 1 : 0;
  HEAP32[o + 6] = document.hidden ? 1 : 0;
  m.leftPressed = m.rightPressed = false;
  ZorvaneWeb.focusLost = false;
});
EM_JS(int, zw_read_pads, (int* out, int max), { return ZorvaneWeb.readPads(out >> 2, max); });
EM_JS(void, zw_load_sound, (int slot, const char* name), { ZorvaneWeb.loadSound(slot, UTF8ToString(name)); });
EM_JS(void, zw_play_sound, (int slot), { ZorvaneWeb.playSound(slot); });
EM_JS(void, zw_load_music, (const char* name), { ZorvaneWeb.loadMusic(UTF8ToString(name)); });
EM_JS(void, zw_play_music, (), { ZorvaneWeb.playMusic(); });
EM_JS(void, zw_stop_music, (), { ZorvaneWeb.stopMusic(); });
EM_JS(void, zw_music_volume, (int v), { ZorvaneWeb.musicVolume(v); });
EM_JS(void, zw_set_volumes, (int effects, int music), { ZorvaneWeb.setVolumes(effects, music); });
// clang-format on

namespace {

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

}  // namespace

WebPlatform::WebPlatform() : Rgba(size_t(Renderer::Width) * Renderer::Height) {
  for (int i = 0; i < WebKeyCount; ++i) zw_map_key(WebKeys[i].Code, WebKeys[i].Pc);
}

void WebPlatform::LoadArt(Renderer& screen) {
  std::vector<uint8_t> atlas(static_cast<size_t>(zw_atlas_size()));
  if (!atlas.empty()) zw_atlas_copy(atlas.data());
  if (!screen.SetGlyphs(atlas.data(), atlas.size())) EM_ASM(console.warn("zorvane2: no glyph atlas; no text will be shown"));
  for (int index = 0; index < SheetCount; ++index) {
    int size[2] = {0, 0};
    if (!zw_sheet_size(Sheets[index].Name, size) || size[0] <= 0 || size[1] <= 0) continue;
    std::vector<uint32_t> pixels(size_t(size[0]) * size_t(size[1]));
    zw_sheet_pixels(Sheets[index].Name, pixels.data());
    screen.SetSheet(index, size[0], size[1], Sheets[index].ColourKey, std::move(pixels));
  }
}

void WebPlatform::LoadSound(int slot, const std::string& name) {
  if (slot >= 0 && slot < SoundSlotCount) zw_load_sound(slot, name.c_str());
}

// The page paces the frames (sixty a second from its animation callback); this only shows one:
// the rectangles that changed are turned into the canvas's bytes here, and the page puts just
// those on the canvas, straight from this memory.
void WebPlatform::Present(Renderer& screen) {
  screen.Finish();
  const std::vector<PixelRect>& changed = screen.Changed();
  std::vector<int> rects;
  rects.reserve(changed.size() * 4);
  for (const PixelRect& r : changed) {
    const int left = r.Left, right = r.Right;
    for (int y = r.Top; y < r.Bottom; ++y) {
      const uint32_t* __restrict from = screen.Pixels() + size_t(y) * Renderer::Width;
      uint32_t* __restrict to = Rgba.data() + size_t(y) * Renderer::Width;
      // 0x00RRGGBB to the bytes R, G, B, 255 (WebAssembly is little-endian): a whole pixel at a
      // time, so the loop runs four pixels to an instruction.
      for (int x = left; x < right; ++x) {
        const uint32_t p = from[x];
        to[x] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
      }
    }
    rects.insert(rects.end(), {r.Left, r.Top, r.Width(), r.Height()});
  }
  screen.TakeChanged();
  zw_present(reinterpret_cast<const uint8_t*>(Rgba.data()), rects.data(), int(rects.size() / 4));
}

EM_JS(void, zw_set_paused, (int paused), { ZorvaneWeb.setPaused(!!paused); });

// While paused the clock stands still, and the sound rests.
void WebPlatform::SetPaused(bool paused) {
  if (paused == Paused) return;
  Paused = paused;
  if (paused) {
    PausedFromStep = LastStep;
  } else {
    PausedSteps += LastStep - PausedFromStep;
    Ticks = static_cast<int32_t>(static_cast<uint32_t>((LastStep - PausedSteps) * 1000 / 60));
  }
  zw_set_paused(paused ? 1 : 0);
}

void WebPlatform::BeginFrame(long long frameNumber) {
  // The clock follows the steps, which the page runs at sixty a second: step n reads
  // floor(n * 1000 / 60) ms, paused steps left out, as the harness does, so a recorded run
  // replays the same here.
  LastStep = frameNumber;
  if (!Paused) Ticks = static_cast<int32_t>(static_cast<uint32_t>((frameNumber - PausedSteps) * 1000 / 60));
  zw_read_keys(Keys.data(), TouchKeys.data());
  int mouse[7] = {};
  zw_read_mouse(mouse);
  HaveAbsolute = HaveAbsolute || mouse[0];
  AbsoluteX = mouse[1];
  AbsoluteY = mouse[2];
  LeftHeld = mouse[3];
  RightHeld = mouse[4];
  if (mouse[5]) Pads.ReleaseAll();
  LostFocus = LostFocus || mouse[5];  // kept until the next command reports it
  PageHidden = mouse[6] != 0;
  int raw[4 * 6] = {};
  const int count = zw_read_pads(raw, 4);
  std::vector<PadReading> pads;
  for (int i = 0; i < count; ++i)
    pads.push_back({raw[6 * i], unsigned(raw[6 * i + 1]), raw[6 * i + 2], raw[6 * i + 3], raw[6 * i + 4], raw[6 * i + 5]});
  Pads.Update(pads);
}

FrameCommand WebPlatform::ReadCommand(bool pointerInUse) {
  FrameCommand c;
  std::array<bool, 256> held{};
  for (size_t k = 0; k < held.size(); ++k) held[k] = Keys[k] != 0;
  // The keyboard through the player's bindings; the touch controls and the pads are the game's keys.
  c.Keys = Bindings.Apply(held);
  for (size_t k = 0; k < c.Keys.size(); ++k) c.Keys[k] = c.Keys[k] || TouchKeys[k] != 0;
  Pads.AddKeys(c.Keys);
  ReadMouse(c.Dx, c.Dy, c.Left, c.Right, pointerInUse);
  // A hidden tab and a page that lost the focus pause a level, as the desktop's window does.
  c.FocusLost = LostFocus;
  LostFocus = false;
  c.Hidden = PageHidden;
  return c;
}

// As in the desktop's window: the game's pointer is put where the system pointer is (clamped to
// 0..780, 0..570 as the game clamps it), and in the menu the pad's stick moves it from there.
void WebPlatform::ReadMouse(int& dx, int& dy, bool& left, bool& right, bool pointerInUse) {
  int padDx = 0, padDy = 0;
  bool padLeft = false, padRight = false;
  if (pointerInUse) Pads.PointerStep(padDx, padDy, padLeft, padRight);
  left = LeftHeld || padLeft;
  right = RightHeld || padRight;
  int targetX = PointerX, targetY = PointerY;
  if (HaveAbsolute) {
    targetX = Clamp(AbsoluteX, 0, PointerMaxX);
    targetY = Clamp(AbsoluteY, 0, PointerMaxY);
  }
  if (padDx || padDy) {
    targetX = Clamp(targetX + padDx, 0, PointerMaxX);
    targetY = Clamp(targetY + padDy, 0, PointerMaxY);
    // The page cannot move the system pointer: the pad's pointer holds until the mouse moves.
    EM_ASM({ ZorvaneWeb.mouse.x = $0; ZorvaneWeb.mouse.y = $1; ZorvaneWeb.mouse.have = true; }, targetX, targetY);
    HaveAbsolute = true;
  }
  dx = targetX - PointerX;
  dy = targetY - PointerY;
  PointerX = targetX;
  PointerY = targetY;
}

void WebPlatform::PlaySound(int slot) { zw_play_sound(slot); }
void WebPlatform::LoadMusic(const std::string& name) { zw_load_music(name.c_str()); }
void WebPlatform::PlayMusic() { zw_play_music(); }
void WebPlatform::StopMusic() { zw_stop_music(); }
void WebPlatform::SetMusicVolume(int hundredthsOfDb) { zw_music_volume(hundredthsOfDb); }
void WebPlatform::SetVolumes(int effects, int music) {
  zw_set_volumes(Clamp(effects, 0, 100), Clamp(music, 0, 100));
}
