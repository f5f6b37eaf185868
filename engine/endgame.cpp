// The exact endgame search: negamax over masks with null-window tests, a transposition table,
// the opponent's mobility to order moves far from the end, region parity near it, and the last
// empty square played without generating moves.
//
// A value is seen from the side to move: the computer's final disc count when the computer is
// to move, minus it when its opponent is. The value of a position then is the largest of minus
// its children's values, as for a zero-sum score, although the count is not one.
#include "engine/endgame.h"

#include <cassert>
#include <climits>
#include <initializer_list>

#include "engine/bitboard.h"
#include "engine/counters.h"
#include "rules/board.h"
#include "rules/game.h"

namespace {

constexpr int NO_VALUE = 65;  // beyond every value, from either side's view

// From this many empty squares on the search stores its results and orders moves by the
// opponent's mobility; below it, by region parity alone.
constexpr int SORTED_EMPTIES = 7;

// The transposition table: allocated with the program and kept from one decision to the next,
// since a position's value depends only on the position and on which side is the computer.
// A search that was told to stop writes nothing more.
constexpr int TABLE_BITS = 19;
struct TableEntry {
  Bitboard mover;
  Bitboard other;
  int8_t lower;  // bounds of the value from the mover's view
  int8_t upper;
  uint8_t bestMove;  // bit index, or 64 for none
  uint8_t computerToMove;
};
TableEntry table[1 << TABLE_BITS];

bool stopped = false;  // the thinking flag was seen cleared

inline TableEntry& entryFor(Bitboard mover, Bitboard other, bool computerToMove) {
  uint64_t h = mover * 0x9E3779B97F4A7C15ull ^ (other + computerToMove) * 0xC2B2AE3D27D4EB4Full;
  h ^= h >> 31;
  return table[(h * 0xFF51AFD7ED558CCDull) >> (64 - TABLE_BITS)];
}

// The four quadrants of the board. Playing first in a region with an odd number of empty
// squares tends to give the last move there.
constexpr Bitboard QUADRANTS[4] = {0x000000000F0F0F0Full, 0x00000000F0F0F0F0ull,
                                   0x0F0F0F0F00000000ull, 0xF0F0F0F000000000ull};

inline Bitboard oddRegions(Bitboard empty) {
  Bitboard odd = 0;
  for (Bitboard q : QUADRANTS) {
    if (popCount(empty & q) & 1) odd |= q;
  }
  return odd;
}

constexpr Bitboard CORNER_SQUARES = 0x8100000000000081ull;

inline void notePly(int ply) {
  assert(ply < BOARD_STACK_SIZE);
  if (ply > engineCounters.deepestPly) engineCounters.deepestPly = ply;
}

// A node was entered; now and then the thinking flag is read.
inline void countNode() {
  if ((++engineCounters.nodes & 1023) == 0 && !thinkingFlag) stopped = true;
}

inline int finalValue(Bitboard mover, Bitboard other, bool computerToMove) {
  return computerToMove ? popCount(mover) : -popCount(other);
}

// The last move: how many discs a move on the board's only empty square turns over, from the
// mover's discs along the four lines through it. Every other square of a line is occupied,
// so what is not the mover's is the other side's; squares off the board at the ends of a
// short diagonal read as the other side's too, and no run ends on them.
struct LineFlips {
  uint8_t count[8][256];  // [place on the line][the mover's discs on it]
};

constexpr LineFlips lineFlips() {
  LineFlips out{};
  for (int place = 0; place < 8; ++place) {
    for (int mine = 0; mine < 256; ++mine) {
      int n = 0;
      for (int step : {-1, 1}) {
        int k = place + step;
        while (k >= 0 && k < 8 && !(mine & (1 << k))) k += step;
        if (k >= 0 && k < 8) n += (k - place) * step - 1;
      }
      out.count[place][mine] = static_cast<uint8_t>(n);
    }
  }
  return out;
}

constexpr LineFlips LINE_FLIPS = lineFlips();

// The two diagonals through each square.
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

constexpr Diagonals DIAGONALS = diagonals();

inline int lastFlips(int index, Bitboard mine) {
  const int x = index >> 3;
  const int y = index & 7;
  const int column = static_cast<int>((mine >> (8 * x)) & 0xFF);
  const int row =
      static_cast<int>((((mine >> y) & 0x0101010101010101ull) * 0x0102040810204080ull) >> 56);
  // The squares of a diagonal lie in distinct columns and rows: summing its bytes gathers
  // them by row.
  const int rising =
      static_cast<int>(((mine & DIAGONALS.rising[index]) * 0x0101010101010101ull) >> 56);
  const int falling =
      static_cast<int>(((mine & DIAGONALS.falling[index]) * 0x0101010101010101ull) >> 56);
  return LINE_FLIPS.count[y][column] + LINE_FLIPS.count[x][row] + LINE_FLIPS.count[y][rising] +
         LINE_FLIPS.count[y][falling];
}

// One empty square left, on bit index.
int lastSquare(Bitboard mover, Bitboard other, bool computerToMove, int index, int ply) {
  countNode();
  notePly(ply);
  const int moverDiscs = popCount(mover);
  const int otherDiscs = 63 - moverDiscs;
  int flips = lastFlips(index, mover);
  if (flips != 0) {
    notePly(ply + 1);
    return computerToMove ? moverDiscs + flips + 1 : -(otherDiscs - flips);
  }
  // The mover passes; the other side takes the square if it can.
  flips = lastFlips(index, other);
  if (flips != 0) {
    notePly(ply + 2);
    return computerToMove ? moverDiscs - flips : -(otherDiscs + flips + 1);
  }
  return computerToMove ? moverDiscs : -otherDiscs;
}

// Two empty squares left, on bit indices a and b.
int lastTwo(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta, int a, int b,
            int ply, bool passed = false) {
  countNode();
  notePly(ply);
  int best = -NO_VALUE;
  bool moved = false;
  for (int k = 0; k < 2; ++k) {
    const int index = k == 0 ? a : b;
    const Bitboard flips = flipsOf(index, mover, other);
    if (flips == 0) continue;
    moved = true;
    const int value = -lastSquare(other & ~flips, mover | flips | (Bitboard{1} << index),
                                  !computerToMove, k == 0 ? b : a, ply + 1);
    if (value > best) {
      best = value;
      if (best >= beta) return best;
    }
  }
  if (moved) return best;
  if (passed) return finalValue(mover, other, computerToMove);  // neither side can move
  return -lastTwo(other, mover, !computerToMove, -beta, -alpha, a, b, ply + 1, true);
}

// A few empty squares left: moves in scan order within the odd regions first, then the even.
int nearEnd(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta, int ply) {
  countNode();
  notePly(ply);
  const Bitboard empty = ~(mover | other);
  const Bitboard moves = legalMoves(mover, other);
  if (moves == 0) {
    if (legalMoves(other, mover) == 0) return finalValue(mover, other, computerToMove);
    return -nearEnd(other, mover, !computerToMove, -beta, -alpha, ply + 1);
  }
  const bool threeLeft = popCount(empty) == 3;
  const Bitboard odd = oddRegions(empty);
  int best = -NO_VALUE;
  for (Bitboard group : {moves & odd, moves & ~odd}) {
    for (; group != 0; group &= group - 1) {
      const int index = lowestBit(group);
      const Bitboard square = Bitboard{1} << index;
      const Bitboard flips = flipsOf(index, mover, other);
      const Bitboard after = mover | flips | square;
      const Bitboard left = other & ~flips;
      const int low = alpha > best ? alpha : best;
      int value;
      if (threeLeft) {
        const Bitboard rest = empty & ~square;
        value = -lastTwo(left, after, !computerToMove, -beta, -low, lowestBit(rest),
                         lowestBit(rest & (rest - 1)), ply + 1);
      } else {
        value = -nearEnd(left, after, !computerToMove, -beta, -low, ply + 1);
      }
      if (stopped) return 0;
      if (value > best) {
        best = value;
        if (best >= beta) return best;
      }
    }
  }
  return best;
}

int solve(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta, int ply);

// The child of a move: searched by the method its number of empty squares calls for.
inline int childValue(Bitboard toMove, Bitboard moved, bool computerToMove, int alpha, int beta,
                      int ply, int empties) {
  if (empties >= SORTED_EMPTIES) return solve(toMove, moved, computerToMove, alpha, beta, ply);
  if (empties >= 3) return nearEnd(toMove, moved, computerToMove, alpha, beta, ply);
  const Bitboard empty = ~(toMove | moved);
  if (empties == 2) {
    return lastTwo(toMove, moved, computerToMove, alpha, beta, lowestBit(empty),
                   lowestBit(empty & (empty - 1)), ply);
  }
  return lastSquare(toMove, moved, computerToMove, lowestBit(empty), ply);
}

struct Candidate {
  Bitboard after, left;  // the mover's and the other side's discs after the move
  int index;
  int key;  // smaller is tried first
};

int solve(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta, int ply) {
  countNode();
  notePly(ply);
  Bitboard moves = legalMoves(mover, other);
  if (moves == 0) {
    if (legalMoves(other, mover) == 0) return finalValue(mover, other, computerToMove);
    return -solve(other, mover, !computerToMove, -beta, -alpha, ply + 1);
  }

  const TableEntry* entry = &entryFor(mover, other, computerToMove);
  const bool known = entry->mover == mover && entry->other == other &&
                     entry->computerToMove == static_cast<uint8_t>(computerToMove);
  int hint = 64;
  if (known) {
    if (entry->lower >= beta) return entry->lower;
    if (entry->upper <= alpha) return entry->upper;
    if (entry->lower == entry->upper) return entry->lower;
    hint = entry->bestMove;
  }

  const Bitboard empty = ~(mover | other);
  const int childEmpties = popCount(empty) - 1;
  int best = -NO_VALUE;
  int bestMove = 64;
  int low = alpha;
  bool first = true;
  // Searches one move; true when it cuts the node off.
  const auto tryMove = [&](int index, Bitboard after, Bitboard left) {
    int value;
    if (first) {
      value = -childValue(left, after, !computerToMove, -beta, -low, ply + 1, childEmpties);
      first = false;
    } else {
      // Does this move beat the best so far? Only then is its value needed.
      value = -childValue(left, after, !computerToMove, -low - 1, -low, ply + 1, childEmpties);
      if (!stopped && value > low && value < beta) {
        value = -childValue(left, after, !computerToMove, -beta, -low, ply + 1, childEmpties);
      }
    }
    if (value > best) {
      best = value;
      bestMove = index;
      if (best > low) low = best;
    }
    return stopped || best >= beta;
  };

  // The move that was best before comes first, and often ends the node on its own.
  bool done = false;
  if (hint < 64 && ((moves >> hint) & 1)) {
    const Bitboard flips = flipsOf(hint, mover, other);
    done = tryMove(hint, mover | flips | (Bitboard{1} << hint), other & ~flips);
    moves &= ~(Bitboard{1} << hint);
  }
  if (!done && moves != 0) {
    // Then the moves that leave the opponent the fewest replies (corners count double), in
    // odd regions before even ones.
    const Bitboard odd = oddRegions(empty);
    Candidate list[64];
    int count = 0;
    for (; moves != 0; moves &= moves - 1) {
      const int index = lowestBit(moves);
      const Bitboard flips = flipsOf(index, mover, other);
      Candidate c{mover | flips | (Bitboard{1} << index), other & ~flips, index, 0};
      const Bitboard replies = legalMoves(c.left, c.after);
      c.key = 16 * (popCount(replies) + popCount(replies & CORNER_SQUARES)) +
              ((odd >> index) & 1 ? 0 : 4);
      int i = count++;
      for (; i > 0 && list[i - 1].key > c.key; --i) list[i] = list[i - 1];
      list[i] = c;
    }
    for (int i = 0; i < count && !tryMove(list[i].index, list[i].after, list[i].left); ++i) {
    }
  }
  if (stopped) return 0;

  // A value at or below alpha is only an upper bound, one at or above beta a lower bound. The
  // children may have taken the entry over for another position meanwhile.
  TableEntry& slot = entryFor(mover, other, computerToMove);
  if (slot.mover != mover || slot.other != other ||
      slot.computerToMove != static_cast<uint8_t>(computerToMove)) {
    slot = TableEntry{mover, other, -64, 64, 64, static_cast<uint8_t>(computerToMove)};
  }
  if (best > alpha) slot.lower = static_cast<int8_t>(best);
  if (best < beta) slot.upper = static_cast<int8_t>(best);
  slot.bestMove = static_cast<uint8_t>(bestMove);
  return best;
}

int clampToCounts(int bound) {
  if (bound < -1) return -1;
  if (bound > 65) return 65;
  return bound;
}

// The value from the mover's view within (alpha, beta), by the method for its empty squares.
int solveFrom(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta, int ply) {
  const int empties = popCount(~(mover | other));
  if (empties == 0) {
    countNode();
    notePly(ply);
    return finalValue(mover, other, computerToMove);
  }
  return childValue(mover, other, computerToMove, alpha, beta, ply, empties);
}

}  // namespace

int endgameSearch(int ply, int side, int alpha, int beta) {
  const Board& b = BoardStack[ply];
  const Bitboard mover = discsOf(b, side);
  const Bitboard other = discsOf(b, opponent(side));
  const bool computerToMove = side == sideToMove;
  stopped = false;

  // The window as disc counts (0..64), then from the mover's view.
  const int low = clampToCounts(alpha);
  const int high = clampToCounts(beta);
  const auto search = [&](int lo, int hi) {
    if (computerToMove) return solveFrom(mover, other, true, lo, hi, ply);
    return -solveFrom(mover, other, false, -hi, -lo, ply);
  };
  int discs;
  if (low >= 0 && high > low + 1) {
    // Most moves do not beat the best so far: ask that first with the narrowest window.
    discs = search(low, low + 1);
    if (!stopped && discs > low && discs < high) discs = search(discs - 1, high);
  } else {
    discs = search(low, high);
  }
  if (stopped || !thinkingFlag) return 0;  // told to stop: the value means nothing
  return discs;
}

ExactSolution solveExactly() {
  const int me = sideToMove;
  ExactSolution best{false, INT_MIN, 0, 0};
  for (const Square s : legalSquares(0, me)) {
    playChild(0, me, s.x, s.y);
    // With the best so far as the bound, a move that cannot beat it comes back no higher, and
    // one that beats it comes back exact.
    const int value = endgameSearch(1, opponent(me), best.discs, INT_MAX);
    if (!thinkingFlag) return ExactSolution{false, 0, 0, 0};
    if (value > best.discs) best = ExactSolution{true, value, s.x, s.y};
  }
  return best;
}

void clearEndgameTable() {
  for (TableEntry& e : table) e = TableEntry{};
}
