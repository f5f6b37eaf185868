// The exact search's transposition table: what earlier searches proved about positions, kept
// from one decision to the next, since a position's value depends only on the position and on
// which side is the computer.
#pragma once

#include <cstdint>

#include "engine/bitboard.h"

namespace endgame_detail {

struct TableEntry {
  Bitboard mover;
  Bitboard other;
  int8_t lower;  // bounds of the value from the mover's view
  int8_t upper;
  uint8_t bestMove;  // bit index, or 64 for none
  uint8_t empties;   // of the position: how much search the bounds hold; 0 for an unused entry
  uint8_t computerToMove;
};

// Two entries share a hash: the first keeps the position with more empty squares, whose result
// cost more, the second the latest other one. The table is small enough to stay in the
// processor's cache, which pays more than the positions a larger one would keep: most are
// never asked for again.
struct Bucket {
  TableEntry deep;
  TableEntry recent;
};
constexpr int TABLE_BITS = 14;  // 16384 buckets, 768 KiB
extern Bucket table[1 << TABLE_BITS];

inline Bucket& bucketFor(Bitboard mover, Bitboard other, bool computerToMove) {
  uint64_t h = mover * 0x9E3779B97F4A7C15ull ^ (other + computerToMove) * 0xC2B2AE3D27D4EB4Full;
  h ^= h >> 31;
  return table[(h * 0xFF51AFD7ED558CCDull) >> (64 - TABLE_BITS)];
}

inline bool holds(const TableEntry& e, Bitboard mover, Bitboard other, bool computerToMove) {
  return e.mover == mover && e.other == other && e.empties != 0 &&
         e.computerToMove == static_cast<uint8_t>(computerToMove);
}

inline void prefetchBucket(const Bucket& b) {
#if defined(__GNUC__)
  __builtin_prefetch(&b);
#else
  (void)b;
#endif
}

inline const TableEntry* findEntry(const Bucket& b, Bitboard mover, Bitboard other,
                                   bool computerToMove) {
  if (holds(b.deep, mover, other, computerToMove)) return &b.deep;
  if (holds(b.recent, mover, other, computerToMove)) return &b.recent;
  return nullptr;
}

// A value at or below alpha is only an upper bound, one at or above beta a lower bound; what
// the entry knew already about the same position stays.
inline void storeEntry(Bucket& b, Bitboard mover, Bitboard other, bool computerToMove, int empties,
                       int alpha, int beta, int value, int bestMove) {
  TableEntry* e;
  if (holds(b.deep, mover, other, computerToMove)) {
    e = &b.deep;
  } else if (holds(b.recent, mover, other, computerToMove)) {
    e = &b.recent;
  } else {
    if (b.deep.empties <= empties) {
      b.recent = b.deep;
      e = &b.deep;
    } else {
      e = &b.recent;
    }
    *e = TableEntry{mover,
                    other,
                    -64,
                    64,
                    64,
                    static_cast<uint8_t>(empties),
                    static_cast<uint8_t>(computerToMove)};
  }
  if (value > alpha && value > e->lower) e->lower = static_cast<int8_t>(value);
  if (value < beta && value < e->upper) e->upper = static_cast<int8_t>(value);
  e->bestMove = static_cast<uint8_t>(bestMove);
}

}  // namespace endgame_detail
