#include "position_text.h"

#include "command.h"

void parsePosition(const std::string& text, Board& b) {
  b = Board{};
  std::string cells;
  if (text == "start") {
    cells = std::string(27, '.') + "21......12" + std::string(27, '.');
  } else {
    for (char c : text) {
      if (c == ' ' || c == '/') continue;
      if (c != '.' && c != '1' && c != '2') {
        throw UsageError("position: '" + std::string(1, c) +
                         "' is not a square (use '.', '1' or '2')");
      }
      cells += c;
    }
  }
  if (cells.size() != 64) {
    throw UsageError("position: " + std::to_string(cells.size()) +
                     " squares given, 64 needed (row 1 first, a1 to h1)");
  }
  for (int i = 0; i < 64; ++i) {
    const int x = i % 8 + 1;
    const int y = i / 8 + 1;
    b.at(x, y) = static_cast<int16_t>(cells[i] == '.' ? 0 : cells[i] - '0');
  }
}

std::string formatPosition(const Board& b) {
  std::string out;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) out += b.at(x, y) == 0 ? '.' : static_cast<char>('0' + b.at(x, y));
  }
  return out;
}

int parseSide(const std::string& text) {
  if (text == "1") return 1;
  if (text == "2") return 2;
  throw UsageError("side: '" + text + "' is not a side (use 1 or 2)");
}

int parseSquare(const std::string& text) {
  if (text.size() != 2 || text[0] < 'a' || text[0] > 'h' || text[1] < '1' || text[1] > '8') {
    throw UsageError("square: '" + text + "' is not a square a1..h8");
  }
  return squareCode(text[0] - 'a' + 1, text[1] - '0');
}

std::string squareName(int code) {
  return std::string(1, static_cast<char>('a' + code / 10 - 1)) +
         static_cast<char>('0' + code % 10);
}

std::string legalSquareNames(int ply, int side) {
  std::string out;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!isLegalMove(ply, side, x, y)) continue;
      if (!out.empty()) out += ' ';
      out += squareName(squareCode(x, y));
    }
  }
  return out;
}
