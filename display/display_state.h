// The display's own state, shared by the files of display/ only.
#pragma once

#include <cstdint>

#include "display/display_platform.h"
#include "display/sheets.h"

// A sheet found among the program's resources, used in place.
struct SheetInfo {
  const uint8_t* header;  // the information header, the colour table behind it; nullptr: none
  const uint8_t* pixels;  // header + SHEET_PIXEL_OFFSET, bottom-up rows
  int width, height;
  int stride;         // bytes per row, a multiple of 4
  uint8_t entry[16];  // the back-buffer colour-table entry of each of the sheet's colours
};

// The square the keyboard's focus frame stands on, and what the frame covers there.
struct FocusFrame {
  int x, y;                             // 0, 0 while no frame is drawn
  uint8_t under[TILE_SIZE][TILE_SIZE];  // the tile's colour entries as drawn, frame left out
};

struct DisplayState {
  bool ready;  // between buildBackBuffer and releaseDisplay
  SheetInfo sheets[SHEET_COUNT];
  PaletteEntry palette[PALETTE_SIZE];
  BackBuffer buffer;
  Brush brush;                     // of fillRect
  uint8_t whiteIndex, blackIndex;  // the entries the white brush and the black pen give
  uint8_t focusIndex;              // the entry nearest FOCUS_FRAME_COLOUR
  FocusFrame focus;
};

extern DisplayState display;
extern DisplayPlatform* displayPlatform;

// Raw colour entries of a rectangle of the back buffer, top-down, for the display's own
// drawing; the rectangle must lie inside the buffer. Callers hold drawingLock.
void fillEntries(int x, int y, int width, int height, uint8_t entry);
void readEntries(int x, int y, int width, int height, uint8_t* out, int outStride);
void writeEntries(int x, int y, int width, int height, const uint8_t* in, int inStride);
