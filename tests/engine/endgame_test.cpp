// The exact search against the straightforward one on positions of random games, its window
// contract, and what it keeps between searches.
#include "engine/endgame.h"

#include <climits>
#include <random>

#include "engine/counters.h"
#include "engine_test_support.h"
#include "random_positions.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace {

class EndgameTest : public EngineTest {};

const std::vector<TestPosition>& gamePositions() {
  static const std::vector<TestPosition> all = randomGamePositions(7004, 80);
  return all;
}

// The exact value of every root move of a position, and the engine's answers under windows
// around it: both sides as the computer.
void checkRootMoves(const TestPosition& p) {
  showPosition(p);
  const SquareList moves = legalSquares(0, p.side);
  for (int computer = 1; computer <= 2; ++computer) {
    for (const auto [x, y] : moves) {
      showPosition(p);
      sideToMove = computer;
      playChild(0, p.side, x, y);
      const int mover = opponent(p.side);
      const int v = reference::endgameSearch(1, mover, INT_MIN, INT_MAX);
      const std::string where = boardText(1) + " computer " + std::to_string(computer) + " after " +
                                std::to_string(squareCode(x, y));
      ASSERT_EQ(endgameSearch(1, mover, INT_MIN, INT_MAX), v) << where;
      const int windows[][2] = {{v - 1, v + 1}, {v, INT_MAX}, {v - 1, INT_MAX},
                                {INT_MIN, v},   {v + 3, 65},  {-1, v - 2}};
      for (const auto& w : windows) {
        const int r = endgameSearch(1, mover, w[0], w[1]);
        const std::string at =
            where + " window " + std::to_string(w[0]) + ".." + std::to_string(w[1]);
        if (v <= w[0]) {
          ASSERT_LE(r, w[0]) << at;
        } else if (v >= w[1]) {
          ASSERT_GE(r, w[1]) << at;
        } else {
          ASSERT_EQ(r, v) << at;
        }
      }
    }
  }
}

TEST_F(EndgameTest, ExactValuesAgreeWithTheReferenceUpToTenEmptySquares) {
  int checked = 0;
  for (int empties = 1; empties <= 10; ++empties) {
    const std::vector<TestPosition> positions = withDiscs(gamePositions(), 64 - empties);
    const size_t count = empties <= 6 ? 30 : empties <= 8 ? 10 : 4;
    for (size_t i = 0; i < positions.size() && i < count; ++i) {
      clearEndgameTable();
      checkRootMoves(positions[i]);
      ++checked;
    }
  }
  EXPECT_GT(checked, 200);
}

// The other side's stable discs end a node when the mover has few discs: boards of random
// games with three of every four of the mover's discs given to the other side, where that
// cut-off is tried most and a disc wrongly taken for stable changes the value.
TEST_F(EndgameTest, ExactValuesAgreeWithTheReferenceWhereTheOtherSideHoldsMostDiscs) {
  std::mt19937 random(7007);
  int checked = 0;
  for (int empties = 5; empties <= 7; ++empties) {
    for (TestPosition p : withDiscs(gamePositions(), 64 - empties)) {
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
          if (p.board.at(x, y) == p.side && random() % 4 != 0) p.board.at(x, y) = opponent(p.side);
        }
      }
      showPosition(p);
      if (legalSquares(1, p.side).count == 0) continue;
      for (int computer = 1; computer <= 2; ++computer) {
        sideToMove = computer;
        clearEndgameTable();
        ASSERT_EQ(endgameSearch(1, p.side, INT_MIN, INT_MAX),
                  reference::endgameSearch(1, p.side, INT_MIN, INT_MAX))
            << boardText(1) << " side " << p.side << " computer " << computer;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(EndgameTest, ExactDecisionsAgreeWithTheReferenceFromTwelveToFourteenEmptySquares) {
  // Among the first positions with so many empty squares, those the reference solves in well
  // under a second; most take it seconds.
  const struct {
    int empties;
    size_t index;
  } cases[] = {{12, 8}, {12, 9}, {13, 8}, {13, 9}, {14, 9}};
  for (const auto& c : cases) {
    const std::vector<TestPosition> positions = withDiscs(gamePositions(), 64 - c.empties);
    ASSERT_GT(positions.size(), c.index);
    const TestPosition& p = positions[c.index];
    showPosition(p);
    const ExactSolution solution = solveExactly();
    // The reference's root loop in scan order with the best so far as the bound.
    int best = INT_MIN;
    int bestCode = 0;
    for (const auto [x, y] : legalSquares(0, p.side)) {
      showPosition(p);
      playChild(0, p.side, x, y);
      const int v = reference::endgameSearch(1, opponent(p.side), best, INT_MAX);
      if (v > best) {
        best = v;
        bestCode = squareCode(x, y);
      }
    }
    EXPECT_TRUE(solution.decided);
    EXPECT_EQ(solution.discs, best) << boardText(0);
    EXPECT_EQ(squareCode(solution.x, solution.y), bestCode) << boardText(0);
  }
}

// The code for every processor and the one that counts bits with POPCNT search the same tree:
// the same values after the same number of positions. Only a build without POPCNT, as the
// packages are, compares two ways of counting: where the whole build may use the instruction,
// GCC recognises the shifts and masks of the portable count and emits POPCNT there too.
TEST_F(EndgameTest, PortableCodeSearchesAsThePopcountCode) {
#if defined(__POPCNT__)
  SCOPED_TRACE("both copies count with POPCNT: the whole build may use it");
#else
  SCOPED_TRACE("shifts and masks against POPCNT");
#endif
  const EndgameCode chosen = endgameCode();
  if (!useEndgameCode(EndgameCode::Popcount)) GTEST_SKIP() << "no POPCNT code or instruction";
  for (int discs = 52; discs <= 54; ++discs) {
    const std::vector<TestPosition> positions = withDiscs(gamePositions(), discs);
    for (size_t i = 0; i < positions.size() && i < 4; ++i) {
      showPosition(positions[i]);
      uint64_t nodes[2];
      int value[2];
      for (int k = 0; k < 2; ++k) {
        ASSERT_TRUE(useEndgameCode(k == 0 ? EndgameCode::Portable : EndgameCode::Popcount));
        clearEndgameTable();
        clearEngineCounters();
        value[k] = endgameSearch(1, positions[i].side, INT_MIN, INT_MAX);
        nodes[k] = engineCounters.nodes;
      }
      EXPECT_EQ(value[0], value[1]) << boardText(1);
      EXPECT_EQ(nodes[0], nodes[1]) << boardText(1);
    }
  }
  useEndgameCode(chosen);
}

#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
// The choice is made once, before main: where the processor has POPCNT, a build without it
// searches with that code from the start, or every exact search runs the slower one.
TEST_F(EndgameTest, StartUpChoosesThePopcountCodeWhereTheProcessorHasIt) {
  __builtin_cpu_init();
  EXPECT_EQ(endgameCode() == EndgameCode::Popcount, __builtin_cpu_supports("popcnt") != 0);
}
#endif

// A search told to stop gives 0 and leaves nothing behind that a later search could trust.
TEST_F(EndgameTest, StoppedSearchReturnsZeroAndStoresNothingFalse) {
  const std::vector<TestPosition> positions = withDiscs(gamePositions(), 52);
  ASSERT_FALSE(positions.empty());
  const TestPosition& p = positions[0];
  showPosition(p);
  clearEndgameTable();
  thinkingFlag = false;
  clearEngineCounters();
  EXPECT_EQ(endgameSearch(1, opponent(p.side), INT_MIN, INT_MAX), 0);
  EXPECT_LE(engineCounters.nodes, 2048u) << "the flag is read every thousand positions";
  thinkingFlag = true;
  const int after = endgameSearch(1, opponent(p.side), INT_MIN, INT_MAX);
  clearEndgameTable();
  EXPECT_EQ(after, endgameSearch(1, opponent(p.side), INT_MIN, INT_MAX));
}

// Stored results hold for either side as the computer, in any later decision: the same
// positions searched with a table filled by the others, then each from a cleared table.
TEST_F(EndgameTest, StoredResultsServeLaterSearchesForEitherSide) {
  const std::vector<TestPosition> positions = withDiscs(gamePositions(), 53);
  ASSERT_GT(positions.size(), 5u);
  std::vector<int> warm;
  clearEndgameTable();
  for (const TestPosition& p : positions) {
    for (int computer = 1; computer <= 2; ++computer) {
      showPosition(p);
      sideToMove = computer;
      warm.push_back(endgameSearch(1, p.side, INT_MIN, INT_MAX));
    }
  }
  size_t i = 0;
  for (const TestPosition& p : positions) {
    for (int computer = 1; computer <= 2; ++computer) {
      showPosition(p);
      sideToMove = computer;
      clearEndgameTable();
      ASSERT_EQ(warm[i++], endgameSearch(1, p.side, INT_MIN, INT_MAX)) << boardText(1);
    }
  }
}

}  // namespace
