#include "rules/board_text.h"

bool parseBoardText(const std::string& text, Board& b, std::string& error) {
  if (text == "start") {
    setStartPosition(b);
    return true;
  }
  std::string cells;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '/') continue;
    if (c != '.' && c != '1' && c != '2') {
      error = "'" + std::string(1, c) + "' is not a square (use '.', '1' or '2')";
      return false;
    }
    cells += c;
  }
  if (cells.size() != 64) {
    error = std::to_string(cells.size()) + " squares given, 64 needed (row 1 first, a1 to h1)";
    return false;
  }
  b = Board{};
  for (int i = 0; i < 64; ++i) {
    b.at(i % 8 + 1, i / 8 + 1) = static_cast<int16_t>(cells[i] == '.' ? 0 : cells[i] - '0');
  }
  return true;
}

std::string boardText(const Board& b) {
  std::string out;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) out += ".12"[b.at(x, y)];
  }
  return out;
}

std::string squareName(int code) {
  const Square s = squareOf(code);
  return std::string(1, static_cast<char>('a' + s.x - 1)) + static_cast<char>('0' + s.y);
}

int parseSquareName(const std::string& name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') {
    return NO_SQUARE;
  }
  return squareCode(name[0] - 'a' + 1, name[1] - '0');
}
