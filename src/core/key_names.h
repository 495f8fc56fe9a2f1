// The names of the keyboard's keys, by the PC scan codes the game reads: a letter or a digit by
// its place on a US keyboard, ESCAPE, SPACE, ENTER and the arrows by their names, any other key by
// its number. Scripts, the settings file and the controls shown in play use these names.
#pragma once

#include <string>

inline std::string KeyNameForCode(int code) {
  switch (code) {
    case 1: return "ESCAPE";
    case 28: return "ENTER";
    case 57: return "SPACE";
    case 200: return "UP";
    case 203: return "LEFT";
    case 205: return "RIGHT";
    case 208: return "DOWN";
    default: break;
  }
  static const char* const rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int rowStart[] = {16, 30, 44};
  for (int r = 0; r < 3; ++r)
    for (int i = 0; rows[r][i]; ++i)
      if (rowStart[r] + i == code) return std::string(1, rows[r][i]);
  if (code >= 2 && code <= 10) return std::string(1, char('1' + code - 2));
  if (code == 11) return "0";
  return std::to_string(code);  // two or three digits: never read as a digit key
}
