// Decisions made by the thinking thread's own code, run on the test's thread.
#include "engine/thinking.h"

#include <string>
#include <vector>

#include "engine/book.h"
#include "engine/counters.h"
#include "engine/search.h"
#include "engine_test_support.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"
#include "shell/headless/recording_hooks.h"

namespace {

struct InlinePlatform final : ThinkingPlatform {
  int deliveries = 0;
  bool startThread(void (*)(), int) override { return false; }
  void deliverMove() override { ++deliveries; }
};

class ThinkingTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    expandBook();
    installThinkingPlatform(&platform);
    installGameHooks(&hooks);
    settings.showThinking = false;
    settings.guide = false;
  }
  void TearDown() override {
    installGameHooks(nullptr);
    installThinkingPlatform(nullptr);
    EngineTest::TearDown();
  }

  // The decision of a level for the side to move; the square code, or 0 if none was made.
  int decide(int level) {
    settings.playerType[sideToMove] = level;
    hooks.clear();
    clearEngineCounters();
    const int before = platform.deliveries;
    thinkingFlag = true;
    thinkingThread();
    if (platform.deliveries == before) return 0;
    return squareCode(chosenX, chosenY);
  }

  // The root moves in the order they were searched: each is redrawn after its search.
  std::vector<int> searchOrder() const {
    std::vector<int> order;
    for (const std::string& call : hooks.callsStartingWith("drawSquare ")) {
      int x = 0, y = 0, tile = 0;
      std::sscanf(call.c_str(), "drawSquare %d %d %d", &x, &y, &tile);
      if (tile != 4) order.push_back(squareCode(x, y));
    }
    return order;
  }

  InlinePlatform platform;
  RecordingHooks hooks;
};

// The starting position with two moves counted as made, so that the level searches and the
// four root moves (c4, d3, e6, f5 in scan order) evaluate alike but for the random term.
void symmetricPositionAfterTwoMoves() {
  replayFromStart("");
  gameRecord.currentIndex = 2;
}

TEST_F(ThinkingTest, RootMovesAreSearchedInExchangeSortOrder) {
  symmetricPositionAfterTwoMoves();
  // One-ply scores 3, 3, 5, 0 in scan order, then every search score equal.
  setDrawSequence({3, 3, 5, 0});
  EXPECT_EQ(decide(3), 56);  // of equal scores the first searched wins
  EXPECT_EQ(searchOrder(), (std::vector<int>{56, 43, 34, 65}));
  EXPECT_EQ(lastDecision.source, DecisionSource::Search);
}

TEST_F(ThinkingTest, TiedRootScoresKeepTheEarlierMove) {
  symmetricPositionAfterTwoMoves();
  // Searched order 56, 43, 34, 65; the second and third tie above the others.
  setDrawSequence({3, 3, 5, 0, 1, 4, 4, 2});
  EXPECT_EQ(decide(3), 43);
  EXPECT_EQ(lastDecision.score, -31 + 4);  // the worked example's position, by symmetry
}

TEST_F(ThinkingTest, ThinkingMarkerShownOnlyWhenAsked) {
  symmetricPositionAfterTwoMoves();
  settings.showThinking = true;
  settings.guide = true;
  decide(3);
  const std::vector<std::string> calls = hooks.callsStartingWith("drawSquare ");
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls[0], "drawSquare 3 4 4");
  EXPECT_EQ(calls[1], "drawSquare 3 4 3");  // restored as a guide marker
}

TEST_F(ThinkingTest, RootListHoldsEveryLegalMove) {
  // Side 1 has 35 legal moves here.
  loadBoard(0,
            "........ "
            "122..221 "
            ".11..112 "
            ".2.2.... "
            "..12.21. "
            ".211112. "
            ".22.212. "
            "........");
  sideToMove = 1;
  gameRecord.currentIndex = 20;
  int legal = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) legal += isLegalMove(0, 1, x, y);
  }
  ASSERT_GT(legal, 30);
  EXPECT_NE(decide(3), 0);
  EXPECT_EQ(static_cast<int>(searchOrder().size()), legal);
  EXPECT_EQ(engineCounters.evaluations, 2u * legal);  // ordering, then scoring
}

TEST_F(ThinkingTest, FirstMoveOfTheGameIsTheBestOfTheOrderingWithoutSearch) {
  replayFromStart("");
  setDrawSequence({0, 0, 0, 3});
  EXPECT_EQ(decide(8), 65);
  EXPECT_EQ(lastDecision.source, DecisionSource::First);
  EXPECT_EQ(engineCounters.nodes, 0u);
  EXPECT_EQ(engineCounters.evaluations, 4u);
  EXPECT_TRUE(hooks.callsStartingWith("drawSquare").empty());
}

TEST_F(ThinkingTest, BookAnswersWhileEnabled) {
  replayFromStart("f5");
  bookEnabledFlag = true;
  EXPECT_EQ(decide(5), 66);  // the first of 71 candidates, f6
  EXPECT_EQ(lastDecision.source, DecisionSource::Book);
  EXPECT_EQ(drawsMade(), 1);

  bookEnabledFlag = false;
  decide(4);
  EXPECT_EQ(lastDecision.source, DecisionSource::Search);
}

TEST_F(ThinkingTest, BookMissSwitchesTheBookOffAndSearches) {
  replayFromStart("f5 d6 c3 d3 c4 f4 e6");  // the whole of one line
  bookEnabledFlag = true;
  EXPECT_NE(decide(4), 0);
  EXPECT_EQ(lastDecision.source, DecisionSource::Search);
  EXPECT_FALSE(bookEnabledFlag);
}

TEST_F(ThinkingTest, BookIsNotAskedAfterSeventeenMoves) {
  replayFromStart("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4");  // a 17-move line
  bookEnabledFlag = true;
  decide(4);
  EXPECT_EQ(lastDecision.source, DecisionSource::Search);
  EXPECT_TRUE(bookEnabledFlag);
}

TEST_F(ThinkingTest, LevelThreeSolvesExactlyFromFiftySevenDiscs) {
  replayFromStart(sampleGameMoves(52));  // 56 discs
  decide(3);
  EXPECT_EQ(lastDecision.source, DecisionSource::Search);
  EXPECT_EQ(engineCounters.nodes, 0u);

  replayFromStart(sampleGameMoves(53));  // 57 discs
  const int move = decide(3);
  EXPECT_EQ(lastDecision.source, DecisionSource::Endgame);
  EXPECT_GT(engineCounters.nodes, 0u);
  const ExactSolution best = solveExactly();
  EXPECT_EQ(lastDecision.score, best.discs);
  EXPECT_NE(move, 0);
}

TEST_F(ThinkingTest, LevelEightSolvesExactlyFromFortyEightDiscs) {
  // With the flag already cleared, the first root move's search follows one line and gives
  // up: deep enough to show which search it is, without the cost of either.
  replayFromStart(sampleGameMoves(43));  // 47 discs
  settings.playerType[sideToMove] = 8;
  thinkingFlag = false;
  thinkingThread();
  EXPECT_EQ(engineCounters.deepestPly, 6) << "the depth-limited search evaluates on ply 6";
  EXPECT_GT(engineCounters.nodes, 0u);

  replayFromStart(sampleGameMoves(44));  // 48 discs
  settings.playerType[sideToMove] = 8;
  clearEngineCounters();
  thinkingFlag = false;
  thinkingThread();
  EXPECT_GT(engineCounters.deepestPly, 6) << "the exact search plays the line out";
  EXPECT_EQ(platform.deliveries, 0);
}

TEST_F(ThinkingTest, StoppedSearchDeliversNothing) {
  replayFromStart(sampleGameMoves(20));
  settings.playerType[sideToMove] = 5;
  thinkingFlag = false;
  thinkingThread();
  EXPECT_EQ(platform.deliveries, 0);
  EXPECT_EQ(examinedSquare, 0);
  // The marker's square was restored.
  ASSERT_FALSE(hooks.callsStartingWith("drawSquare").empty());
}

TEST_F(ThinkingTest, NoviceLevelsDeliverEvenWhenStopped) {
  replayFromStart("f5");
  settings.playerType[sideToMove] = 1;
  setDrawSequence({3, 5});  // d6
  thinkingFlag = false;
  thinkingThread();
  EXPECT_EQ(platform.deliveries, 1);
  EXPECT_EQ(squareCode(chosenX, chosenY), 46);
  EXPECT_EQ(lastDecision.source, DecisionSource::Novice);
}

}  // namespace
