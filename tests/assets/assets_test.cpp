// The committed images, icon and click sound: their formats as the display and the shell
// read them in place, and the places of the glyph sheets that must hold a glyph or stay white.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/asset_files.h"

using assets_test::kFileHeader;
using assets_test::kInfoHeader;
using assets_test::kPixelOffset;
using assets_test::readAsset;
using assets_test::Rgb;
using assets_test::rowStride;
using assets_test::s32;
using assets_test::Sheet;
using assets_test::u16;
using assets_test::u32;

namespace {

struct SheetSize {
  const char* name;
  int width, height;
};

const SheetSize kSheets[] = {
    {"TITLE", 140, 45},  {"PIECE", 128, 32},  {"FONT1", 400, 40},  {"FONT2", 400, 40},
    {"FRAME1", 351, 70}, {"FRAME2", 70, 281}, {"FRAME3", 180, 40}, {"FRAME4", 40, 80},
};

// ---- Every sheet: a plain 16-colour bottom-up bitmap the display can use in place.

class SheetFormat : public ::testing::TestWithParam<SheetSize> {};

TEST_P(SheetFormat, HeadersDescribeAFourBitUncompressedBottomUpImage) {
  const SheetSize& s = GetParam();
  Sheet sheet(s.name);
  const std::vector<uint8_t>& d = sheet.bytes();
  ASSERT_GE(d.size(), kPixelOffset) << s.name;
  EXPECT_EQ(d[0], 'B');
  EXPECT_EQ(d[1], 'M');
  EXPECT_EQ(u32(d, 2), d.size()) << "file size field";
  EXPECT_EQ(u32(d, 10), kPixelOffset) << "pixel offset";
  EXPECT_EQ(u32(d, kFileHeader), kInfoHeader) << "info header size";
  EXPECT_EQ(s32(d, kFileHeader + 4), s.width);
  EXPECT_EQ(s32(d, kFileHeader + 8), s.height) << "positive height: rows bottom-up";
  EXPECT_EQ(u16(d, kFileHeader + 12), 1u) << "planes";
  EXPECT_EQ(u16(d, kFileHeader + 14), 4u) << "bits per pixel";
  EXPECT_EQ(u32(d, kFileHeader + 16), 0u) << "BI_RGB";
  uint32_t used = u32(d, kFileHeader + 32);
  EXPECT_TRUE(used == 16 || used == 0) << "colours used " << used;
}

TEST_P(SheetFormat, FileHoldsExactlyThePaddedRows) {
  const SheetSize& s = GetParam();
  Sheet sheet(s.name);
  EXPECT_EQ(sheet.bytes().size(), kPixelOffset + rowStride(s.width) * s.height);
  uint32_t imageSize = u32(sheet.bytes(), kFileHeader + 20);
  EXPECT_TRUE(imageSize == 0 || imageSize == rowStride(s.width) * s.height);
}

TEST_P(SheetFormat, ColourTableStartsWhiteEndsBlackWithZeroReservedBytes) {
  Sheet sheet(GetParam().name);
  EXPECT_TRUE(sheet.colour(0).isWhite());
  EXPECT_EQ(sheet.colour(15), (Rgb{0, 0, 0}));
  for (int e = 0; e < 16; ++e)
    EXPECT_EQ(sheet.bytes()[kFileHeader + kInfoHeader + 4 * e + 3], 0) << "entry " << e;
}

INSTANTIATE_TEST_SUITE_P(AllSheets, SheetFormat, ::testing::ValuesIn(kSheets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameSheets, ShareFrame1sColourTable) {
  Sheet frame1("FRAME1");
  for (const char* name : {"FRAME2", "FRAME3", "FRAME4"}) {
    Sheet other(name);
    for (int e = 0; e < 16; ++e) EXPECT_EQ(other.colour(e), frame1.colour(e)) << name << e;
  }
}

TEST(FrameSheets, WoodCoversEveryPixel) {
  // The borders and the panel's edges and strips are copied opaquely around white boxes and
  // the white field; a white pixel in them would show as a hole in the wood.
  for (const SheetSize& s : {kSheets[4], kSheets[5], kSheets[6], kSheets[7]}) {
    Sheet sheet(s.name);
    EXPECT_EQ(sheet.inkCount(0, 0, s.width, s.height), s.width * s.height) << s.name;
  }
}

TEST(FrameSheets, BoardLabelsStandDarkOnTheirSquaresBorder) {
  // Column letters over sheet columns 35k..35k+34 of the top border, row numbers beside rows
  // 35(k-1)..35k-1 of the left border: each label's span holds the darkest ink, the plain
  // stretch of the bottom or right border does not.
  Sheet frame1("FRAME1"), frame2("FRAME2");
  for (int k = 1; k <= 8; ++k) {
    Rgb top = frame1.darkest(35 * k + 8, 4, 19, 24);
    Rgb left = frame2.darkest(4, 35 * (k - 1) + 8, 24, 19);
    Rgb bottom = frame1.darkest(35 * k + 8, 35 + 7, 19, 20);
    EXPECT_LT(top.r + top.g + top.b, bottom.r + bottom.g + bottom.b - 150) << "letter " << k;
    EXPECT_LT(left.r + left.g + left.b, bottom.r + bottom.g + bottom.b - 150) << "number " << k;
  }
}

// ---- PIECE: four tiles on white.

TEST(PieceSheet, EveryTileHasAPictureOnAWhiteBackground) {
  Sheet piece("PIECE");
  for (int t = 0; t < 4; ++t) {
    int x = 32 * t;
    EXPECT_GT(piece.inkCount(x, 0, 32, 32), 100) << "tile " << t + 1;
    for (int cx : {x, x + 30})
      for (int cy : {0, 30}) EXPECT_TRUE(piece.allWhite(cx, cy, 2, 2)) << "tile " << t + 1;
  }
}

TEST(PieceSheet, TilesShowTheirColours) {
  Sheet piece("PIECE");
  auto has = [&](int tile, auto pred) {
    for (int y = 0; y < 32; ++y)
      for (int x = 32 * (tile - 1); x < 32 * tile; ++x)
        if (pred(piece.pixel(x, y))) return true;
    return false;
  };
  auto blue = [](Rgb c) { return c.b > 180 && c.r < 90; };
  auto red = [](Rgb c) { return c.r > 180 && c.g < 60 && c.b < 60; };
  auto black = [](Rgb c) { return c.r + c.g + c.b < 60; };
  auto cyan = [](Rgb c) { return c.g > 160 && c.b > 180 && c.r < 100; };
  auto paleGrey = [](Rgb c) { return c.r == c.g && c.g == c.b && c.r > 190 && c.r < 255; };
  EXPECT_TRUE(has(1, blue) && has(1, red) && has(1, black)) << "spray can";
  EXPECT_TRUE(has(2, red) && has(2, black)) << "insect";
  EXPECT_TRUE(has(3, paleGrey) && !has(3, cyan)) << "guide marker";
  EXPECT_TRUE(has(4, cyan) && has(4, blue)) << "thinking marker";
}

// ---- TITLE

TEST(TitleSheet, PictureOnWhiteWithGoldAndDarkText) {
  Sheet title("TITLE");
  EXPECT_TRUE(title.allWhite(0, 0, 2, 2) && title.allWhite(138, 43, 2, 2));
  auto gold = [](Rgb c) { return c.r > 200 && c.g > 120 && c.b < 100; };
  int goldInTop = 0;
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 140; ++x) goldInTop += gold(title.pixel(x, y));
  EXPECT_GT(goldInTop, 200) << "the name in gold across the top";
  Rgb lines = title.darkest(0, 28, 140, 17);
  EXPECT_LT(lines.r + lines.g + lines.b, 200) << "version and date lines in dark text";
}

// ---- FONT1 and FONT2: cells that must hold a glyph, places that must stay white.

struct Cell {
  const char* what;
  int x, y, w;
};

const Cell kSharedCells[] = {
    {"0", 0, 0, 14},         {"1", 14, 0, 14},         {"2", 28, 0, 14},
    {"3", 42, 0, 14},        {"4", 56, 0, 14},         {"5", 70, 0, 14},
    {"6", 84, 0, 14},        {"7", 98, 0, 14},         {"8", 112, 0, 14},
    {"9", 126, 0, 14},       {"a", 140, 0, 14},        {"b", 154, 0, 14},
    {"c", 168, 0, 14},       {"d", 182, 0, 14},        {"e", 196, 0, 14},
    {"f", 210, 0, 14},       {"g", 224, 0, 14},        {"h", 238, 0, 14},
    {"Player", 252, 0, 60},  {"Computer", 312, 0, 83}, {":", 0, 20, 14},
    {"counter", 14, 20, 20}, {"wa", 34, 20, 20},       {"no", 54, 20, 20},
    {"cannot", 74, 20, 76},  {"wins", 150, 20, 67},    {"name", 218, 20, 67},
};

class GlyphSheet : public ::testing::TestWithParam<int> {
 protected:
  std::string name() const { return "FONT" + std::to_string(GetParam()); }
};

TEST_P(GlyphSheet, EveryCellHoldsAGlyph) {
  Sheet font(name());
  for (const Cell& c : kSharedCells)
    EXPECT_GT(font.inkCount(c.x, c.y, c.w, 20), 8) << name() << " " << c.what;
}

TEST_P(GlyphSheet, DigitAndLetterCellsKeepWhiteEdgeColumns) {
  // Cells set side by side (the clock's digits, a square name) stay apart.
  Sheet font(name());
  for (int i = 0; i < 18; ++i) {
    EXPECT_TRUE(font.allWhite(14 * i, 0, 1, 20)) << name() << " cell " << i << " left";
    EXPECT_TRUE(font.allWhite(14 * i + 13, 0, 1, 20)) << name() << " cell " << i << " right";
  }
}

TEST_P(GlyphSheet, ColonLeavesRoomForTheClockDigits) {
  // The clock's digits overlap the separator cells by two columns on each side.
  Sheet font(name());
  EXPECT_TRUE(font.allWhite(0, 20, 2, 20));
  EXPECT_TRUE(font.allWhite(12, 20, 2, 20));
}

TEST_P(GlyphSheet, RowOneEndsWithWhiteColumns) {
  EXPECT_TRUE(Sheet(name()).allWhite(395, 0, 5, 20));
}

TEST_P(GlyphSheet, GlyphsAreInTheSidesColour) {
  Sheet font(name());
  for (const Cell& c : kSharedCells) {
    Rgb ink = font.darkest(c.x, c.y, c.w, 20);
    if (GetParam() == 1)
      EXPECT_TRUE(ink.b > ink.r + 80 && ink.b > ink.g + 60) << "blue " << c.what;
    else
      EXPECT_TRUE(ink.r > ink.b + 80 && ink.r > ink.g + 80) << "red " << c.what;
  }
}

TEST_P(GlyphSheet, GlyphsStayWithinTheirRow) {
  // The two rows are cut apart: a glyph reaching a row's first line would be cut off or
  // show the neighbouring row's descenders.
  Sheet font(name());
  EXPECT_TRUE(font.allWhite(0, 0, 400, 1));
  EXPECT_TRUE(font.allWhite(0, 20, 400, 1));
  EXPECT_TRUE(font.allWhite(0, 39, 400, 1));
}

INSTANTIATE_TEST_SUITE_P(BothSides, GlyphSheet, ::testing::Values(1, 2),
                         [](const auto& info) { return "FONT" + std::to_string(info.param); });

TEST(GlyphSheets, Font1HoldsTheDrawMessageInGreyAndABlackDot) {
  Sheet font("FONT1");
  EXPECT_GT(font.inkCount(286, 20, 100, 20), 100);
  for (int y = 20; y < 40; ++y)
    for (int x = 286; x < 386; ++x) {
      Rgb c = font.pixel(x, y);
      EXPECT_TRUE(c.r == c.g && c.g == c.b) << "draw message pixel " << x << "," << y;
    }
  EXPECT_EQ(font.darkest(386, 20, 14, 20), (Rgb{0, 0, 0}));
}

TEST(GlyphSheets, Font2LeavesTheDrawMessageAndDotCellsWhite) {
  EXPECT_TRUE(Sheet("FONT2").allWhite(286, 20, 114, 20));
}

TEST(GlyphSheets, Side1sNameFillsItsCell) {
  Sheet font("FONT1");
  EXPECT_GT(font.inkCount(218, 20, 6, 20), 0);
  EXPECT_GT(font.inkCount(279, 20, 6, 20), 0);
}

TEST(GlyphSheets, Side2sNameEndsAtColumn275) {
  // "の" and "は" are drawn 4 pixels further left for side 2, over the end of this cell.
  Sheet font("FONT2");
  EXPECT_TRUE(font.allWhite(276, 20, 9, 20));
  EXPECT_GT(font.inkCount(270, 20, 6, 20), 0);
}

// ---- ICON: a 32 x 32 and a 16 x 16 image of 16 colours.

TEST(Icon, DirectoryListsA32And16ImageOf16Colours) {
  std::vector<uint8_t> d = readAsset("ICON.ico");
  ASSERT_GE(d.size(), 6u + 2 * 16);
  EXPECT_EQ(u16(d, 0), 0u);
  EXPECT_EQ(u16(d, 2), 1u) << "type icon";
  ASSERT_EQ(u16(d, 4), 2u) << "image count";
  const int sizes[] = {32, 16};
  size_t end = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    size_t e = 6 + 16 * i;
    int size = sizes[i];
    EXPECT_EQ(d[e], size);
    EXPECT_EQ(d[e + 1], size);
    EXPECT_EQ(d[e + 2], 16) << "colour count";
    EXPECT_EQ(u16(d, e + 4), 1u) << "planes";
    EXPECT_EQ(u16(d, e + 6), 4u) << "bits per pixel";
    uint32_t bytes = u32(d, e + 8), offset = u32(d, e + 12);
    EXPECT_EQ(offset, end) << "images follow each other";
    ASSERT_LE(offset + bytes, d.size());
    // The image: info header (height doubled for the mask), 16 colours, XOR and AND bitmaps.
    EXPECT_EQ(u32(d, offset), 40u);
    EXPECT_EQ(s32(d, offset + 4), size);
    EXPECT_EQ(s32(d, offset + 8), 2 * size);
    EXPECT_EQ(u16(d, offset + 14), 4u);
    EXPECT_EQ(u32(d, offset + 16), 0u);
    size_t xorBytes = rowStride(size) * size;
    size_t andBytes = ((size + 31) / 32) * 4 * size;
    EXPECT_EQ(bytes, 40 + 16 * 4 + xorBytes + andBytes);
    end = offset + bytes;
  }
  EXPECT_EQ(end, d.size());
}

TEST(Icon, RedInsectOnWhite) {
  std::vector<uint8_t> d = readAsset("ICON.ico");
  for (int i = 0; i < 2; ++i) {
    int size = d.at(6 + 16 * i);
    size_t image = u32(d, 6 + 16 * i + 12);
    auto colour = [&](int x, int y) {
      size_t row = image + 40 + 64 + rowStride(size) * (size - 1 - y);
      int idx = x % 2 == 0 ? d.at(row + x / 2) >> 4 : d.at(row + x / 2) & 15;
      size_t at = image + 40 + 4 * idx;
      return Rgb{d.at(at + 2), d.at(at + 1), d.at(at)};
    };
    int red = 0, black = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        Rgb c = colour(x, y);
        red += c.r > 140 && c.g < 60 && c.b < 60;
        black += c.r + c.g + c.b < 100;
      }
    EXPECT_GT(red, size * size / 6) << size << ": red body";
    EXPECT_GT(black, size / 2) << size << ": dark legs and feelers";
    EXPECT_TRUE(colour(size / 2, 0).isWhite() && colour(0, size / 2 + 2).isWhite()) << size;
    // The AND mask is clear: the white background is part of the picture.
    size_t mask = image + 40 + 64 + rowStride(size) * size;
    for (size_t b = mask; b < mask + ((size + 31) / 32) * 4 * size; ++b) EXPECT_EQ(d.at(b), 0);
  }
}

// ---- CLICK: a short PCM click both platforms' players accept.

TEST(ClickSound, IsPlainPcmAt22050HzOfAbout679Frames) {
  std::vector<uint8_t> d = readAsset("CLICK.wav");
  ASSERT_GE(d.size(), 44u);
  EXPECT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
  EXPECT_EQ(u32(d, 4), d.size() - 8);
  EXPECT_EQ(std::string(d.begin() + 8, d.begin() + 16), "WAVEfmt ");
  ASSERT_EQ(u32(d, 16), 16u) << "plain fmt chunk";
  EXPECT_EQ(u16(d, 20), 1u) << "PCM";
  uint32_t channels = u16(d, 22);
  EXPECT_TRUE(channels == 1 || channels == 2);
  EXPECT_EQ(u32(d, 24), 22050u);
  EXPECT_EQ(u16(d, 34), 16u);
  EXPECT_EQ(u16(d, 32), 2 * channels) << "block align";
  EXPECT_EQ(u32(d, 28), 22050 * 2 * channels) << "byte rate";
  ASSERT_EQ(std::string(d.begin() + 36, d.begin() + 40), "data");
  uint32_t bytes = u32(d, 40);
  EXPECT_EQ(44 + bytes, d.size());
  uint32_t frames = bytes / (2 * channels);
  EXPECT_GE(frames, 600u);
  EXPECT_LE(frames, 760u);
}

TEST(ClickSound, IsAudibleAndEndsInSilence) {
  std::vector<uint8_t> d = readAsset("CLICK.wav");
  ASSERT_GE(d.size(), 44u + 200);
  auto sample = [&](size_t i) { return static_cast<int16_t>(u16(d, 44 + 2 * i)); };
  size_t count = (d.size() - 44) / 2;
  int peak = 0;
  for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(int{sample(i)}));
  EXPECT_GT(peak, 8000) << "audible";
  EXPECT_LT(peak, 32767) << "not clipped";
  EXPECT_LT(std::abs(int{sample(count - 1)}), 64) << "no step at the end";
}

}  // namespace
