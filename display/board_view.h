// The board's squares, the guide and thinking markers and the flip animation.
#pragma once

#include "rules/hooks.h"  // the tiles

// Draws square (x, y) with a tile and shows it at once; from either thread.
void drawSquare(int x, int y, int tile);
// Redraws every empty square as a guide marker (legal for the side to move, guide on) or
// white, then the thinking marker on the examined square.
void redrawGuides();
// Grows the pieces turned over by the last move, 16 steps, waiting the animation delay after
// each; holds the window's thread meanwhile.
void animateFlips();
