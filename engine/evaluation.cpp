#include "engine/evaluation.h"

#include "engine/bitboard.h"
#include "engine/counters.h"
#include "engine/random.h"
#include "rules/board.h"
#include "rules/game.h"

// Each table below is written one column per line: the line for x holds the values of rows
// y = 1..8. The tables are symmetric under swapping x and y, so they also read as the board.

constexpr int16_t SQUARE_WEIGHTS[64] = {
    100, -20, 10, 5,  5,  10, -20, 100,  //
    -20, -50, -2, -2, -2, -2, -50, -20,  //
    10,  -2,  -1, -1, -1, -1, -2,  10,   //
    5,   -2,  -1, -1, -1, -1, -2,  5,    //
    5,   -2,  -1, -1, -1, -1, -2,  5,    //
    10,  -2,  -1, -1, -1, -1, -2,  10,   //
    -20, -50, -2, -2, -2, -2, -50, -20,  //
    100, -20, 10, 5,  5,  10, -20, 100,  //
};

// Squares where the computer's side may move.
constexpr int16_t OWN_MOBILITY_WEIGHTS[64] = {
    8, 1, 8, 8, 8, 8, 1, 8,  //
    1, 1, 4, 4, 4, 4, 1, 1,  //
    8, 4, 4, 4, 4, 4, 4, 8,  //
    8, 4, 4, 4, 4, 4, 4, 8,  //
    8, 4, 4, 4, 4, 4, 4, 8,  //
    8, 4, 4, 4, 4, 4, 4, 8,  //
    1, 1, 4, 4, 4, 4, 1, 1,  //
    8, 1, 8, 8, 8, 8, 1, 8,  //
};

// Squares where its opponent may move: a corner open to the opponent costs far more than one
// open to the computer's side gains.
constexpr int16_t OPPONENT_MOBILITY_WEIGHTS[64] = {
    100, 1, 10, 10, 10, 10, 1, 100,  //
    1,   1, 4,  4,  4,  4,  1, 1,    //
    10,  4, 4,  4,  4,  4,  4, 10,   //
    10,  4, 4,  4,  4,  4,  4, 10,   //
    10,  4, 4,  4,  4,  4,  4, 10,   //
    10,  4, 4,  4,  4,  4,  4, 10,   //
    1,   1, 4,  4,  4,  4,  1, 1,    //
    100, 1, 10, 10, 10, 10, 1, 100,  //
};

constexpr int32_t EDGE_PATTERN_SCORES[EDGE_PATTERN_COUNT] = {
    20, -10, 20, 10, -20, -20, -20, -20, -20, -20, -30, 20, -10, -20, -20, -20, -10, -20, -20,
};

namespace {

constexpr Bitboard codeBit(int code) {
  const Square s = squareOf(code);
  return squareBit(s.x, s.y);
}

constexpr Bitboard neighboursOf(int corner) {
  Bitboard out = 0;
  for (int k = 0; k < 3; ++k) out |= codeBit(CORNER_NEIGHBOURS[corner][k]);
  return out;
}

constexpr Bitboard CORNER_BITS[4] = {codeBit(CORNERS[0]), codeBit(CORNERS[1]), codeBit(CORNERS[2]),
                                     codeBit(CORNERS[3])};
constexpr Bitboard NEIGHBOUR_BITS[4] = {neighboursOf(0), neighboursOf(1), neighboursOf(2),
                                        neighboursOf(3)};
constexpr Bitboard ANY_CORNER = CORNER_BITS[0] | CORNER_BITS[1] | CORNER_BITS[2] | CORNER_BITS[3];

// A weight table as the few distinct weights it holds, each with the squares that carry it,
// so that the weight of a set of squares is a handful of bit counts.
struct WeightClasses {
  int count;
  int weight[8];
  Bitboard squares[8];
};

constexpr WeightClasses weightClasses(const int16_t (&table)[64]) {
  WeightClasses out{};
  for (int i = 0; i < 64; ++i) {
    int k = 0;
    while (k < out.count && out.weight[k] != table[i]) ++k;
    if (k == out.count) out.weight[out.count++] = table[i];
    out.squares[k] |= Bitboard{1} << i;
  }
  return out;
}

constexpr WeightClasses SQUARE_CLASSES = weightClasses(SQUARE_WEIGHTS);
constexpr WeightClasses OWN_MOBILITY_CLASSES = weightClasses(OWN_MOBILITY_WEIGHTS);
constexpr WeightClasses OPPONENT_MOBILITY_CLASSES = weightClasses(OPPONENT_MOBILITY_WEIGHTS);
static_assert(SQUARE_CLASSES.count <= 8 && OWN_MOBILITY_CLASSES.count <= 8 &&
                  OPPONENT_MOBILITY_CLASSES.count <= 8,
              "a weight table holds at most eight distinct weights");

template <const WeightClasses& W>
inline int weightOf(Bitboard squares) {
  int sum = 0;
  for (int k = 0; k < W.count; ++k) sum += W.weight[k] * popCount(squares & W.squares[k]);
  return sum;
}

// The weight of plus minus the weight of minus.
template <const WeightClasses& W>
inline int weightDifference(Bitboard plus, Bitboard minus) {
  int sum = 0;
  for (int k = 0; k < W.count; ++k) {
    sum += W.weight[k] * (popCount(plus & W.squares[k]) - popCount(minus & W.squares[k]));
  }
  return sum;
}

// An edge line as one number: cell i contributes 3^(i-1) times 0 (empty), 1 (the computer's
// side) or 2 (its opponent). EDGE_SCORES holds the score of the first pattern that matches
// each of the 3^8 lines, forwards or backwards, or 0.
constexpr int LINE_CODES = 6561;

struct TernaryDigits {
  uint16_t of[256];  // the byte's bits read as base-3 digits
};

constexpr TernaryDigits ternaryDigits() {
  TernaryDigits out{};
  for (int b = 0; b < 256; ++b) {
    int value = 0;
    for (int i = 7; i >= 0; --i) value = 3 * value + ((b >> i) & 1);
    out.of[b] = static_cast<uint16_t>(value);
  }
  return out;
}

struct EdgeScores {
  int8_t score[LINE_CODES];
};

constexpr int lineCode(const char* cells, bool backwards) {
  int code = 0;
  for (int i = 0; i < 8; ++i) {
    const char c = cells[backwards ? i : 7 - i];
    code = 3 * code + (c == 'O' ? 1 : c == 'X' ? 2 : 0);
  }
  return code;
}

// A pattern has no wildcards, so it matches exactly one line forwards and one backwards.
// Writing the patterns from the last to the first leaves each line with its first match.
constexpr EdgeScores edgeScores() {
  EdgeScores out{};
  for (int p = EDGE_PATTERN_COUNT - 1; p >= 0; --p) {
    out.score[lineCode(EDGE_PATTERNS[p], false)] = static_cast<int8_t>(EDGE_PATTERN_SCORES[p]);
    out.score[lineCode(EDGE_PATTERNS[p], true)] = static_cast<int8_t>(EDGE_PATTERN_SCORES[p]);
  }
  return out;
}

constexpr TernaryDigits TERNARY = ternaryDigits();
constexpr EdgeScores EDGE_SCORES = edgeScores();

inline int columnByte(Bitboard b, int x) {
  return static_cast<int>((b >> (8 * (x - 1))) & 0xFF);
}

// Row y gathered into a byte, bit x - 1 for column x.
inline int rowByte(Bitboard b, int y) {
  return static_cast<int>((((b >> (y - 1)) & 0x0101010101010101ull) * 0x0102040810204080ull) >> 56);
}

inline int edgeScore(int mine, int theirs) {
  return EDGE_SCORES.score[TERNARY.of[mine] + 2 * TERNARY.of[theirs]];
}

struct ReversedBytes {
  uint8_t of[256];
};

constexpr ReversedBytes reversedBytes() {
  ReversedBytes out{};
  for (int b = 0; b < 256; ++b) {
    for (int i = 0; i < 8; ++i) {
      if (b & (1 << i)) out.of[b] = static_cast<uint8_t>(out.of[b] | (0x80 >> i));
    }
  }
  return out;
}

constexpr ReversedBytes REVERSED = reversedBytes();

// How many bits of a byte are set from bit `from` on, upwards or downwards, before the first
// clear one.
inline int runUp(int byte, int from) {
  return lowestBit(~static_cast<Bitboard>(byte >> from));
}
inline int runDown(int byte, int from) {
  return runUp(REVERSED.of[byte], 7 - from);
}

// The discs held from one occupied corner of owner: along the corner's row as far as the owner
// holds it, and along each of those columns away from the row within a depth limit. A top
// corner's columns may reach as deep as the column before; a bottom corner's must stay one
// shallower.
inline Bitboard cornerRegion(Bitboard owner, int cornerX, bool top) {
  const int row = rowByte(owner, top ? 1 : 8);
  const int columns = cornerX == 1 ? runUp(row, 0) : runDown(row, 7);
  const int xStep = cornerX == 1 ? 1 : -1;
  Bitboard marked = 0;
  int limit = top ? 7 : 6;
  for (int k = 0, x = cornerX; k < columns; ++k, x += xStep) {
    const int column = columnByte(owner, x);
    int depth = top ? runUp(column, 1) : runDown(column, 6);
    if (depth > limit) depth = limit < 0 ? 0 : limit;
    // The row square and depth squares beyond it.
    const int run = top ? (2 << depth) - 1 : (0xFF00 >> (depth + 1)) & 0xFF;
    marked |= static_cast<Bitboard>(run) << (8 * (x - 1));
    limit = top ? depth : depth - 1;
  }
  return marked;
}

}  // namespace

int squareTermOf(Bitboard mine, Bitboard theirs) {
  const Bitboard occupied = mine | theirs;
  // The neighbours of occupied corners weigh CORNER_NEIGHBOUR_BONUS more.
  Bitboard raised = 0;
  for (int c = 0; c < 4; ++c) {
    if (occupied & CORNER_BITS[c]) raised |= NEIGHBOUR_BITS[c];
  }
  return weightDifference<SQUARE_CLASSES>(mine, theirs) +
         CORNER_NEIGHBOUR_BONUS * (popCount(mine & raised) - popCount(theirs & raised));
}

int mobilityTermOf(Bitboard mine, Bitboard theirs) {
  // Both sides' moves count, whichever side is to move.
  const MovesOfBoth moves = legalMovesOfBoth(mine, theirs);
  return weightOf<OWN_MOBILITY_CLASSES>(moves.mine) -
         weightOf<OPPONENT_MOBILITY_CLASSES>(moves.theirs);
}

int edgePatternTermOf(Bitboard mine, Bitboard theirs) {
  // Left edge, right edge, top edge, bottom edge.
  return edgeScore(columnByte(mine, 1), columnByte(theirs, 1)) +
         edgeScore(columnByte(mine, 8), columnByte(theirs, 8)) +
         edgeScore(rowByte(mine, 1), rowByte(theirs, 1)) +
         edgeScore(rowByte(mine, 8), rowByte(theirs, 8));
}

int stableDiscTermOf(Bitboard mine, Bitboard theirs) {
  const Bitboard occupied = mine | theirs;
  if ((occupied & ANY_CORNER) == 0) return 0;
  // One set of marks for all four corners: a disc reached from two corners counts once.
  Bitboard marked = 0;
  const struct {
    int x;
    bool top;
  } corners[4] = {{1, true}, {1, false}, {8, true}, {8, false}};
  for (const auto& c : corners) {
    const Bitboard corner = squareBit(c.x, c.top ? 1 : 8);
    if (mine & corner) marked |= cornerRegion(mine, c.x, c.top);
    if (theirs & corner) marked |= cornerRegion(theirs, c.x, c.top);
  }
  return popCount(marked & mine) - popCount(marked & theirs);
}

int frontierTermOf(Bitboard mine, Bitboard theirs) {
  // Each disc counts its empty neighbours: the empty squares moved one step in each direction.
  const Bitboard empty = ~(mine | theirs);
  int sum = 0;
  const auto count = [&](Bitboard next) { sum += popCount(next & theirs) - popCount(next & mine); };
  count(step<-1, 1>(empty));
  count(step<0, 1>(empty));
  count(step<1, 1>(empty));
  count(step<-1, 0>(empty));
  count(step<1, 0>(empty));
  count(step<-1, -1>(empty));
  count(step<0, -1>(empty));
  count(step<1, -1>(empty));
  return sum;
}

int staticEvaluation(Bitboard mine, Bitboard theirs) {
  if (mine == 0) return EVAL_WIPED_OUT;
  if (theirs == 0) return EVAL_OPPONENT_WIPED_OUT;
  return squareTermOf(mine, theirs) + mobilityTermOf(mine, theirs) +
         edgePatternTermOf(mine, theirs) + 10 * stableDiscTermOf(mine, theirs) +
         2 * frontierTermOf(mine, theirs);
}

int evaluateDiscs(Bitboard mine, Bitboard theirs) {
  ++engineCounters.evaluations;
  const int value = staticEvaluation(mine, theirs);
  if (value == EVAL_WIPED_OUT || value == EVAL_OPPONENT_WIPED_OUT) return value;
  // A little noise, so that equal positions are not always played the same way.
  return value + drawRandom() % 6;
}

namespace {

Bitboard computersDiscs(int ply) {
  return discsOf(BoardStack[ply], sideToMove);
}
Bitboard opponentsDiscs(int ply) {
  return discsOf(BoardStack[ply], opponent(sideToMove));
}

}  // namespace

int touchedCorner(int x, int y) {
  const int code = squareCode(x, y);
  for (int i = 0; i < 4; ++i) {
    for (int k = 0; k < 3; ++k) {
      if (CORNER_NEIGHBOURS[i][k] == code) return CORNERS[i];
    }
  }
  return 0;
}

int cornerNeighbourBonus(int ply, int x, int y) {
  const int corner = touchedCorner(x, y);
  if (corner == 0 || BoardStack[ply].cell[corner] == 0) return 0;
  return CORNER_NEIGHBOUR_BONUS;
}

int squareTerm(int ply) {
  return squareTermOf(computersDiscs(ply), opponentsDiscs(ply));
}
int mobilityTerm(int ply) {
  return mobilityTermOf(computersDiscs(ply), opponentsDiscs(ply));
}
int edgePatternTerm(int ply) {
  return edgePatternTermOf(computersDiscs(ply), opponentsDiscs(ply));
}
int stableDiscTerm(int ply) {
  return stableDiscTermOf(computersDiscs(ply), opponentsDiscs(ply));
}
int frontierTerm(int ply) {
  return frontierTermOf(computersDiscs(ply), opponentsDiscs(ply));
}

int evaluatePosition(int ply) {
  return evaluateDiscs(computersDiscs(ply), opponentsDiscs(ply));
}
