// A game played through the whole program without a window: the pixels and the rectangles
// shown that the turn flow's drawing leaves, with the program's own images.
#include "display/board_view.h"
#include "display/built_in_game.h"

using namespace testsheets;

namespace {

class HeadlessGame : public BuiltInGame {
 protected:
  ::testing::AssertionResult digit(int side, int d, int x, int y) {
    return rectFromSheet(sheets[side + 1], x, y, 14, 20, 14 * d, 0);
  }
  ::testing::AssertionResult count(int side, int n) {
    const int y = side == 1 ? 116 : 216;
    ::testing::AssertionResult tens = digit(side, n / 10, 417, y);
    return tens ? digit(side, n % 10, 431, y) : tens;
  }
  ::testing::AssertionResult lastMove(int side, int code) {
    const int y = side == 1 ? 116 : 216;
    ::testing::AssertionResult letter =
        rectFromSheet(sheets[side + 1], 476, y, 14, 20, 14 * (code / 10) + 126, 0);
    return letter ? digit(side, code % 10, 490, y) : letter;
  }
  ::testing::AssertionResult separatorWhole(int side, int x) {
    const SheetImage& font = sheets[side + 1];
    const int y = side == 1 ? 145 : 245;
    for (int dy = 0; dy < 20; ++dy) {
      for (int dx = 0; dx < 14; ++dx) {
        const uint32_t ink = font.colourAt(dx, 20 + dy);
        if (ink != 0xFFFFFF && pixelColour(x + dx, y + dy) != ink) {
          return ::testing::AssertionFailure() << "pixel (" << x + dx << ", " << y + dy << ")";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult dotAt(int side) {
    return rectFromSheet(sheets[SHEET_FONT1], 380, side == 1 ? 145 : 245, 14, 20, 386, 20);
  }
};

TEST_F(HeadlessGame, StartShowsTheBoardAndAFreshPanel) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) EXPECT_TRUE(showsTile(x, y, BoardStack[0].at(x, y))) << x << y;
  }
  EXPECT_TRUE(showsTile(4, 4, 2));
  EXPECT_TRUE(showsTile(4, 5, 1));
  // Two persons: "Player" 1 in blue, "Player" 2 in red.
  EXPECT_TRUE(rectFromSheet(sheets[SHEET_FONT1], 404, 85, 60, 20, 252, 0));
  EXPECT_TRUE(digit(1, 1, 464, 85));
  EXPECT_TRUE(rectFromSheet(sheets[SHEET_FONT2], 404, 185, 60, 20, 252, 0));
  EXPECT_TRUE(digit(2, 2, 464, 185));
  EXPECT_TRUE(count(1, 2));
  EXPECT_TRUE(count(2, 2));
  EXPECT_TRUE(rectWhite(476, 116, 28, 20));
  EXPECT_TRUE(rectWhite(476, 216, 28, 20));
  EXPECT_TRUE(dotAt(1));
  EXPECT_TRUE(rectWhite(380, 245, 14, 20));
  for (int x : {400, 414, 438, 452, 476, 490}) {
    EXPECT_TRUE(digit(1, 0, x, 145)) << x;
    EXPECT_TRUE(digit(2, 0, x, 245)) << x;
  }
  // The digits overlap the separators' cells only where the separators are white.
  for (int side : {1, 2}) {
    for (int x : {426, 464}) EXPECT_TRUE(separatorWhole(side, x)) << side << " " << x;
  }
  EXPECT_TRUE(rectWhite(371, 285, 140, 46));
}

TEST_F(HeadlessGame, OneMoveShowsExactlyTheRectanglesOfItsDrawingInOrder) {
  shell.clearShownRects();
  shell.clickSquare(6, 5);  // f5 turns e5 over
  std::vector<ShownRect> want = {{212, 177, 32, 32}, {476, 116, 28, 20}, {476, 216, 28, 20}};
  for (int i = 1; i <= 16; ++i) want.push_back({193 - i, 193 - i, 2 * i, 2 * i});
  want.push_back({371, 285, 140, 46});  // message cleared
  want.push_back({417, 116, 28, 20});   // disc counts
  want.push_back({417, 216, 28, 20});
  want.push_back({380, 145, 14, 20});  // the dot moves to side 2
  want.push_back({380, 245, 14, 20});
  for (int x = 1; x <= 8; ++x) {  // guides: every empty square, column by column
    for (int y = 1; y <= 8; ++y) {
      if (BoardStack[0].at(x, y) == 0) want.push_back({35 * x + 2, 35 * y + 2, 32, 32});
    }
  }
  EXPECT_EQ(want.size(), 3u + 16u + 5u + 59u);
  EXPECT_TRUE(shell.shownRects() == want);
}

TEST_F(HeadlessGame, MovesLeaveTheirPiecesCountsLastMovesAndTheDot) {
  shell.clickSquare(6, 5);  // f5
  EXPECT_TRUE(showsTile(6, 5, 1));
  EXPECT_TRUE(showsTile(5, 5, 1));
  EXPECT_TRUE(count(1, 4));
  EXPECT_TRUE(count(2, 1));
  EXPECT_TRUE(lastMove(1, 65));
  EXPECT_TRUE(rectWhite(476, 216, 28, 20));
  EXPECT_TRUE(dotAt(2));
  EXPECT_TRUE(rectWhite(380, 145, 14, 20));

  shell.clickSquare(4, 6);  // d6 turns d5 over
  shell.clickSquare(3, 3);  // c3 turns d4 over
  EXPECT_TRUE(showsTile(4, 6, 2));
  EXPECT_TRUE(showsTile(4, 5, 2));
  EXPECT_TRUE(showsTile(3, 3, 1));
  EXPECT_TRUE(showsTile(4, 4, 1));  // c3 d4 e5
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) EXPECT_TRUE(showsTile(x, y, BoardStack[0].at(x, y))) << x << y;
  }
  EXPECT_TRUE(count(1, discCounts[1]));
  EXPECT_TRUE(count(2, discCounts[2]));
  EXPECT_TRUE(lastMove(1, 33));
  EXPECT_TRUE(lastMove(2, 46));
  EXPECT_TRUE(dotAt(2));

  shell.command(IDM_GUIDE);  // the legal squares of side 2 get the guide marker
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!isLegalMove(0, 2, x, y)) continue;
      EXPECT_TRUE(showsTile(x, y, TILE_GUIDE)) << x << y;
    }
  }
}

}  // namespace
