#include "platform/resources.h"

EmbeddedResource FindSheetImage(std::string_view) { return {}; }
EmbeddedResource FindFont() { return {}; }
