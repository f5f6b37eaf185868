#include "rules/game.h"

#include "rules/board_geometry.h"
#include "rules/hooks.h"
#include "rules/settings.h"

GameRecord gameRecord;
int sideToMove = 1;
int discCounts[3];
int clockSeconds[3];
std::atomic<bool> thinkingFlag{false};
std::atomic<bool> stoppedFlag{false};
std::atomic<bool> bookEnabledFlag{false};
std::atomic<int> examinedSquare{NO_SQUARE};
std::atomic<uint32_t> positionSerial{0};

namespace {

void copyPlayingSquares(const Board& from, Board& to) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) to.at(x, y) = from.at(x, y);
  }
}

}  // namespace

void newGame() {
  GameHooks& view = gameHooks();
  view.stopClockTimer();
  discCounts[0] = discCounts[1] = discCounts[2] = 0;
  clockSeconds[1] = clockSeconds[2] = 0;
  sideToMove = 1;
  gameRecord.lastIndex = 0;
  gameRecord.currentIndex = 0;
  bookEnabledFlag = true;
  thinkingFlag = false;
  stoppedFlag = false;

  Board& shown = BoardStack[0];
  setStartPosition(shown);
  ++positionSerial;

  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) {
      const int content = shown.at(x, y);
      view.drawSquare(x, y, tileOfCell(content));
      ++discCounts[content];
      gameRecord.positions[0].at(x, y) = static_cast<int16_t>(content);
    }
  }
  gameRecord.sideToMoveAt[0] = 1;
  for (int16_t& move : gameRecord.moves) move = 0;

  view.drawDiscCounts();
  view.drawLastMove(LAST_MOVE_CLEAR_BOTH);
  view.drawSideToMove(1);
  view.drawClock(1);
  view.drawClock(2);
  view.redrawGuides();
  view.drawMessage(MESSAGE_CLEAR);

  // No clock runs before the first move.
  if (isComputer(1)) view.startThinking();
}

void clickAt(uint16_t px, uint16_t py) {
  if (thinkingFlag) return;
  const int x = squareAtPixel(px);
  const int y = squareAtPixel(py);
  if (x == 0 || y == 0 || !isLegalMove(0, sideToMove, x, y)) return;

  stoppedFlag = false;
  gameHooks().playClick();
  makeMove(x, y);
  afterMove();
}

void makeMove(int x, int y) {
  GameHooks& view = gameHooks();
  const int mover = sideToMove;
  view.stopClockTimer();
  for (int cx = 1; cx <= 8; ++cx) {
    for (int cy = 1; cy <= 8; ++cy) FlipMarks.at(cx, cy) = 0;
  }

  Board& shown = BoardStack[0];
  shown.at(x, y) = static_cast<int16_t>(mover);
  ++positionSerial;
  view.drawSquare(x, y, pieceTile(mover));
  // The turned pieces are only marked here; the flip animation draws them.
  for (int d = 0; d < 8; ++d) {
    const int run = bracketedRun(shown, mover, x, y, d);
    for (int k = 1; k <= run; ++k) {
      const int fx = x + k * DIR_X[d];
      const int fy = y + k * DIR_Y[d];
      shown.at(fx, fy) = static_cast<int16_t>(mover);
      FlipMarks.at(fx, fy) = 1;
    }
  }

  GameRecord& record = gameRecord;
  record.moves[record.currentIndex] = static_cast<int16_t>(squareCode(x, y));
  view.drawLastMove(lastMoveShow(mover));
  // A line left by jumping back ends here: its later positions are dropped.
  record.currentIndex += 1;
  record.lastIndex = record.currentIndex;
  copyPlayingSquares(shown, record.positions[record.currentIndex]);
  view.animateFlips();
}

void afterMove() {
  GameHooks& view = gameHooks();
  const bool over = isGameOver(0);
  sideToMove = opponent(sideToMove);

  const bool canMove = legalSquares(0, sideToMove).count > 0;
  discCounts[0] = discCounts[1] = discCounts[2] = 0;
  const Board& shown = BoardStack[0];
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) ++discCounts[shown.at(x, y)];
  }
  view.drawMessage(MESSAGE_CLEAR);
  view.drawDiscCounts();

  if (over) {
    view.drawSideToMove(0);
    view.drawMessage(MESSAGE_RESULT);
  } else {
    if (!canMove) {
      // A pass: the side that has just moved moves again.
      view.drawLastMove(lastMoveClear(sideToMove));
      view.drawMessage(MESSAGE_PASS);
      sideToMove = opponent(sideToMove);
    }
    view.drawSideToMove(sideToMove);
  }
  view.redrawGuides();
  gameRecord.sideToMoveAt[gameRecord.currentIndex] = static_cast<int16_t>(sideToMove);

  if (over || stoppedFlag) return;
  view.startClockTimer();
  if (isComputer(sideToMove)) view.startThinking();
}

void jumpTo(int n) {
  GameRecord& record = gameRecord;
  if (n < 0 || n > record.lastIndex || n == record.currentIndex || thinkingFlag) return;
  GameHooks& view = gameHooks();
  view.stopClockTimer();
  view.playClick();

  // The move list is left alone: entries 0 to lastIndex - 1 keep holding the current line, so
  // the moves before any shown index are always the ones that led to it.
  record.currentIndex = n;
  discCounts[0] = discCounts[1] = discCounts[2] = 0;
  Board& shown = BoardStack[0];
  ++positionSerial;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      const int content = record.positions[n].at(x, y);
      shown.at(x, y) = static_cast<int16_t>(content);
      view.drawSquare(x, y, tileOfCell(content));
      ++discCounts[content];
    }
  }
  sideToMove = record.sideToMoveAt[n];

  view.drawDiscCounts();
  view.drawLastMove(LAST_MOVE_CLEAR_BOTH);
  view.redrawGuides();
  view.drawMessage(MESSAGE_CLEAR);
  view.drawSideToMove(isGameOver(0) ? 0 : sideToMove);
}

void clockTick() {
  clockSeconds[sideToMove] += 1;
  gameHooks().drawClock(sideToMove);
}
