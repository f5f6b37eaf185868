// Positions from random games, for comparing the engine with the straightforward reference on
// many positions nobody chose.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/board.h"

struct TestPosition {
  Board board;  // playing squares only
  int side;     // to move; it has a legal move
  int discs;
};

// Every position of `games` games of uniformly random moves from the start, generated from
// seed, in which the side to move (after any pass) can move.
std::vector<TestPosition> randomGamePositions(uint32_t seed, int games);

// The positions among them with this many discs.
std::vector<TestPosition> withDiscs(const std::vector<TestPosition>& all, int discs);

// Shows a position on ply 0 as the game would: the side to move, moves made = discs - 4, the
// book off; ply 1 holds the same position.
void showPosition(const TestPosition& p);
