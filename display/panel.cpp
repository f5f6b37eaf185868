#include "display/panel.h"

#include <algorithm>
#include <cstdlib>

#include "display/sheets.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"

namespace {

// Glyph cells of FONT1 and FONT2 (the same layout): x, y, width; every cell is 20 rows high.
struct Cell {
  int x, y, width;
};
constexpr int CELL_HEIGHT = 20;
constexpr Cell PLAYER_WORD{252, 0, 60};
constexpr Cell COMPUTER_WORD{312, 0, 83};
constexpr Cell COUNTER_WORD{14, 20, 20};         // "缶" for side 1, "匹" for side 2
constexpr Cell TOPIC_PARTICLE{34, 20, 20};       // "は"
constexpr Cell POSSESSIVE_PARTICLE{54, 20, 20};  // "の"
constexpr Cell CANNOT_PLACE{74, 20, 76};         // "置けません"
constexpr Cell WINS{150, 20, 67};                // "勝ちです"
constexpr Cell SIDE_NAME{218, 20, 67};           // "MopraGET" or "Zarbo"
constexpr Cell DRAW_MESSAGE{286, 20, 100};       // "引き分けです", FONT1 only
constexpr Cell DOT{386, 20, 14};                 // "●", FONT1 only
constexpr int DIGIT_WIDTH = 14;

// Each side's fields, by side (1, 2): the box's rows lie 100 pixels apart.
constexpr int LABEL_Y[3] = {0, 85, 185};
constexpr int COUNT_Y[3] = {0, 116, 216};  // disc count and last move
constexpr int CLOCK_Y[3] = {0, 145, 245};  // turn dot and clock
constexpr int LAST_MOVE_X = 476;
constexpr int DOT_X = 380;
constexpr int MESSAGE_BOX[4] = {371, 285, 140, 46};
constexpr int MAX_CLOCK_SECONDS = 99 * 3600 + 59 * 60 + 59;  // 99:59:59, the most six digits show

int glyphSheet(int side) {
  return side + 1;
}  // FONT1 for side 1, FONT2 for side 2

void drawCell(const Cell& cell, int x, int y, int sheet) {
  blitRect(x, y, cell.width, CELL_HEIGHT, cell.x, cell.y, sheet);
}

// A digit outside 0..9 would read a neighbouring cell; it is held to the nearest digit.
void drawDigit(int d, int x, int y, int sheet) {
  d = d < 0 ? 0 : d > 9 ? 9 : d;
  blitRect(x, y, DIGIT_WIDTH, CELL_HEIGHT, DIGIT_WIDTH * d, 0, sheet);
}

// Two digits with a leading zero; 0..99.
void drawTwoDigits(int n, int x, int y, int sheet) {
  n = n < 0 ? 0 : n > 99 ? 99 : n;
  drawDigit(n / 10, x, y, sheet);
  drawDigit(n % 10, x + DIGIT_WIDTH, y, sheet);
}

void show(int x, int y, int width, int height) {
  blitRect(x, y, width, height, x, y, SHEET_WINDOW);
}

}  // namespace

void drawPlayerLabels() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  for (int side = 1; side <= 2; ++side) {
    const int y = LABEL_Y[side];
    const int sheet = glyphSheet(side);
    const int level = settings.playerType[side];
    fillRect(371, y, 140, 20);
    // Each form is centred in the 140-pixel field.
    if (level != PLAYER_PERSON) {
      drawCell(COMPUTER_WORD, 392, y, sheet);
      drawDigit(level, 476, y, sheet);
    } else if (settings.playerType[3 - side] != PLAYER_PERSON) {
      drawCell(PLAYER_WORD, 411, y, sheet);
    } else {
      drawCell(PLAYER_WORD, 404, y, sheet);
      drawDigit(side, 464, y, sheet);
    }
    show(371, y, 140, 20);
  }
}

// The two digit cells cover the whole field, so it is not cleared first.
void drawDiscCounts() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  for (int side = 1; side <= 2; ++side)
    drawTwoDigits(discCounts[side], 417, COUNT_Y[side], glyphSheet(side));
  show(417, COUNT_Y[1], 28, 20);
  show(417, COUNT_Y[2], 28, 20);
}

// Each side's field keeps that side's latest move until it is cleared; both are shown.
void drawLastMove(int mode) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  for (int side = 1; side <= 2; ++side) {
    if (mode == LAST_MOVE_CLEAR_BOTH || mode == lastMoveClear(side)) {
      fillRect(LAST_MOVE_X, COUNT_Y[side], 28, 20);
    }
  }
  if (mode == lastMoveShow(1) || mode == lastMoveShow(2)) {
    const int side = mode;
    const int index = gameRecord.currentIndex;
    const Square s = squareOf(index >= 0 && index < MAX_RECORD ? gameRecord.moves[index] : 0);
    const int top = COUNT_Y[side];
    if (isPlayingSquare(s.x, s.y)) {
      drawCell(Cell{14 * s.x + 126, 0, DIGIT_WIDTH}, LAST_MOVE_X, top, glyphSheet(side));
      drawDigit(s.y, LAST_MOVE_X + DIGIT_WIDTH, top, glyphSheet(side));
    } else {
      fillRect(LAST_MOVE_X, top, 28, 20);  // not a square: show nothing rather than a stray cell
    }
  }
  show(LAST_MOVE_X, COUNT_Y[1], 28, 20);
  show(LAST_MOVE_X, COUNT_Y[2], 28, 20);
}

// The dot is black on both sides and always comes from FONT1.
void drawSideToMove(int side) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  for (int s = 1; s <= 2; ++s) {
    if (side == s) {
      drawCell(DOT, DOT_X, CLOCK_Y[s], SHEET_FONT1);
    } else {
      fillRect(DOT_X, CLOCK_Y[s], DOT.width, CELL_HEIGHT);
    }
  }
  show(DOT_X, CLOCK_Y[1], DOT.width, CELL_HEIGHT);
  show(DOT_X, CLOCK_Y[2], DOT.width, CELL_HEIGHT);
}

// hh:mm:ss between the static separators at x 426 and 464, which the shown rectangle takes in.
// Six digits reach 99:59:59; a longer time stays there rather than reading past the digits.
void drawClock(int side) {
  if (side != 1 && side != 2) return;
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  int t = clockSeconds[side];
  t = t < 0 ? 0 : t > MAX_CLOCK_SECONDS ? MAX_CLOCK_SECONDS : t;
  const int y = CLOCK_Y[side];
  const int sheet = glyphSheet(side);
  drawTwoDigits(t / 3600, 400, y, sheet);
  drawTwoDigits(t % 3600 / 60, 438, y, sheet);
  drawTwoDigits(t % 60, 476, y, sheet);
  show(400, y, 104, 20);
}

// Kinds 1 and 2 draw over the box as the kind-0 call earlier in the turn left it.
void drawMessage(int kind) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  if (kind == MESSAGE_CLEAR)
    fillRect(MESSAGE_BOX[0], MESSAGE_BOX[1], MESSAGE_BOX[2], MESSAGE_BOX[3]);
  if (kind == MESSAGE_RESULT) {
    // Empty squares count for nobody; 64-bit so that no pair of counts can overflow.
    const long long difference = static_cast<long long>(discCounts[1]) - discCounts[2];
    if (difference == 0) {
      drawCell(DRAW_MESSAGE, 391, 298, SHEET_FONT1);
    } else {
      const int winner = difference > 0 ? 1 : 2;
      const int sheet = glyphSheet(winner);
      drawTwoDigits(static_cast<int>(std::min(std::llabs(difference), 99LL)), 383, 310, sheet);
      drawCell(COUNTER_WORD, 411, 309, sheet);
      drawCell(WINS, 432, 309, sheet);
      drawCell(SIDE_NAME, 397, 287, sheet);
      // Side 2's name is narrower, so its particle sits 4 pixels further left.
      drawCell(POSSESSIVE_PARTICLE, 469 - 4 * winner, 287, sheet);
    }
  }
  if (kind == MESSAGE_PASS && (sideToMove == 1 || sideToMove == 2)) {
    const int sheet = glyphSheet(sideToMove);
    drawCell(CANNOT_PLACE, 403, 309, sheet);
    drawCell(SIDE_NAME, 397, 287, sheet);
    drawCell(TOPIC_PARTICLE, 469 - 4 * sideToMove, 287, sheet);
  }
  show(MESSAGE_BOX[0], MESSAGE_BOX[1], MESSAGE_BOX[2], MESSAGE_BOX[3]);
}
