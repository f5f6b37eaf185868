// The main window's size and place: a client area of exactly the back buffer at the largest
// whole scale that lets the whole window fit its monitor's work area, inside that area; the
// picture's scale for a dpi, and where a click lands.
#include "shell/win32/window_geometry.h"

#include <gtest/gtest.h>

namespace {

// The frame at 192 dpi: borders of 6 pixels each side; caption, menu bar and bottom border 98.
constexpr int FRAME_W = 12;
constexpr int FRAME_H = 98;

bool inside(const WindowPlacement& p, const ScreenArea& a) {
  return p.x >= a.left && p.y >= a.top && p.x + p.width <= a.right && p.y + p.height <= a.bottom;
}

TEST(WindowPlacement, AWorkAreaSmallerThanTwiceTheWindowGetsItOnceCentred) {
  // 1024 x 700 at 192 dpi: twice the picture needs 1074 x 800.
  const ScreenArea screen{0, 0, 1024, 700};
  const WindowPlacement p = startPlacement(screen, FRAME_W, FRAME_H, 2);
  EXPECT_EQ(p.scale, 1);
  EXPECT_EQ(p.width, 543);
  EXPECT_EQ(p.height, 449);
  EXPECT_EQ(p.x, 240);  // 481 / 2
  EXPECT_EQ(p.y, 125);  // 251 / 2
  // A 1280 x 800 tablet at 150 % with its taskbar: 2x needs 782 of the 752 left.
  EXPECT_EQ(startPlacement(ScreenArea{0, 0, 1280, 752}, 10, 80, 2).scale, 1);
  // Room for 3x on a 4K screen at 288 dpi, less the taskbar.
  const ScreenArea uhd{0, 0, 3840, 2088};
  const WindowPlacement big = startPlacement(uhd, 18, 147, 3);
  EXPECT_EQ(big.scale, 3);
  EXPECT_TRUE(inside(big, uhd));
}

TEST(WindowPlacement, OnceIsTheLeastAndKeepsTheCaptionOnTheArea) {
  const ScreenArea exact{100, 50, 100 + 543, 50 + 449};
  const WindowPlacement p = startPlacement(exact, FRAME_W, FRAME_H, 2);
  EXPECT_EQ(p.scale, 1);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 50);
  EXPECT_TRUE(inside(p, exact));
  // One pixel short: still once, from the area's top-left rather than above or left of it.
  const WindowPlacement tight = startPlacement(ScreenArea{100, 50, 642, 498}, FRAME_W, FRAME_H, 2);
  EXPECT_EQ(tight.scale, 1);
  EXPECT_EQ(tight.x, 100);
  EXPECT_EQ(tight.y, 50);
}

TEST(WindowPlacement, MovedToASecondMonitorKeepsTheSuggestedCornerInsideItsWorkArea) {
  // A 2560 x 1440 monitor at 192 dpi right of a 1920-wide primary one.
  const ScreenArea second{1920, 0, 4480, 1400};
  const WindowPlacement p = movedPlacement(second, 2000, 100, FRAME_W, FRAME_H, 2);
  EXPECT_EQ(p.scale, 2);
  EXPECT_EQ(p.x, 2000);
  EXPECT_EQ(p.y, 100);
  EXPECT_EQ(p.width, FRAME_W + 1062);
  EXPECT_EQ(p.height, FRAME_H + 702);
  // Suggested with its far corner past the area's: moved back just far enough.
  const WindowPlacement edge = movedPlacement(second, 4000, 900, FRAME_W, FRAME_H, 2);
  EXPECT_EQ(edge.x, 4480 - 1074);
  EXPECT_EQ(edge.y, 1400 - 800);
}

TEST(WindowPlacement, MonitorsLeftOfAndAboveThePrimaryOneHaveNegativeCoordinates) {
  const ScreenArea left{-1280, -200, 0, 824};
  const WindowPlacement p = startPlacement(left, 6, 41, 1);
  EXPECT_EQ(p.x, -1280 + (1280 - 537) / 2);
  EXPECT_EQ(p.y, -200 + (1024 - 392) / 2);
  EXPECT_TRUE(inside(p, left));
  const WindowPlacement moved = movedPlacement(left, -1500, -300, 6, 41, 1);
  EXPECT_EQ(moved.x, -1280);
  EXPECT_EQ(moved.y, -200);
  const WindowPlacement past = movedPlacement(left, -100, 700, 6, 41, 1);
  EXPECT_EQ(past.x, -537);
  EXPECT_EQ(past.y, 824 - 392);
}

// 125 % keeps the picture at 1; 150 % is halfway and goes up to 2; nothing goes below 1.
TEST(PictureScale, IsTheNearestWholeMultipleOf96HalvesUp) {
  EXPECT_EQ(pictureScale(96), 1);
  EXPECT_EQ(pictureScale(120), 1);
  EXPECT_EQ(pictureScale(143), 1);
  EXPECT_EQ(pictureScale(144), 2);
  EXPECT_EQ(pictureScale(192), 2);
  EXPECT_EQ(pictureScale(240), 3);
  EXPECT_EQ(pictureScale(0), 1);
  EXPECT_EQ(pictureScale(47), 1);
}

constexpr uint32_t click(int x, int y) {
  return (static_cast<uint32_t>(x) & 0xFFFF) | (static_cast<uint32_t>(y) & 0xFFFF) << 16;
}

// The last window pixel of a block is still that block's back-buffer pixel, and a pixel just
// left of or above the client area does not become the first column or row.
TEST(BufferClick, DividesEachHalfRoundingDown) {
  EXPECT_EQ(bufferClick(click(1061, 701), 2), click(530, 350));
  EXPECT_EQ(bufferClick(click(37, 74), 2), click(18, 37));
  EXPECT_EQ(bufferClick(click(-1, -2), 2), click(-1, -1));
  EXPECT_EQ(bufferClick(click(-1, 40000 - 65536), 1), click(-1, 40000 - 65536));
}

}  // namespace
