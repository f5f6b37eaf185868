// Drawing from the thinking thread and from the window's thread at once: each drawing
// operation runs whole, and what it shows is exactly what it drew.
#include <atomic>
#include <chrono>
#include <thread>

#include "display/board_view.h"
#include "display/frame.h"
#include "display/panel.h"
#include "display/test_sheets.h"
#include "rules/game.h"

using namespace testsheets;

namespace {

class DisplayLock : public DisplayTest {};

// The clock reading of round i: each of mm:ss's four digits differs from round i - 1's.
int clockAt(int i) {
  return (i % 6 * 10 + i % 10) * 60 + i % 6 * 10 + i % 10;
}

TEST_F(DisplayLock, MarkerDrawingOnAnotherThreadNeverInterleavesWithTheClockOrTheFrame) {
  initDisplay();
  const SheetImage& piece = sheet(SHEET_PIECE);
  const SheetImage& font = sheet(SHEET_FONT1);
  const auto clockShows = [&](int t) {
    const int digits[4] = {t % 3600 / 600, t % 600 / 60, t % 60 / 10, t % 10};
    const int xs[4] = {438, 452, 476, 490};
    // The middle ten columns of each cell: the frame's separators overlap the outer two.
    for (int i = 0; i < 4; ++i) {
      if (!rectFromSheet(font, xs[i] + 2, 145, 10, 20, 14 * digits[i] + 2, 0)) return false;
    }
    return true;
  };

  std::atomic<int> round{0};  // the clock reading being drawn on the window's thread
  std::atomic<int> showing{0};
  std::atomic<int> overlaps{0};
  std::atomic<int> wrongSquares{0};
  std::atomic<int> halfDrawnClocks{0};
  std::atomic<int> tile{0};  // the tile being drawn on the thinking thread
  platform.onShow = [&](const Shown& r) {
    if (showing.fetch_add(1) != 0) ++overlaps;
    if (r.width == 32) {
      // The square just drawn is whole and white or the marker, and the clock on the other
      // thread is not caught half-way: it reads this round or the one before, never a mix.
      const int t = tile;
      const bool ok = t == 0 ? rectWhite(r.x, r.y, 32, 32)
                             : rectFromSheet(piece, r.x, r.y, 32, 32, 32 * t - 32, 0);
      if (!ok) ++wrongSquares;
      const int i = round;
      if (!clockShows(clockAt(i)) && (i == 0 || !clockShows(clockAt(i - 1)))) ++halfDrawnClocks;
    }
    showing.fetch_sub(1);
  };

  constexpr int ROUNDS = 1000;
  clockSeconds[1] = clockAt(0);
  drawClock(1);
  std::atomic<bool> go{false};
  std::thread thinking([&] {
    while (!go) std::this_thread::yield();
    for (int i = 0; i < ROUNDS; ++i) {
      // The marker on, then the square restored, as the thinking thread does per root move.
      tile = i % 2 == 0 ? TILE_THINKING : TILE_EMPTY;
      drawSquare(3, 4, tile);
      std::this_thread::yield();
    }
  });
  go = true;
  for (int i = 1; i <= ROUNDS; ++i) {
    // The frame selects the black brush for the star points; a white fill of the other thread
    // landing in between would come out black.
    if (i % 20 == 0) drawStaticFrame();
    round = i;
    clockSeconds[1] = clockAt(i);
    drawClock(1);
  }
  thinking.join();

  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(wrongSquares, 0);
  EXPECT_EQ(halfDrawnClocks, 0);
  EXPECT_EQ(platform.shown().size(), 2u * ROUNDS + 1);
}

TEST_F(DisplayLock, TheFocusFrameMovingWhileTheMarkerIsDrawnIsNeverLostOrLeftBehind) {
  initDisplay();
  const SheetImage& piece = sheet(SHEET_PIECE);
  frameSquare(1, 1);
  const uint32_t ringColour = pixelColour(35 + 2, 35 + 2);
  frameSquare(0, 0);
  const int left = 35 * 3 + 2, top = 35 * 4 + 2;  // c4, where the marker comes and goes
  const auto showsTile = [&](int t, int x, int y, int w, int h) {
    return t == 0 ? bool(rectWhite(x, y, w, h))
                  : bool(rectFromSheet(piece, x, y, w, h, 32 * t - 32 + x - left, y - top));
  };
  const auto ringIsFrame = [&] {
    for (int d = 0; d < 32; ++d) {
      for (int k : {0, 1, 30, 31}) {
        if (pixelColour(left + d, top + k) != ringColour) return false;
        if (pixelColour(left + k, top + d) != ringColour) return false;
      }
    }
    return true;
  };

  std::atomic<int> tile{0};  // what c4 holds, changed only with the drawing lock held
  std::atomic<int> wrong{0};
  platform.onShow = [&](const Shown& r) {
    if (r.x != left || r.y != top) return;
    const int t = tile;
    const bool framed = framedSquare().code() == 34;
    const bool ok = framed ? ringIsFrame() && showsTile(t, left + 2, top + 2, 28, 28)
                           : showsTile(t, left, top, 32, 32);
    if (!ok) ++wrong;
  };
  constexpr int ROUNDS = 1000;
  std::atomic<bool> go{false};
  std::thread thinking([&] {
    while (!go) std::this_thread::yield();
    for (int i = 0; i < ROUNDS; ++i) {
      std::lock_guard<std::recursive_mutex> lock(drawingLock());
      tile = i % 2 == 0 ? TILE_THINKING : TILE_EMPTY;
      drawSquare(3, 4, tile);
    }
  });
  go = true;
  for (int i = 0; i < ROUNDS; ++i) {
    frameSquare(3, 4 + i % 2);  // on c4 and off it again, as the arrow keys move it
    std::this_thread::yield();
  }
  thinking.join();
  frameSquare(3, 5);
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(showsTile(TILE_EMPTY, left, top, 32, 32)) << "no frame left on c4";
}

}  // namespace
