// The menu screen with its shop and hover texts, and the status display of play frames.
#pragma once

#include "shell/types.h"

struct Game;

void MenuFrame(Game& g);
void CompletionUpdate(Game& g);
void UnlockUpdate(Game& g);
void StatusDisplay(Game& g);
