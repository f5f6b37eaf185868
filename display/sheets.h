// The eight image sheets, the display palette and the back buffer: everything on screen is a
// rectangle copied out of a sheet into the back buffer, then from there to the window.
#pragma once

#include <cstdint>
#include <mutex>

constexpr int SCREEN_WIDTH = 531;
constexpr int SCREEN_HEIGHT = 351;

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
extern const char SHEET_NAMES[8][8];

// The 531 x 351 off-screen picture, 8 bits per pixel, rows stored bottom-up.
struct BackBuffer {
  uint8_t colourTable[256][4];  // blue, green, red, 0; entries 0..79 the display palette
  uint8_t pixels[SCREEN_HEIGHT][532];  // [bottom-up row][x], rows padded to 4 bytes
};

// Loads the sheets, builds the palette and the back buffer, clears it to white, draws the
// static frame and the player labels (through setPlayerType with side 0).
void initDisplay();
void releaseDisplay();

// Copies (srcX, srcY, width, height) of a sheet (0..7, top-down coordinates) to (destX,
// destY) of the back buffer; sheet 8 shows that rectangle of the back buffer in the window.
void blitRect(int destX, int destY, int width, int height, int srcX, int srcY, int sheet);
// Fills a rectangle of the back buffer with white (the brush every clearing uses).
void fillWhite(int x, int y, int width, int height);

// Every drawing operation, and every copy from the back buffer to the window, holds this lock
// for its whole length, so drawing from the thinking thread never interleaves with drawing on
// the window's thread. Recursive: a drawing operation shows its own rectangles.
std::recursive_mutex& drawingLock();

const BackBuffer& backBuffer();
// The colour of back-buffer pixel (x, y), top-down coordinates, as 0xRRGGBB.
uint32_t pixelColour(int x, int y);
