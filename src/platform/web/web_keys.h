// The keyboard's keys by KeyboardEvent.code, mapped to the PC scan codes the key table is indexed by.
#pragma once

struct WebKey {
  const char* Code;
  int Pc;
};
extern const WebKey WebKeys[];
extern const int WebKeyCount;
