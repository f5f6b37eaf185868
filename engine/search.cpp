#include "engine/search.h"

#include <cassert>

#include "engine/bitboard.h"
#include "engine/counters.h"
#include "engine/evaluation.h"
#include "rules/board.h"
#include "rules/game.h"

std::atomic<int> depthLimit{0};

namespace {

// The depth limit of the search under way, read once at its start.
int limit = 0;

int node(int ply, Bitboard mover, Bitboard other, bool maxNode, int alpha, int beta);

// A position is about to be built on ply: it must fit the BoardStack's bound like the plain
// search's Boards.
inline void enterPly(int ply) {
  assert(ply < BOARD_STACK_SIZE);
  if (ply > engineCounters.deepestPly) engineCounters.deepestPly = ply;
}

// The value of a child on ply + 1, with toMove to move there and justMoved the other side:
// searched further while ply is above the depth limit, scored statically at it.
inline int child(int ply, Bitboard toMove, Bitboard justMoved, bool maxChild, int alpha,
                 int beta) {
  if (ply < limit) return node(ply + 1, toMove, justMoved, maxChild, alpha, beta);
  return maxChild ? evaluateDiscs(toMove, justMoved) : evaluateDiscs(justMoved, toMove);
}

int node(int ply, Bitboard mover, Bitboard other, bool maxNode, int alpha, int beta) {
  ++engineCounters.nodes;
  // The computer's side maximises, its opponent minimises; each keeps its own bound running.
  int running = maxNode ? alpha : beta;
  Bitboard moves = legalMoves(mover, other);
  if (moves != 0) {
    enterPly(ply + 1);
    // Lowest bit first is scan order.
    for (; moves != 0; moves &= moves - 1) {
      const int index = lowestBit(moves);
      const Bitboard flips = flipsOf(index, mover, other);
      const Bitboard after = mover | flips | (Bitboard{1} << index);
      const Bitboard left = other & ~flips;
      const int value = maxNode ? child(ply, left, after, false, running, beta)
                                : child(ply, left, after, true, alpha, running);
      if (!thinkingFlag) return 0;  // told to stop: the value means nothing
      // Cut-off only beyond the other bound; a value equal to it goes on.
      if (maxNode) {
        if (value > running) running = value;
        if (running > beta) return running;
      } else {
        if (value < running) running = value;
        if (running < alpha) return running;
      }
    }
    return running;
  }

  // Pass: the other side moves on the same position. The game's end is not recognised here:
  // both sides pass in turn until the depth limit.
  enterPly(ply + 1);
  const int value = child(ply, other, mover, !maxNode, alpha, beta);
  if (maxNode) return value > running ? value : running;
  return value < running ? value : running;
}

}  // namespace

int midgameSearch(int ply, int side, int alpha, int beta) {
  limit = depthLimit;
  const Board& b = BoardStack[ply];
  return node(ply, discsOf(b, side), discsOf(b, opponent(side)), side == sideToMove, alpha,
              beta);
}
