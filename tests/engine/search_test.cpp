#include "engine/search.h"

#include <climits>

#include "engine/counters.h"
#include "engine/evaluation.h"
#include "engine_test_support.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace {

class SearchTest : public EngineTest {
 protected:
  // The position after n moves of the sample game on ply 1, and its side to move.
  int sampleOnPly1(int n) {
    replayFromStart(sampleGameMoves(n));
    copyPly(1);
    return sideToMove;
  }

  // Builds the first child of ply 1 in scan order on ply 2 and returns its position.
  std::string firstChildOf(int side) {
    const SquareList moves = legalSquares(1, side);
    if (moves.count == 0) return "";
    playChild(1, side, moves.square[0].x, moves.square[0].y);
    return boardText(2);
  }
};

// A plain minimax over the same tree, without bounds: the depth-limited search's rules (a pass
// takes a ply, the game's end is not recognised) and the exact search's (the computer's side's
// final disc count).
int referenceMidgame(int ply, int side) {
  const bool maxNode = side == sideToMove;
  int best = maxNode ? INT_MIN : INT_MAX;
  auto child = [&](int p) {
    const int v =
        p < depthLimit ? referenceMidgame(p + 1, opponent(side)) : evaluatePosition(p + 1);
    best = maxNode ? std::max(best, v) : std::min(best, v);
  };
  const SquareList moves = legalSquares(ply, side);
  for (const Square s : moves) {
    playChild(ply, side, s.x, s.y);
    child(ply);
  }
  if (moves.count == 0) {
    copyPly(ply + 1);
    child(ply);
  }
  return best;
}

int referenceEndgame(int ply, int side) {
  if (isGameOver(ply)) return countDiscs(ply, sideToMove);
  const bool maxNode = side == sideToMove;
  int best = maxNode ? INT_MIN : INT_MAX;
  const SquareList moves = legalSquares(ply, side);
  for (const Square s : moves) {
    playChild(ply, side, s.x, s.y);
    const int v = referenceEndgame(ply + 1, opponent(side));
    best = maxNode ? std::max(best, v) : std::min(best, v);
  }
  if (moves.count == 0) {
    copyPly(ply + 1);
    best = referenceEndgame(ply + 1, opponent(side));
  }
  return best;
}

struct RootChoice {
  int code;
  int value;
};

// The root loop of the thinking thread in scan order, with the best score so far as the
// bound, against the same loop over exact minimax values.
RootChoice chooseAtRoot(bool endgame, bool reference) {
  const int me = sideToMove;
  RootChoice best{0, INT_MIN};
  for (const Square s : legalSquares(0, me)) {
    playChild(0, me, s.x, s.y);
    int v;
    if (reference) {
      v = endgame ? referenceEndgame(1, opponent(me)) : referenceMidgame(1, opponent(me));
    } else {
      v = endgame ? endgameSearch(1, opponent(me), best.value, INT_MAX)
                  : midgameSearch(1, opponent(me), best.value, INT_MAX);
    }
    if (v > best.value) best = RootChoice{s.code(), v};
  }
  return best;
}

// The reference searches keep the plain cut-off rules exactly, and the tests compare the
// engine with them: at a bound reached but not crossed the depth-limited search goes on, the
// exact search returns. (The engine may return at either; its values keep the same window
// contract, which the reference comparisons check.)
TEST_F(SearchTest, ReferenceMidgameMaxNodeGoesOnWhenAChildEqualsBeta) {
  const int side = sampleOnPly1(20);
  reference::depthLimit = 1;  // the children of ply 1 are evaluated
  const std::string first = firstChildOf(side);
  const int firstValue = reference::evaluatePosition(2);

  EXPECT_EQ(reference::midgameSearch(1, side, INT_MIN, firstValue - 1), firstValue);
  EXPECT_EQ(boardText(2), first) << "a value above beta cuts off at once";
  reference::midgameSearch(1, side, INT_MIN, firstValue);
  EXPECT_NE(boardText(2), first) << "a value equal to beta goes on with the next move";
}

TEST_F(SearchTest, ReferenceMidgameMinNodeGoesOnWhenAChildEqualsAlpha) {
  const int side = sampleOnPly1(20);
  sideToMove = opponent(side);  // ply 1 is a min node
  reference::depthLimit = 1;
  const std::string first = firstChildOf(side);
  const int firstValue = reference::evaluatePosition(2);

  EXPECT_EQ(reference::midgameSearch(1, side, firstValue + 1, INT_MAX), firstValue);
  EXPECT_EQ(boardText(2), first);
  reference::midgameSearch(1, side, firstValue, INT_MAX);
  EXPECT_NE(boardText(2), first);
}

TEST_F(SearchTest, ReferenceEndgameMaxNodeReturnsWhenAChildEqualsBeta) {
  const int side = sampleOnPly1(54);  // 6 empty squares
  const std::string first = firstChildOf(side);
  const int firstValue = reference::endgameSearch(2, opponent(side), INT_MIN, INT_MAX);

  EXPECT_EQ(reference::endgameSearch(1, side, INT_MIN, firstValue), firstValue);
  EXPECT_EQ(boardText(2), first);
  reference::endgameSearch(1, side, INT_MIN, firstValue + 1);
  EXPECT_NE(boardText(2), first);
}

TEST_F(SearchTest, ReferenceEndgameMinNodeReturnsWhenAChildEqualsAlpha) {
  const int side = sampleOnPly1(54);
  sideToMove = opponent(side);
  const std::string first = firstChildOf(side);
  const int firstValue = reference::endgameSearch(2, opponent(side), INT_MIN, INT_MAX);

  EXPECT_EQ(reference::endgameSearch(1, side, firstValue, INT_MAX), firstValue);
  EXPECT_EQ(boardText(2), first);
  reference::endgameSearch(1, side, firstValue - 1, INT_MAX);
  EXPECT_NE(boardText(2), first);
}

// A child equal to the bound: whatever the engine returns lies on the bound's far side.
TEST_F(SearchTest, ChildEqualToTheBoundEndsBeyondIt) {
  const int side = sampleOnPly1(20);
  depthLimit = 1;
  firstChildOf(side);
  const int firstValue = evaluatePosition(2);
  EXPECT_GE(midgameSearch(1, side, INT_MIN, firstValue), firstValue);
  sideToMove = opponent(side);
  const int asMinimum = evaluatePosition(2);
  EXPECT_LE(midgameSearch(1, side, asMinimum, INT_MAX), asMinimum);
}

TEST_F(SearchTest, NodeThatCannotReachItsBoundReturnsTheBound) {
  const int side = sampleOnPly1(20);
  depthLimit = 1;
  EXPECT_EQ(midgameSearch(1, side, 100000, INT_MAX), 100000);  // max node, all below alpha
  sideToMove = opponent(side);
  EXPECT_EQ(midgameSearch(1, side, INT_MIN, -100000), -100000);  // min node, all above beta
}

// Side 1 may play c1; side 2 has no move.
const char* const SIDE2_PASSES =
    "12...... ........ ........ ........ ........ ........ ........ ........";

TEST_F(SearchTest, PassSearchesTheSamePositionWithTheOtherSideToMove) {
  loadBoard(1, SIDE2_PASSES);
  sideToMove = 1;
  depthLimit = 1;
  const int expected = evaluatePosition(1);
  EXPECT_EQ(midgameSearch(1, 2, INT_MIN, INT_MAX), expected);
  reference::depthLimit = 1;
  EXPECT_EQ(reference::midgameSearch(1, 2, INT_MIN, INT_MAX), expected);
  EXPECT_EQ(boardText(2), boardText(1)) << "the reference passes on a copy of the position";

  // The exact search: side 1 then takes c1 and side 2's last disc.
  EXPECT_EQ(endgameSearch(1, 2, INT_MIN, INT_MAX), 3);
}

TEST_F(SearchTest, PassDoesNotPollTheThinkingFlag) {
  loadBoard(1, SIDE2_PASSES);
  sideToMove = 1;
  depthLimit = 1;
  const int expected = evaluatePosition(1);
  thinkingFlag = false;
  EXPECT_EQ(midgameSearch(1, 2, INT_MIN, INT_MAX), expected);
  EXPECT_EQ(midgameSearch(1, 1, INT_MIN, INT_MAX), 0) << "a move is followed by a poll";
}

TEST_F(SearchTest, MidgameDoesNotRecogniseTheEndOfTheGame) {
  // Side 2 has no disc: neither side can move, and both pass until the depth limit.
  loadBoard(1, "1....... ........ ........ ........ ........ ........ ........ .......1");
  sideToMove = 1;
  depthLimit = 3;
  EXPECT_EQ(midgameSearch(1, 2, INT_MIN, INT_MAX), EVAL_OPPONENT_WIPED_OUT);
  EXPECT_EQ(engineCounters.nodes, 3u);
  EXPECT_EQ(engineCounters.deepestPly, 4);
  EXPECT_EQ(drawsMade(), 0);
}

TEST_F(SearchTest, EndgameScoresOnlyTheComputersOwnDiscs) {
  // A full board, 31 to 33: a loss still scores 31.
  std::string full = std::string(31, '1') + std::string(33, '2');
  loadBoard(1, full);
  sideToMove = 1;
  EXPECT_EQ(endgameSearch(1, 2, INT_MIN, INT_MAX), 31);
  sideToMove = 2;
  EXPECT_EQ(endgameSearch(1, 1, INT_MIN, INT_MAX), 33);
  EXPECT_EQ(engineCounters.nodes, 2u);
}

TEST_F(SearchTest, BoundedMidgameSearchChoosesAsPlainMinimax) {
  for (int n : {9, 20, 31, 42}) {
    for (int limit = 1; limit <= 3; ++limit) {
      replayFromStart(sampleGameMoves(n));
      depthLimit = limit;
      const RootChoice fast = chooseAtRoot(false, false);
      const RootChoice plain = chooseAtRoot(false, true);
      EXPECT_EQ(fast.code, plain.code) << n << " moves, depth limit " << limit;
      EXPECT_EQ(fast.value, plain.value) << n << " moves, depth limit " << limit;
    }
  }
}

TEST_F(SearchTest, BoundedEndgameSearchChoosesAsPlainMinimax) {
  for (int n = 53; n <= 58; ++n) {
    replayFromStart(sampleGameMoves(n));
    const RootChoice fast = chooseAtRoot(true, false);
    const RootChoice plain = chooseAtRoot(true, true);
    EXPECT_EQ(fast.code, plain.code) << n << " moves";
    EXPECT_EQ(fast.value, plain.value) << n << " moves";
    ExactSolution solution = solveExactly();
    EXPECT_EQ(squareCode(solution.x, solution.y), plain.code);
    EXPECT_EQ(solution.discs, plain.value);
  }
}

// Side 1 fills 16 squares one by one while side 2, never able to move, passes after every
// move: a chain of 15 squares, each opened by the one before, and a8, open at any time.
const char* const SIXTEEN_EMPTIES_WITH_PASSES =
    "1.2.2.21 "
    "12111111 "
    "1.2.2.2. "
    "11111112 "
    "1.2.2.2. "
    "12111111 "
    "2.2.2.2. "
    ".1111111";

TEST_F(SearchTest, LongestLineOfPassesStaysWithinTheBoardStack) {
  loadBoard(0, SIXTEEN_EMPTIES_WITH_PASSES);
  ASSERT_EQ(countDiscs(0, 0), MAX_SEARCH_EMPTIES);
  sideToMove = 1;
  const ExactSolution solution = solveExactly();
  EXPECT_EQ(solution.discs, 64);
  // Sixteen moves and fifteen passes: the last move of a line is made on ply 31.
  EXPECT_EQ(engineCounters.deepestPly, 2 * MAX_SEARCH_EMPTIES - 1);
  EXPECT_LT(engineCounters.deepestPly, BOARD_STACK_SIZE);
}

}  // namespace
