// What a screen reader is told, through the whole program without a window: the squares'
// names, the panel's texts, and one announcement for each message that moves, passes or ends.
#include "shell/speech.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"
#include "support/positions.h"

using ::testing::ElementsAre;

namespace {

class Speech : public ::testing::Test {
 protected:
  void SetUp() override {
    shell.create();
    settings.animationDelay = 0;
  }
  void TearDown() override { thinkingFlag = false; }

  void bothPersons() { shell.command(playerItemId(2, PLAYER_PERSON)); }
  void showPosition(const std::string& text, int side) {
    setBoard(BoardStack[0], text);
    gameRecord.positions[0] = BoardStack[0];
    sideToMove = side;
    gameRecord.sideToMoveAt[0] = static_cast<int16_t>(side);
  }
  std::string square(int x, int y) { return squareSpeech(x, y).text; }

  HeadlessShell shell;
};

// f5 turns e5; a name built with x and y swapped would call e6 taken, and h8 checks the far
// end of both the letters and the digits.
TEST_F(Speech, SquaresAreNamedByColumnLetterAndRowDigitWithWhatStandsOnThem) {
  bothPersons();
  shell.clickSquare(6, 5);
  EXPECT_EQ(square(6, 5), "f5 MopraGET");
  EXPECT_EQ(square(5, 5), "e5 MopraGET");
  EXPECT_EQ(square(5, 6), "e6 空き");
  EXPECT_EQ(square(4, 4), "d4 Zarbo");
  EXPECT_EQ(square(8, 8), "h8 空き");
  EXPECT_EQ(sideToMoveSpeech().text, std::string("Zarbo の番"));
  EXPECT_EQ(discCountSpeech(1).text, std::string("MopraGET 4缶"));
  EXPECT_EQ(discCountSpeech(2).text, std::string("Zarbo 1匹"));
}

// The computer's move arrives by its own message; each move is said once, by its mover.
TEST_F(Speech, APersonsMoveAndTheComputersReplyAreEachAnnounced) {
  shell.clickSquare(6, 5);
  ASSERT_TRUE(shell.runUntilIdle());
  const Square reply = squareOf(gameRecord.moves[1]);
  ASSERT_TRUE(isPlayingSquare(reply.x, reply.y));
  EXPECT_THAT(
      shell.announcements(),
      ElementsAre("MopraGET f5", std::string("Zarbo ") + squareName(reply.x, reply.y).text));
}

TEST_F(Speech, APassIsSaidWithTheMoveThatBringsItForTheSideThatCannotPlace) {
  bothPersons();
  // MopraGET plays c1; Zarbo then has no move.
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
  shell.clickSquare(3, 1);
  EXPECT_THAT(shell.announcements(), ElementsAre("MopraGET c1。Zarbo パス"));
}

// Zarbo takes the last square, turning three up column h and three along the diagonal.
TEST_F(Speech, TheResultNamesTheWinnerWithItsCountFirst) {
  bothPersons();
  showPosition(std::string(32, '2') + std::string(31, '1') + ".", 2);
  shell.clickSquare(8, 8);
  EXPECT_THAT(shell.announcements(), ElementsAre("Zarbo h8。Zarbo の勝ち 39 対 25"));
  EXPECT_EQ(sideToMoveSpeech().text, std::string("終局"));
  discCounts[1] = discCounts[2] = 32;
  EXPECT_EQ(resultSpeech().text, std::string("引き分け"));
}

TEST_F(Speech, ClocksReadAsHoursMinutesAndSeconds) {
  clockSeconds[2] = 3600 + 60 + 5;
  EXPECT_EQ(clockSpeech(2).text, std::string("Zarbo 01:01:05"));
}

}  // namespace
