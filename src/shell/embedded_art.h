// The art the executable carries (the sheet generator's sheets and the glyph atlas), put in the
// renderer. A sheet that is missing or damaged is said on standard error and a test pattern of
// its size stands in for it; without the atlas no text is shown.
#pragma once

#include <string>

class Renderer;

void LoadEmbeddedArt(Renderer& screen);
// One sheet by resource name (any case), as LoadEmbeddedArt loads it.
void LoadEmbeddedSheet(Renderer& screen, int index, const std::string& name);
