// Positions, sides and squares as the tool reads and writes them (rules/board_text.h), with
// malformed input refused as a usage error.
#pragma once

#include <string>

#include "rules/board.h"
#include "rules/board_text.h"

// Reads a position into b (playing squares only; the border stays 0). Throws UsageError.
void parsePosition(const std::string& text, Board& b);

// 1 or 2; throws UsageError otherwise.
int parseSide(const std::string& text);

// "f5" -> 65; throws UsageError for anything that is not a square a1..h8.
int parseSquare(const std::string& text);

// Legal squares of side on ply as names in scan order (x outer, y inner), space-separated.
std::string legalSquareNames(int ply, int side);
