// Setting up the game state for one engine question: a position or a replayed game, the
// computer's side, the random generator, and one decision run on the calling thread.
#pragma once

#include <string>

#include "engine/thinking.h"

// "zero": every draw is 0; a number: the seeded generator from that seed; empty: seeded from
// the clock. Throws UsageError for anything else.
void applyRandomOption(const std::string& rng);

// Shows a position as the game would with that side to move: ply 0, sideToMove, and the
// number of moves made (discs - 4). The moves that led there are unknown, so the book is off.
// Throws UsageError for a malformed position or one with fewer than 4 discs.
void loadPosition(const std::string& position, int side);

// Plays a game from the start by the turn flow ("f5 d6 c3", spaces between the squares): the
// side to move, passes, the record and the book flag come out as in a game.
// Throws UsageError at the first illegal or malformed square.
void replayMoves(const std::string& moves);

// Throws UsageError unless the side to move has a legal move on ply 0.
void requireLegalMove();

struct DecisionOutcome {
  bool decided;  // false when the thinking flag was cleared before the decision ended
  int x, y;
  DecisionReport report;
};

// The computer's decision for the side to move at a level, made by the thinking thread's own
// code on the calling thread; the move is not played.
DecisionOutcome runDecision(int level);

// The same with the thinking flag already set by the caller, who may clear it from another
// thread to stop the decision; the flag is left as the decision leaves it.
DecisionOutcome runDecisionUnderFlag(int level);
