// The sheets, the colour table and the back buffer's primitives.
#include <climits>

#include "display/test_sheets.h"

using namespace testsheets;

namespace {

class Sheets : public DisplayTest {};

TEST_F(Sheets, BufferIsWhiteAfterBuildingEvenOverAnEarlierPicture) {
  initDisplay();  // draws the frame
  buildBackBuffer();
  EXPECT_TRUE(rectWhite(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT));
  EXPECT_EQ(pixelIndex(0, 0), 0);  // TITLE's white, the first white of the table
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(Sheets, ColourTableAndPaletteHoldSheetsZeroToFourSixteenEntriesEach) {
  buildBackBuffer();
  const BackBuffer& b = backBuffer();
  for (int s = 0; s <= SHEET_FRAME1; ++s) {
    for (int e = 0; e < 16; ++e) {
      const uint32_t c = testColour(s, e);
      const uint8_t* t = b.colourTable[16 * s + e];
      EXPECT_EQ((uint32_t{t[2]} << 16) | (uint32_t{t[1]} << 8) | t[0], c) << s << " " << e;
      EXPECT_EQ(t[3], 0);
      const PaletteEntry& p = displayPalette()[16 * s + e];
      EXPECT_EQ((uint32_t{p.red} << 16) | (uint32_t{p.green} << 8) | p.blue, c);
      EXPECT_EQ(p.flags, 0);
    }
  }
  for (int i = PALETTE_SIZE; i < 256; ++i) {
    EXPECT_EQ(b.colourTable[i][0] | b.colourTable[i][1] | b.colourTable[i][2], 0) << i;
  }
  // A BITMAPINFOHEADER for 531 x 351, bottom-up, 8 bits, uncompressed.
  const uint8_t header[16] = {40, 0, 0, 0, 0x13, 2, 0, 0, 0x5F, 1, 0, 0, 1, 0, 8, 0};
  EXPECT_EQ(std::memcmp(b.infoHeader, header, 16), 0);
  for (int i = 16; i < 40; ++i) EXPECT_EQ(b.infoHeader[i], 0) << i;
}

TEST_F(Sheets, SheetColoursLandOnTheirOwnEntriesAndFramesTwoToFourOnFrameOnes) {
  buildBackBuffer();
  const int sheets[] = {SHEET_PIECE, SHEET_FONT2, SHEET_FRAME2, SHEET_FRAME4};
  for (int s : sheets) {
    blitRect(10, 10, 32, 32, 0, 0, s);
    const int base = 16 * (s > SHEET_FRAME1 ? SHEET_FRAME1 : s);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        ASSERT_EQ(pixelIndex(10 + x, 10 + y), base + sheet(s).entryAt(x, y)) << s;
      }
    }
  }
}

TEST_F(Sheets, TopDownSourceRectanglesReadTheRightRowsOfABottomUpSheet) {
  buildBackBuffer();
  blitRect(0, 316, 351, 35, 0, 35, SHEET_FRAME1);  // the lower half, not the lettered top
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_FRAME1), 0, 316, 351, 35, 0, 35));
  blitRect(100, 100, 14, 20, 0, 20, SHEET_FONT1);  // a cell of the second glyph row
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_FONT1), 100, 100, 14, 20, 0, 20));
  blitRect(200, 100, 33, 7, 95, 25, SHEET_PIECE);  // odd width and odd start column
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 200, 100, 33, 7, 95, 25));
}

TEST_F(Sheets, CopiesAreOpaqueAndReplaceAnEarlierCellWhole) {
  buildBackBuffer();
  selectBrush(BRUSH_BLACK);
  fillRect(50, 50, 14, 20);
  selectBrush(BRUSH_WHITE);
  blitRect(50, 50, 14, 20, 14 * 8, 0, SHEET_FONT2);
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_FONT2), 50, 50, 14, 20, 14 * 8, 0));
  blitRect(50, 50, 14, 20, 14 * 3, 0, SHEET_FONT2);
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_FONT2), 50, 50, 14, 20, 14 * 3, 0));
}

TEST_F(Sheets, SheetsGivenFromTheirInformationHeaderDrawTheSame) {
  TestPlatform bare(false);
  installDisplayPlatform(&bare);
  buildBackBuffer();
  blitRect(0, 0, 140, 45, 0, 0, SHEET_TITLE);
  EXPECT_TRUE(rectFromSheet(bare.sheets[SHEET_TITLE], 0, 0, 140, 45, 0, 0));
}

TEST_F(Sheets, PartsOfRectanglesOutsideTheSheetOrTheBufferAreLeftOut) {
  buildBackBuffer();
  // Half above and left of the buffer: only the visible part, from the matching source pixels.
  blitRect(-10, -5, 32, 32, 0, 0, SHEET_PIECE);
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 0, 0, 22, 27, 10, 5));
  // A source reaching past the sheet's right edge copies what the sheet has.
  blitRect(300, 200, 40, 10, 110, 0, SHEET_PIECE);
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 300, 200, 18, 10, 110, 0));
  EXPECT_TRUE(rectWhite(318, 200, 22, 10));
  // Sizes at the edge of the integer range neither overflow nor wrap.
  blitRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN, SHEET_TITLE);
  blitRect(0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN, SHEET_TITLE);
  blitRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, SHEET_TITLE);
  fillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  blitRect(0, 0, 10, 10, 0, 0, -1);
  blitRect(0, 0, 10, 10, 0, 0, 9);
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_PIECE), 0, 0, 22, 27, 10, 5));  // nothing drawn over
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(Sheets, MissingOrMalformedSheetsDrawNothing) {
  platform.sheets[SHEET_TITLE].bytes.clear();           // missing
  platform.sheets[SHEET_PIECE].bytes.resize(1000);      // truncated
  platform.sheets[SHEET_FONT1].bytes[14 + 14] = 8;      // 8 bits per pixel
  platform.sheets[SHEET_FONT2].bytes[10] = 0x36;        // pixels elsewhere
  platform.sheets[SHEET_FRAME3].bytes[14 + 16] = 2;     // compressed
  platform.sheets[SHEET_FRAME4].bytes[14 + 11] = 0xFF;  // top-down
  buildBackBuffer();
  // The brushes keep white and black even without TITLE's colours.
  EXPECT_TRUE(rectWhite(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT));
  const int broken[] = {SHEET_TITLE, SHEET_PIECE,  SHEET_FONT1,
                        SHEET_FONT2, SHEET_FRAME3, SHEET_FRAME4};
  for (int s : broken) blitRect(0, 0, 40, 40, 0, 0, s);
  EXPECT_TRUE(rectWhite(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT));
  drawLine(10, 10, 20, 10);
  EXPECT_EQ(pixelColour(10, 10), 0x000000u);
  blitRect(0, 0, 35, 281, 0, 0, SHEET_FRAME2);  // an intact sheet still draws
  EXPECT_TRUE(rectFromSheet(sheet(SHEET_FRAME2), 0, 0, 35, 281, 0, 0));
}

TEST_F(Sheets, TheWindowSheetShowsTheRectangleClippedToTheWindow) {
  buildBackBuffer();
  blitRect(100, 120, 32, 20, 100, 120, SHEET_WINDOW);
  blitRect(520, 340, 32, 32, 520, 340, SHEET_WINDOW);
  blitRect(600, 10, 5, 5, 600, 10, SHEET_WINDOW);  // wholly outside: nothing
  blitRect(10, 10, 0, 5, 10, 10, SHEET_WINDOW);
  const std::vector<Shown> want = {{100, 120, 32, 20}, {520, 340, 11, 11}};
  EXPECT_EQ(platform.shown(), want);
}

TEST_F(Sheets, AfterReleaseNothingIsDrawnOrShown) {
  initDisplay();
  const std::vector<uint32_t> before = snapshot();
  releaseDisplay();
  blitRect(0, 0, 140, 45, 0, 0, SHEET_TITLE);
  fillRect(0, 0, 100, 100);
  drawLine(0, 200, 300, 200);
  blitRect(0, 0, 10, 10, 0, 0, SHEET_WINDOW);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(Sheets, LinesLeaveOutTheirEndPointInEitherDirection) {
  buildBackBuffer();
  drawLine(10, 20, 15, 20);
  drawLine(30, 40, 30, 35);
  drawLine(50, 50, 60, 60);  // not straight: not drawn
  EXPECT_TRUE(rectIs(0x000000, 10, 20, 5, 1));
  EXPECT_TRUE(rectWhite(15, 20, 1, 1));
  EXPECT_TRUE(rectIs(0x000000, 30, 36, 1, 5));
  EXPECT_TRUE(rectWhite(30, 35, 1, 1));
  EXPECT_TRUE(rectWhite(50, 50, 11, 11));
}

TEST_F(Sheets, PaintCopyRunsTopDownInRgb) {
  buildBackBuffer();
  blitRect(0, 0, 140, 45, 0, 0, SHEET_TITLE);
  std::vector<uint32_t> rgb(SCREEN_WIDTH * SCREEN_HEIGHT);
  copyBackBufferRgb32(rgb.data());
  EXPECT_EQ(rgb[0], 0xFF000000u | sheet(SHEET_TITLE).colourAt(0, 0));
  EXPECT_EQ(rgb[44 * SCREEN_WIDTH + 139], 0xFF000000u | sheet(SHEET_TITLE).colourAt(139, 44));
  EXPECT_EQ(rgb[SCREEN_HEIGHT * SCREEN_WIDTH - 1], 0xFFFFFFFFu);
}

}  // namespace
