// The main window's size and place: a client area of exactly the back buffer, centred on the
// desktop with the halves rounded toward zero.
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

}  // namespace
