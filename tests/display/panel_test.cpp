// The side panel's fields, compared with the glyph cells they must hold.
#include "display/panel.h"

#include <algorithm>
#include <climits>

#include "display/test_sheets.h"
#include "rules/game.h"
#include "rules/settings.h"

using namespace testsheets;

namespace {

class Panel : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    initDisplay();
    settings.playerType[1] = 0;
    settings.playerType[2] = 3;
    gameRecord.currentIndex = 0;
    for (int16_t& m : gameRecord.moves) m = 0;
    discCounts[1] = discCounts[2] = 2;
    clockSeconds[1] = clockSeconds[2] = 0;
    sideToMove = 1;
    before = snapshot();
  }
  // The cell (cellX, cellY, width x 20) of a glyph sheet stands at (x, y).
  ::testing::AssertionResult cell(int s, int cellX, int cellY, int width, int x, int y) {
    return rectFromSheet(sheet(s), x, y, width, 20, cellX, cellY);
  }
  ::testing::AssertionResult digit(int s, int d, int x, int y) {
    return cell(s, 14 * d, 0, 14, x, y);
  }
  ::testing::AssertionResult clockReads(int side, const int (&d)[6]) {
    const int s = side + 1;
    const int y = side == 1 ? 145 : 245;
    const int xs[6] = {400, 414, 438, 452, 476, 490};
    for (int i = 0; i < 6; ++i) {
      ::testing::AssertionResult r = digit(s, d[i], xs[i], y);
      if (!r) return r << " (digit " << i << ")";
    }
    // Between the digits, which overlap their cells' two outer columns, the separators stay.
    ::testing::AssertionResult a = rectFromSheet(sheet(s), 428, y, 10, 20, 2, 20);
    return a ? rectFromSheet(sheet(s), 466, y, 10, 20, 2, 20) : a;
  }
  std::vector<uint32_t> before;
};

// --- Player labels ------------------------------------------------------------------------

TEST_F(Panel, PersonAgainstComputerShowsPlayerAloneAndComputerWithItsLevel) {
  drawPlayerLabels();
  EXPECT_TRUE(cell(SHEET_FONT1, 252, 0, 60, 411, 85));
  EXPECT_TRUE(rectWhite(371, 85, 40, 20));
  EXPECT_TRUE(rectWhite(471, 85, 40, 20));
  EXPECT_TRUE(cell(SHEET_FONT2, 312, 0, 83, 392, 185));
  EXPECT_TRUE(digit(SHEET_FONT2, 3, 476, 185));
  EXPECT_TRUE(rectWhite(371, 185, 21, 20));
  EXPECT_TRUE(rectWhite(490, 185, 21, 20));
  const std::vector<Shown> want = {{371, 85, 140, 20}, {371, 185, 140, 20}};
  EXPECT_EQ(platform.shown(), want);
  EXPECT_TRUE(unchangedOutside(before, want));
}

TEST_F(Panel, TwoPersonsShowPlayerWithTheSideNumberEach) {
  drawPlayerLabels();  // an older, wider label to be cleared
  settings.playerType[2] = 0;
  drawPlayerLabels();
  EXPECT_TRUE(cell(SHEET_FONT1, 252, 0, 60, 404, 85));
  EXPECT_TRUE(digit(SHEET_FONT1, 1, 464, 85));
  EXPECT_TRUE(cell(SHEET_FONT2, 252, 0, 60, 404, 185));
  EXPECT_TRUE(digit(SHEET_FONT2, 2, 464, 185));
  EXPECT_TRUE(rectWhite(371, 185, 33, 20));
  EXPECT_TRUE(rectWhite(478, 185, 33, 20));
}

TEST_F(Panel, ComputerOnSideOneAndALevelOutOfRangeStaysWithinTheDigits) {
  settings.playerType[1] = 8;
  settings.playerType[2] = 0;
  drawPlayerLabels();
  EXPECT_TRUE(cell(SHEET_FONT1, 312, 0, 83, 392, 85));
  EXPECT_TRUE(digit(SHEET_FONT1, 8, 476, 85));
  EXPECT_TRUE(cell(SHEET_FONT2, 252, 0, 60, 411, 185));
  settings.playerType[1] = 12;
  drawPlayerLabels();
  EXPECT_TRUE(digit(SHEET_FONT1, 9, 476, 85));
  settings.playerType[1] = 0;
}

// --- Disc counts --------------------------------------------------------------------------

TEST_F(Panel, DiscCountsShowTwoDigitsWithALeadingZeroInEachSidesColour) {
  drawDiscCounts();
  EXPECT_TRUE(digit(SHEET_FONT1, 0, 417, 116));
  EXPECT_TRUE(digit(SHEET_FONT1, 2, 431, 116));
  EXPECT_TRUE(digit(SHEET_FONT2, 0, 417, 216));
  EXPECT_TRUE(digit(SHEET_FONT2, 2, 431, 216));
  const std::vector<Shown> want = {{417, 116, 28, 20}, {417, 216, 28, 20}};
  EXPECT_EQ(platform.shown(), want);
  EXPECT_TRUE(unchangedOutside(before, want));
  discCounts[1] = 64;
  discCounts[2] = 0;
  drawDiscCounts();
  EXPECT_TRUE(digit(SHEET_FONT1, 6, 417, 116));
  EXPECT_TRUE(digit(SHEET_FONT1, 4, 431, 116));
  EXPECT_TRUE(digit(SHEET_FONT2, 0, 431, 216));
}

TEST_F(Panel, CountsOutsideTwoDigitsAreHeldToTheirEnds) {
  discCounts[1] = -5;
  discCounts[2] = INT_MAX;
  drawDiscCounts();
  EXPECT_TRUE(digit(SHEET_FONT1, 0, 417, 116));
  EXPECT_TRUE(digit(SHEET_FONT1, 0, 431, 116));
  EXPECT_TRUE(digit(SHEET_FONT2, 9, 417, 216));
  EXPECT_TRUE(digit(SHEET_FONT2, 9, 431, 216));
}

// --- Last move ----------------------------------------------------------------------------

TEST_F(Panel, LastMoveShowsTheLetterAndDigitAndKeepsTheOtherSidesField) {
  gameRecord.moves[0] = 65;  // f5
  drawLastMove(1);
  EXPECT_TRUE(cell(SHEET_FONT1, 210, 0, 14, 476, 116));
  EXPECT_TRUE(digit(SHEET_FONT1, 5, 490, 116));
  EXPECT_TRUE(rectWhite(476, 216, 28, 20));
  const std::vector<Shown> want = {{476, 116, 28, 20}, {476, 216, 28, 20}};
  EXPECT_EQ(platform.shown(), want);
  EXPECT_TRUE(unchangedOutside(before, want));

  gameRecord.currentIndex = 1;
  gameRecord.moves[1] = 43;  // d3
  drawLastMove(2);
  EXPECT_TRUE(cell(SHEET_FONT2, 182, 0, 14, 476, 216));
  EXPECT_TRUE(digit(SHEET_FONT2, 3, 490, 216));
  EXPECT_TRUE(cell(SHEET_FONT1, 210, 0, 14, 476, 116));  // side 1's f5 stays
}

TEST_F(Panel, ClearingModesClearOnlyTheirSidesFieldButShowBoth) {
  gameRecord.moves[0] = 11;
  drawLastMove(1);
  drawLastMove(2);
  drawLastMove(4);
  EXPECT_TRUE(rectWhite(476, 216, 28, 20));
  EXPECT_TRUE(cell(SHEET_FONT1, 140, 0, 14, 476, 116));  // a1 stays
  drawLastMove(2);
  drawLastMove(3);
  EXPECT_TRUE(rectWhite(476, 116, 28, 20));
  EXPECT_TRUE(cell(SHEET_FONT2, 140, 0, 14, 476, 216));
  drawLastMove(1);
  platform.clearShown();
  drawLastMove(0);
  EXPECT_TRUE(rectWhite(476, 116, 28, 20));
  EXPECT_TRUE(rectWhite(476, 216, 28, 20));
  EXPECT_EQ(platform.shown().size(), 2u);
}

TEST_F(Panel, ALastMoveThatIsNoSquareLeavesTheFieldWhite) {
  gameRecord.moves[0] = 88;
  drawLastMove(1);
  for (const int code : {0, 90, 19, -11}) {
    gameRecord.moves[0] = static_cast<int16_t>(code);
    drawLastMove(1);
    EXPECT_TRUE(rectWhite(476, 116, 28, 20)) << code;
  }
  gameRecord.moves[0] = 88;
  drawLastMove(1);
  gameRecord.currentIndex = MAX_RECORD;
  drawLastMove(1);
  EXPECT_TRUE(rectWhite(476, 116, 28, 20));
  gameRecord.currentIndex = 0;
}

// --- Side to move -------------------------------------------------------------------------

TEST_F(Panel, TheDotComesFromFontOneForBothSidesAndNoneLeavesBothWhite) {
  drawSideToMove(2);
  EXPECT_TRUE(cell(SHEET_FONT1, 386, 20, 14, 380, 245));
  EXPECT_TRUE(rectWhite(380, 145, 14, 20));
  const std::vector<Shown> want = {{380, 145, 14, 20}, {380, 245, 14, 20}};
  EXPECT_EQ(platform.shown(), want);
  EXPECT_TRUE(unchangedOutside(before, want));
  drawSideToMove(1);
  EXPECT_TRUE(cell(SHEET_FONT1, 386, 20, 14, 380, 145));
  EXPECT_TRUE(rectWhite(380, 245, 14, 20));
  drawSideToMove(0);
  EXPECT_TRUE(rectWhite(380, 145, 14, 20));
  EXPECT_TRUE(rectWhite(380, 245, 14, 20));
}

// --- Clocks -------------------------------------------------------------------------------

TEST_F(Panel, ClockReadsHoursMinutesSecondsWithLeadingZeros) {
  drawClock(1);
  EXPECT_TRUE(clockReads(1, {0, 0, 0, 0, 0, 0}));
  const std::vector<Shown> want = {{400, 145, 104, 20}};
  EXPECT_EQ(platform.shown(), want);
  EXPECT_TRUE(unchangedOutside(before, want));
  clockSeconds[2] = 3600 + 2 * 60 + 5;
  drawClock(2);
  EXPECT_TRUE(clockReads(2, {0, 1, 0, 2, 0, 5}));
  clockSeconds[1] = 99 * 3600 + 59 * 60 + 59;
  drawClock(1);
  EXPECT_TRUE(clockReads(1, {9, 9, 5, 9, 5, 9}));
}

TEST_F(Panel, ClockOfAHundredHoursOrMoreStaysAtItsLastReading) {
  for (const int t : {100 * 3600, 100 * 3600 + 61, INT_MAX}) {
    clockSeconds[2] = t;
    drawClock(2);
    EXPECT_TRUE(clockReads(2, {9, 9, 5, 9, 5, 9})) << t;
  }
  clockSeconds[1] = -1;
  drawClock(1);
  EXPECT_TRUE(clockReads(1, {0, 0, 0, 0, 0, 0}));
  platform.clearShown();
  drawClock(0);
  drawClock(3);
  EXPECT_TRUE(platform.shown().empty());
}

// --- Messages -----------------------------------------------------------------------------

TEST_F(Panel, WinnerMessageNamesTheWinnerAndTheMarginInItsColour) {
  struct Case {
    int counts1, counts2, winner, tens, units, particleX;
  };
  for (const Case& c :
       {Case{33, 31, 1, 0, 2, 465}, Case{0, 40, 2, 4, 0, 461}, Case{64, 0, 1, 6, 4, 465}}) {
    discCounts[1] = c.counts1;
    discCounts[2] = c.counts2;
    drawMessage(0);
    platform.clearShown();
    drawMessage(1);
    const int s = c.winner + 1;
    EXPECT_TRUE(digit(s, c.tens, 383, 310)) << c.counts1;
    EXPECT_TRUE(digit(s, c.units, 397, 310)) << c.counts1;
    EXPECT_TRUE(cell(s, 14, 20, 20, 411, 309)) << c.counts1;   // counter word
    EXPECT_TRUE(cell(s, 150, 20, 67, 432, 309)) << c.counts1;  // "wins"
    EXPECT_TRUE(
        rectFromSheet(sheet(s), 397, 287, std::min(67, c.particleX - 397), 20, 218, 20));  // name
    EXPECT_TRUE(cell(s, 54, 20, 20, c.particleX, 287)) << c.counts1;                       // "no"
    EXPECT_TRUE(rectWhite(371, 285, 12, 46));
    const std::vector<Shown> want = {{371, 285, 140, 46}};
    EXPECT_EQ(platform.shown(), want);
  }
  EXPECT_TRUE(unchangedOutside(before, {{371, 285, 140, 46}}));
}

TEST_F(Panel, DrawMessageStandsAloneInTheMiddleInFontOne) {
  discCounts[1] = discCounts[2] = 32;
  drawMessage(1);
  EXPECT_TRUE(cell(SHEET_FONT1, 286, 20, 100, 391, 298));
  EXPECT_TRUE(rectWhite(371, 285, 140, 13));
  EXPECT_TRUE(rectWhite(371, 318, 140, 13));
  EXPECT_TRUE(unchangedOutside(before, {{371, 285, 140, 46}}));
}

TEST_F(Panel, PassMessageNamesTheSideThatCannotMove) {
  for (const int side : {1, 2}) {
    sideToMove = side;
    drawMessage(0);
    drawMessage(2);
    const int s = side + 1;
    const int particleX = 469 - 4 * side;
    EXPECT_TRUE(cell(s, 74, 20, 76, 403, 309)) << side;  // "cannot place"
    EXPECT_TRUE(rectFromSheet(sheet(s), 397, 287, std::min(67, particleX - 397), 20, 218, 20))
        << side;
    EXPECT_TRUE(cell(s, 34, 20, 20, particleX, 287)) << side;  // "wa"
    EXPECT_TRUE(rectWhite(371, 285, 26, 46)) << side;
  }
  drawMessage(0);
  EXPECT_TRUE(rectWhite(371, 285, 140, 46));
  EXPECT_TRUE(unchangedOutside(before, {{371, 285, 140, 46}}));
}

}  // namespace
