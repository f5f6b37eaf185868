// Positions as two 64-bit masks, for the searches' inner loops. The rules on the 10 x 10
// Boards stay the game's own operations; the searches convert their root position once and
// work on masks inside the tree.
//
// Square (x, y) is bit (x - 1) * 8 + (y - 1): a column is one byte, and the set bits of a mask
// taken from the lowest up come in the scan order of the rules (x outer, y inner).
#pragma once

#include <cstdint>

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

inline int popCount(Bitboard b) {
#if defined(__GNUC__) && defined(__POPCNT__)
  return __builtin_popcountll(b);
#else
  // Without the instruction the compiler's helper walks a table; this is branch-free.
  b = b - ((b >> 1) & 0x5555555555555555ull);
  b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
  b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((b * 0x0101010101010101ull) >> 56);
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

// The squares beyond `from` in direction d of DIR_X/DIR_Y, to the edge of the board.
struct Rays {
  Bitboard from[8][64];
};

constexpr Rays rays() {
  Rays out{};
  constexpr int dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
  constexpr int dy[8] = {1, 1, 1, 0, 0, -1, -1, -1};
  for (int d = 0; d < 8; ++d) {
    for (int i = 0; i < 64; ++i) {
      for (int x = bitX(i) + dx[d], y = bitY(i) + dy[d]; x >= 1 && x <= 8 && y >= 1 && y <= 8;
           x += dx[d], y += dy[d]) {
        out.from[d][i] |= squareBit(x, y);
      }
    }
  }
  return out;
}

inline constexpr Rays RAYS = rays();

// The run of other's discs from the move along a ray to higher bits, if a disc of mine ends
// it: the nearest square that is not theirs must be mine. Without branches, which the flips'
// data would keep mispredicting.
inline Bitboard flipsUp(Bitboard ray, Bitboard mine, Bitboard other) {
  const Bitboard ends = ray & ~other;
  const Bitboard end = ends & (0 - ends) & mine;  // the nearest end if it is mine, else 0
  return ray & (end - static_cast<Bitboard>(end != 0));
}

// The board mirrored left to right (x to 9 - x): the columns' bytes in reverse order. Rays
// to lower columns become rays to higher bits.
inline Bitboard mirrored(Bitboard b) {
#if defined(__GNUC__)
  return __builtin_bswap64(b);
#else
  b = ((b >> 8) & 0x00FF00FF00FF00FFull) | ((b & 0x00FF00FF00FF00FFull) << 8);
  b = ((b >> 16) & 0x0000FFFF0000FFFFull) | ((b & 0x0000FFFF0000FFFFull) << 16);
  return (b >> 32) | (b << 32);
#endif
}

// Within a column, towards row 1: the byte's bits below the move's, nearest first.
struct Below {
  uint8_t nearestEnd[8][256];  // [row bit][squares not theirs]: the nearest of them, or 0
};

constexpr Below below() {
  Below out{};
  for (int bit = 0; bit < 8; ++bit) {
    for (int ends = 0; ends < 256; ++ends) {
      for (int b = bit - 1; b >= 0; --b) {
        if (ends & (1 << b)) {
          out.nearestEnd[bit][ends] = static_cast<uint8_t>(1 << b);
          break;
        }
      }
    }
  }
  return out;
}

inline constexpr Below BELOW = below();

inline Bitboard flipsTowardsRowOne(int index, Bitboard mine, Bitboard other) {
  const int shift = index & ~7;
  const int bit = index & 7;
  const int end = BELOW.nearestEnd[bit][~(other >> shift) & 0xFF] & (mine >> shift);
  // The squares between the end and the move; none without an end.
  const int run = ((1 << bit) - 1) & ~((end << 1) - 1);
  return static_cast<Bitboard>(run & 0xFF) << shift;
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

#if defined(__GNUC__) && (defined(__SSE2__) || defined(__ARM_NEON))
// Both sides' moves come from the same shifts, so the two lanes of one vector compute them
// together (SSE2 on x86-64, NEON on ARM).
inline MovesOfBoth legalMovesOfBoth(Bitboard mine, Bitboard other) {
  using namespace bitboard_detail;
  typedef Bitboard Pair __attribute__((vector_size(16)));
  const Pair discs = {mine, other};
  const Pair through = {other, mine};
  const Pair inner = through & INNER_ROWS;
  const Pair moves = movesAlong<1>(discs, inner) | movesAlong<8>(discs, through) |
                     movesAlong<7>(discs, inner) | movesAlong<9>(discs, inner);
  const Bitboard empty = ~(mine | other);
  return MovesOfBoth{moves[0] & empty, moves[1] & empty};
}
#else
inline MovesOfBoth legalMovesOfBoth(Bitboard mine, Bitboard other) {
  return MovesOfBoth{legalMoves(mine, other), legalMoves(other, mine)};
}
#endif

// The discs of other that a move of mine on square index turns over (0 when it brackets
// nothing, that is when the move is not legal on an empty square).
BITBOARD_HOT Bitboard flipsOf(int index, Bitboard mine, Bitboard other) {
  using namespace bitboard_detail;
  const Bitboard(&ray)[8][64] = RAYS.from;
  // Directions 1, 2, 4 and 7 (+1, +9, +8, +7 bits) step to higher bits. Mirrored, directions
  // 0, 3 and 5 are directions 2, 4 and 7 from the mirrored square; direction 6 stays in its
  // column.
  const int m = index ^ 56;
  const Bitboard mineMirrored = mirrored(mine);
  const Bitboard otherMirrored = mirrored(other);
  return flipsUp(ray[1][index], mine, other) | flipsUp(ray[2][index], mine, other) |
         flipsUp(ray[4][index], mine, other) | flipsUp(ray[7][index], mine, other) |
         mirrored(flipsUp(ray[2][m], mineMirrored, otherMirrored) |
                  flipsUp(ray[4][m], mineMirrored, otherMirrored) |
                  flipsUp(ray[7][m], mineMirrored, otherMirrored)) |
         flipsTowardsRowOne(index, mine, other);
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
