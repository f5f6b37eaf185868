// The two searches that score a root move for the thinking thread. Both work on the
// BoardStack one ply per node, from the computer's side's view (sideToMove), and return 0 at
// once when they see the thinking flag cleared.
#pragma once

#include <atomic>

// Set by the thinking thread for each root move: the computer level minus 3.
extern std::atomic<int> depthLimit;

// Depth-limited alpha-beta over evaluatePosition; strict cut-offs.
int midgameSearch(int ply, int side, int alpha, int beta);

// Exact search to the end of the game, scored by the computer's side's final disc count;
// cut-offs on equality.
int endgameSearch(int ply, int side, int alpha, int beta);

// The exact value of ply 0 for the computer's side (sideToMove), which is to move there: its
// final disc count under best play, and the first move in scan order that reaches it. Plays
// each legal move on ply 1 and scores it with endgameSearch as the thinking thread would.
// The side must have a legal move, at most MAX_SEARCH_EMPTIES squares may be empty, and the
// thinking flag must be set; decided is false if the flag is cleared meanwhile.
struct ExactSolution {
  bool decided;
  int discs;
  int x, y;
};
ExactSolution solveExactly();
