// Building positions for tests from text: 64 characters, row 1 first (a1 b1 ... h1), '.'
// empty, '1' and '2' the sides; spaces are ignored.
#pragma once

#include <string>

#include "rules/board.h"

inline void setBoard(Board& b, const std::string& text) {
  b = Board{};
  int i = 0;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '/') continue;
    if (i < 64) b.at(i % 8 + 1, i / 8 + 1) = static_cast<int16_t>(c == '.' ? 0 : c - '0');
    ++i;
  }
}

inline std::string boardText(const Board& b) {
  std::string out;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) out += b.at(x, y) == 0 ? '.' : static_cast<char>('0' + b.at(x, y));
  }
  return out;
}

inline bool bordersAreZero(const Board& b) {
  for (int i = 0; i < 10; ++i) {
    if (b.at(i, 0) || b.at(i, 9) || b.at(0, i) || b.at(9, i)) return false;
  }
  return true;
}
