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

// A position is about to be built on ply: it must fit the BoardStack's bound like the plain
// search's Boards.
inline void enterPly(int ply) {
  assert(ply < BOARD_STACK_SIZE);
  if (ply > engineCounters.deepestPly) engineCounters.deepestPly = ply;
}

struct Child {
  Bitboard toMove;     // discs of the side to move in the child
  Bitboard justMoved;  // discs of the side that made the move
  int key;             // larger is tried first
};

int node(int ply, Bitboard mover, Bitboard other, bool maxNode, int alpha, int beta);

// The value of the position on ply + 1 with toMove to move: searched further while ply is
// above the depth limit, scored with its own random term at it.
inline int childValue(int ply, Bitboard toMove, Bitboard justMoved, bool maxChild, int alpha,
                      int beta) {
  if (ply < limit) return node(ply + 1, toMove, justMoved, maxChild, alpha, beta);
  return maxChild ? evaluateDiscs(toMove, justMoved) : evaluateDiscs(justMoved, toMove);
}

int node(int ply, Bitboard mover, Bitboard other, bool maxNode, int alpha, int beta) {
  ++engineCounters.nodes;
  // The computer's side maximises, its opponent minimises; each keeps its own bound running.
  int running = maxNode ? alpha : beta;
  Bitboard moves = legalMoves(mover, other);
  if (moves == 0) {
    // Pass: the other side moves on the same position. The game's end is not recognised
    // here: both sides pass in turn until the depth limit.
    enterPly(ply + 1);
    const int value = childValue(ply, other, mover, !maxNode, alpha, beta);
    if (maxNode) return value > running ? value : running;
    return value < running ? value : running;
  }
  enterPly(ply + 1);

  // The children, best first for the side to move by the evaluation without its random term
  // where they are searched further; in scan order where they are evaluated.
  Child list[64];
  int count = 0;
  for (; moves != 0; moves &= moves - 1) {
    const int index = lowestBit(moves);
    const Bitboard flips = flipsOf(index, mover, other);
    Child c{other & ~flips, mover | flips | (Bitboard{1} << index), 0};
    if (ply < limit) {
      ++engineCounters.orderings;
      const int v = maxNode ? staticEvaluation(c.justMoved, c.toMove)
                            : staticEvaluation(c.toMove, c.justMoved);
      c.key = maxNode ? v : -v;
    }
    int i = count++;
    for (; i > 0 && list[i - 1].key < c.key; --i) list[i] = list[i - 1];
    list[i] = c;
  }

  for (int i = 0; i < count; ++i) {
    const Child& c = list[i];
    const int value = maxNode ? childValue(ply, c.toMove, c.justMoved, false, running, beta)
                              : childValue(ply, c.toMove, c.justMoved, true, alpha, running);
    if (!thinkingFlag) return 0;  // told to stop: the value means nothing
    // A bound reached is as good as crossed: the node's value lies beyond it either way.
    if (maxNode) {
      if (value > running) running = value;
      if (running >= beta) return running;
    } else {
      if (value < running) running = value;
      if (running <= alpha) return running;
    }
  }
  return running;
}

}  // namespace

int midgameSearch(int ply, int side, int alpha, int beta) {
  limit = depthLimit;
  const Board& b = BoardStack[ply];
  return node(ply, discsOf(b, side), discsOf(b, opponent(side)), side == sideToMove, alpha, beta);
}
