// The static frame drawn at start-up.
#include "display/frame.h"

#include "display/test_sheets.h"

using namespace testsheets;

namespace {

class StaticFrame : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    initDisplay();
  }
  ::testing::AssertionResult from(int s, int destX, int destY, int width, int height, int srcX,
                                  int srcY) {
    return rectFromSheet(sheet(s), destX, destY, width, height, srcX, srcY);
  }
};

TEST_F(StaticFrame, BoardBorderComesFromTheFrameSheetHalves) {
  EXPECT_TRUE(from(SHEET_FRAME1, 0, 0, 351, 35, 0, 0));
  EXPECT_TRUE(from(SHEET_FRAME1, 0, 316, 351, 35, 0, 35));
  EXPECT_TRUE(from(SHEET_FRAME2, 0, 35, 35, 281, 0, 0));
  EXPECT_TRUE(from(SHEET_FRAME2, 316, 35, 35, 281, 35, 0));
}

TEST_F(StaticFrame, PanelEdgesDividersAndStripsKeepBothEndsOfEachPiece) {
  EXPECT_TRUE(from(SHEET_TITLE, 371, 20, 140, 45, 0, 0));
  EXPECT_TRUE(from(SHEET_FRAME3, 351, 0, 180, 20, 0, 0));
  EXPECT_TRUE(from(SHEET_FRAME3, 351, 331, 180, 20, 0, 20));
  for (int y : {65, 165, 265}) {
    EXPECT_TRUE(from(SHEET_FRAME3, 351, y, 180, 10, 0, 20)) << y;
    EXPECT_TRUE(from(SHEET_FRAME3, 351, y + 10, 180, 10, 0, 10)) << y;
  }
  for (int i = 0; i < 2; ++i) {
    const int x = 351 + 160 * i;
    const int column = 20 * i;
    EXPECT_TRUE(from(SHEET_FRAME4, x, 85, 20, 80, column, 0));
    EXPECT_TRUE(from(SHEET_FRAME4, x, 185, 20, 80, column, 0));
    EXPECT_TRUE(from(SHEET_FRAME4, x, 20, 20, 23, column, 0));  // title box: 23 + 22 rows
    EXPECT_TRUE(from(SHEET_FRAME4, x, 43, 20, 22, column, 58));
    EXPECT_TRUE(from(SHEET_FRAME4, x, 285, 20, 23, column, 0));  // message box: 23 + 23 rows
    EXPECT_TRUE(from(SHEET_FRAME4, x, 308, 20, 23, column, 57));
  }
}

TEST_F(StaticFrame, SideBoxesHoldTheirPieceSeparatorsAndCounterWord) {
  EXPECT_TRUE(from(SHEET_PIECE, 378, 109, 32, 32, 0, 0));
  EXPECT_TRUE(from(SHEET_PIECE, 378, 209, 32, 32, 32, 0));
  for (int x : {426, 464}) {
    EXPECT_TRUE(from(SHEET_FONT1, x, 145, 14, 20, 0, 20)) << x;
    EXPECT_TRUE(from(SHEET_FONT2, x, 245, 14, 20, 0, 20)) << x;
  }
  EXPECT_TRUE(from(SHEET_FONT1, 445, 115, 20, 20, 14, 20));
  EXPECT_TRUE(from(SHEET_FONT2, 445, 215, 20, 20, 14, 20));
  // The fields drawn later are white until then.
  for (int top : {85, 185}) {
    EXPECT_TRUE(rectWhite(371, top, 140, 20)) << top;      // label
    EXPECT_TRUE(rectWhite(417, top + 31, 28, 20)) << top;  // disc count
    EXPECT_TRUE(rectWhite(476, top + 31, 28, 20)) << top;  // last move
    EXPECT_TRUE(rectWhite(380, top + 60, 14, 20)) << top;  // dot
    EXPECT_TRUE(rectWhite(400, top + 60, 26, 20)) << top;  // hours
    EXPECT_TRUE(rectWhite(440, top + 60, 24, 20)) << top;  // minutes
    EXPECT_TRUE(rectWhite(478, top + 60, 26, 20)) << top;  // seconds
  }
  EXPECT_TRUE(rectWhite(371, 285, 140, 46));
}

TEST_F(StaticFrame, GridLinesRunThirtyFivePixelsApartAndStopShortOfTheirEnd) {
  for (int i = 0; i <= 8; ++i) {
    const int p = 35 + 35 * i;
    EXPECT_TRUE(rectIs(0x000000, 35, p, 280, 1)) << p;
    EXPECT_TRUE(rectIs(0x000000, p, 35, 1, 280)) << p;
  }
  EXPECT_EQ(pixelColour(315, 315), 0xFFFFFFu);
  // Every square between the lines is white but for the star points.
  for (int c = 1; c <= 8; ++c) {
    for (int r = 1; r <= 8; ++r) {
      const auto nearStar = [](int k) { return k == 2 || k == 3 || k == 6 || k == 7; };
      if (nearStar(c) && nearStar(r)) continue;
      EXPECT_TRUE(rectWhite(35 * c + 1, 35 * r + 1, 34, 34)) << c << r;
    }
  }
}

TEST_F(StaticFrame, StarPointsAreBlackFiveByFiveOnTheFourInnerCrossings) {
  for (int cy : {105, 245}) {
    for (int cx : {105, 245}) {
      EXPECT_TRUE(rectIs(0x000000, cx - 2, cy - 2, 5, 5)) << cx << " " << cy;
      EXPECT_EQ(pixelColour(cx - 3, cy - 3), 0xFFFFFFu);
      EXPECT_EQ(pixelColour(cx + 3, cy + 3), 0xFFFFFFu);
      EXPECT_EQ(pixelColour(cx + 3, cy - 1), 0xFFFFFFu);
    }
  }
}

TEST_F(StaticFrame, IsNotShownPieceByPieceAndLeavesTheWhiteBrush) {
  EXPECT_TRUE(platform.shown().empty());
  fillRect(100, 100, 10, 10);  // over a star point
  EXPECT_TRUE(rectWhite(100, 100, 10, 10));
}

}  // namespace
