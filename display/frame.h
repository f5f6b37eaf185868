// The fixed picture drawn once at start-up: the board's lettered border, the grid, the star
// points and the side panel's frame with its fixed pictures.
#pragma once

void drawStaticFrame();
