// Building positions for tests from text (rules/board_text.h): 64 characters, row 1 first
// (a1 b1 ... h1), '.' empty, '1' and '2' the sides; spaces are ignored.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "rules/board.h"
#include "rules/board_text.h"

inline void setBoard(Board& b, const std::string& text) {
  std::string error;
  if (!parseBoardText(text, b, error)) ADD_FAILURE() << "malformed test position: " << error;
}

inline bool bordersAreZero(const Board& b) {
  for (int i = 0; i < 10; ++i) {
    if (b.at(i, 0) || b.at(i, 9) || b.at(0, i) || b.at(9, i)) return false;
  }
  return true;
}
