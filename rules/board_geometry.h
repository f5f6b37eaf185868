// Where things lie in the window, in its pixels: the whole picture, and the board's squares,
// which the click on a square, the drawing of the board and every front-end agree on.
#pragma once

constexpr int SCREEN_WIDTH = 531;  // the window's client area and the back buffer
constexpr int SCREEN_HEIGHT = 351;

// The grid: column a's left line and row 1's top line lie at pixel 35, past the lettered
// border, and every square is 35 pixels from line to line, the same across and down.
constexpr int SQUARE_PITCH = 35;
constexpr int GRID_FIRST = SQUARE_PITCH;
constexpr int GRID_LAST = GRID_FIRST + 8 * SQUARE_PITCH;  // the last line, at 315

// The board area at the window's left: the grid in a border as wide as a square, lettered
// above and numbered on the left; 351 pixels across and down. The side panel takes the rest.
constexpr int BORDER_SIZE = GRID_FIRST;
constexpr int GRID_SPAN = GRID_LAST + 1 - GRID_FIRST;  // 281: the grid with its last line
constexpr int BOARD_AREA_SIZE = GRID_LAST + 1 + BORDER_SIZE;
constexpr int PANEL_LEFT = BOARD_AREA_SIZE;
constexpr int PANEL_WIDTH = SCREEN_WIDTH - PANEL_LEFT;  // 180

// A square's tile: 32 x 32 pixels, two pixels in from the square's grid lines.
constexpr int TILE_SIZE = 32;
constexpr int tileLeft(int x) {
  return SQUARE_PITCH * x + 2;
}
constexpr int tileTop(int y) {
  return SQUARE_PITCH * y + 2;
}
// The pixel at the tile's centre, around which the flip animation grows a piece.
constexpr int squareCentre(int xOrY) {
  return SQUARE_PITCH * xOrY + 18;
}

// The column (or row) 1..8 whose square holds pixel p, 0 for a grid line or a pixel off the
// board. The remainder truncates toward zero, so it is 0 on a line and negative left of (or
// above) the field.
constexpr int squareAtPixel(int p) {
  const int offset = p - GRID_FIRST;
  if (offset % SQUARE_PITCH <= 0 || offset >= GRID_LAST - GRID_FIRST) return 0;
  return offset / SQUARE_PITCH + 1;
}
