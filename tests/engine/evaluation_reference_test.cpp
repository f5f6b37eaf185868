// The evaluation on masks against the straightforward evaluation, term by term, on positions
// of random games: the same values and the same draws.
#include "engine/evaluation.h"
#include "engine/random.h"
#include "engine_test_support.h"
#include "random_positions.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace {

class EvaluationReferenceTest : public EngineTest {};

const std::vector<TestPosition>& gamePositions() {
  static const std::vector<TestPosition> all = randomGamePositions(7002, 40);
  return all;
}

TEST_F(EvaluationReferenceTest, EveryTermAgreesWithTheReference) {
  int cornersHeld = 0;
  int stable = 0;
  int edges = 0;
  for (const TestPosition& p : gamePositions()) {
    BoardStack[1] = p.board;
    for (int side = 1; side <= 2; ++side) {
      sideToMove = side;
      ASSERT_EQ(squareTerm(1), reference::squareTerm(1)) << boardText(1) << " side " << side;
      ASSERT_EQ(mobilityTerm(1), reference::mobilityTerm(1)) << boardText(1) << " side " << side;
      ASSERT_EQ(edgePatternTerm(1), reference::edgePatternTerm(1))
          << boardText(1) << " side " << side;
      ASSERT_EQ(stableDiscTerm(1), reference::stableDiscTerm(1))
          << boardText(1) << " side " << side;
      ASSERT_EQ(frontierTerm(1), reference::frontierTerm(1)) << boardText(1) << " side " << side;
      stable += stableDiscTerm(1) != 0;
      edges += edgePatternTerm(1) != 0;
    }
    for (int code : {11, 18, 81, 88}) cornersHeld += p.board.cell[code] != 0;
  }
  // The positions exercise the terms that need corners and edge patterns.
  EXPECT_GT(cornersHeld, 1000);
  EXPECT_GT(stable, 1000);
  EXPECT_GT(edges, 100);
}

TEST_F(EvaluationReferenceTest, EvaluationDrawsOnceLikeTheReference) {
  setRandomSource(nullptr);
  uint32_t seed = 1;
  for (const TestPosition& p : gamePositions()) {
    BoardStack[1] = p.board;
    sideToMove = p.side;
    seedRandom(seed);
    const int fast = evaluatePosition(1);
    const int next = drawRandom();
    seedRandom(seed);
    ASSERT_EQ(fast, reference::evaluatePosition(1)) << boardText(1);
    ASSERT_EQ(next, drawRandom()) << "both made one draw";
    ++seed;
  }
}

TEST_F(EvaluationReferenceTest, SentinelsDrawNothing) {
  loadBoard(1, "1....... ........ ..1..... ........ ........ ........ ........ .......1");
  for (int side = 1; side <= 2; ++side) {
    sideToMove = side;
    EXPECT_EQ(evaluatePosition(1), reference::evaluatePosition(1));
  }
  EXPECT_EQ(drawsMade(), 0);
  sideToMove = 1;
  loadBoard(1, "12...... ........ ........ ........ ........ ........ ........ ........");
  evaluatePosition(1);
  EXPECT_EQ(drawsMade(), 1);
}

}  // namespace
