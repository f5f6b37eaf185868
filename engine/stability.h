// Stable discs: discs that no sequence of moves can ever turn over, so that they belong to
// their owner at the end of the game whatever is played. The exact search bounds a position's
// value by them.
#pragma once

#include <cstdint>

#include "engine/bitboard.h"

namespace stability_detail {

// For an edge of the board as one line of eight squares, the occupied squares that keep their
// disc whatever is played on the edge's empty squares (by either side, in any order, a move
// turning over what it brackets along the edge): [mine << 8 | theirs]. A disc on an edge can
// only be turned over along the edge, so the line decides alone.
struct EdgeStability {
  uint8_t squares[256 * 256];
};

// A line's stable squares are those occupied now that every possible next disc, of either
// side on any empty square, leaves unturned and stable in the line it makes. Lines with fewer
// empty squares come first, so the lines a move makes are known when they are needed. Computed
// by the compiler: a program that starts for one decision does not pay for it.
constexpr EdgeStability edgeStability() {
  EdgeStability out{};
  for (int empties = 0; empties <= 8; ++empties) {
    for (int occupied = 0; occupied < 256; ++occupied) {
      int count = 0;
      for (int k = 0; k < 8; ++k) count += occupied >> k & 1;
      if (8 - count != empties) continue;
      // Every split of the occupied squares between the two sides.
      for (int mine = occupied;; mine = (mine - 1) & occupied) {
        const int theirs = occupied & ~mine;
        int stable = occupied;
        for (int at = 0; at < 8; ++at) {
          if (occupied >> at & 1) continue;
          for (int first = 0; first < 2; ++first) {
            const int mover = first ? mine : theirs;
            const int other = first ? theirs : mine;
            const int flips = bitboard_detail::lineFlips(at, mover, other);
            stable &= ~flips & out.squares[(mover | flips | 1 << at) << 8 | (other & ~flips)];
          }
        }
        out.squares[mine << 8 | theirs] = static_cast<uint8_t>(stable);
        if (mine == 0) break;
      }
    }
  }
  return out;
}

inline constexpr EdgeStability EDGE_STABILITY = edgeStability();

inline int edgeStable(int mine, int theirs) {
  return EDGE_STABILITY.squares[mine << 8 | theirs] & mine;
}

// The squares whose line in one direction (a step of BITS bits, 7 or 9 for the diagonals)
// holds an empty square: the empty squares spread one, two, then four steps both ways. A
// shift along a diagonal also moves one row, so the rows it would wrap into are masked.
template <int BITS>
inline Bitboard diagonalsWithEmpty(Bitboard empty) {
  constexpr bool rising = BITS == 9;  // y grows with x
  constexpr Bitboard up1 = rising ? 0xFEFEFEFEFEFEFEFEull : 0x7F7F7F7F7F7F7F7Full;
  constexpr Bitboard up2 = rising ? 0xFCFCFCFCFCFCFCFCull : 0x3F3F3F3F3F3F3F3Full;
  constexpr Bitboard up4 = rising ? 0xF0F0F0F0F0F0F0F0ull : 0x0F0F0F0F0F0F0F0Full;
  constexpr Bitboard down1 = rising ? 0x7F7F7F7F7F7F7F7Full : 0xFEFEFEFEFEFEFEFEull;
  constexpr Bitboard down2 = rising ? 0x3F3F3F3F3F3F3F3Full : 0xFCFCFCFCFCFCFCFCull;
  constexpr Bitboard down4 = rising ? 0x0F0F0F0F0F0F0F0Full : 0xF0F0F0F0F0F0F0F0ull;
  Bitboard e = empty;
  e |= (e << BITS & up1) | (e >> BITS & down1);
  e |= (e << (2 * BITS) & up2) | (e >> (2 * BITS) & down2);
  e |= (e << (4 * BITS) & up4) | (e >> (4 * BITS) & down4);
  return e;
}

constexpr Bitboard INNER_SQUARES = 0x007E7E7E7E7E7E00ull;  // x and y from 2 to 7

}  // namespace stability_detail

// The discs of mine that can never be turned over, theirs being the other side's: those on an
// edge that the edge's own play cannot reach, and then, growing from them, every inner disc
// that along each of the four lines through it either sees no empty square or touches a
// stable disc of its own. A subset of the truly stable discs, never more.
inline Bitboard stableDiscs(Bitboard mine, Bitboard theirs) {
  using namespace stability_detail;
  const Bitboard occupied = mine | theirs;

  // The edges: columns a and h are bytes, rows 1 and 8 a bit of every byte.
  using bitboard_detail::columnByte;
  using bitboard_detail::LINE_TABLES;
  using bitboard_detail::rowByte;
  Bitboard stable = static_cast<Bitboard>(edgeStable(columnByte(mine, 0), columnByte(theirs, 0))) |
                    static_cast<Bitboard>(edgeStable(columnByte(mine, 7), columnByte(theirs, 7)))
                        << 56 |
                    LINE_TABLES.rowSpread[edgeStable(rowByte(mine, 0), rowByte(theirs, 0))] |
                    LINE_TABLES.rowSpread[edgeStable(rowByte(mine, 7), rowByte(theirs, 7))] << 7;

  // The full lines through each square, one mask per direction.
  Bitboard column = occupied & occupied >> 4;
  column &= column >> 2;
  column &= column >> 1;
  const Bitboard fullColumns = (column & bitboard_detail::BYTE_LOW_BITS) * 0xFF;
  Bitboard row = occupied & occupied >> 32;
  row &= row >> 16;
  row &= row >> 8;
  const Bitboard fullRows = (row & 0xFF) * bitboard_detail::BYTE_LOW_BITS;
  const Bitboard fullRising = ~diagonalsWithEmpty<9>(~occupied);
  const Bitboard fullFalling = ~diagonalsWithEmpty<7>(~occupied);

  // Inner discs: each line full or a stable neighbour of their own on it. An inner square's
  // neighbours are all on the board, so no shift wraps into a candidate.
  const Bitboard inner = mine & INNER_SQUARES;
  stable |= inner & fullColumns & fullRows & fullRising & fullFalling;
  for (;;) {
    const Bitboard more = inner & ~stable & (fullColumns | stable << 1 | stable >> 1) &
                          (fullRows | stable << 8 | stable >> 8) &
                          (fullRising | stable << 9 | stable >> 9) &
                          (fullFalling | stable << 7 | stable >> 7);
    if (more == 0) return stable;
    stable |= more;
  }
}
