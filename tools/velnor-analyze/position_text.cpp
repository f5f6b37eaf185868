#include "position_text.h"

#include "command.h"

void parsePosition(const std::string& text, Board& b) {
  std::string error;
  if (!parseBoardText(text, b, error)) throw UsageError("position: " + error);
}

int parseSide(const std::string& text) {
  if (text == "1") return 1;
  if (text == "2") return 2;
  throw UsageError("side: '" + text + "' is not a side (use 1 or 2)");
}

int parseSquare(const std::string& text) {
  const int code = parseSquareName(text);
  if (code == NO_SQUARE) throw UsageError("square: '" + text + "' is not a square a1..h8");
  return code;
}

std::string legalSquareNames(int ply, int side) {
  std::string out;
  for (const Square s : legalSquares(ply, side)) {
    if (!out.empty()) out += ' ';
    out += squareName(s.code());
  }
  return out;
}
