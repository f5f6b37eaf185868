// The main window's size and place: a client area of exactly the back buffer, centred on the
// desktop with the halves rounded toward zero; the picture's scale and where a click lands.
#include "shell/win32/window_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacement, KeepsThePlatformFrameAndMakesTheClientAreaTheBackBuffer) {
  // A default-sized window: frame 3 pixels each side, caption and menu bar 38 pixels.
  const WindowPlacement p = centredPlacement(1024, 768, 806, 601, 800, 560, 531, 351);
  EXPECT_EQ(p.width, 537);
  EXPECT_EQ(p.height, 392);
  EXPECT_EQ(p.x, 243);  // 487 / 2
  EXPECT_EQ(p.y, 188);  // 376 / 2
}

TEST(WindowPlacement, CentresWithHalvesRoundedTowardZero) {
  // A window 541 wide: 1024 gives 483 / 2 = 241; 500 gives -41 / 2 = -20, not -21.
  EXPECT_EQ(centredPlacement(1024, 768, 541, 400, 531, 351, 531, 351).x, 241);
  EXPECT_EQ(centredPlacement(500, 768, 541, 400, 531, 351, 531, 351).x, -20);
  EXPECT_EQ(centredPlacement(1024, 300, 541, 401, 531, 351, 531, 351).y, -50);  // -101 / 2
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
