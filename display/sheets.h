// The eight image sheets, the display palette and the back buffer: everything on screen is a
// rectangle copied out of a sheet into the back buffer, then from there to the window.
#pragma once

#include <cstdint>
#include <mutex>

#include "rules/board_geometry.h"  // the screen's size

constexpr int BACK_BUFFER_STRIDE = 532;  // bytes per row: 531 padded to a multiple of 4

// Sheet numbers, the order of SHEET_NAMES.
enum Sheet {
  SHEET_TITLE = 0,
  SHEET_PIECE = 1,
  SHEET_FONT1 = 2,
  SHEET_FONT2 = 3,
  SHEET_FRAME1 = 4,
  SHEET_FRAME2 = 5,
  SHEET_FRAME3 = 6,
  SHEET_FRAME4 = 7,
  SHEET_WINDOW = 8,  // not an image: blitRect copies from the back buffer to the window
};
constexpr int SHEET_COUNT = 8;
extern const char SHEET_NAMES[SHEET_COUNT][8];

// A sheet is a 4-bit bottom-up bitmap: a 40-byte information header, 16 colours, then the
// pixels at this fixed offset from the header.
constexpr int SHEET_PIXEL_OFFSET = 104;

// The display palette: the colour tables of sheets 0 to 4, entries 16s..16s+15 for sheet s.
// Laid out like a Win32 PALETTEENTRY.
struct PaletteEntry {
  uint8_t red, green, blue, flags;
};
constexpr int PALETTE_SIZE = 80;

// The 531 x 351 off-screen picture, 8 bits per pixel. infoHeader and colourTable together are
// a Win32 BITMAPINFO describing pixels, so a front-end can hand them to the platform as is.
struct BackBuffer {
  uint8_t infoHeader[40];       // width 531, height 351 (bottom-up), 1 plane, 8 bits, BI_RGB
  uint8_t colourTable[256][4];  // blue, green, red, 0; entries 0..79 the palette, rest black
  uint8_t pixels[SCREEN_HEIGHT][BACK_BUFFER_STRIDE];  // [bottom-up row][x]
};

// Window creation: buildBackBuffer, then the static frame. The player labels follow through
// setPlayerType with side 0, which the shell calls right after.
void initDisplay();
// The first half of initDisplay: finds the sheets, builds the palette and the back buffer and
// clears it to white.
void buildBackBuffer();
// Window destruction: forgets the sheets; every drawing operation does nothing afterwards.
void releaseDisplay();

// Copies (srcX, srcY, width, height) of a sheet (0..7, top-down coordinates) to (destX,
// destY) of the back buffer, replacing every pixel. Sheet 8 shows (destX, destY, width,
// height) of the back buffer in the window; callers pass the same source position. Parts of a
// rectangle outside the sheet or the buffer are left out.
void blitRect(int destX, int destY, int width, int height, int srcX, int srcY, int sheet);

// The brush that fills use: white at all times except while the star points are drawn.
enum Brush { BRUSH_WHITE, BRUSH_BLACK };
void selectBrush(Brush brush);
void fillRect(int x, int y, int width, int height);
// A horizontal or vertical black line from (x0, y0) up to, not including, (x1, y1).
void drawLine(int x0, int y0, int x1, int y1);

// Every drawing operation, and every copy from the back buffer to the window, holds this lock
// for its whole length, so drawing from the thinking thread never interleaves with drawing on
// the window's thread. Recursive: a drawing operation shows its own rectangles.
std::recursive_mutex& drawingLock();

// For front-ends and tests; read them under drawingLock.
const BackBuffer& backBuffer();
const PaletteEntry* displayPalette();  // PALETTE_SIZE entries
// The colour-table entry and the colour (0xRRGGBB) of pixel (x, y), top-down coordinates.
int pixelIndex(int x, int y);
uint32_t pixelColour(int x, int y);
// The whole back buffer as 0xFFRRGGBB values, row 0 the top row, 531 per row: what a paint
// copies to the window. Takes the lock itself.
void copyBackBufferRgb32(uint32_t* out);
// The rectangle (x, y, width, height), which must lie inside the back buffer, row by row from
// the top as red, green, blue, 255 bytes: a canvas's image data. Read it under drawingLock.
void copyBackBufferRgba(int x, int y, int width, int height, uint8_t* out);
