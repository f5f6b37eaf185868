#include "display/frame.h"

#include "display/sheets.h"
#include "rules/board_geometry.h"

// Into the back buffer only: the first paint shows the frame.
void drawStaticFrame() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  blitRect(371, 20, 140, 45, 0, 0, SHEET_TITLE);
  // The board's border: lettered top and plain bottom from FRAME1, numbered left and plain
  // right from FRAME2.
  blitRect(0, 0, BOARD_AREA_SIZE, BORDER_SIZE, 0, 0, SHEET_FRAME1);
  blitRect(0, GRID_LAST + 1, BOARD_AREA_SIZE, BORDER_SIZE, 0, BORDER_SIZE, SHEET_FRAME1);
  blitRect(0, GRID_FIRST, BORDER_SIZE, GRID_SPAN, 0, 0, SHEET_FRAME2);
  blitRect(GRID_LAST + 1, GRID_FIRST, BORDER_SIZE, GRID_SPAN, BORDER_SIZE, 0, SHEET_FRAME2);
  // The panel's top and bottom edges, and between the boxes the lower rim of one box over
  // the upper rim of the next.
  blitRect(PANEL_LEFT, 0, PANEL_WIDTH, 20, 0, 0, SHEET_FRAME3);
  blitRect(PANEL_LEFT, 331, PANEL_WIDTH, 20, 0, 20, SHEET_FRAME3);
  for (int i = 0; i < 3; ++i) {
    blitRect(PANEL_LEFT, 65 + 100 * i, PANEL_WIDTH, 10, 0, 20, SHEET_FRAME3);
    blitRect(PANEL_LEFT, 75 + 100 * i, PANEL_WIDTH, 10, 0, 10, SHEET_FRAME3);
  }
  // The strips beside the boxes: whole beside the side boxes; the title box (45 rows) and the
  // message box (46 rows) take the strip's first 23 rows and its last 22 or 23.
  for (int i = 0; i < 2; ++i) {
    const int x = PANEL_LEFT + 160 * i;
    const int column = 20 * i;
    for (int j = 0; j < 2; ++j) {
      blitRect(x, 85 + 100 * j, 20, 80, column, 0, SHEET_FRAME4);
      blitRect(x, 20 + 265 * j, 20, 23, column, 0, SHEET_FRAME4);
      blitRect(x, 43 + 265 * j, 20, 22 + j, column, 58 - j, SHEET_FRAME4);
    }
  }
  // Each side box's piece picture and its clock's two separators.
  for (int i = 0; i < 2; ++i) {
    blitRect(378, 109 + 100 * i, 32, 32, 32 * i, 0, SHEET_PIECE);
    blitRect(426 + 38 * i, 145, 14, 20, 0, 20, SHEET_FONT1);
    blitRect(426 + 38 * i, 245, 14, 20, 0, 20, SHEET_FONT2);
  }
  // The counter words behind the disc counts.
  blitRect(445, 115, 20, 20, 14, 20, SHEET_FONT1);
  blitRect(445, 215, 20, 20, 14, 20, SHEET_FONT2);

  // Each line stops one pixel short of the last line.
  for (int p = GRID_FIRST; p <= GRID_LAST; p += SQUARE_PITCH) {
    drawLine(GRID_FIRST, p, GRID_LAST, p);
    drawLine(p, GRID_FIRST, p, GRID_LAST);
  }
  // Star points on the crossings around the centre 4 x 4 squares; every later clearing
  // relies on the white brush being back.
  selectBrush(BRUSH_BLACK);
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) fillRect(103 + 140 * j, 103 + 140 * i, 5, 5);
  }
  selectBrush(BRUSH_WHITE);
}
