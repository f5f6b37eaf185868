// Whole games through the headless shell, with real thinking threads: the test's thread plays
// the window's thread. Also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/book.h"
#include "engine/random.h"
#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"
#include "shell/commands.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"

namespace {

using namespace std::chrono_literals;

// Holds the thinking thread at the next thinking marker it draws until released, so that a
// test can act while a decision is surely under way, however quickly the search would end.
class MarkerGate {
 public:
  void arm() {
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = true;
    held_ = false;
    tester_ = std::this_thread::get_id();
  }
  // On the thinking thread, from drawSquare.
  void pass() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!armed_ || std::this_thread::get_id() == tester_) return;
    held_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !armed_; });
  }
  bool waitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, 20s, [this] { return held_; });
  }
  void release() {
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = false;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool armed_ = false;
  bool held_ = false;
  std::thread::id tester_;
};

// The program's hooks without a display: the computer, the click sound and the clock reach
// the shell; drawing is left out, but the thinking marker passes the gate.
class ShellHooks final : public ForwardingHooks {
 public:
  explicit ShellHooks(HeadlessShell& shell) : shell_(shell) {}
  void drawSquare(int, int, int tile) override {
    if (tile == 4) gate.pass();
  }
  void playClick() override { ::playClick(); }
  void startClockTimer() override { shell_.startClockTimer(); }
  void stopClockTimer() override { shell_.stopClockTimer(); }
  void startThinking() override { ::startThinking(); }

  MarkerGate gate;

 private:
  HeadlessShell& shell_;
};

class GameThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell_ = std::make_unique<HeadlessShell>();
    shell_->attach();
    hooks_ = std::make_unique<ShellHooks>(*shell_);
    installGameHooks(hooks_.get());
    expandBook();
    seedRandom(2024);
    setPlayers(PLAYER_PERSON, PLAYER_PERSON);
    shell_->command(IDM_NEW_GAME);
  }

  void TearDown() override {
    shell_->command(IDM_STOP);
    settleThinking();
    shell_.reset();  // joins every thread it started
    installGameHooks(nullptr);
    installThinkingPlatform(nullptr);
  }

  void setPlayers(int side1, int side2) {
    shell_->command(playerItemId(1, side1));
    shell_->command(playerItemId(2, side2));
  }

  // Clicks the first legal square of the side to move, in scan order.
  void clickFirstLegalSquare() {
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        if (isLegalMove(0, sideToMove, x, y)) {
          shell_->clickSquare(x, y);
          return;
        }
      }
    }
    FAIL() << "no legal square for side " << sideToMove;
  }

  // Clicks moves for whichever side is to move.
  void clickMoves(const char* moves) {
    for (const char* p = moves; p[0] != '\0'; p += p[2] == ' ' ? 3 : 2) {
      const int index = gameRecord.currentIndex;
      shell_->clickSquare(p[0] - 'a' + 1, p[1] - '0');
      ASSERT_EQ(gameRecord.currentIndex, index + 1) << "click on " << p[0] << p[1];
      if (p[2] == '\0') break;
    }
  }

  // Resumes the computer and waits until it is about to search its first root move, where
  // it stays until stopHeldDecision.
  bool resumeAndHoldDecision() {
    settings.showThinking = true;  // the marker is where the gate holds it
    hooks_->gate.arm();
    shell_->command(IDM_RESUME);
    return thinkingFlag && hooks_->gate.waitUntilHeld();
  }

  void stopHeldDecision() {
    shell_->command(IDM_STOP);
    hooks_->gate.release();
  }

  std::unique_ptr<HeadlessShell> shell_;
  std::unique_ptr<ShellHooks> hooks_;
};

// Every move of the record is legal for the side recorded to move, and leads to the next
// recorded position; a side is recorded to move only if it can.
void expectRecordReplays() {
  settleThinking();  // no thread may use the scratch plies now
  const int scratch = BOARD_STACK_SIZE - 1;
  BoardStack[scratch] = Board{};
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) BoardStack[scratch].at(x, y) = gameRecord.positions[0].at(x, y);
  }
  for (int i = 0; i < gameRecord.currentIndex; ++i) {
    const int side = gameRecord.sideToMoveAt[i];
    const int code = gameRecord.moves[i];
    ASSERT_TRUE(isLegalMove(scratch, side, code / 10, code % 10)) << "move " << i + 1;
    playMove(scratch, side, code / 10, code % 10);
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        ASSERT_EQ(BoardStack[scratch].at(x, y), gameRecord.positions[i + 1].at(x, y))
            << "after move " << i + 1;
      }
    }
    const int next = gameRecord.sideToMoveAt[i + 1];
    if (next == side && !isGameOver(scratch)) {
      // A pass: the other side could not move.
      for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) EXPECT_FALSE(isLegalMove(scratch, opponent(side), x, y));
      }
    }
  }
}

TEST_F(GameThreadsTest, PersonPlaysTheComputerToTheEnd) {
  setPlayers(PLAYER_PERSON, 3);
  while (!isGameOver(0)) {
    ASSERT_FALSE(thinkingFlag);
    ASSERT_EQ(sideToMove, 1);
    clickFirstLegalSquare();
    ASSERT_TRUE(shell_->runUntilIdle(60s));
  }
  EXPECT_EQ(discCounts[1] + discCounts[2] + discCounts[0], 64);
  EXPECT_FALSE(shell_->timerRunning());
  expectRecordReplays();
}

TEST_F(GameThreadsTest, ComputersPlayEachOtherToALegalEnd) {
  // The top levels too: each thread's exact search uses the table its predecessors filled.
  const int pairs[][2] = {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}, {8, 7}};
  for (const auto& levels : pairs) {
    setPlayers(levels[0], levels[1]);
    shell_->command(IDM_NEW_GAME);
    ASSERT_TRUE(shell_->runUntilIdle(120s)) << levels[0] << " against " << levels[1];
    EXPECT_TRUE(isGameOver(0)) << levels[0] << " against " << levels[1];
    EXPECT_FALSE(thinkingFlag);
    expectRecordReplays();
    setPlayers(PLAYER_PERSON, PLAYER_PERSON);
  }
}

TEST_F(GameThreadsTest, StopAbandonsTheDecisionAndResumeStartsAnother) {
  clickMoves("d3 c5 d6 e3 f5 e6 f6 c6 c4 d7 f4 f3 e2 b3 f2 g3 g5 e7 h3 c3");
  const int index = gameRecord.currentIndex;
  const int side = sideToMove;
  setPlayers(8, 8);  // off the book
  ASSERT_TRUE(resumeAndHoldDecision());

  stopHeldDecision();
  EXPECT_FALSE(thinkingFlag);
  settleThinking();
  EXPECT_FALSE(shell_->handleNextMessage(50ms)) << "no move is delivered";
  EXPECT_EQ(gameRecord.currentIndex, index);
  EXPECT_EQ(sideToMove, side);
  EXPECT_EQ(examinedSquare, 0);
  EXPECT_FALSE(shell_->timerRunning());

  setPlayers(3, 3);
  shell_->command(IDM_RESUME);
  ASSERT_TRUE(shell_->handleNextMessage(60s));
  EXPECT_EQ(gameRecord.currentIndex, index + 1);
  EXPECT_EQ(gameRecord.sideToMoveAt[index], side);
  // Resume clears Stop, so the other computer goes on.
  EXPECT_TRUE(thinkingFlag || isGameOver(0));
}

TEST_F(GameThreadsTest, NewGameWaitsForStop) {
  clickMoves("d3 c5 d6 e3 f5 e6 f6 c6 c4 d7 f4 f3 e2 b3 f2 g3 g5 e7 h3 c3");
  const int index = gameRecord.currentIndex;
  setPlayers(8, 8);
  ASSERT_TRUE(resumeAndHoldDecision());

  shell_->command(IDM_NEW_GAME);
  EXPECT_EQ(gameRecord.currentIndex, index) << "refused while the computer thinks";
  EXPECT_TRUE(thinkingFlag);

  setPlayers(PLAYER_PERSON, 8);  // refused too
  EXPECT_EQ(settings.playerType[1], 8);

  stopHeldDecision();
  shell_->command(IDM_NEW_GAME);
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(sideToMove, 1);
  EXPECT_FALSE(stoppedFlag);
  EXPECT_TRUE(bookEnabledFlag);
  // Side 1 is a computer: the new game starts it at once, and its first move arrives.
  EXPECT_TRUE(thinkingFlag);
  ASSERT_TRUE(shell_->handleNextMessage(60s));
  EXPECT_EQ(gameRecord.currentIndex, 1);
  EXPECT_EQ(discCounts[0], 59);
}

TEST_F(GameThreadsTest, NoviceMoveArrivingAfterStopIsMadeButPlayStops) {
  const int threadsBefore = shell_->threadsStarted();
  setPlayers(1, 1);
  shell_->command(IDM_NEW_GAME);  // side 1 starts thinking
  shell_->command(IDM_STOP);      // before its move is handled
  ASSERT_TRUE(shell_->handleNextMessage(10s));
  EXPECT_EQ(gameRecord.currentIndex, 1) << "the novice levels always deliver";
  EXPECT_FALSE(thinkingFlag) << "the other computer does not start";
  EXPECT_FALSE(shell_->timerRunning());
  EXPECT_EQ(shell_->threadsStarted(), threadsBefore + 1);
  EXPECT_TRUE(shell_->runUntilIdle(1s));
}

}  // namespace
