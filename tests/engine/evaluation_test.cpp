#include "engine/evaluation.h"

#include "engine_test_support.h"
#include "rules/board.h"
#include "rules/game.h"

namespace {

class EvaluationTest : public EngineTest {};

int tableAt(const int16_t* table, int x, int y) {
  return table[(x - 1) * 8 + (y - 1)];
}

TEST_F(EvaluationTest, WorkedExampleAfterF5) {
  replayFromStart("f5");
  copyPly(1);
  sideToMove = 1;
  EXPECT_EQ(squareTerm(1), -3);
  EXPECT_EQ(mobilityTerm(1), 0);
  EXPECT_EQ(edgePatternTerm(1), 0);
  EXPECT_EQ(stableDiscTerm(1), 0);
  EXPECT_EQ(frontierTerm(1), -14);
  EXPECT_EQ(evaluatePosition(1), -31);
  setDrawValue(5);
  EXPECT_EQ(evaluatePosition(1), -26);
  setDrawValue(11);  // the random term is the draw modulo 6
  EXPECT_EQ(evaluatePosition(1), -26);
  setDrawValue(12);
  EXPECT_EQ(evaluatePosition(1), -31);
  EXPECT_EQ(drawsMade(), 4);
}

TEST_F(EvaluationTest, StartPositionIsTheRandomTermAloneForEitherSide) {
  replayFromStart("");
  copyPly(1);
  for (int side = 1; side <= 2; ++side) {
    sideToMove = side;
    for (int r = 0; r < 6; ++r) {
      setDrawValue(r);
      EXPECT_EQ(evaluatePosition(1), r) << "side " << side;
    }
  }
}

TEST_F(EvaluationTest, SideWithoutDiscsGivesSentinelWithoutDraw) {
  loadBoard(1, "1....... ........ ........ ........ ........ ........ ........ .......1");
  sideToMove = 2;
  EXPECT_EQ(evaluatePosition(1), EVAL_WIPED_OUT);
  EXPECT_EQ(EVAL_WIPED_OUT, -1073741824);
  sideToMove = 1;
  EXPECT_EQ(evaluatePosition(1), EVAL_OPPONENT_WIPED_OUT);
  EXPECT_EQ(EVAL_OPPONENT_WIPED_OUT, 1073741823);
  EXPECT_EQ(drawsMade(), 0);
}

TEST_F(EvaluationTest, WeightTablesHaveTheBoardsSymmetries) {
  for (const int16_t* table : {SQUARE_WEIGHTS, OWN_MOBILITY_WEIGHTS, OPPONENT_MOBILITY_WEIGHTS}) {
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        EXPECT_EQ(tableAt(table, x, y), tableAt(table, y, x)) << x << "," << y;
        EXPECT_EQ(tableAt(table, x, y), tableAt(table, 9 - x, y)) << x << "," << y;
        EXPECT_EQ(tableAt(table, x, y), tableAt(table, x, 9 - y)) << x << "," << y;
      }
    }
  }
}

TEST_F(EvaluationTest, CornerNeighbourBonusNeedsItsOwnCornerOccupied) {
  const int corners[4] = {11, 88, 18, 81};
  const int neighbours[4][3] = {{12, 21, 22}, {87, 78, 77}, {17, 28, 27}, {71, 82, 72}};
  for (int c = 0; c < 4; ++c) {
    for (int holder = 1; holder <= 2; ++holder) {
      loadBoard(1, std::string(64, '.'));
      BoardStack[1].cell[corners[c]] = static_cast<int16_t>(holder);
      for (int other = 0; other < 4; ++other) {
        for (int code : neighbours[other]) {
          EXPECT_EQ(cornerNeighbourBonus(1, code / 10, code % 10), other == c ? 30 : 0)
              << "corner " << corners[c] << " square " << code;
        }
      }
      // Squares two steps from the corner get nothing.
      EXPECT_EQ(cornerNeighbourBonus(1, 3, 1), 0);
      EXPECT_EQ(cornerNeighbourBonus(1, 3, 3), 0);
      EXPECT_EQ(cornerNeighbourBonus(1, 6, 8), 0);
    }
  }
}

TEST_F(EvaluationTest, OccupiedCornerRaisesItsNeighboursInTheSquareTerm) {
  sideToMove = 1;
  loadBoard(1, ".1...... .1...... ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(squareTerm(1), -50 - 20);  // b2 and b1 beside an empty corner
  loadBoard(1, "21...... .1...... ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(squareTerm(1), -100 - 20 + 10);  // the opponent's corner raises them too
  loadBoard(1, ".2...... .2...... ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(squareTerm(1), 50 + 20);
  loadBoard(1, "12...... .2...... ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(squareTerm(1), 100 + 20 - 10);
}

TEST_F(EvaluationTest, CornerOpenToOpponentCostsFarMoreThanOneOpenToUsGains) {
  sideToMove = 1;
  // Side 1 may take a1 (8), side 2 may play d1 (10).
  loadBoard(1, ".21..... ........ ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(mobilityTerm(1), 8 - 10);
  // Side 2 may take a1 (100), side 1 may play d1 (8).
  loadBoard(1, ".12..... ........ ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(mobilityTerm(1), 8 - 100);
}

TEST_F(EvaluationTest, SquareOpenToBothSidesCountsForBoth) {
  sideToMove = 1;
  // c1 is legal for both sides; f1 for side 1 only.
  loadBoard(1, "12.12... ........ ........ ........ ........ ........ ........ ........");
  ASSERT_EQ(legalCodes(1, 1), "31 61");
  ASSERT_EQ(legalCodes(1, 2), "31");
  EXPECT_EQ(mobilityTerm(1), 8 + 8 - 10);
}

TEST_F(EvaluationTest, EdgePatternMatchesBackwards) {
  sideToMove = 1;
  // Left edge, rows 1 to 8: empty, empty, five discs, empty: pattern 2 read backwards.
  loadBoard(1, "........ ........ 1....... 1....... 1....... 1....... 1....... ........");
  EXPECT_EQ(edgePatternTerm(1), -10);
}

TEST_F(EvaluationTest, SymmetricEdgePatternCountsOnce) {
  sideToMove = 1;
  loadBoard(1, ".111111. ........ ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(edgePatternTerm(1), 20);
}

TEST_F(EvaluationTest, EmptyOrFullEdgesMatchNothing) {
  sideToMove = 1;
  loadBoard(1, std::string(64, '.'));
  EXPECT_EQ(edgePatternTerm(1), 0);
  loadBoard(1, "11111111 ........ ........ ........ ........ ........ ........ 22222222");
  EXPECT_EQ(edgePatternTerm(1), 0);
}

TEST_F(EvaluationTest, EveryEdgeIsReadInBothDirections) {
  sideToMove = 1;
  // Pattern 5, ". O . O . . . .", on each edge forwards and backwards.
  const char* lines[2] = {".1.1....", "....1.1."};
  for (const char* line : lines) {
    for (int edge = 0; edge < 4; ++edge) {
      loadBoard(1, std::string(64, '.'));
      for (int i = 0; i < 8; ++i) {
        const int16_t v = static_cast<int16_t>(line[i] == '1' ? 1 : 0);
        if (edge == 0) BoardStack[1].at(1, i + 1) = v;
        if (edge == 1) BoardStack[1].at(8, i + 1) = v;
        if (edge == 2) BoardStack[1].at(i + 1, 1) = v;
        if (edge == 3) BoardStack[1].at(i + 1, 8) = v;
      }
      EXPECT_EQ(edgePatternTerm(1), -20) << line << " on edge " << edge;
    }
  }
}

TEST_F(EvaluationTest, EdgePatternsAreSeenFromTheComputersSide) {
  // Bottom edge "O X O O O O O ." for side 2: pattern 14.
  loadBoard(1, "........ ........ ........ ........ ........ ........ ........ 2122222.");
  sideToMove = 2;
  EXPECT_EQ(edgePatternTerm(1), -20);
  sideToMove = 1;  // "X O X X X X X ." is no pattern
  EXPECT_EQ(edgePatternTerm(1), 0);
  // ". X X X X O . ." for side 1: pattern 17.
  loadBoard(1, ".22221.. ........ ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(edgePatternTerm(1), -10);
}

TEST_F(EvaluationTest, FourEdgesAddUp) {
  sideToMove = 1;
  // Left: pattern 3 (20); right: pattern 18 (-20); top: pattern 4 (10); bottom: 8 (-20).
  loadBoard(1,
            "..1111.. "
            "........ "
            "1......2 "
            "........ "
            "........ "
            "1......2 "
            "........ "
            ".1.1.1..");
  EXPECT_EQ(edgePatternTerm(1), 20 - 20 + 10 - 20);
}

TEST_F(EvaluationTest, StableDiscsWithAllCornersEmptyCountNothing) {
  sideToMove = 1;
  loadBoard(1, ".111111. 1......1 1......1 1......1 1......1 1......1 1......1 .111111.");
  EXPECT_EQ(stableDiscTerm(1), 0);
}

TEST_F(EvaluationTest, TopCornerColumnsMayBeAsDeepAsTheOneBefore) {
  sideToMove = 1;
  loadBoard(1, "111..... 111..... ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(stableDiscTerm(1), 6);
  loadBoard(1, ".....111 .....111 ........ ........ ........ ........ ........ ........");
  EXPECT_EQ(stableDiscTerm(1), 6);
  sideToMove = 2;  // the opponent's region counts against
  EXPECT_EQ(stableDiscTerm(1), -6);
}

TEST_F(EvaluationTest, BottomCornerColumnsMustBeShallowerThanTheOneBefore) {
  sideToMove = 1;
  // a8, a7, b8 and c8 are marked; b7 and c7 are not.
  loadBoard(1, "........ ........ ........ ........ ........ ........ 111..... 111.....");
  EXPECT_EQ(stableDiscTerm(1), 4);
  loadBoard(1, "........ ........ ........ ........ ........ ........ .....111 .....111");
  EXPECT_EQ(stableDiscTerm(1), 4);
}

TEST_F(EvaluationTest, FullColumnIsMarkedOnceFromBothCorners) {
  sideToMove = 1;
  loadBoard(1, "1....... 1....... 1....... 1....... 1....... 1....... 1....... 1.......");
  EXPECT_EQ(stableDiscTerm(1), 8);
}

TEST_F(EvaluationTest, BottomCornerColumnStopsBelowRowOne) {
  sideToMove = 1;
  // Column a is side 1's from a1 to a8, column b from b2 to b8, b1 is side 2's. From a1 all of
  // column a is marked; from a8 the column reaches only row 2, so column b only row 3.
  loadBoard(1, "12...... 11...... 11...... 11...... 11...... 11...... 11...... 11......");
  EXPECT_EQ(stableDiscTerm(1), 8 + 6);
}

TEST_F(EvaluationTest, FrontierCountsOnlyEmptySquaresOnTheBoard) {
  sideToMove = 1;
  loadBoard(1, "1....... ........ ........ ........ ....2... ........ ........ ........");
  EXPECT_EQ(frontierTerm(1), -3 + 8);
}

}  // namespace
