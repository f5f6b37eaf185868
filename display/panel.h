// The side panel: each side's player, disc count, last move, turn dot and clock, and the
// message box. Each operation draws and shows exactly its own rectangles.
#pragma once

void drawPlayerLabels();
void drawDiscCounts();
void drawLastMove(int mode);    // 1, 2: that side's last move; 3, 4: clear side 1, 2; 0: both
void drawSideToMove(int side);  // 1, 2, or 0 for none
void drawClock(int side);
void drawMessage(int kind);  // 0 clear, 1 the result, 2 the pass of the side to move
