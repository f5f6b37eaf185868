// What the turn flow and the thinking thread ask of the rest of the program: drawing the
// board and the side panel, the click sound, the one-second clock and the computer. The
// shell installs one implementation at start-up; tests install their own.
#pragma once

struct GameHooks {
  virtual ~GameHooks() = default;

  // The board: tile 0 empty, 1 and 2 the sides' pieces, 3 guide marker, 4 thinking marker.
  virtual void drawSquare(int x, int y, int tile) = 0;
  virtual void redrawGuides() = 0;
  virtual void animateFlips() = 0;

  // The side panel.
  virtual void drawPlayerLabels() = 0;
  virtual void drawDiscCounts() = 0;
  virtual void drawLastMove(int mode) = 0;  // 1, 2 show; 3, 4 clear side 1, 2; 0 clear both
  virtual void drawSideToMove(int side) = 0;
  virtual void drawClock(int side) = 0;
  virtual void drawMessage(int kind) = 0;  // 0 clear, 1 result, 2 pass of the side to move

  virtual void playClick() = 0;
  virtual void startClockTimer() = 0;
  virtual void stopClockTimer() = 0;
  virtual void startThinking() = 0;
};

void installGameHooks(GameHooks* hooks);
GameHooks& gameHooks();
