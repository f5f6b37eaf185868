#include "engine/stability.h"

namespace stability_detail {

namespace {

// A line's stable squares are those occupied now that every possible next disc, of either
// side on any empty square, leaves unturned and stable in the line it makes. Lines with fewer
// empty squares come first, so the lines a move makes are known when they are needed.
void fillEdgeStable() {
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
            stable &= ~flips & edgeStableSquares[(mover | flips | 1 << at) << 8 | (other & ~flips)];
          }
        }
        edgeStableSquares[mine << 8 | theirs] = static_cast<uint8_t>(stable);
        if (mine == 0) break;
      }
    }
  }
}

struct Filled {
  Filled() { fillEdgeStable(); }
} filled;

}  // namespace

uint8_t edgeStableSquares[256 * 256];

}  // namespace stability_detail
