// The two searches that score a root move for the thinking thread. Both start from a ply of
// the BoardStack (the thinking thread plays the root move on ply 1), work on masks inside the
// tree, score from the computer's side's view (sideToMove), and return 0 at once when they see
// the thinking flag cleared.
#pragma once

#include <atomic>

#include "engine/endgame.h"

// Set by the thinking thread for each root move: the computer level minus 3.
extern std::atomic<int> depthLimit;

// Depth-limited alpha-beta over evaluatePosition with strict cut-offs. A node on ply p
// searches its children on ply p + 1 while p is below the depth limit and evaluates them at
// it; moves are tried in scan order and a pass takes a ply, so the tree, the evaluated
// positions and the order of their draws are those of the plain search on the BoardStack.
int midgameSearch(int ply, int side, int alpha, int beta);
