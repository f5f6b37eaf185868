// The game on screen: the shown position (ply 0), whose turn it is, the disc counts, the
// clocks and the record of every position of the current line, with the turn flow that
// changes them. Everything here runs on the window's thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "rules/board.h"

constexpr int MAX_RECORD = 64;  // a game has at most 60 moves: indices 0..60 are used

struct GameRecord {
  Board positions[MAX_RECORD];       // positions[i]: the shown position after i moves of the line
  int16_t moves[MAX_RECORD];         // moves[i]: square code played in positions[i], 0 none
  int16_t sideToMoveAt[MAX_RECORD];  // side to move in positions[i], after any pass
  int currentIndex;                  // index of the shown position: moves made from the start
  int lastIndex;                     // highest index of the current line
};

extern GameRecord gameRecord;
extern int sideToMove;       // 1 or 2, the side to move in the shown position
extern int discCounts[3];    // of the shown position, by cell value: empty, side 1, side 2
extern int clockSeconds[3];  // seconds used so far, by side (1, 2)

// Set while a thinking thread is choosing a move; cleared when the move arrives, by Stop and
// by a new game. The search polls it and gives up when it reads false.
extern std::atomic<bool> thinkingFlag;
// Set by Stop: a move that still arrives afterwards neither restarts the clock nor the
// computer. Cleared by a new game, by Resume and by every accepted click.
extern std::atomic<bool> stoppedFlag;
// Set by a new game; the opening book clears it when it has no continuation.
extern std::atomic<bool> bookEnabledFlag;
// The square code x * 10 + y of the root move the computer is examining, 0 for none; one
// value, so that the window's thread, redrawing the thinking marker, never reads a half-updated
// square.
extern std::atomic<int> examinedSquare;
// Counts every change of the shown position (new game, move, jump), so that a move chosen for
// an earlier position can be recognised and dropped.
extern std::atomic<uint32_t> positionSerial;

void newGame();
// A left click at pixel (px, py) of the client area.
void clickAt(uint16_t px, uint16_t py);
void makeMove(int x, int y);
void afterMove();
void jumpTo(int n);
// One tick of the one-second clock: a second more for the side to move.
void clockTick();
