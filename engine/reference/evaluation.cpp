// The straightforward evaluation, term by term on the 10 x 10 Board of a ply, each term
// written out as it is defined: the reference that the engine's evaluation on masks is
// compared with.
#include "engine/evaluation.h"

#include "engine/counters.h"
#include "engine/random.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace reference {
namespace {

int tableAt(const int16_t* table, int x, int y) {
  return table[(x - 1) * 8 + (y - 1)];
}

int sideAt(const Board& b, int code) {
  return b.cell[code];
}

// Marks the discs held from one occupied corner: along the corner's row as far as the
// corner's side holds it, and down (or up) each of those columns within a depth limit.
void markCornerRegion(const Board& b, int cornerX, int cornerRow, bool (&marked)[10][10]) {
  const int c = b.at(cornerX, cornerRow);
  if (c == 0) return;
  const int xStep = cornerX == 1 ? 1 : -1;
  const int yStep = cornerRow == 1 ? 1 : -1;
  const bool top = cornerRow == 1;
  int limit = top ? 7 : 6;
  // The empty border beyond the board ends the walk along the row.
  for (int x = cornerX; b.at(x, cornerRow) == c; x += xStep) {
    marked[x][cornerRow] = true;
    int depth = 0;
    while (depth < limit && b.at(x, cornerRow + (depth + 1) * yStep) == c) {
      ++depth;
      marked[x][cornerRow + depth * yStep] = true;
    }
    // A top corner's columns may reach as deep as the column before; a bottom corner's must
    // stay one square shallower.
    limit = top ? depth : depth - 1;
  }
}

}  // namespace

int cornerNeighbourBonus(int ply, int x, int y) {
  const int corner = touchedCorner(x, y);
  if (corner == 0 || sideAt(BoardStack[ply], corner) == 0) return 0;
  return CORNER_NEIGHBOUR_BONUS;
}

int squareTerm(int ply) {
  const Board& b = BoardStack[ply];
  const int me = sideToMove;
  const int other = opponent(me);
  int sum = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int disc = b.at(x, y);
      if (disc != me && disc != other) continue;
      const int weight = tableAt(SQUARE_WEIGHTS, x, y) + cornerNeighbourBonus(ply, x, y);
      sum += disc == me ? weight : -weight;
    }
  }
  return sum;
}

int mobilityTerm(int ply) {
  const int me = sideToMove;
  const int other = opponent(me);
  int sum = 0;
  // Both sides' moves count, whichever side is to move on this Board.
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (isLegalMove(ply, me, x, y)) sum += tableAt(OWN_MOBILITY_WEIGHTS, x, y);
      if (isLegalMove(ply, other, x, y)) sum -= tableAt(OPPONENT_MOBILITY_WEIGHTS, x, y);
    }
  }
  return sum;
}

int edgePatternTerm(int ply) {
  const Board& b = BoardStack[ply];
  const int me = sideToMove;
  const int other = opponent(me);

  // The patterns as cell values of this evaluation's sides; every cell is set.
  int16_t pattern[EDGE_PATTERN_COUNT][8];
  for (int p = 0; p < EDGE_PATTERN_COUNT; ++p) {
    for (int i = 0; i < 8; ++i) {
      const char c = EDGE_PATTERNS[p][i];
      pattern[p][i] = static_cast<int16_t>(c == 'O' ? me : c == 'X' ? other : 0);
    }
  }

  // Left edge, right edge, top edge, bottom edge.
  int16_t line[4][8];
  for (int i = 0; i < 8; ++i) {
    line[0][i] = b.at(1, i + 1);
    line[1][i] = b.at(8, i + 1);
    line[2][i] = b.at(i + 1, 1);
    line[3][i] = b.at(i + 1, 8);
  }

  int sum = 0;
  for (int e = 0; e < 4; ++e) {
    for (int p = 0; p < EDGE_PATTERN_COUNT; ++p) {
      bool forwards = true;
      bool backwards = true;
      for (int i = 0; i < 8; ++i) {
        if (line[e][i] != pattern[p][i]) forwards = false;
        if (line[e][i] != pattern[p][7 - i]) backwards = false;
      }
      if (forwards || backwards) {
        sum += EDGE_PATTERN_SCORES[p];
        break;
      }
    }
  }
  return sum;
}

int stableDiscTerm(int ply) {
  const Board& b = BoardStack[ply];
  if (b.at(1, 1) == 0 && b.at(1, 8) == 0 && b.at(8, 1) == 0 && b.at(8, 8) == 0) return 0;

  // One set of marks for all four corners: a disc reached from two corners counts once.
  bool marked[10][10] = {};
  markCornerRegion(b, 1, 1, marked);
  markCornerRegion(b, 1, 8, marked);
  markCornerRegion(b, 8, 1, marked);
  markCornerRegion(b, 8, 8, marked);

  const int me = sideToMove;
  int sum = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!marked[x][y]) continue;
      sum += b.at(x, y) == me ? 1 : -1;  // every marked square holds a disc
    }
  }
  return sum;
}

int frontierTerm(int ply) {
  const Board& b = BoardStack[ply];
  const int me = sideToMove;
  const int other = opponent(me);
  int sum = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (b.at(x, y) != 0) continue;
      // Border cells are 0 and count nothing.
      for (int d = 0; d < 8; ++d) {
        const int neighbour = b.at(x + DIR_X[d], y + DIR_Y[d]);
        if (neighbour == me) --sum;
        if (neighbour == other) ++sum;
      }
    }
  }
  return sum;
}

int evaluatePosition(int ply) {
  ++engineCounters.evaluations;
  const int me = sideToMove;
  if (countDiscs(ply, me) == 0) return EVAL_WIPED_OUT;
  if (countDiscs(ply, opponent(me)) == 0) return EVAL_OPPONENT_WIPED_OUT;

  const int square = squareTerm(ply);
  const int mobility = mobilityTerm(ply);
  const int edge = edgePatternTerm(ply);
  const int stable = stableDiscTerm(ply);
  const int frontier = frontierTerm(ply);
  // A little noise, so that equal positions are not always played the same way.
  const int noise = drawRandom() % 6;
  return square + mobility + edge + 10 * stable + 2 * frontier + noise;
}

}  // namespace reference
