// The move rules on masks against the rules on the 10 x 10 Boards, on positions of random
// games.
#include "engine/bitboard.h"

#include "engine_test_support.h"
#include "random_positions.h"
#include "rules/board.h"

namespace {

class BitboardTest : public EngineTest {};

const std::vector<TestPosition>& gamePositions() {
  static const std::vector<TestPosition> all = randomGamePositions(7001, 40);
  return all;
}

Bitboard legalSquares(int ply, int side) {
  Bitboard out = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (isLegalMove(ply, side, x, y)) out |= squareBit(x, y);
    }
  }
  return out;
}

TEST_F(BitboardTest, LowestBitFirstIsScanOrder) {
  int i = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y, ++i) {
      EXPECT_EQ(bitIndex(x, y), i);
      EXPECT_EQ(bitX(i), x);
      EXPECT_EQ(bitY(i), y);
    }
  }
}

TEST_F(BitboardTest, MovesFlipsAndGameEndAgreeWithTheBoards) {
  ASSERT_GT(gamePositions().size(), 2000u);
  for (const TestPosition& p : gamePositions()) {
    BoardStack[1] = p.board;
    for (int side = 1; side <= 2; ++side) {
      const Bitboard mine = discsOf(p.board, side);
      const Bitboard theirs = discsOf(p.board, opponent(side));
      ASSERT_EQ(popCount(mine), countDiscs(1, side));
      const Bitboard legal = legalMoves(mine, theirs);
      ASSERT_EQ(legal, legalSquares(1, side)) << boardText(1) << " side " << side;
      const MovesOfBoth both = legalMovesOfBoth(mine, theirs);
      ASSERT_EQ(both.mine, legal);
      ASSERT_EQ(both.theirs, legalMoves(theirs, mine));
      ASSERT_EQ(legalMoves(mine, theirs) == 0 && legalMoves(theirs, mine) == 0, isGameOver(1));

      for (int i = 0; i < 64; ++i) {
        const Bitboard square = Bitboard{1} << i;
        if ((mine | theirs) & square) continue;
        const Bitboard flips = flipsOf(i, mine, theirs);
        if (!(legal & square)) {
          ASSERT_EQ(flips, 0u) << boardText(1) << " square " << i;
          continue;
        }
        copyPly(2);
        playMove(2, side, bitX(i), bitY(i));
        ASSERT_EQ(mine | flips | square, discsOf(BoardStack[2], side)) << boardText(1) << " " << i;
        ASSERT_EQ(theirs & ~flips, discsOf(BoardStack[2], opponent(side)));
      }
    }
  }
}

TEST_F(BitboardTest, EdgeRunsAndLongRunsFlip) {
  // Side 1 on a8 brackets six discs along row 8 with h8, and along column a with a1.
  loadBoard(1, "1....... 2....... 2....... 2....... 2....... 2....... 2....... .2222221");
  const Bitboard mine = discsOf(BoardStack[1], 1);
  const Bitboard theirs = discsOf(BoardStack[1], 2);
  const Bitboard flips = flipsOf(bitIndex(1, 8), mine, theirs);
  EXPECT_EQ(popCount(flips), 12);
  EXPECT_EQ(flips, theirs);
  // A run that reaches the edge without a disc of the mover brackets nothing.
  loadBoard(1, "........ ........ ........ ........ ........ ........ ........ .2222222");
  EXPECT_EQ(legalMoves(discsOf(BoardStack[1], 1), discsOf(BoardStack[1], 2)), 0u);
}

}  // namespace
