// The board's squares, the guide and thinking markers and the flip animation.
#pragma once

#include <cstdint>

#include "rules/board.h"  // Square
#include "rules/hooks.h"  // the tiles

// Draws square (x, y) with a tile and shows it at once; from either thread.
void drawSquare(int x, int y, int tile);
// Redraws every empty square as a guide marker (legal for the side to move, guide on) or
// white, then the thinking marker on the examined square.
void redrawGuides();
// Grows the pieces turned over by the last move, 16 steps, waiting the animation delay after
// each; holds the window's thread meanwhile.
void animateFlips();

// The keyboard's focus frame: a ring two pixels wide just inside a square's tile, in the title's
// dark amber, which no tile uses and which stands out on white, on the blue can and on the red
// insect. It is drawn only after a board key has been used; drawSquare and the flip animation
// draw it again over whatever they put on its square.
constexpr uint32_t FOCUS_FRAME_COLOUR = 0xB07410;
constexpr int FOCUS_FRAME_WIDTH = 2;
// Moves the frame to square (x, y), restoring the square it leaves, and shows both; a square
// off the board, such as (0, 0), takes the frame away. From the window's thread.
void frameSquare(int x, int y);
// The framed square, column 0 while there is no frame.
Square framedSquare();
