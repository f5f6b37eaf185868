// Positions, sides and squares as the tool reads and writes them.
//
// A position is 64 characters, row 1 first (a1 b1 ... h1), then row 2, down to row 8: '.'
// empty, '1' side 1, '2' side 2; spaces and '/' are ignored; "start" is the starting position.
#pragma once

#include <string>

#include "rules/board.h"

// Reads a position into b (playing squares only; the border stays 0). Throws UsageError.
void parsePosition(const std::string& text, Board& b);
std::string formatPosition(const Board& b);

// 1 or 2; throws UsageError otherwise.
int parseSide(const std::string& text);

// "f5" -> 65; throws UsageError for anything that is not a square a1..h8.
int parseSquare(const std::string& text);
std::string squareName(int code);

// Legal squares of side on ply as names in scan order (x outer, y inner), space-separated.
std::string legalSquareNames(int ply, int side);
