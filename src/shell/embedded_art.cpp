#include "shell/embedded_art.h"

#include <iostream>
#include <vector>

#include "core/sheets.h"
#include "platform/resources.h"
#include "render/renderer.h"
#include "render/test_pattern.h"

void LoadEmbeddedSheet(Renderer& screen, int index, const std::string& name) {
  if (index < 0 || index >= SheetCount) return;
  const SheetInfo& info = Sheets[index];
  const EmbeddedResource res = FindSheetImage(name);
  if (res.Data && res.Size && res.Width > 0 && res.Height > 0) {
    std::vector<uint32_t> pixels(size_t(res.Width) * size_t(res.Height));
    if (UnpackSheetImage(res, pixels.data())) {
      screen.SetSheet(index, res.Width, res.Height, info.ColourKey, std::move(pixels));
      return;
    }
    std::cerr << "zorvane2: the sheet " << name << " is unreadable; a test pattern stands in for it\n";
  }
  TextSetter letters;
  const EmbeddedResource glyphs = FindGlyphAtlas();
  letters.Atlas.Read(glyphs.Data, glyphs.Size);
  screen.SetSheet(index, info.Width, info.Height, info.ColourKey,
                  TestPattern(index, info.Width, info.Height, info.ColourKey, name, letters));
}

void LoadEmbeddedArt(Renderer& screen) {
  const EmbeddedResource glyphs = FindGlyphAtlas();
  if (!screen.SetGlyphs(glyphs.Data, glyphs.Size))
    std::cerr << "zorvane2: the letters of the game's text are missing; no text will be shown\n";
  for (int i = 0; i < SheetCount; ++i) LoadEmbeddedSheet(screen, i, Sheets[i].Name);
}
