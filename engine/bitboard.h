// Positions as two 64-bit masks, for the searches' inner loops. The rules on the 10 x 10
// Boards stay the game's own operations; the searches convert their root position once and
// work on masks inside the tree.
//
// Square (x, y) is bit (x - 1) * 8 + (y - 1): a column is one byte, and the set bits of a mask
// taken from the lowest up come in the scan order of the rules (x outer, y inner).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "rules/board.h"

using Bitboard = uint64_t;

// The move generator and the flips are the searches' inner loop; inlined at each call.
#if defined(__GNUC__)
#define BITBOARD_HOT inline __attribute__((always_inline))
#else
#define BITBOARD_HOT inline
#endif

constexpr int bitIndex(int x, int y) {
  return (x - 1) * 8 + (y - 1);
}
constexpr Bitboard squareBit(int x, int y) {
  return Bitboard{1} << bitIndex(x, y);
}
constexpr int bitX(int index) {
  return index / 8 + 1;
}
constexpr int bitY(int index) {
  return index % 8 + 1;
}

constexpr Bitboard NOT_ROW_1 = 0xFEFEFEFEFEFEFEFEull;  // every square but y = 1
constexpr Bitboard NOT_ROW_8 = 0x7F7F7F7F7F7F7F7Full;  // every square but y = 8
constexpr Bitboard INNER_ROWS = NOT_ROW_1 & NOT_ROW_8;

// Without the POPCNT instruction the compiler's helper walks a table; this is branch-free.
inline int popCountPortable(Bitboard b) {
  b = b - ((b >> 1) & 0x5555555555555555ull);
  b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
  b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((b * 0x0101010101010101ull) >> 56);
}

inline int popCount(Bitboard b) {
#if defined(__GNUC__) && defined(__POPCNT__)
  return __builtin_popcountll(b);
#else
  return popCountPortable(b);
#endif
}

// The index of the lowest set bit; b must not be 0.
inline int lowestBit(Bitboard b) {
#if defined(__GNUC__)
  return __builtin_ctzll(b);
#else
  int n = 0;
  while ((b & 1) == 0) {
    b >>= 1;
    ++n;
  }
  return n;
#endif
}

// Every bit moved one square in the direction (DX, DY) of DIR_X/DIR_Y: x by 8 bits, y by 1.
// A step along y may wrap into the next column; shift() leaves that to its caller, step()
// drops the bits that leave the board.
template <int DX, int DY>
inline Bitboard shift(Bitboard b) {
  constexpr int bits = 8 * DX + DY;
  if constexpr (bits > 0) {
    return b << bits;
  } else {
    return b >> -bits;
  }
}

template <int DX, int DY>
inline Bitboard step(Bitboard b) {
  const Bitboard moved = shift<DX, DY>(b);
  if constexpr (DY > 0) return moved & NOT_ROW_1;
  if constexpr (DY < 0) return moved & NOT_ROW_8;
  return moved;
}

namespace bitboard_detail {

// The moves that outflank runs along one line through the square's neighbours in both
// directions of a step of `bits` bits: through holds the discs a run may pass, restricted to
// rows 2 to 7 for steps that move along y so that no shift wraps between columns. A run has
// at most six discs: two single steps, then two double steps.
template <int BITS, typename Masks>
inline Masks movesAlong(Masks mine, Masks through) {
  Masks up = through & (mine << BITS);
  Masks down = through & (mine >> BITS);
  up |= through & (up << BITS);
  down |= through & (down >> BITS);
  const Masks pairUp = through & (through << BITS);
  const Masks pairDown = pairUp >> BITS;
  up |= pairUp & (up << (2 * BITS));
  down |= pairDown & (down >> (2 * BITS));
  up |= pairUp & (up << (2 * BITS));
  down |= pairDown & (down >> (2 * BITS));
  return (up << BITS) | (down >> BITS);
}

// The four lines through a square, each read as one byte: its column (the column's byte, a
// bit per row), its row (a bit per column) and its two diagonals (a bit per row: a diagonal
// meets every row at most once, so summing its squares' bytes gathers it by row).
struct Diagonals {
  Bitboard rising[64];   // x and y grow together
  Bitboard falling[64];  // x grows as y falls
};

constexpr Diagonals diagonals() {
  Diagonals out{};
  for (int i = 0; i < 64; ++i) {
    for (int j = 0; j < 64; ++j) {
      if (bitX(j) - bitX(i) == bitY(j) - bitY(i)) out.rising[i] |= Bitboard{1} << j;
      if (bitX(j) - bitX(i) == bitY(i) - bitY(j)) out.falling[i] |= Bitboard{1} << j;
    }
  }
  return out;
}

inline constexpr Diagonals DIAGONALS = diagonals();

constexpr Bitboard BYTE_LOW_BITS = 0x0101010101010101ull;

inline int columnByte(Bitboard b, int x) {  // x from 0
  return static_cast<int>((b >> (8 * x)) & 0xFF);
}
inline int rowByte(Bitboard b, int y) {  // y from 0; bit k for column k
  return static_cast<int>((((b >> y) & BYTE_LOW_BITS) * 0x0102040810204080ull) >> 56);
}
inline int diagonalByte(Bitboard b, Bitboard diagonal) {  // bit k for row k
  return static_cast<int>(((b & diagonal) * BYTE_LOW_BITS) >> 56);
}

// A move on one line of eight squares: the runs of theirs next to the move's place and the
// discs that end them, then what lies between.
struct LineTables {
  // [place][theirs on squares 1 to 6]: the square just beyond each run of theirs next to the
  // place (a disc on square 0 or 7 never lies inside a run).
  uint8_t beyondRun[8][64];
  // [place][ends]: the squares between the place and each end.
  uint8_t between[8][256];
  // A row's byte back on the board: bit k to bit 8k.
  Bitboard rowSpread[256];
};

constexpr LineTables lineTables() {
  LineTables out{};
  for (int place = 0; place < 8; ++place) {
    for (int inner = 0; inner < 64; ++inner) {
      const int theirs = inner << 1;
      for (int step : {-1, 1}) {
        int k = place + step;
        while (k >= 0 && k < 8 && (theirs >> k & 1)) k += step;
        if (k != place + step && k >= 0 && k < 8) out.beyondRun[place][inner] |= 1 << k;
      }
    }
    for (int ends = 0; ends < 256; ++ends) {
      for (int k = 0; k < 8; ++k) {
        if (!(ends >> k & 1)) continue;
        const int low = k < place ? k : place;
        const int high = k < place ? place : k;
        for (int j = low + 1; j < high; ++j) out.between[place][ends] |= 1 << j;
      }
    }
  }
  for (int byte = 0; byte < 256; ++byte) {
    for (int k = 0; k < 8; ++k) {
      if (byte >> k & 1) out.rowSpread[byte] |= Bitboard{1} << (8 * k);
    }
  }
  return out;
}

inline constexpr LineTables LINE_TABLES = lineTables();

constexpr int lineFlips(int place, int mine, int theirs) {
  return LINE_TABLES.between[place][LINE_TABLES.beyondRun[place][(theirs >> 1) & 63] & mine];
}

}  // namespace bitboard_detail

// The squares where the owner of mine may move.
BITBOARD_HOT Bitboard legalMoves(Bitboard mine, Bitboard other) {
  using namespace bitboard_detail;
  const Bitboard inner = other & INNER_ROWS;
  const Bitboard moves = movesAlong<1>(mine, inner) | movesAlong<8>(mine, other) |
                         movesAlong<7>(mine, inner) | movesAlong<9>(mine, inner);
  return moves & ~(mine | other);
}

// The legal moves of both sides: the evaluation needs both at every leaf.
struct MovesOfBoth {
  Bitboard mine;    // where the owner of mine may move
  Bitboard theirs;  // where the other side may move
};

// The legal moves of two positions (of the owners of mine0 and of mine1): the same shifts serve
// both, so where the compiler has 128-bit vectors (SSE2 on x86-64, NEON on ARM) the two lanes
// of one vector compute them together.
struct MovesOfTwo {
  Bitboard first;
  Bitboard second;
};

#if defined(__GNUC__) && (defined(__SSE2__) || defined(__ARM_NEON))
inline MovesOfTwo legalMovesOfTwo(Bitboard mine0, Bitboard other0, Bitboard mine1,
                                  Bitboard other1) {
  using namespace bitboard_detail;
  typedef Bitboard Pair __attribute__((vector_size(16)));
  const Pair discs = {mine0, mine1};
  const Pair through = {other0, other1};
  const Pair inner = through & INNER_ROWS;
  const Pair moves = movesAlong<1>(discs, inner) | movesAlong<8>(discs, through) |
                     movesAlong<7>(discs, inner) | movesAlong<9>(discs, inner);
  return MovesOfTwo{moves[0] & ~(mine0 | other0), moves[1] & ~(mine1 | other1)};
}
#else
inline MovesOfTwo legalMovesOfTwo(Bitboard mine0, Bitboard other0, Bitboard mine1,
                                  Bitboard other1) {
  return MovesOfTwo{legalMoves(mine0, other0), legalMoves(mine1, other1)};
}
#endif

// Both sides' moves, as the evaluation needs them at every leaf.
inline MovesOfBoth legalMovesOfBoth(Bitboard mine, Bitboard other) {
  const MovesOfTwo two = legalMovesOfTwo(mine, other, other, mine);
  return MovesOfBoth{two.first, two.second};
}

// The discs of other that a move of mine on square index turns over (0 when it brackets
// nothing, that is when the move is not legal on an empty square): line by line, through
// tables, and each line's flips put back on the board.
BITBOARD_HOT Bitboard flipsOf(int index, Bitboard mine, Bitboard other) {
  using namespace bitboard_detail;
  const int x = index >> 3;
  const int y = index & 7;
  const Bitboard rising = DIAGONALS.rising[index];
  const Bitboard falling = DIAGONALS.falling[index];
  const Bitboard column =
      static_cast<Bitboard>(lineFlips(y, columnByte(mine, x), columnByte(other, x)));
  const Bitboard row = LINE_TABLES.rowSpread[lineFlips(x, rowByte(mine, y), rowByte(other, y))];
  // A byte of rows repeated in every column, then each column's square of the diagonal.
  const Bitboard up =
      static_cast<Bitboard>(lineFlips(y, diagonalByte(mine, rising), diagonalByte(other, rising)));
  const Bitboard down = static_cast<Bitboard>(
      lineFlips(y, diagonalByte(mine, falling), diagonalByte(other, falling)));
  return column << (8 * x) | row << y | (up * BYTE_LOW_BITS & rising) |
         (down * BYTE_LOW_BITS & falling);
}

// The discs of side on a Board.
inline Bitboard discsOf(const Board& board, int side) {
  Bitboard out = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (board.at(x, y) == side) out |= squareBit(x, y);
    }
  }
  return out;
}
