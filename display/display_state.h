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

struct DisplayState {
  bool ready;  // between buildBackBuffer and releaseDisplay
  SheetInfo sheets[SHEET_COUNT];
  PaletteEntry palette[PALETTE_SIZE];
  BackBuffer buffer;
  Brush brush;                     // of fillRect
  uint8_t whiteIndex, blackIndex;  // the entries the white brush and the black pen give
};

extern DisplayState display;
extern DisplayPlatform* displayPlatform;
