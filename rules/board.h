// The board and the rules of a move: legality, flips, the end of the game.
//
// Every operation works on one Board of the BoardStack, chosen by its ply: ply 0 is the
// position on screen, the plies above it are the computer's scratch positions.
#pragma once

#include <cstdint>

// A Board is 10 x 10 cells addressed by x * 10 + y, x the column and y the row (1..8 on
// the board). The cells with x or y equal to 0 or 9 are a border that is always 0: it ends
// every scan, so no scan needs a bounds test.
struct Board {
  int16_t cell[100];  // side on each square: 0 empty, 1 side 1, 2 side 2

  int16_t& at(int x, int y) { return cell[x * 10 + y]; }
  int16_t at(int x, int y) const { return cell[x * 10 + y]; }
};

// The exact endgame search starts with at most this many empty squares.
constexpr int MAX_SEARCH_EMPTIES = 16;

// One Board per ply. A line of the exact search with E empty squares plays the root move on
// ply 1 and spends one ply on every later move and every pass. It has at most E moves, and a
// pass comes only before a move (the search stops as soon as neither side can move), never
// before the root move, so at most E - 1 passes: the deepest ply is 2E - 1. The depth-limited
// search reaches ply 6 at most.
constexpr int BOARD_STACK_SIZE = 2 * MAX_SEARCH_EMPTIES;

extern Board BoardStack[BOARD_STACK_SIZE];

// 1 on the playing squares that the last move on ply 0 turned over, 0 elsewhere.
extern Board FlipMarks;

// Steps of the eight scan directions, in the order every scan uses.
// d:        0   1   2   3   4   5   6   7
constexpr int16_t DIR_X[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int16_t DIR_Y[8] = {1, 1, 1, 0, 0, -1, -1, -1};

// A square by its column x and row y, 1..8 each. Its code x * 10 + y (11..88) names it in the
// move list and the opening book; code 0, the square (0, 0), is no square.
struct Square {
  int x;
  int y;

  constexpr int code() const { return x * 10 + y; }
};

constexpr int NO_SQUARE = 0;

constexpr int squareCode(int x, int y) {
  return x * 10 + y;
}

constexpr Square squareOf(int code) {
  return Square{code / 10, code % 10};
}

constexpr bool isPlayingSquare(int x, int y) {
  return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

// 2 for 1, 1 for 2, 0 for anything else.
int opponent(int side);

bool isLegalMove(int ply, int side, int x, int y);
bool isLegalMove(const Board& b, int side, int x, int y);

// Places side's piece on (x, y) and turns over every bracketed run. The caller passes a
// legal move; nothing is checked.
void playMove(int ply, int side, int x, int y);
void playMove(Board& b, int side, int x, int y);

// Empties b and puts the four discs of a new game in the centre: d4 and e5 side 2's, d5 and e4
// side 1's.
void setStartPosition(Board& b);

// True when neither side has a legal move.
bool isGameOver(int ply);

int countDiscs(int ply, int side);

// Copies the 64 playing squares of ply - 1 into ply (ply >= 1).
void copyPly(int ply);

// The position after side plays (x, y) on ply, built on ply + 1: copyPly, then playMove.
void playChild(int ply, int side, int x, int y);

// Squares in scan order, at most one per playing square.
struct SquareList {
  Square square[64];
  int count = 0;

  const Square* begin() const { return square; }
  const Square* end() const { return square + count; }
};

// The legal squares of side on ply in scan order: x outer, y inner.
SquareList legalSquares(int ply, int side);

// Who moves on ply when it is side's turn: side, or its opponent when side has to pass; 0 when
// neither can move. moves receives the legal squares of the side that moves.
int sideToPlay(int ply, int side, SquareList& moves);

// Length of the run of opponent pieces bracketed from (x, y) in direction d on board b, or 0
// when the direction brackets nothing. Shared by the legality test, the flips and the novice
// levels' flip count.
int bracketedRun(const Board& b, int side, int x, int y, int d);
