// The straightforward searches on the BoardStack, one Board per ply, moves in scan order:
// the reference for the engine's searches on masks.
#include <cassert>

#include "engine/counters.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace reference {

int depthLimit = 0;

namespace {

// The Board of ply is about to be written. Every move and every pass of a line takes the next
// Board; a line of the exact search from at most 16 empty squares ends by ply 31.
void enterPly(int ply) {
  assert(ply < BOARD_STACK_SIZE);
  if (ply > engineCounters.deepestPly) engineCounters.deepestPly = ply;
}

// The value of the child just built on ply + 1: searched further while above the depth
// limit, scored statically at it.
int midgameChild(int ply, int side, int alpha, int beta) {
  if (ply < depthLimit) return midgameSearch(ply + 1, opponent(side), alpha, beta);
  return evaluatePosition(ply + 1);
}

}  // namespace

int midgameSearch(int ply, int side, int alpha, int beta) {
  ++engineCounters.nodes;
  // The computer's side maximises, its opponent minimises; each keeps its own bound running.
  const bool maxNode = side == sideToMove;
  int running = maxNode ? alpha : beta;
  bool moved = false;

  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!isLegalMove(ply, side, x, y)) continue;
      moved = true;
      enterPly(ply + 1);
      copyPly(ply + 1);
      playMove(ply + 1, side, x, y);
      const int value = maxNode ? midgameChild(ply, side, running, beta)
                                : midgameChild(ply, side, alpha, running);
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
  }
  if (moved) return running;

  // Pass: the other side moves on the same position. The game's end is not recognised here:
  // both sides pass in turn until the depth limit.
  enterPly(ply + 1);
  copyPly(ply + 1);
  const int value = midgameChild(ply, side, alpha, beta);
  if (maxNode) return value > running ? value : running;
  return value < running ? value : running;
}

int endgameSearch(int ply, int side, int alpha, int beta) {
  ++engineCounters.nodes;
  // The end of the game: only the computer's side's own discs count.
  if (isGameOver(ply)) return countDiscs(ply, sideToMove);

  const bool maxNode = side == sideToMove;
  int running = maxNode ? alpha : beta;
  bool moved = false;

  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!isLegalMove(ply, side, x, y)) continue;
      moved = true;
      enterPly(ply + 1);
      copyPly(ply + 1);
      playMove(ply + 1, side, x, y);
      const int value = maxNode ? endgameSearch(ply + 1, opponent(side), running, beta)
                                : endgameSearch(ply + 1, opponent(side), alpha, running);
      if (!thinkingFlag) return 0;  // told to stop: the value means nothing
      // Cut-off as soon as the other bound is reached.
      if (maxNode) {
        if (value > running) running = value;
        if (running >= beta) return running;
      } else {
        if (value < running) running = value;
        if (running <= alpha) return running;
      }
    }
  }
  if (moved) return running;

  // Pass: the other side moves on the same position; the game is not over, so it can.
  enterPly(ply + 1);
  copyPly(ply + 1);
  const int value = endgameSearch(ply + 1, opponent(side), alpha, beta);
  if (maxNode) return value > running ? value : running;
  return value < running ? value : running;
}

}  // namespace reference
