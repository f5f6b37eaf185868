// Positions and squares written as text, as the analysis tool reads and writes them.
//
// A position is 64 cells, row 1 first (a1 b1 ... h1), then row 2, down to row 8: '.' empty,
// '1' side 1, '2' side 2. Spaces, line breaks and '/' between them are ignored, so a position
// can be written as eight rows; "start" is the starting position.
#pragma once

#include <string>

#include "rules/board.h"

// Reads text into b's playing squares (the border stays 0). On a malformed text, returns false
// with the reason in error, b unchanged.
bool parseBoardText(const std::string& text, Board& b, std::string& error);
std::string boardText(const Board& b);

// "f5" for 65.
std::string squareName(int code);
// 65 for "f5"; NO_SQUARE for anything that is not a square a1..h8.
int parseSquareName(const std::string& name);
