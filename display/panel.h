// The side panel: each side's player, disc count, last move, turn dot and clock, and the
// message box. Each operation draws and shows exactly its own rectangles.
#pragma once

void drawPlayerLabels();
void drawDiscCounts();
void drawLastMove(int mode);    // LAST_MOVE_CLEAR_BOTH, lastMoveShow or lastMoveClear of a side
void drawSideToMove(int side);  // 1, 2, or 0 for none
void drawClock(int side);
void drawMessage(int kind);  // MESSAGE_CLEAR, MESSAGE_RESULT or MESSAGE_PASS
