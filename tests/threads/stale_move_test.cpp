// A computer's move that is already on its way when Stop is chosen: it is still made on the
// position it was chosen for, and dropped once that position has changed.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "engine/random.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"
#include "support/positions.h"

namespace {

using namespace std::chrono_literals;

// The whole program on a headless window; side 2 plays "Computer1", whose move is delivered
// without looking at the thinking flag.
class MoveOnItsWay : public ::testing::Test {
 protected:
  void SetUp() override {
    shell = std::make_unique<HeadlessShell>();
    shell->create();
    shell->command(IDM_SPEED_FAST);
    settings.animationDelay = 0;
    shell->command(IDM_SIDE2_COMPUTER1);
    seedRandom(7);
  }
  void TearDown() override { shell.reset(); }

  // Side 1 plays f5; the computer's answer is then waiting in the window's queue.
  void playUntilTheAnswerIsQueued() {
    shell->clickSquare(6, 5);
    ASSERT_TRUE(shell->waitForQueuedMessage(10s));
    ASSERT_EQ(gameRecord.currentIndex, 1);
    shell->command(IDM_STOP);
    ASSERT_FALSE(thinkingFlag);
  }

  std::unique_ptr<HeadlessShell> shell;
};

TEST_F(MoveOnItsWay, IsStillMadeAfterStopButPlayStaysStopped) {
  playUntilTheAnswerIsQueued();
  ASSERT_TRUE(shell->handleNextMessage(1s));
  EXPECT_EQ(gameRecord.currentIndex, 2);
  EXPECT_FALSE(shell->timerRunning());
  EXPECT_FALSE(thinkingFlag);
}

TEST_F(MoveOnItsWay, IsDroppedWhenAClickHasChangedThePosition) {
  playUntilTheAnswerIsQueued();
  // A person plays side 2's move by hand, after Stop.
  const std::string before = boardText(BoardStack[0]);
  shell->clickSquare(6, 6);  // f6, legal for side 2 after f5
  ASSERT_EQ(gameRecord.currentIndex, 2);
  const std::string afterClick = boardText(BoardStack[0]);
  ASSERT_NE(afterClick, before);
  ASSERT_TRUE(shell->handleNextMessage(1s));
  EXPECT_EQ(gameRecord.currentIndex, 2) << "the computer's old move is not made on top";
  EXPECT_EQ(boardText(BoardStack[0]), afterClick);
}

TEST_F(MoveOnItsWay, IsDroppedByANewGame) {
  playUntilTheAnswerIsQueued();
  shell->command(IDM_NEW_GAME);
  ASSERT_TRUE(shell->handleNextMessage(1s));
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(discCounts[1], 2);
  EXPECT_EQ(discCounts[2], 2);
}

TEST_F(MoveOnItsWay, IsDroppedByAJumpBack) {
  playUntilTheAnswerIsQueued();
  shell->command(IDM_BACK);
  ASSERT_TRUE(shell->handleNextMessage(1s));
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(gameRecord.lastIndex, 1);
}

TEST_F(MoveOnItsWay, IsDroppedWhenTheWindowGoesAway) {
  playUntilTheAnswerIsQueued();
  shell->destroy();
  EXPECT_TRUE(shell->handleNextMessage(1s));
  EXPECT_EQ(gameRecord.currentIndex, 1);
}

}  // namespace
