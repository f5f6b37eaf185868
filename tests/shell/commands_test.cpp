#include "shell/commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/headless/recording_hooks.h"
#include "shell/menu.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The commands against a headless window; the turn flow's calls are only recorded, so no
// computer really starts.
class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    shell = std::make_unique<HeadlessShell>();
    shell->attach();
    installGameHooks(&recorder);
    newGame();
    recorder.clear();
  }
  void TearDown() override {
    thinkingFlag = false;
    examinedSquare = 0;
    installGameHooks(nullptr);
  }

  std::vector<int> checkedPlayerItems() const {
    std::vector<int> ids;
    for (int id = IDM_SIDE1_PLAYER; id <= IDM_SIDE2_COMPUTER8; id += 10) {
      if (shell->isChecked(id)) ids.push_back(id);
    }
    return ids;
  }

  std::unique_ptr<HeadlessShell> shell;
  RecordingHooks recorder;
};

TEST_F(Commands, StartWithTheDefaultSettingsAndMatchingMarks) {
  EXPECT_EQ(settings.playerType[1], PLAYER_PERSON);
  EXPECT_EQ(settings.playerType[2], 3);
  EXPECT_FALSE(settings.guide);
  EXPECT_FALSE(settings.showThinking);
  EXPECT_TRUE(settings.sound);
  EXPECT_EQ(settings.animationDelay, 30);
  EXPECT_EQ(settings.priority, 2);
  EXPECT_THAT(checkedPlayerItems(), ElementsAre(IDM_SIDE1_PLAYER, IDM_SIDE2_COMPUTER3));
  EXPECT_FALSE(shell->isChecked(IDM_GUIDE));
  EXPECT_FALSE(shell->isChecked(IDM_SHOW_THINKING));
  EXPECT_TRUE(shell->isChecked(IDM_SOUND));
  EXPECT_TRUE(shell->isChecked(IDM_SPEED_NORMAL));
  EXPECT_TRUE(shell->isChecked(IDM_PRIORITY_NORMAL));
}

TEST_F(Commands, TogglesKeepTheFlagAndTheMarkTogether) {
  struct Toggle {
    int id;
    std::atomic<bool>& flag;
  } toggles[] = {{IDM_GUIDE, settings.guide},
                 {IDM_SHOW_THINKING, settings.showThinking},
                 {IDM_SOUND, settings.sound}};
  for (Toggle& t : toggles) {
    for (int round = 0; round < 3; ++round) {
      const bool before = t.flag;
      shell->command(t.id);
      EXPECT_EQ(t.flag, !before) << t.id;
      EXPECT_EQ(shell->isChecked(t.id), t.flag.load()) << t.id;
    }
  }
}

TEST_F(Commands, GuideToggleRedrawsTheGuides) {
  shell->command(IDM_GUIDE);
  shell->command(IDM_GUIDE);
  EXPECT_THAT(recorder.calls(), ElementsAre("redrawGuides", "redrawGuides"));
}

TEST_F(Commands, ShowThinkingRedrawsTheExaminedSquareOnly) {
  shell->command(IDM_SHOW_THINKING);  // on, nothing examined
  EXPECT_THAT(recorder.calls(), IsEmpty());
  examinedSquare = 34;
  shell->command(IDM_SHOW_THINKING);  // off, guide off: empty
  shell->command(IDM_GUIDE);
  recorder.clear();
  shell->command(IDM_SHOW_THINKING);  // on: the thinking marker
  shell->command(IDM_SHOW_THINKING);  // off, guide on: the guide marker
  EXPECT_THAT(recorder.calls(), ElementsAre("drawSquare 3 4 4", "drawSquare 3 4 3"));
}

TEST_F(Commands, SoundToggleSilencesTheClick) {
  playClick();
  EXPECT_EQ(shell->clicksPlayed(), 1);
  shell->command(IDM_SOUND);
  playClick();
  EXPECT_EQ(shell->clicksPlayed(), 1);
}

TEST_F(Commands, PlayerChoiceMovesTheMarkAndRedrawsTheLabelsButStartsNothing) {
  shell->command(playerItemId(1, 5));  // side 1, to move, becomes a computer
  EXPECT_EQ(settings.playerType[1], 5);
  EXPECT_THAT(checkedPlayerItems(), ElementsAre(IDM_SIDE1_COMPUTER5, IDM_SIDE2_COMPUTER3));
  shell->command(IDM_SIDE2_PLAYER);
  EXPECT_EQ(settings.playerType[2], PLAYER_PERSON);
  EXPECT_THAT(checkedPlayerItems(), ElementsAre(IDM_SIDE1_COMPUTER5, IDM_SIDE2_PLAYER));
  EXPECT_THAT(recorder.calls(), ElementsAre("drawPlayerLabels", "drawPlayerLabels"));
}

TEST_F(Commands, PlayerChoiceWhileThinkingChangesNothing) {
  thinkingFlag = true;
  const std::vector<std::string> marksBefore = shell->checkLog();
  shell->command(IDM_SIDE2_COMPUTER8);
  EXPECT_EQ(settings.playerType[2], 3);
  EXPECT_EQ(shell->checkLog(), marksBefore);
  EXPECT_THAT(recorder.calls(), IsEmpty());
}

TEST_F(Commands, SpeedAndPriorityMoveTheirMarks) {
  const struct {
    int id;
    int delay;
  } speeds[] = {{IDM_SPEED_FAST, 10}, {IDM_SPEED_SLOW, 50}, {IDM_SPEED_NORMAL, 30}};
  for (auto s : speeds) {
    shell->command(s.id);
    EXPECT_EQ(settings.animationDelay, s.delay);
    for (int id : {IDM_SPEED_FAST, IDM_SPEED_NORMAL, IDM_SPEED_SLOW}) {
      EXPECT_EQ(shell->isChecked(id), id == s.id);
    }
  }
  const int priorities[] = {IDM_PRIORITY_HIGH, IDM_PRIORITY_LOW, IDM_PRIORITY_NORMAL};
  for (int choice : priorities) {
    shell->command(choice);
    EXPECT_EQ(settings.priority, (choice - IDM_PRIORITY_HIGH) / 10 + 1);
    for (int id : {IDM_PRIORITY_HIGH, IDM_PRIORITY_NORMAL, IDM_PRIORITY_LOW}) {
      EXPECT_EQ(shell->isChecked(id), id == choice);
    }
  }
}

TEST_F(Commands, NewGameIsRefusedWhileThinkingAndWorksAfterStop) {
  shell->clickSquare(6, 5);
  thinkingFlag = true;
  recorder.clear();
  shell->command(IDM_NEW_GAME);
  EXPECT_THAT(recorder.calls(), IsEmpty());
  EXPECT_EQ(gameRecord.currentIndex, 1);

  shell->command(IDM_STOP);
  EXPECT_FALSE(thinkingFlag);
  EXPECT_TRUE(stoppedFlag);
  EXPECT_THAT(recorder.calls(), ElementsAre("stopClockTimer"));
  shell->command(IDM_NEW_GAME);
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_FALSE(stoppedFlag);
}

TEST_F(Commands, ResumeStartsTheClockAndAComputerToMove) {
  shell->command(IDM_STOP);
  recorder.clear();
  shell->command(IDM_RESUME);  // a person to move: only the clock
  EXPECT_THAT(recorder.calls(), ElementsAre("startClockTimer"));
  EXPECT_FALSE(stoppedFlag);

  shell->command(playerItemId(1, 4));
  recorder.clear();
  shell->command(IDM_RESUME);
  EXPECT_THAT(recorder.calls(), ElementsAre("startClockTimer", "startThinking"));
}

TEST_F(Commands, ResumeIsRefusedWhileThinkingOrAtTheEnd) {
  thinkingFlag = true;
  shell->command(IDM_RESUME);
  thinkingFlag = false;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) BoardStack[0].at(x, y) = 1;  // a finished game
  }
  shell->command(IDM_RESUME);
  EXPECT_THAT(recorder.calls(), IsEmpty());
}

TEST_F(Commands, NavigationCommandsJumpAlongTheLine) {
  for (int code : {65, 64, 53}) shell->clickSquare(code / 10, code % 10);
  shell->command(IDM_BACK);
  EXPECT_EQ(gameRecord.currentIndex, 2);
  shell->command(IDM_FIRST);
  EXPECT_EQ(gameRecord.currentIndex, 0);
  shell->command(IDM_BACK);  // nothing before the start
  EXPECT_EQ(gameRecord.currentIndex, 0);
  shell->command(IDM_FORWARD);
  EXPECT_EQ(gameRecord.currentIndex, 1);
  shell->command(IDM_LAST);
  EXPECT_EQ(gameRecord.currentIndex, 3);
  shell->command(IDM_FORWARD);
  EXPECT_EQ(gameRecord.currentIndex, 3);
}

TEST_F(Commands, ExitAsksTheWindowToClose) {
  shell->command(IDM_EXIT);
  EXPECT_EQ(shell->closeRequests(), 1);
}

TEST_F(Commands, UnknownIdsDoNothing) {
  const std::vector<std::string> marksBefore = shell->checkLog();
  for (int id : {0, 999, 1005, 1085, 1175, 1261, 1350, 65535}) {
    shell->command(id);
  }
  EXPECT_EQ(shell->checkLog(), marksBefore);
  EXPECT_THAT(recorder.calls(), IsEmpty());
  EXPECT_EQ(shell->closeRequests(), 0);
}

TEST_F(Commands, MessagesReachTheGame) {
  // The command id is the low 16 bits of wParam.
  EXPECT_TRUE(dispatchGameMessage(MSG_COMMAND, 0x70000 | IDM_GUIDE, 0));
  EXPECT_TRUE(settings.guide);
  // The click's x is the low and y the high 16 bits of lParam.
  EXPECT_TRUE(dispatchGameMessage(MSG_LBUTTONDOWN, 0, (5 * 35 + 18) << 16 | (6 * 35 + 18)));
  EXPECT_EQ(gameRecord.moves[0], 65);
  EXPECT_TRUE(dispatchGameMessage(MSG_TIMER, 0, 0));
  EXPECT_EQ(clockSeconds[2], 1);
  EXPECT_FALSE(dispatchGameMessage(0x0200, 0, 0));
}

TEST_F(Commands, MoveReadyWithoutADeliveredMoveIsIgnored) {
  thinkingFlag = true;
  recorder.clear();
  dispatchGameMessage(MSG_MOVE_READY, 0, 0);
  EXPECT_THAT(recorder.calls(), IsEmpty());
  EXPECT_EQ(gameRecord.currentIndex, 0);
}

}  // namespace
