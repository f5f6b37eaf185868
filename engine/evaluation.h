// The static judgement of a position, from the computer's side's view (the side to move in
// the game, sideToMove): larger is better for it. The sum of six terms worked out on one Board.
#pragma once

#include <cstdint>

#include "engine/bitboard.h"

// 8 x 8 tables are stored by column: the eight values of x = 1 (y = 1..8) first.
extern const int16_t SQUARE_WEIGHTS[64];
extern const int16_t OWN_MOBILITY_WEIGHTS[64];
extern const int16_t OPPONENT_MOBILITY_WEIGHTS[64];

constexpr int CORNER_NEIGHBOUR_BONUS = 30;
constexpr int EDGE_PATTERN_COUNT = 19;
extern const int32_t EDGE_PATTERN_SCORES[EDGE_PATTERN_COUNT];

// Edge patterns, cells 1 to 8: 'O' a disc of the computer's side, 'X' one of its opponent,
// '.' empty. For each edge the first pattern that matches counts.
inline constexpr char EDGE_PATTERNS[EDGE_PATTERN_COUNT][9] = {
    ".OOOOOO.",  // 1
    ".OOOOO..",  // 2
    "..O..O..",  // 3
    "..OOOO..",  // 4
    ".O.O....",  // 5
    ".O.OO...",  // 6
    ".O.OOO..",  // 7
    ".O.O.O..",  // 8
    ".O.OOOO.",  // 9
    "O.OOOOO.",  // 10
    ".OOO.O..",  // 11
    "OOOOOOO.",  // 12
    "O.OOOO.O",  // 13
    "OXOOOOO.",  // 14
    "XOOOOO..",  // 15
    "XOOOOO.X",  // 16
    ".XXXXO..",  // 17
    "..X..X..",  // 18
    ".O..X...",  // 19
};

// The corners in the order the corner-neighbour bonus tests them, each with the three squares
// that touch it.
inline constexpr int CORNERS[4] = {11, 88, 18, 81};
inline constexpr int CORNER_NEIGHBOURS[4][3] = {
    {12, 21, 22}, {87, 78, 77}, {17, 28, 27}, {71, 82, 72}};

constexpr int32_t EVAL_WIPED_OUT = -1073741824;          // the computer's side has no disc
constexpr int32_t EVAL_OPPONENT_WIPED_OUT = 1073741823;  // its opponent has none

// The score of Board ply; exactly one draw from the shared generator, none for a sentinel.
int evaluatePosition(int ply);

int squareTerm(int ply);
int mobilityTerm(int ply);
int edgePatternTerm(int ply);
int stableDiscTerm(int ply);
int frontierTerm(int ply);
// The same on masks: mine holds the computer's discs, theirs its opponent's. The searches
// call these inside the tree; the operations on a ply read its Board and call them.
int evaluateDiscs(Bitboard mine, Bitboard theirs);
// The evaluation without its random term, or a sentinel; no draw. For ordering moves only.
int staticEvaluation(Bitboard mine, Bitboard theirs);
int squareTermOf(Bitboard mine, Bitboard theirs);
int mobilityTermOf(Bitboard mine, Bitboard theirs);
int edgePatternTermOf(Bitboard mine, Bitboard theirs);
int stableDiscTermOf(Bitboard mine, Bitboard theirs);
int frontierTermOf(Bitboard mine, Bitboard theirs);

// 30 when (x, y) touches a corner that holds a disc of either side, else 0.
int cornerNeighbourBonus(int ply, int x, int y);

// The corner that (x, y) touches, as a square code: 11, 88, 18 or 81 for the three squares
// next to each corner, 0 for every other square. Shared with the novice levels.
int touchedCorner(int x, int y);
inline bool isCornerAdjacent(int x, int y) {
  return touchedCorner(x, y) != 0;
}
