// The game's state as JSON, for the harness's dumps and traces.
#pragma once

#include <string>

struct Game;

// One JSON object on one line. Without the spawn table and the stars when brief (traces).
std::string StateJson(const Game& g, bool brief);
