#include "rules/board.h"

#include <gtest/gtest.h>

#include <string>

#include "support/positions.h"

namespace {

const std::string START =
    "........"
    "........"
    "........"
    "...21..."
    "...12..."
    "........"
    "........"
    "........";

// The legal squares as their codes, in the order legalSquares gives them.
std::string legalCodes(int ply, int side) {
  std::string out;
  for (const Square s : legalSquares(ply, side)) out += std::to_string(squareCode(s.x, s.y)) + " ";
  return out;
}

TEST(Opponent, SwapsTheSidesAndGivesNoneForAnythingElse) {
  EXPECT_EQ(opponent(1), 2);
  EXPECT_EQ(opponent(2), 1);
  EXPECT_EQ(opponent(0), 0);
  EXPECT_EQ(opponent(3), 0);
}

TEST(Legality, StartingPositionHasFourMovesForEachSide) {
  setBoard(BoardStack[0], START);
  EXPECT_EQ(legalCodes(0, 1), "34 43 56 65 ");
  EXPECT_EQ(legalCodes(0, 2), "35 46 53 64 ");
}

TEST(Legality, OccupiedSquareIsNeverLegal) {
  // (1,1) holds side 2 yet a run of side 2 to its right ends on side 1: still not legal.
  setBoard(BoardStack[0],
           "22 1 ....."
           "........"
           "........"
           "........"
           "........"
           "........"
           "........"
           "........");
  EXPECT_FALSE(isLegalMove(0, 1, 1, 1));
}

TEST(Legality, RunEndingOnEmptySquareOrBorderBracketsNothing) {
  setBoard(BoardStack[0], ".22....." + std::string(56, '.'));
  EXPECT_FALSE(isLegalMove(0, 1, 4, 1));  // the run ends on the empty a1
  setBoard(BoardStack[0], "22......" + std::string(56, '.'));
  EXPECT_FALSE(isLegalMove(0, 1, 3, 1));  // the run ends on the border
  setBoard(BoardStack[0], "122....." + std::string(56, '.'));
  EXPECT_TRUE(isLegalMove(0, 1, 4, 1));  // the same run closed by side 1
}

TEST(Legality, OwnPieceNextToTheSquareBracketsNothing) {
  setBoard(BoardStack[0],
           "........"
           "..1....."
           "..12...."
           "........"
           "........"
           "........"
           "........"
           "........");
  EXPECT_FALSE(isLegalMove(0, 1, 2, 3));  // left of (3,3): own piece at distance 1
  EXPECT_TRUE(isLegalMove(0, 1, 5, 3));   // right of the run 2 at (4,3)
}

TEST(Flips, EveryBracketedDirectionTurnsOver) {
  // Side 1 plays d4 = (4,4): runs to the left, down and down-right are bracketed, the run
  // upwards ends on an empty square, the run to the right ends on the border.
  setBoard(BoardStack[0],
           "........"
           "........"
           "...2...."
           ".1222222"
           "...22..."
           "...2.2.."
           "...1..1."
           "........");
  BoardStack[0].at(4, 4) = 0;
  ASSERT_TRUE(isLegalMove(0, 1, 4, 4));
  playMove(0, 1, 4, 4);
  EXPECT_EQ(boardText(BoardStack[0]),
            "........"
            "........"
            "...2...."
            ".1112222"
            "...11..."
            "...1.1.."
            "...1..1."
            "........");
  EXPECT_TRUE(bordersAreZero(BoardStack[0]));
}

TEST(Flips, MoveOnTheEdgeLeavesTheBorderZero) {
  setBoard(BoardStack[0],
           ".221...."
           "2......."
           "1......."
           "........"
           "........"
           "........"
           "........"
           "........");
  playMove(0, 1, 1, 1);
  EXPECT_EQ(boardText(BoardStack[0]).substr(0, 24), "1111....1.......1.......");
  EXPECT_TRUE(bordersAreZero(BoardStack[0]));
}

TEST(GameOver, RecognisesTheEndAndTellsAPassApart) {
  setBoard(BoardStack[0], START);
  EXPECT_FALSE(isGameOver(0));

  setBoard(BoardStack[0], std::string(32, '1') + std::string(32, '2'));
  EXPECT_TRUE(isGameOver(0));  // full board

  setBoard(BoardStack[0], "..1.1..." + std::string(56, '.'));
  EXPECT_TRUE(isGameOver(0));  // side 2 has no pieces left

  // Side 2 cannot move, side 1 can: a pass, not the end.
  setBoard(BoardStack[0], "12......" + std::string(56, '.'));
  EXPECT_FALSE(isLegalMove(0, 2, 3, 1));
  EXPECT_TRUE(isLegalMove(0, 1, 3, 1));
  EXPECT_FALSE(isGameOver(0));
}

TEST(Counting, CountsEachSidesDiscs) {
  setBoard(BoardStack[0], START);
  EXPECT_EQ(countDiscs(0, 1), 2);
  EXPECT_EQ(countDiscs(0, 2), 2);
  EXPECT_EQ(countDiscs(0, 0), 60);
}

TEST(Plies, CopyThenPlayLeavesTheParentUnchanged) {
  setBoard(BoardStack[3], START);
  copyPly(4);
  playMove(4, 1, 6, 5);
  EXPECT_EQ(boardText(BoardStack[3]), START);
  EXPECT_EQ(countDiscs(4, 1), 4);
  EXPECT_EQ(countDiscs(4, 2), 1);
}

TEST(Plies, StackHoldsTheDeepestExactSearchLine) {
  // 16 empty squares: at most 16 moves and 15 passes after ply 0.
  EXPECT_GE(BOARD_STACK_SIZE, 1 + 2 * MAX_SEARCH_EMPTIES - 1);
}

}  // namespace
