// The keyboard as the game knows it: classic PC (DirectInput) scan codes.
#pragma once

// The PC scan code (1 Escape, 16 Q, 30 A, 57 Space, 200 Up, ...) of an SDL scancode; 0 for a
// key a PC keyboard does not have. Codes run up to 255 (the Windows keys are 219 and 220, the
// media keys above them); the game's key table tracks 1 to 211 of them.
int PcScanCode(int sdlScancode);
