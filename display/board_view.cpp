#include "display/board_view.h"

#include <cstdint>

#include "display/display_state.h"
#include "rules/board.h"
#include "rules/board_geometry.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

constexpr int FLIP_STEPS = 16;

// A busy wait on the tick count: the window's thread handles nothing meanwhile. The signed
// difference keeps working across the count's wrap at 2^32.
void waitAnimationDelay() {
  const int delay = settings.animationDelay;
  if (delay <= 0 || !displayPlatform) return;
  const uint32_t t0 = displayPlatform->tickCount();
  while (static_cast<int32_t>(displayPlatform->tickCount() - t0) < delay) {
  }
}

// Only a display that is ready has a frame to draw (and a buffer to draw it in).
bool isFramed(int x, int y) {
  return display.ready && display.focus.x == x && display.focus.y == y;
}

// The frame covers only the ring, so what lies under it is kept whole and put back from there.
void drawFrameOver(int x, int y) {
  const int left = tileLeft(x);
  const int top = tileTop(y);
  constexpr int W = FOCUS_FRAME_WIDTH;
  readEntries(left, top, TILE_SIZE, TILE_SIZE, &display.focus.under[0][0], TILE_SIZE);
  fillEntries(left, top, TILE_SIZE, W, display.focusIndex);
  fillEntries(left, top + TILE_SIZE - W, TILE_SIZE, W, display.focusIndex);
  fillEntries(left, top + W, W, TILE_SIZE - 2 * W, display.focusIndex);
  fillEntries(left + TILE_SIZE - W, top + W, W, TILE_SIZE - 2 * W, display.focusIndex);
}

void restoreUnderFrame(int x, int y) {
  const int left = tileLeft(x);
  const int top = tileTop(y);
  constexpr int W = FOCUS_FRAME_WIDTH;
  const uint8_t(&under)[TILE_SIZE][TILE_SIZE] = display.focus.under;
  writeEntries(left, top, TILE_SIZE, W, &under[0][0], TILE_SIZE);
  writeEntries(left, top + TILE_SIZE - W, TILE_SIZE, W, &under[TILE_SIZE - W][0], TILE_SIZE);
  writeEntries(left, top + W, W, TILE_SIZE - 2 * W, &under[W][0], TILE_SIZE);
  writeEntries(left + TILE_SIZE - W, top + W, W, TILE_SIZE - 2 * W, &under[W][TILE_SIZE - W],
               TILE_SIZE);
}

}  // namespace

void drawSquare(int x, int y, int tile) {
  // A square off the board or an unknown tile draws nothing.
  if (!isPlayingSquare(x, y) || tile < TILE_EMPTY || tile > TILE_THINKING) return;
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  const int left = tileLeft(x);
  const int top = tileTop(y);
  if (tile == TILE_EMPTY) {
    fillRect(left, top, TILE_SIZE, TILE_SIZE);
  } else {
    // PIECE holds the tiles 1 to 4 side by side.
    blitRect(left, top, TILE_SIZE, TILE_SIZE, TILE_SIZE * (tile - 1), 0, SHEET_PIECE);
  }
  if (isFramed(x, y)) drawFrameOver(x, y);
  blitRect(left, top, TILE_SIZE, TILE_SIZE, left, top, SHEET_WINDOW);
}

void redrawGuides() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  const Board& shown = BoardStack[0];
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      // Asked for every square, whatever the guide flag.
      const bool legal = isLegalMove(0, sideToMove, x, y);
      if (legal && settings.guide) {
        drawSquare(x, y, TILE_GUIDE);
      } else if (shown.at(x, y) == 0) {
        drawSquare(x, y, TILE_EMPTY);
      }
    }
  }
  // Last, so that it covers a guide marker on the same square.
  const Square examined = squareOf(examinedSquare);
  if (settings.showThinking && examined.x != 0) drawSquare(examined.x, examined.y, TILE_THINKING);
}

// The lock is taken step by step and let go during each wait, so that a paint or a thinking
// marker is never held up for the whole animation; no one else draws on these squares.
void animateFlips() {
  const int mover = sideToMove;
  if (mover != 1 && mover != 2) return;
  const int offset = TILE_SIZE * (pieceTile(mover) - 1);  // the mover's tile in PIECE
  for (int i = 1; i <= FLIP_STEPS; ++i) {
    {
      std::lock_guard<std::recursive_mutex> lock(drawingLock());
      for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
          if (FlipMarks.at(x, y) != 1) continue;
          // The middle 2i x 2i of the new tile, centred on the square's centre pixel.
          const int cx = squareCentre(x);
          const int cy = squareCentre(y);
          // The last steps reach the framed square's ring: grow under the frame, not over it.
          const bool framed = isFramed(x, y);
          if (framed) restoreUnderFrame(x, y);
          blitRect(cx - i, cy - i, 2 * i, 2 * i, offset + 16 - i, 16 - i, SHEET_PIECE);
          if (framed) drawFrameOver(x, y);
          blitRect(cx - i, cy - i, 2 * i, 2 * i, cx - i, cy - i, SHEET_WINDOW);
        }
      }
    }
    waitAnimationDelay();
  }
}

void frameSquare(int x, int y) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  if (!display.ready) return;
  if (!isPlayingSquare(x, y)) x = y = 0;
  const int oldX = display.focus.x;
  const int oldY = display.focus.y;
  if (oldX == x && oldY == y) return;
  if (oldX != 0) restoreUnderFrame(oldX, oldY);
  // The frame's new place is known before either square is shown.
  display.focus.x = x;
  display.focus.y = y;
  if (oldX != 0) {
    blitRect(tileLeft(oldX), tileTop(oldY), TILE_SIZE, TILE_SIZE, tileLeft(oldX), tileTop(oldY),
             SHEET_WINDOW);
  }
  if (x == 0) return;
  drawFrameOver(x, y);
  blitRect(tileLeft(x), tileTop(y), TILE_SIZE, TILE_SIZE, tileLeft(x), tileTop(y), SHEET_WINDOW);
}

Square framedSquare() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  return Square{display.focus.x, display.focus.y};
}
