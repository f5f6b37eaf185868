// The picture at a fractional scale setting: the program rounds it to a whole number, so every
// grid line of the board is equally wide on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <vector>

#include "rules/board_geometry.h"
#include "shell/qt/board_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/startup.h"

namespace {

// The widths of the dark runs met along a line of the picture from (x0, y0), step (dx, dy).
std::vector<int> darkRuns(const QImage& image, int x0, int y0, int dx, int dy, int length) {
  std::vector<int> runs;
  int run = 0;
  for (int i = 0; i < length; ++i) {
    const bool dark = qGray(image.pixel(x0 + i * dx, y0 + i * dy)) < 64;
    if (dark) ++run;
    if (!dark && run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run > 0) runs.push_back(run);
  return runs;
}

TEST(QtScale, GridLinesAreEquallyWideAtAScaleOfOneAndAHalf) {
  QtPlatform platform;
  {
    MainWindow window(platform);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    BoardView* view = window.view();
    ASSERT_NE(view, nullptr);
    const QImage picture = view->grab().toImage();
    const int scale = picture.width() / SCREEN_WIDTH;
    ASSERT_EQ(picture.width(), SCREEN_WIDTH * scale);
    EXPECT_EQ(scale, 2);  // 1.5 rounded to the nearest whole number

    // Across row 1 and down column a, through the middle of the squares: nine lines each.
    const int middle = squareCentre(1) * scale;
    const int from = (GRID_FIRST - 2) * scale;
    const int length = (GRID_LAST - GRID_FIRST + 4) * scale;
    for (const std::vector<int>& runs : {darkRuns(picture, from, middle, 1, 0, length),
                                         darkRuns(picture, middle, from, 0, 1, length)}) {
      ASSERT_EQ(runs.size(), 9u);
      for (const int width : runs) EXPECT_EQ(width, scale);
    }
  }
  platform.joinThreads();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "1.5");
  roundScaleFactors();
  Q_INIT_RESOURCE(velnor);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
