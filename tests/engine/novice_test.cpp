#include "engine/novice.h"

#include <map>

#include "engine/random.h"
#include "engine/thinking.h"
#include "engine_test_support.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

class NoviceTest : public EngineTest {
 protected:
  NoviceScores scoresAt(int level) {
    settings.playerType[sideToMove] = level;
    NoviceScores scores;
    scoreNoviceMoves(scores);
    return scores;
  }
};

TEST_F(NoviceTest, StartPositionScoresEveryMoveAlike) {
  replayFromStart("");
  for (int level : {1, 2}) {
    const NoviceScores scores = scoresAt(level);
    const int expected = level == 1 ? 8 * 8 + 3 : 8 * 8;  // one flip, worth nothing at level 2
    EXPECT_EQ(scores.maximum, expected);
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        const int code = squareCode(x, y);
        const bool legal = code == 34 || code == 43 || code == 56 || code == 65;
        EXPECT_EQ(scores.score[code], legal ? expected : 0) << "level " << level << " " << code;
      }
    }
  }
}

TEST_F(NoviceTest, LevelTwoTakesSquaresTheOpponentCouldUse) {
  // c1 is legal for both sides, f1 for side 1 only; each flips one disc.
  loadBoard(0, "12.12... ........ ........ ........ ........ ........ ........ ........");
  sideToMove = 1;
  NoviceScores scores = scoresAt(2);
  EXPECT_EQ(scores.score[31], 8 * 6 + 24);
  EXPECT_EQ(scores.score[61], 8 * 6);
  scores = scoresAt(1);
  EXPECT_EQ(scores.score[31], 8 * 6 + 3);
}

TEST_F(NoviceTest, NoBonusForTakingASquareBesideACorner) {
  // b1 is legal for both sides.
  loadBoard(0, "..21.... .1...... .2...... ........ ........ ........ ........ ........");
  sideToMove = 1;
  ASSERT_TRUE(isLegalMove(0, 2, 2, 1));
  EXPECT_EQ(scoresAt(2).score[21], 8 * 2);
}

TEST_F(NoviceTest, LevelTwoWeighsFlipsByDiscsOnTheBoard) {
  // a1 flips three discs.
  loadBoard(0, ".2221... ........ ........ ........ ........ ........ ........ ........");
  sideToMove = 1;
  for (const auto& [index, factor] :
       std::map<int, int>{{0, 0}, {11, 0}, {12, 1}, {27, 1}, {28, 2}, {44, 3}, {60, 4}}) {
    gameRecord.currentIndex = index;
    EXPECT_EQ(scoresAt(2).score[11], 8 * 9 + factor * 3) << "index " << index;
    EXPECT_EQ(scoresAt(1).score[11], 8 * 9 + 3 * 3) << "index " << index;
  }
}

TEST_F(NoviceTest, ScoresCombinePriorityAndFlips) {
  replayFromStart("f5");  // d6 and f4 score 67, f6 59
  const NoviceScores scores = scoresAt(1);
  EXPECT_EQ(scores.maximum, 67);
  EXPECT_EQ(scores.score[66], 59);
}

TEST_F(NoviceTest, ChoiceDrawsSquaresUntilABestOneComesUp) {
  replayFromStart("");
  settings.playerType[1] = 1;
  setDrawSequence({0, 0, 2, 3});  // a1 first, then c4
  chooseNoviceMove();
  EXPECT_EQ(squareCode(chosenX, chosenY), 34);
  EXPECT_EQ(drawsMade(), 4);
}

TEST_F(NoviceTest, ChoiceSpreadsEvenlyOverTheBestSquares) {
  replayFromStart("");
  settings.playerType[1] = 2;
  setRandomSource(nullptr);
  seedRandom(12345);
  std::map<int, int> chosen;
  const int rounds = 4000;
  for (int i = 0; i < rounds; ++i) {
    chooseNoviceMove();
    ++chosen[squareCode(chosenX, chosenY)];
  }
  ASSERT_EQ(chosen.size(), 4u);
  for (const auto& [code, times] : chosen) {
    EXPECT_NEAR(times, rounds / 4, 150) << code;  // about five standard deviations
  }
}

}  // namespace
