#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"
#include "shell/headless/recording_hooks.h"
#include "support/positions.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Pixel at the centre of a square.
uint16_t centre(int c) {
  return static_cast<uint16_t>(35 * c + 18);
}

class TurnFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    installGameHooks(&recorder);
    settings.playerType[1] = PLAYER_PERSON;
    settings.playerType[2] = PLAYER_PERSON;
    thinkingFlag = false;
    newGame();
    recorder.clear();
  }
  void TearDown() override {
    thinkingFlag = false;
    installGameHooks(nullptr);
  }

  // Replaces the shown position (and the record's start) with a constructed one.
  void showPosition(const std::string& text, int side) {
    setBoard(BoardStack[0], text);
    gameRecord.positions[0] = BoardStack[0];
    sideToMove = side;
    gameRecord.sideToMoveAt[0] = static_cast<int16_t>(side);
  }

  void clickSquare(int x, int y) { clickAt(centre(x), centre(y)); }

  RecordingHooks recorder;
};

TEST_F(TurnFlow, NewGameSetsTheStartingPositionAndDrawsItRowByRow) {
  sideToMove = 2;
  clockSeconds[1] = 50;
  recorder.clear();
  newGame();
  EXPECT_EQ(discCounts[0], 60);
  EXPECT_EQ(discCounts[1], 2);
  EXPECT_EQ(discCounts[2], 2);
  EXPECT_EQ(sideToMove, 1);
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(gameRecord.lastIndex, 0);
  EXPECT_EQ(clockSeconds[1], 0);
  EXPECT_EQ(clockSeconds[2], 0);
  EXPECT_TRUE(bookEnabledFlag);
  EXPECT_FALSE(stoppedFlag);

  std::vector<std::string> calls = recorder.calls();
  ASSERT_EQ(calls.size(), 1u + 64u + 7u);
  EXPECT_EQ(calls[0], "stopClockTimer");
  EXPECT_EQ(calls[1], "drawSquare 1 1 0");
  EXPECT_EQ(calls[2], "drawSquare 2 1 0");  // x is the inner loop
  EXPECT_EQ(calls[1 + 3 * 8 + 3], "drawSquare 4 4 2");
  EXPECT_EQ(calls[1 + 3 * 8 + 4], "drawSquare 5 4 1");
  EXPECT_EQ(calls[64], "drawSquare 8 8 0");
  EXPECT_THAT(std::vector<std::string>(calls.begin() + 65, calls.end()),
              ElementsAre("drawDiscCounts", "drawLastMove 0", "drawSideToMove 1", "drawClock 1",
                          "drawClock 2", "redrawGuides", "drawMessage 0"));
}

TEST_F(TurnFlow, NewGameStartsTheComputerOnlyWhenSideOneIsOne) {
  newGame();
  EXPECT_THAT(recorder.callsStartingWith("startThinking"), IsEmpty());
  settings.playerType[1] = 4;
  recorder.clear();
  newGame();
  EXPECT_EQ(recorder.calls().back(), "startThinking");
  EXPECT_THAT(recorder.callsStartingWith("startClockTimer"), IsEmpty());
}

TEST_F(TurnFlow, PersonsMoveRunsInTheGivenOrder) {
  settings.playerType[2] = 3;
  clickSquare(6, 5);  // f5
  EXPECT_THAT(recorder.calls(),
              ElementsAre("playClick", "stopClockTimer", "drawSquare 6 5 1", "drawLastMove 1",
                          "animateFlips", "drawMessage 0", "drawDiscCounts", "drawSideToMove 2",
                          "redrawGuides", "startClockTimer", "startThinking"));
  EXPECT_EQ(gameRecord.moves[0], 65);
  EXPECT_EQ(gameRecord.currentIndex, 1);
  EXPECT_EQ(gameRecord.lastIndex, 1);
  EXPECT_EQ(sideToMove, 2);
  EXPECT_EQ(gameRecord.sideToMoveAt[1], 2);
  EXPECT_EQ(discCounts[1], 4);
  EXPECT_EQ(discCounts[2], 1);
  EXPECT_EQ(boardText(gameRecord.positions[1]), boardText(BoardStack[0]));
  // Only the turned piece is marked for the animation, not the placed one.
  EXPECT_EQ(FlipMarks.at(5, 5), 1);
  EXPECT_EQ(FlipMarks.at(6, 5), 0);
  int marks = 0;
  for (int i = 0; i < 100; ++i) marks += FlipMarks.cell[i];
  EXPECT_EQ(marks, 1);
}

TEST_F(TurnFlow, ClicksMapPixelsToSquaresAndRejectGridLinesAndOutside) {
  // Side 1 may move in both far corners of this position.
  const std::string corners =
      "........"
      ".2......"
      "..1....."
      "........"
      "........"
      ".....1.."
      "......2."
      "........";
  const struct {
    int px, py;
  } rejected[] = {{35, 36}, {36, 35}, {34, 36},  {0, 0},      {315, 314},    {314, 315},
                  {70, 36}, {36, 70}, {600, 36}, {36, 65535}, {65535, 65535}};
  for (auto c : rejected) {
    showPosition(corners, 1);
    clickAt(static_cast<uint16_t>(c.px), static_cast<uint16_t>(c.py));
    EXPECT_EQ(gameRecord.currentIndex, 0) << c.px << "," << c.py;
  }
  EXPECT_THAT(recorder.calls(), IsEmpty());

  showPosition(corners, 1);
  clickAt(36, 36);
  EXPECT_EQ(gameRecord.moves[0], 11);

  newGame();
  showPosition(corners, 1);
  clickAt(314, 314);
  EXPECT_EQ(gameRecord.moves[0], 88);

  newGame();
  showPosition(corners, 1);
  clickAt(69, 69);  // the last pixel of column 1 and row 1
  EXPECT_EQ(gameRecord.moves[0], 11);
}

TEST_F(TurnFlow, IllegalOrOccupiedSquareOrThinkingIgnoresTheClick) {
  clickSquare(1, 1);  // empty but illegal
  clickSquare(4, 4);  // occupied
  thinkingFlag = true;
  clickSquare(6, 5);  // legal, but the computer is thinking
  thinkingFlag = false;
  EXPECT_THAT(recorder.calls(), IsEmpty());
  EXPECT_EQ(gameRecord.currentIndex, 0);
}

TEST_F(TurnFlow, AcceptedClickClearsTheStoppedFlag) {
  stoppedFlag = true;
  clickSquare(1, 1);
  EXPECT_TRUE(stoppedFlag);
  clickSquare(6, 5);
  EXPECT_FALSE(stoppedFlag);
}

TEST_F(TurnFlow, PassGivesTheTurnBackAndRestartsTheMoversClock) {
  // Side 1 plays c1; side 2 then has no move, side 1 still has one.
  showPosition(
      "12.2...."
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      "122.....",
      1);
  ASSERT_TRUE(isLegalMove(0, 1, 3, 1));
  clickSquare(3, 1);
  EXPECT_THAT(recorder.calls(),
              ElementsAre("playClick", "stopClockTimer", "drawSquare 3 1 1", "drawLastMove 1",
                          "animateFlips", "drawMessage 0", "drawDiscCounts", "drawLastMove 4",
                          "drawMessage 2", "drawSideToMove 1", "redrawGuides", "startClockTimer"));
  EXPECT_EQ(sideToMove, 1);
  EXPECT_EQ(gameRecord.sideToMoveAt[1], 1);
}

TEST_F(TurnFlow, LastMoveShowsTheResultAndStopsEverything) {
  settings.playerType[2] = 5;
  // Side 1 takes the last empty square.
  showPosition(std::string(32, '1') + std::string(31, '2') + ".", 1);
  clickSquare(8, 8);
  EXPECT_THAT(recorder.calls(),
              ElementsAre("playClick", "stopClockTimer", "drawSquare 8 8 1", "drawLastMove 1",
                          "animateFlips", "drawMessage 0", "drawDiscCounts", "drawSideToMove 0",
                          "drawMessage 1", "redrawGuides"));
  EXPECT_EQ(discCounts[0], 0);
  EXPECT_EQ(discCounts[1] + discCounts[2], 64);
}

TEST_F(TurnFlow, StoppedFlagKeepsClockAndComputerStopped) {
  settings.playerType[2] = 3;
  makeMove(6, 5);
  stoppedFlag = true;
  recorder.clear();
  afterMove();
  EXPECT_THAT(recorder.callsStartingWith("start"), IsEmpty());
  EXPECT_EQ(sideToMove, 2);
}

TEST_F(TurnFlow, ClockTickCountsForTheSideToMove) {
  clockTick();
  clockTick();
  EXPECT_EQ(clockSeconds[1], 2);
  EXPECT_EQ(clockSeconds[2], 0);
  clickSquare(6, 5);
  recorder.clear();
  clockTick();
  EXPECT_EQ(clockSeconds[2], 1);
  EXPECT_THAT(recorder.calls(), ElementsAre("drawClock 2"));
}

class Navigation : public TurnFlow {
 protected:
  void SetUp() override {
    TurnFlow::SetUp();
    for (int code : line) clickSquare(code / 10, code % 10);
    ASSERT_EQ(gameRecord.currentIndex, 4);
    recorder.clear();
  }
  const int line[4] = {65, 64, 53, 66};  // f5 f4 e3 f6
};

TEST_F(Navigation, JumpShowsTheRecordedPositionAndKeepsTheClocks) {
  clockSeconds[1] = 7;
  jumpTo(2);
  EXPECT_EQ(gameRecord.currentIndex, 2);
  EXPECT_EQ(gameRecord.lastIndex, 4);
  EXPECT_EQ(boardText(BoardStack[0]), boardText(gameRecord.positions[2]));
  EXPECT_EQ(sideToMove, 1);
  EXPECT_EQ(discCounts[1] + discCounts[2], 6);
  EXPECT_EQ(clockSeconds[1], 7);

  std::vector<std::string> calls = recorder.calls();
  ASSERT_EQ(calls.size(), 2u + 64u + 5u);
  EXPECT_EQ(calls[0], "stopClockTimer");
  EXPECT_EQ(calls[1], "playClick");
  EXPECT_EQ(calls[2], "drawSquare 1 1 0");
  EXPECT_EQ(calls[3], "drawSquare 1 2 0");  // y is the inner loop here
  EXPECT_THAT(std::vector<std::string>(calls.begin() + 66, calls.end()),
              ElementsAre("drawDiscCounts", "drawLastMove 0", "redrawGuides", "drawMessage 0",
                          "drawSideToMove 1"));
}

TEST_F(Navigation, JumpOutsideTheLineToTheShownIndexOrWhileThinkingIsIgnored) {
  jumpTo(-1);
  jumpTo(5);
  jumpTo(4);
  thinkingFlag = true;
  jumpTo(0);
  thinkingFlag = false;
  EXPECT_THAT(recorder.calls(), IsEmpty());
  EXPECT_EQ(gameRecord.currentIndex, 4);
}

TEST_F(Navigation, MovesBeforeTheShownIndexAlwaysHoldTheLine) {
  // Back and forth in every pattern: the moves that led to the shown position stay intact.
  for (int n : {3, 1, 2, 0, 4, 2, 3, 1, 4}) {
    jumpTo(n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(gameRecord.moves[i], line[i]) << "at index " << n;
  }
}

TEST_F(Navigation, MoveAfterGoingBackEndsTheLineThere) {
  jumpTo(2);
  clickSquare(4, 3);  // d3 instead of e3
  EXPECT_EQ(gameRecord.currentIndex, 3);
  EXPECT_EQ(gameRecord.lastIndex, 3);
  EXPECT_EQ(gameRecord.moves[0], 65);
  EXPECT_EQ(gameRecord.moves[1], 64);
  EXPECT_EQ(gameRecord.moves[2], 43);
  recorder.clear();
  jumpTo(gameRecord.currentIndex + 1);  // forward: nothing left
  EXPECT_THAT(recorder.calls(), IsEmpty());
}

TEST_F(Navigation, JumpToAFinishedGameShowsNoSideToMove) {
  showPosition(std::string(32, '1') + std::string(31, '2') + ".", 1);
  gameRecord.lastIndex = gameRecord.currentIndex = 0;
  clickSquare(8, 8);
  jumpTo(0);
  jumpTo(1);
  EXPECT_EQ(recorder.calls().back(), "drawSideToMove 0");
  EXPECT_THAT(recorder.callsStartingWith("drawMessage 1"), ::testing::SizeIs(1));
}

// Whole games of random legal clicks: every move keeps the record, the counts and the turn
// consistent, passes included.
TEST_F(TurnFlow, RandomGamesByClicksStayConsistentToTheEnd) {
  int passes = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    newGame();
    while (!isGameOver(0)) {
      std::vector<int> legal;
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
          if (isLegalMove(0, sideToMove, x, y)) legal.push_back(squareCode(x, y));
        }
      }
      ASSERT_FALSE(legal.empty()) << "the side to move must have a move unless the game is over";
      const int mover = sideToMove;
      const int code = legal[random() % legal.size()];
      const int before = gameRecord.currentIndex;
      clickSquare(code / 10, code % 10);
      ASSERT_EQ(gameRecord.currentIndex, before + 1);
      ASSERT_EQ(gameRecord.moves[before], code);
      if (!isGameOver(0) && sideToMove == mover) ++passes;
      ASSERT_EQ(discCounts[1], countDiscs(0, 1));
      ASSERT_EQ(discCounts[2], countDiscs(0, 2));
      ASSERT_EQ(discCounts[1] + discCounts[2], gameRecord.currentIndex + 4);
      ASSERT_EQ(gameRecord.sideToMoveAt[gameRecord.currentIndex], sideToMove);
    }
    // Replaying the recorded moves from the start gives every recorded position.
    Board& replay = BoardStack[1];
    replay = gameRecord.positions[0];
    int side = 1;
    for (int i = 0; i < gameRecord.lastIndex; ++i) {
      const int code = gameRecord.moves[i];
      if (!isLegalMove(1, side, code / 10, code % 10)) side = opponent(side);
      ASSERT_TRUE(isLegalMove(1, side, code / 10, code % 10));
      playMove(1, side, code / 10, code % 10);
      side = opponent(side);
      ASSERT_EQ(boardText(replay), boardText(gameRecord.positions[i + 1]));
    }
  }
  EXPECT_GT(passes, 0) << "forty random games should include a pass";
}

}  // namespace
