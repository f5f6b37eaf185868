// What the exact search knows of the board's squares: the quadrants whose parity orders the
// moves near the end, the neighbours a move needs, and how many discs the last move turns over.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "engine/bitboard.h"

namespace endgame_detail {

// The four quadrants of the board. Playing first in a region with an odd number of empty
// squares tends to give the last move there. A position's parity is a bit per quadrant, set
// while the quadrant has an odd number of empty squares; every move flips its quadrant's bit.
constexpr Bitboard QUADRANTS[4] = {0x000000000F0F0F0Full, 0x00000000F0F0F0F0ull,
                                   0x0F0F0F0F00000000ull, 0xF0F0F0F000000000ull};

struct SquareTables {
  uint8_t quadrantBit[64];    // the quadrant of a square, as its parity bit
  Bitboard oddSquares[16];    // the squares of the quadrants of a parity
  Bitboard neighbours[64];    // the squares around a square: a move needs the other side there
  uint8_t lastFlips[8][256];  // [place on a full line][the mover's discs on it]: discs turned
};

constexpr SquareTables squareTables() {
  SquareTables out{};
  for (int q = 0; q < 4; ++q) {
    for (int i = 0; i < 64; ++i) {
      if ((QUADRANTS[q] >> i) & 1) out.quadrantBit[i] = static_cast<uint8_t>(1 << q);
    }
    for (int parity = 0; parity < 16; ++parity) {
      if ((parity >> q) & 1) out.oddSquares[parity] |= QUADRANTS[q];
    }
  }
  for (int i = 0; i < 64; ++i) {
    for (int j = 0; j < 64; ++j) {
      const int dx = bitX(j) - bitX(i);
      const int dy = bitY(j) - bitY(i);
      if (j != i && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        out.neighbours[i] |= Bitboard{1} << j;
      }
    }
  }
  // On a line whose every other square is occupied, what is not the mover's is the other
  // side's; squares off the board at the ends of a short diagonal read as the other side's
  // too, and no run ends on them.
  for (int place = 0; place < 8; ++place) {
    for (int mine = 0; mine < 256; ++mine) {
      int n = 0;
      for (int step : {-1, 1}) {
        int k = place + step;
        while (k >= 0 && k < 8 && !(mine & (1 << k))) k += step;
        if (k >= 0 && k < 8) n += (k - place) * step - 1;
      }
      out.lastFlips[place][mine] = static_cast<uint8_t>(n);
    }
  }
  return out;
}

inline constexpr SquareTables SQUARE_TABLES = squareTables();

inline int quadrantBit(int index) {
  return SQUARE_TABLES.quadrantBit[index];
}

// The parity of a set of empty squares.
inline int parityOf(Bitboard empty) {
  int parity = 0;
  for (int q = 0; q < 4; ++q) {
    Bitboard b = empty & QUADRANTS[q];
    int odd = 0;
    for (; b != 0; b &= b - 1) odd ^= 1;
    parity |= odd << q;
  }
  return parity;
}

// Whether a move on the empty square index may be legal: the other side has a disc next to it.
inline bool nextToOther(int index, Bitboard other) {
  return (SQUARE_TABLES.neighbours[index] & other) != 0;
}

// The discs a move on the board's only empty square turns over, from the mover's discs along
// the four lines through it.
inline int lastMoveFlips(int index, Bitboard mine) {
  using namespace bitboard_detail;
  const int x = index >> 3;
  const int y = index & 7;
  const auto& count = SQUARE_TABLES.lastFlips;
  return count[y][columnByte(mine, x)] + count[x][rowByte(mine, y)] +
         count[y][diagonalByte(mine, DIAGONALS.rising[index])] +
         count[y][diagonalByte(mine, DIAGONALS.falling[index])];
}

}  // namespace endgame_detail
