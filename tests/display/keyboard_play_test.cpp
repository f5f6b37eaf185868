// Playing the board by keyboard through the whole program without a window: the focus frame's
// pixels over the program's own images, where the keys move it, and the play key as a click.
#include "display/board_view.h"
#include "display/built_in_game.h"

using namespace testsheets;

namespace {

class KeyboardPlay : public BuiltInGame {
 protected:
  void TearDown() override { thinkingFlag = false; }

  // The frame's ring in its colour, and inside it the tile untouched.
  ::testing::AssertionResult framedTile(int x, int y, int tile) {
    const int left = 35 * x + 2, top = 35 * y + 2;
    for (int dy = 0; dy < 32; ++dy) {
      for (int dx = 0; dx < 32; ++dx) {
        const bool ring = dx < 2 || dy < 2 || dx >= 30 || dy >= 30;
        if (ring && pixelColour(left + dx, top + dy) != FOCUS_FRAME_COLOUR) {
          return ::testing::AssertionFailure() << "ring pixel (" << dx << ", " << dy << ")";
        }
      }
    }
    if (tile == 0) return rectWhite(left + 2, top + 2, 28, 28);
    return rectFromSheet(sheets[SHEET_PIECE], left + 2, top + 2, 28, 28, 32 * tile - 30, 2);
  }
  int framePixelsOnBoard() {
    int n = 0;
    for (int y = 35; y <= 315; ++y) {
      for (int x = 35; x <= 315; ++x) n += pixelColour(x, y) == FOCUS_FRAME_COLOUR;
    }
    return n;
  }
  void press(unsigned key, int times = 1) {
    for (int i = 0; i < times; ++i) ASSERT_TRUE(shell.key(key));
  }
};

TEST_F(KeyboardPlay, TheFrameColourIsNoTilesAndStandsOnWhiteAndOnBothDiscs) {
  const SheetImage& piece = sheets[SHEET_PIECE];
  for (int y = 0; y < piece.height; ++y) {
    for (int x = 0; x < piece.width; ++x) ASSERT_NE(piece.colourAt(x, y), FOCUS_FRAME_COLOUR);
  }
  EXPECT_EQ(framePixelsOnBoard(), 0) << "no frame before a key";
  press(KEY_HOME);  // the first key only shows the frame where the focus stands: d3
  EXPECT_EQ(framedSquare().code(), 43);
  EXPECT_TRUE(framedTile(4, 3, 0));
  EXPECT_EQ(gameRecord.currentIndex, 0);
  press(KEY_DOWN);
  EXPECT_TRUE(framedTile(4, 4, 2));
  EXPECT_TRUE(showsTile(4, 3, 0)) << "the square left behind is whole again";
  press(KEY_DOWN);
  EXPECT_TRUE(framedTile(4, 5, 1));
  EXPECT_EQ(framePixelsOnBoard(), 4 * 2 * 30);
}

TEST_F(KeyboardPlay, KeysMoveTheFocusAndStopAtTheEdges) {
  press(KEY_RIGHT);  // shows d3
  const struct {
    unsigned key;
    int times;
    int code;  // where the focus stands afterwards
  } steps[] = {
      {KEY_HOME, 1, 11}, {KEY_LEFT, 2, 11},  {KEY_UP, 2, 11},   {KEY_RIGHT, 9, 81},
      {KEY_DOWN, 9, 88}, {KEY_HOME, 1, 11},  {KEY_END, 1, 88},  {KEY_UP, 1, 87},
      {KEY_LEFT, 3, 57}, {KEY_RIGHT, 9, 87}, {KEY_DOWN, 3, 88},
  };
  for (const auto& s : steps) {
    press(s.key, s.times);
    EXPECT_EQ(framedSquare().code(), s.code) << s.key << " x" << s.times;
  }
  EXPECT_EQ(framePixelsOnBoard(), 4 * 2 * 30) << "one frame only";
  EXPECT_FALSE(shell.key(KEY_END + 1)) << "not a board key";
  EXPECT_EQ(framedSquare().code(), 88);
}

TEST_F(KeyboardPlay, PlayKeyPlaysTheFocusedSquareAsAClickThereWould) {
  press(KEY_PLAY);  // shows d3, plays nothing
  EXPECT_EQ(gameRecord.currentIndex, 0);
  press(KEY_HOME);
  press(KEY_PLAY);  // a1 is not legal: ignored, as a click is
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(shell.clicksPlayed(), 0);
  press(KEY_END);
  press(KEY_UP, 3);
  press(KEY_LEFT, 2);  // f5
  press(KEY_PLAY);
  ASSERT_EQ(gameRecord.currentIndex, 1);
  EXPECT_EQ(gameRecord.moves[0], 65);
  EXPECT_EQ(shell.clicksPlayed(), 1);
  EXPECT_TRUE(framedTile(6, 5, 1)) << "the new piece is drawn under the frame";
  EXPECT_TRUE(showsTile(5, 5, 1));
  EXPECT_EQ(sideToMove, 2);
}

TEST_F(KeyboardPlay, AClickTakesTheFrameAwayAndActsAsBefore) {
  press(KEY_HOME);
  press(KEY_DOWN);  // d4, over side 2's disc
  shell.clickSquare(6, 5);
  EXPECT_EQ(gameRecord.currentIndex, 1);
  EXPECT_EQ(framePixelsOnBoard(), 0);
  EXPECT_TRUE(showsTile(4, 4, 2));
  press(KEY_LEFT);  // shows the frame again where it was
  EXPECT_EQ(framedSquare().code(), 44);
}

TEST_F(KeyboardPlay, WhileTheComputerThinksKeysMoveTheFrameButPlayNothing) {
  thinkingFlag = true;
  press(KEY_RIGHT);
  press(KEY_PLAY);  // d3 is legal
  press(KEY_DOWN, 2);
  press(KEY_RIGHT, 2);  // f5, legal too
  press(KEY_PLAY);
  EXPECT_EQ(framedSquare().code(), 65);
  EXPECT_EQ(gameRecord.currentIndex, 0);
  EXPECT_EQ(BoardStack[0].at(6, 5), 0);
  EXPECT_EQ(shell.clicksPlayed(), 0);
}

TEST_F(KeyboardPlay, RedrawingTheFramedSquareKeepsTheFrameOverWhatIsDrawn) {
  press(KEY_HOME);
  press(KEY_DOWN);                  // d4
  drawSquare(4, 4, TILE_THINKING);  // the thinking thread's marker, and its removal
  EXPECT_TRUE(framedTile(4, 4, TILE_THINKING));
  drawSquare(4, 4, TILE_EMPTY);
  EXPECT_TRUE(framedTile(4, 4, 0));
  drawSquare(4, 4, 2);
  drawSquare(4, 5, TILE_THINKING);  // a neighbour's redraw leaves the frame alone
  EXPECT_TRUE(framedTile(4, 4, 2));
  // The flip animation grows the new piece under the frame, to the last step.
  FlipMarks.at(4, 4) = 1;
  sideToMove = 1;
  animateFlips();
  FlipMarks.at(4, 4) = 0;
  EXPECT_TRUE(framedTile(4, 4, 1));
  press(KEY_UP);
  EXPECT_TRUE(showsTile(4, 4, 1)) << "what the animation drew is what the frame leaves";
}

}  // namespace
