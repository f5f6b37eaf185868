// The two searches that score a root move for the thinking thread. Both start from a ply of
// the BoardStack (the thinking thread plays the root move on ply 1), work on masks inside the
// tree, score from the computer's side's view (sideToMove), and return 0 at once when they see
// the thinking flag cleared.
#pragma once

#include <atomic>

#include "engine/endgame.h"

// Set by the thinking thread for each root move: the computer level minus 3.
extern std::atomic<int> depthLimit;

// Depth-limited alpha-beta over evaluatePosition. The tree is the plain search's on the
// BoardStack: a node on ply p searches its children on ply p + 1 while p is below the depth
// limit and evaluates them at it, a pass takes a ply, and the end of the game is not
// recognised. The result keeps the window's promise: a position worth at most alpha comes back
// at most alpha, one worth at least beta at least beta, any other exact.
//
// Inner nodes try their moves best first by the evaluation without its random term, so other
// positions get evaluated than in scan order, and the draws fall to other positions. Every
// evaluated position still draws its own random term and no evaluation serves two lines, so
// the value of a root move is distributed as before, and with every draw 0 it is the same.
int midgameSearch(int ply, int side, int alpha, int beta);
