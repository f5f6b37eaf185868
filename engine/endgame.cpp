// The exact endgame search: negamax over masks with null-window tests, a small table of
// two-entry buckets, cut-offs by stable discs and by the table's answers for the children, the
// opponent's mobility to order moves far from the end, quadrant parity near it, and the last
// four empty squares played without generating moves.
//
// The recursion is in endgame_solver.inc, compiled here for every processor and, by GCC on
// x86, once more with the POPCNT instruction, which runs where the processor has it.
#include "engine/endgame.h"

#include <cassert>
#include <climits>
#include <initializer_list>
#include <utility>

#include "engine/bitboard.h"
#include "engine/counters.h"
#include "engine/endgame_squares.h"
#include "engine/endgame_table.h"
#include "engine/stability.h"
#include "rules/board.h"
#include "rules/game.h"

namespace endgame_detail {

Bucket table[1 << TABLE_BITS];

}  // namespace endgame_detail

namespace {

using namespace endgame_detail;

constexpr int NO_VALUE = 65;  // beyond every value, from either side's view

// From this many empty squares on, a node uses the table and orders its moves by the
// opponent's replies; below it, by quadrant parity alone.
constexpr int TABLE_EMPTIES = 6;
// From this many, the children's results in the table may end a node before it searches.
constexpr int ETC_EMPTIES = 7;
// From this many, the order of moves counts the empty squares around the mover's discs and the
// discs a move makes stable; from the second, it looks one reply further.
constexpr int FAR_ORDER_EMPTIES = 10;
constexpr int REPLY_ORDER_EMPTIES = 13;
// The stable-disc cut-off is tried when the other side has this many discs more than it needs.
constexpr int STABILITY_SPARE = 6;

constexpr Bitboard CORNER_SQUARES = 0x8100000000000081ull;

bool stopped = false;  // the thinking flag was seen cleared

inline void notePly(int ply) {
  assert(ply < BOARD_STACK_SIZE);
  if (ply > engineCounters.deepestPly) engineCounters.deepestPly = ply;
}

// A node was entered; now and then the thinking flag is read.
inline void countNode() {
  if ((++engineCounters.nodes & 1023) == 0 && !thinkingFlag) stopped = true;
}

namespace portable {
#define ENDGAME_COUNT_INSTRUCTION 0
#include "engine/endgame_solver.inc"
#undef ENDGAME_COUNT_INSTRUCTION
}  // namespace portable

// Where the compiler has a builtin for it, the search is compiled a second time counting bits
// with it. On x86 that is the POPCNT instruction, which an old processor lacks: unless the whole
// build may use it, GCC compiles this code for it alone, and it runs only where the processor
// has it. (MSVC, and Clang on x86 without POPCNT, run the portable code.)
#if defined(__x86_64__) || defined(__i386__)
#define ENDGAME_ON_X86 1
#else
#define ENDGAME_ON_X86 0
#endif
#if ENDGAME_ON_X86 && !defined(__POPCNT__)
#define ENDGAME_POPCOUNT_ASKS_PROCESSOR 1
#else
#define ENDGAME_POPCOUNT_ASKS_PROCESSOR 0
#endif
#if defined(__GNUC__) && (!ENDGAME_POPCOUNT_ASKS_PROCESSOR || !defined(__clang__))
#define ENDGAME_POPCOUNT_CODE 1
#if ENDGAME_POPCOUNT_ASKS_PROCESSOR
#pragma GCC push_options
#pragma GCC target("popcnt")
#endif
namespace withPopcount {
#define ENDGAME_COUNT_INSTRUCTION 1
#include "engine/endgame_solver.inc"
#undef ENDGAME_COUNT_INSTRUCTION
}  // namespace withPopcount
#if ENDGAME_POPCOUNT_ASKS_PROCESSOR
#pragma GCC pop_options
#endif
#else
#define ENDGAME_POPCOUNT_CODE 0
#endif

using SolveFrom = int (*)(Bitboard mover, Bitboard other, bool computerToMove, int alpha, int beta,
                          int ply);

bool popcountCodeRuns() {
#if ENDGAME_POPCOUNT_CODE && ENDGAME_POPCOUNT_ASKS_PROCESSOR
  __builtin_cpu_init();  // may run before the library's own constructors
  return __builtin_cpu_supports("popcnt");
#else
  return ENDGAME_POPCOUNT_CODE;
#endif
}

SolveFrom popcountSolver() {
#if ENDGAME_POPCOUNT_CODE
  return withPopcount::solveFrom;
#else
  return portable::solveFrom;
#endif
}

// Chosen once, at start-up.
SolveFrom solver = popcountCodeRuns() ? popcountSolver() : portable::solveFrom;

int clampToCounts(int bound) {
  if (bound < -1) return -1;
  if (bound > 65) return 65;
  return bound;
}

// A first guess at the computer's final count, for a search without a lower bound: most of a
// line's discs change hands before the end, so the count ends near the middle.
int guessDiscs(Bitboard computer) {
  return popCount(computer) + 8;
}

}  // namespace

int endgameSearch(int ply, int side, int alpha, int beta) {
  const Board& b = BoardStack[ply];
  const Bitboard mover = discsOf(b, side);
  const Bitboard other = discsOf(b, opponent(side));
  const bool computerToMove = side == sideToMove;
  stopped = false;

  // A root move that ends the game needs no question.
  if (legalMoves(mover, other) == 0 && legalMoves(other, mover) == 0) {
    countNode();
    notePly(ply);
    return popCount(computerToMove ? mover : other);
  }

  // Every search below asks one question with a null window: is the computer's count at least
  // `at`? It answers with a bound (fail-soft): at least the count it gives, or at most it.
  const auto atLeast = [&](int at) {
    if (computerToMove) return solver(mover, other, true, at - 1, at, ply);
    return -solver(mover, other, false, -at, -at + 1, ply);
  };

  // The window as disc counts (0..64).
  const int low = clampToCounts(alpha);
  const int high = clampToCounts(beta);
  int discs;
  if (high <= low + 1) {
    discs = atLeast(high);
  } else if (low >= 0) {
    // Most moves do not beat the best so far: ask that first. One that does climbs from the
    // bound it gave until the count stops growing.
    discs = atLeast(low + 1);
    while (!stopped && discs > low && discs < high) {
      const int next = atLeast(discs + 1);
      if (next <= discs) break;
      discs = next;
    }
  } else {
    // No bound below: from a guess, each answer moves the next question (MTD(f)) until the
    // lowest count known to be reached is the highest one possible.
    int reached = 0;
    int possible = 64;
    discs = guessDiscs(computerToMove ? mover : other);
    if (discs > possible) discs = possible;
    while (!stopped && reached < possible && reached < high) {
      const int at = discs > reached ? discs : reached + 1;
      discs = atLeast(at);
      if (discs >= at) {
        reached = discs;
      } else {
        possible = discs;
      }
    }
    discs = reached;
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
  for (Bucket& b : table) b = Bucket{};
}

bool useEndgameCode(EndgameCode code) {
  if (code == EndgameCode::Portable) {
    solver = portable::solveFrom;
    return true;
  }
  if (!popcountCodeRuns()) return false;
  solver = popcountSolver();
  return true;
}

EndgameCode endgameCode() {
  return solver == portable::solveFrom ? EndgameCode::Portable : EndgameCode::Popcount;
}
