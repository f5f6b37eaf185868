// The straightforward engine: the evaluation and the two searches in their plainest form,
// on the 10 x 10 Boards of the BoardStack with the rules' own operations, and the thinking
// thread's root loop over them. Slow, and kept only as the reference for the tests and for
// velnor-analyze bench; the game links only the engine in engine/.
//
// Every name means what the engine's name of the same spelling means. They count nodes and
// evaluations in engineCounters like the engine, and draw from the shared generator.
#pragma once

namespace reference {

extern int depthLimit;  // the computer level minus 3, set by decide()

int evaluatePosition(int ply);
int squareTerm(int ply);
int mobilityTerm(int ply);
int edgePatternTerm(int ply);
int stableDiscTerm(int ply);
int frontierTerm(int ply);
int cornerNeighbourBonus(int ply, int x, int y);

int midgameSearch(int ply, int side, int alpha, int beta);
int endgameSearch(int ply, int side, int alpha, int beta);

struct Decision {
  bool decided;  // false when the thinking flag was cleared first
  int x, y;
  int score;  // the best root score
};

// The decision of a level 3..8 for the side to move on ply 0 past the opening book: the root
// list by one-ply evaluation, the exchange sort, and each root move scored with the best so
// far as the bound, as the thinking thread does. The first move of a game is the best of the
// ordering. The thinking flag must be set.
Decision decide(int level);

}  // namespace reference
