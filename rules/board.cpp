#include "rules/board.h"

Board BoardStack[BOARD_STACK_SIZE];
Board FlipMarks;

int opponent(int side) {
  if (side == 1) return 2;
  if (side == 2) return 1;
  return 0;
}

int bracketedRun(const Board& b, int side, int x, int y, int d) {
  const int other = opponent(side);
  int k = 1;
  while (b.at(x + k * DIR_X[d], y + k * DIR_Y[d]) == other) ++k;
  // k is now the distance of the first square that is not the opponent's.
  if (k >= 2 && b.at(x + k * DIR_X[d], y + k * DIR_Y[d]) == side) return k - 1;
  return 0;
}

bool isLegalMove(int ply, int side, int x, int y) {
  return isLegalMove(BoardStack[ply], side, x, y);
}

bool isLegalMove(const Board& b, int side, int x, int y) {
  if (b.at(x, y) != 0) return false;
  for (int d = 0; d < 8; ++d) {
    if (bracketedRun(b, side, x, y, d) > 0) return true;
  }
  return false;
}

void playMove(int ply, int side, int x, int y) {
  playMove(BoardStack[ply], side, x, y);
}

void playMove(Board& b, int side, int x, int y) {
  b.at(x, y) = static_cast<int16_t>(side);
  // The rays of different directions meet only at (x, y), so flipping one never changes the
  // scan of another.
  for (int d = 0; d < 8; ++d) {
    const int run = bracketedRun(b, side, x, y, d);
    for (int k = 1; k <= run; ++k)
      b.at(x + k * DIR_X[d], y + k * DIR_Y[d]) = static_cast<int16_t>(side);
  }
}

void setStartPosition(Board& b) {
  b = Board{};
  b.at(4, 4) = 2;
  b.at(4, 5) = 1;
  b.at(5, 4) = 1;
  b.at(5, 5) = 2;
}

bool isGameOver(int ply) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (isLegalMove(ply, 1, x, y) || isLegalMove(ply, 2, x, y)) return false;
    }
  }
  return true;
}

int countDiscs(int ply, int side) {
  const Board& b = BoardStack[ply];
  int n = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (b.at(x, y) == side) ++n;
    }
  }
  return n;
}

void copyPly(int ply) {
  const Board& from = BoardStack[ply - 1];
  Board& to = BoardStack[ply];
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) to.at(x, y) = from.at(x, y);
  }
}

void playChild(int ply, int side, int x, int y) {
  copyPly(ply + 1);
  playMove(ply + 1, side, x, y);
}

int sideToPlay(int ply, int side, SquareList& moves) {
  moves = legalSquares(ply, side);
  if (moves.count > 0) return side;
  moves = legalSquares(ply, opponent(side));
  return moves.count > 0 ? opponent(side) : 0;
}

SquareList legalSquares(int ply, int side) {
  SquareList list;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (isLegalMove(ply, side, x, y)) list.square[list.count++] = Square{x, y};
    }
  }
  return list;
}
