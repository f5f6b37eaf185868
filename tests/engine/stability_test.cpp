// Stable discs against play itself: a disc called stable is never turned over, on any line of
// play from positions of random games.
#include "engine/stability.h"

#include <random>

#include "engine_test_support.h"
#include "random_positions.h"
#include "rules/board_text.h"

namespace {

class StabilityTest : public EngineTest {};

const std::vector<TestPosition>& gamePositions() {
  static const std::vector<TestPosition> all = randomGamePositions(7005, 60);
  return all;
}

// The discs of owner that every line of play from here leaves with owner, passes included.
Bitboard neverTurned(Bitboard owner, Bitboard rival, bool ownerToMove, bool passed = false) {
  const Bitboard mover = ownerToMove ? owner : rival;
  const Bitboard other = ownerToMove ? rival : owner;
  Bitboard kept = owner;
  bool moved = false;
  for (Bitboard moves = legalMoves(mover, other); moves != 0; moves &= moves - 1) {
    const int index = lowestBit(moves);
    const Bitboard flips = flipsOf(index, mover, other);
    const Bitboard square = Bitboard{1} << index;
    moved = true;
    if (ownerToMove) {
      kept &= neverTurned(owner | flips | square, rival & ~flips, false);
    } else {
      kept &= neverTurned(owner & ~flips, rival | flips | square, true);
    }
  }
  if (!moved && !passed) kept &= neverTurned(owner, rival, !ownerToMove, true);
  return kept;
}

TEST_F(StabilityTest, StableDiscsAreNeverTurnedOver) {
  int exhaustive = 0;
  int stableFound = 0;
  for (const TestPosition& p : gamePositions()) {
    if (p.discs < 58) continue;
    for (int side = 1; side <= 2; ++side) {
      const Bitboard mine = discsOf(p.board, side);
      const Bitboard theirs = discsOf(p.board, opponent(side));
      const Bitboard stable = stableDiscs(mine, theirs);
      stableFound += popCount(stable);
      const Bitboard kept = neverTurned(mine, theirs, side == p.side);
      ASSERT_EQ(stable & ~kept, 0u) << boardText(p.board) << " side " << side;
      ++exhaustive;
    }
  }
  EXPECT_GT(exhaustive, 100);
  EXPECT_GT(stableFound, 10 * exhaustive);

  // Far from the end, where most edges are open, random lines of play to the end.
  std::mt19937 random(7006);
  int played = 0;
  for (const TestPosition& p : gamePositions()) {
    if (p.discs < 30 || p.discs > 52 || p.discs % 3 != 0) continue;
    const Bitboard start[3] = {0, discsOf(p.board, 1), discsOf(p.board, 2)};
    const Bitboard stable[3] = {0, stableDiscs(start[1], start[2]),
                                stableDiscs(start[2], start[1])};
    for (int line = 0; line < 20; ++line) {
      Bitboard discs[3] = {0, start[1], start[2]};
      for (int side = p.side;;) {
        Bitboard moves = legalMoves(discs[side], discs[opponent(side)]);
        if (moves == 0) {
          side = opponent(side);
          moves = legalMoves(discs[side], discs[opponent(side)]);
          if (moves == 0) break;
        }
        for (int skip = static_cast<int>(random() % static_cast<unsigned>(popCount(moves)));
             skip > 0; --skip) {
          moves &= moves - 1;
        }
        const int index = lowestBit(moves);
        const Bitboard flips = flipsOf(index, discs[side], discs[opponent(side)]);
        discs[side] |= flips | Bitboard{1} << index;
        discs[opponent(side)] &= ~flips;
        ASSERT_EQ(stable[opponent(side)] & flips, 0u)
            << boardText(p.board) << " side " << opponent(side);
        side = opponent(side);
      }
      ++played;
    }
  }
  EXPECT_GT(played, 500);
}

TEST_F(StabilityTest, OnAFullBoardEveryDiscIsStable) {
  for (const TestPosition& p : gamePositions()) {
    if (p.discs != 63) continue;
    const Bitboard mine = discsOf(p.board, 1);
    const Bitboard theirs = discsOf(p.board, 2);
    const Bitboard empty = ~(mine | theirs);
    // Either side fills the last square; what it turns over does not matter here.
    EXPECT_EQ(stableDiscs(mine | empty, theirs), mine | empty);
    EXPECT_EQ(stableDiscs(theirs, mine | empty), theirs);
  }
}

}  // namespace
