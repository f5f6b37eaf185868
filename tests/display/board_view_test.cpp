// The board's squares, the guide and thinking markers and the flip animation.
#include "display/board_view.h"

#include "display/test_sheets.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"

using namespace testsheets;

namespace {

Shown tileRect(int x, int y) {
  return {35 * x + 2, 35 * y + 2, 32, 32};
}

class BoardView : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    initDisplay();
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) {
        BoardStack[0].at(x, y) = 0;
        FlipMarks.at(x, y) = 0;
      }
    }
    BoardStack[0].at(4, 4) = 2;
    BoardStack[0].at(4, 5) = 1;
    BoardStack[0].at(5, 4) = 1;
    BoardStack[0].at(5, 5) = 2;
    sideToMove = 1;
    settings.guide = false;
    settings.showThinking = false;
    settings.animationDelay = 0;
    examinedSquare = 0;
  }
  void TearDown() override {
    settings.guide = false;
    settings.showThinking = false;
    examinedSquare = 0;
    DisplayTest::TearDown();
  }
  ::testing::AssertionResult showsTile(int x, int y, int tile) {
    if (tile == 0) return rectWhite(35 * x + 2, 35 * y + 2, 32, 32);
    return rectFromSheet(sheet(SHEET_PIECE), 35 * x + 2, 35 * y + 2, 32, 32, 32 * tile - 32, 0);
  }
};

TEST_F(BoardView, DrawSquareCopiesItsTileIntoTheTileAreaAndShowsExactlyThat) {
  for (int tile = 1; tile <= 4; ++tile) {
    const std::vector<uint32_t> before = snapshot();
    platform.clearShown();
    drawSquare(tile + 2, 9 - tile, tile);
    EXPECT_TRUE(showsTile(tile + 2, 9 - tile, tile)) << tile;
    EXPECT_TRUE(unchangedOutside(before, {tileRect(tile + 2, 9 - tile)})) << tile;
    EXPECT_EQ(platform.shown(), std::vector<Shown>{tileRect(tile + 2, 9 - tile)});
  }
  drawSquare(8, 8, 2);  // the corner square keeps the grid whole
  EXPECT_TRUE(showsTile(8, 8, 2));
  EXPECT_EQ(pixelColour(315, 314), 0x000000u);
  EXPECT_EQ(pixelColour(314, 315), 0x000000u);
  EXPECT_EQ(pixelColour(314, 314), 0xFFFFFFu);
}

TEST_F(BoardView, EmptyTileFillsWhiteOverAPiece) {
  drawSquare(3, 6, 2);
  drawSquare(3, 6, TILE_EMPTY);
  EXPECT_TRUE(showsTile(3, 6, 0));
}

TEST_F(BoardView, SquaresOrTilesOutOfRangeDrawNothing) {
  const std::vector<uint32_t> before = snapshot();
  drawSquare(0, 3, 1);
  drawSquare(3, 0, 4);  // an examined square caught half-reset
  drawSquare(9, 3, 1);
  drawSquare(3, 9, 1);
  drawSquare(3, 3, 5);
  drawSquare(3, 3, -1);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(BoardView, GuidesOffRedrawEveryEmptySquareWhiteInColumnOrder) {
  drawSquare(4, 3, TILE_GUIDE);     // legal for side 1
  drawSquare(1, 1, TILE_THINKING);  // not legal
  drawSquare(4, 4, TILE_THINKING);  // a piece stands there: left as it is
  platform.clearShown();
  redrawGuides();
  EXPECT_TRUE(showsTile(4, 3, 0));
  EXPECT_TRUE(showsTile(1, 1, 0));
  EXPECT_TRUE(showsTile(4, 4, TILE_THINKING));
  std::vector<Shown> want;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (BoardStack[0].at(x, y) == 0) want.push_back(tileRect(x, y));
    }
  }
  EXPECT_EQ(platform.shown(), want);
}

TEST_F(BoardView, GuidesOnMarkTheLegalSquaresOfTheSideToMove) {
  settings.guide = true;
  drawSquare(3, 3, TILE_GUIDE);  // an old marker on a square that is not legal
  redrawGuides();
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (BoardStack[0].at(x, y) != 0) continue;
      EXPECT_TRUE(showsTile(x, y, isLegalMove(0, 1, x, y) ? TILE_GUIDE : 0)) << x << y;
    }
  }
  EXPECT_TRUE(showsTile(4, 3, TILE_GUIDE));
  EXPECT_TRUE(showsTile(6, 5, TILE_GUIDE));
  sideToMove = 2;
  redrawGuides();
  EXPECT_TRUE(showsTile(4, 3, 0));
  EXPECT_TRUE(showsTile(5, 3, TILE_GUIDE));  // e3 is side 2's
}

TEST_F(BoardView, ThinkingMarkerCoversTheGuideOnlyWhenShownAndSet) {
  struct Case {
    bool guide, showThinking;
    int examined;  // square code, 0 none
    int tileAtD3;  // d3 is legal for side 1
    int tileAtA1;
  };
  const Case cases[] = {
      {true, true, 43, TILE_THINKING, 0},  {false, true, 43, TILE_THINKING, 0},
      {true, false, 43, TILE_GUIDE, 0},    {true, true, 0, TILE_GUIDE, 0},
      {false, true, 11, 0, TILE_THINKING}, {false, false, 11, 0, 0},
  };
  for (const Case& c : cases) {
    settings.guide = c.guide;
    settings.showThinking = c.showThinking;
    examinedSquare = c.examined;
    platform.clearShown();
    redrawGuides();
    EXPECT_TRUE(showsTile(4, 3, c.tileAtD3)) << c.guide << c.showThinking << c.examined;
    EXPECT_TRUE(showsTile(1, 1, c.tileAtA1)) << c.guide << c.showThinking << c.examined;
    if (c.showThinking && c.examined) {
      EXPECT_EQ(platform.shown().back(), tileRect(c.examined / 10, c.examined % 10));
    }
  }
}

TEST_F(BoardView, AtTheEndOfAGameEveryEmptySquareIsClearedEvenWithGuides) {
  // Side 2 has no discs: neither side can move.
  BoardStack[0].at(4, 4) = 1;
  BoardStack[0].at(5, 5) = 1;
  settings.guide = true;
  drawSquare(6, 5, TILE_GUIDE);
  redrawGuides();
  EXPECT_TRUE(showsTile(6, 5, 0));
  EXPECT_EQ(platform.shown().size(), 60u + 1u);
}

class FlipAnimation : public BoardView {
 protected:
  // Side 2 has turned over three of side 1's pieces.
  void SetUp() override {
    BoardView::SetUp();
    for (const int code : {45, 54, 63}) {
      drawSquare(code / 10, code % 10, 1);
      FlipMarks.at(code / 10, code % 10) = 1;
    }
    sideToMove = 2;
    platform.clearShown();
  }
};

TEST_F(FlipAnimation, EndsWithEachMarkedSquareShowingTheMoversWholeTile) {
  const std::vector<uint32_t> before = snapshot();
  animateFlips();
  for (const int code : {45, 54, 63}) EXPECT_TRUE(showsTile(code / 10, code % 10, 2)) << code;
  EXPECT_TRUE(unchangedOutside(before, {tileRect(4, 5), tileRect(5, 4), tileRect(6, 3)}));
  // Every step shows each marked square's growing centre, row by row: f3, e4, d5.
  std::vector<Shown> want;
  for (int i = 1; i <= 16; ++i) {
    for (const int code : {63, 54, 45}) {
      const int cx = 35 * (code / 10) + 18;
      const int cy = 35 * (code % 10) + 18;
      want.push_back({cx - i, cy - i, 2 * i, 2 * i});
    }
  }
  EXPECT_EQ(platform.shown(), want);
}

TEST_F(FlipAnimation, EachStepGrowsTheNewTilesMiddleOverTheOldPiece) {
  // Look at d5 as its fifth step is shown: the middle 10 x 10 of Zarbo's tile, the old piece
  // around it.
  const int cx = 35 * 4 + 18, cy = 35 * 5 + 18;
  bool seen = false;
  platform.onShow = [&](const Shown& r) {
    if (r.width != 10 || r.x != cx - 5 || r.y != cy - 5) return;
    seen = true;
    EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), cx - 5, cy - 5, 10, 10, 32 + 11, 11));
    EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 142, 177, 32, 11, 0, 0));      // rows above
    EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 142, cy - 5, 11, 10, 0, 11));  // to the left
    EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 142, cy + 5, 32, 11, 0, 21));  // rows below
  };
  animateFlips();
  EXPECT_TRUE(seen);
}

TEST_F(FlipAnimation, WaitsTheDelayAfterEachStepsCopies) {
  settings.animationDelay = 10;
  std::vector<size_t> showsAtTick;
  uint32_t now = 0xFFFFFFF0u;  // the tick count wraps during the animation
  platform.onTick = [&] {
    showsAtTick.push_back(platform.shown().size());
    return now++;
  };
  animateFlips();
  // Each step: one read for its start, then reads until 10 ms have passed.
  ASSERT_EQ(showsAtTick.size(), 16u * 11u);
  for (size_t k = 0; k < showsAtTick.size(); ++k) EXPECT_EQ(showsAtTick[k], 3 * (k / 11 + 1)) << k;
}

TEST_F(FlipAnimation, NoDelayMeansNoWaitAndNoMoverMeansNoDrawing) {
  animateFlips();
  EXPECT_EQ(platform.ticksRead(), 0u);
  const std::vector<uint32_t> before = snapshot();
  platform.clearShown();
  sideToMove = 0;
  animateFlips();
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(platform.shown().empty());
}

}  // namespace
