// Finding the sheets, the display palette and the back buffer's creation and release.
#include <cstring>

#include "display/board_view.h"
#include "display/display_state.h"
#include "display/frame.h"

const char SHEET_NAMES[SHEET_COUNT][8] = {"TITLE",  "PIECE",  "FONT1",  "FONT2",
                                          "FRAME1", "FRAME2", "FRAME3", "FRAME4"};

DisplayState display;
DisplayPlatform* displayPlatform = nullptr;

void installDisplayPlatform(DisplayPlatform* platform) {
  displayPlatform = platform;
}

namespace {

constexpr int FILE_HEADER_SIZE = 14;  // "BM", file size, reserved, pixel offset
constexpr int INFO_HEADER_SIZE = 40;
constexpr int MAX_SHEET_SIDE = 4096;

uint32_t readU32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t readI32(const uint8_t* p) {
  return static_cast<int32_t>(readU32(p));
}
int readU16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}

void writeU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Points sheet at the image in bytes, if they hold one this display can copy from: an
// uncompressed 4-bit bottom-up bitmap with its 16 colours and its pixels where the fixed
// offset expects them, and every row present. Anything else leaves the sheet absent, and
// copies from it draw nothing, rather than reading outside the resource.
bool locateSheet(const uint8_t* bytes, size_t size, SheetInfo& sheet) {
  sheet.header = nullptr;
  sheet.pixels = nullptr;
  if (!bytes) return false;
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (size < FILE_HEADER_SIZE || readU32(bytes + 10) != FILE_HEADER_SIZE + SHEET_PIXEL_OFFSET) {
      return false;
    }
    bytes += FILE_HEADER_SIZE;
    size -= FILE_HEADER_SIZE;
  }
  if (size < static_cast<size_t>(SHEET_PIXEL_OFFSET)) return false;
  const int32_t width = readI32(bytes + 4);
  const int32_t height = readI32(bytes + 8);
  const uint32_t coloursUsed = readU32(bytes + 32);
  if (readU32(bytes) != INFO_HEADER_SIZE || width <= 0 || width > MAX_SHEET_SIDE || height <= 0 ||
      height > MAX_SHEET_SIDE || readU16(bytes + 12) != 1 || readU16(bytes + 14) != 4 ||
      readU32(bytes + 16) != 0 || (coloursUsed != 0 && coloursUsed != 16)) {
    return false;
  }
  const int stride = (width + 7) / 8 * 4;
  if (size < static_cast<size_t>(SHEET_PIXEL_OFFSET) + static_cast<size_t>(stride) * height) {
    return false;
  }
  sheet.header = bytes;
  sheet.pixels = bytes + SHEET_PIXEL_OFFSET;
  sheet.width = width;
  sheet.height = height;
  sheet.stride = stride;
  return true;
}

const uint8_t* sheetColour(const SheetInfo& sheet, int e) {
  return sheet.header + INFO_HEADER_SIZE + 4 * e;
}

// The first entry of the colour table nearest to (red, green, blue), as the platform matches
// a colour to an 8-bit section's colour table.
uint8_t nearestEntry(int red, int green, int blue, int entries) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < entries; ++i) {
    const uint8_t* c = display.buffer.colourTable[i];
    const long db = c[0] - blue, dg = c[1] - green, dr = c[2] - red;
    const long distance = db * db + dg * dg + dr * dr;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}

void setTableEntry(int i, uint8_t blue, uint8_t green, uint8_t red) {
  uint8_t* t = display.buffer.colourTable[i];
  t[0] = blue;
  t[1] = green;
  t[2] = red;
  t[3] = 0;
  display.palette[i] = PaletteEntry{red, green, blue, 0};
}

// Entries 16s..16s+15 take sheet s's colours (s = 0..4). A sheet that is absent still gives
// white at its entry 0 and black at 15, so that the brushes and the pen keep their colours.
void buildColourTable() {
  std::memset(display.buffer.colourTable, 0, sizeof display.buffer.colourTable);
  std::memset(display.palette, 0, sizeof display.palette);
  for (int s = 0; s <= SHEET_FRAME1; ++s) {
    const SheetInfo& sheet = display.sheets[s];
    for (int e = 0; e < 16; ++e) {
      if (sheet.header) {
        const uint8_t* c = sheetColour(sheet, e);
        setTableEntry(16 * s + e, c[0], c[1], c[2]);
      } else if (e == 0) {
        setTableEntry(16 * s + e, 255, 255, 255);
      } else {
        setTableEntry(16 * s + e, 0, 0, 0);
      }
    }
  }
}

// Sheet s's colour e lands on entry 16s+e (FRAME1's entries for FRAME2 to FRAME4, which share
// its colours); a colour that differs from its entry falls back to the nearest palette colour.
void mapSheetColours(SheetInfo& sheet, int s) {
  const int base = 16 * (s < SHEET_FRAME1 ? s : SHEET_FRAME1);
  for (int e = 0; e < 16; ++e) {
    const uint8_t* c = sheetColour(sheet, e);
    const uint8_t* t = display.buffer.colourTable[base + e];
    const bool exact = t[0] == c[0] && t[1] == c[1] && t[2] == c[2];
    sheet.entry[e] =
        exact ? static_cast<uint8_t>(base + e) : nearestEntry(c[2], c[1], c[0], PALETTE_SIZE);
  }
}

void writeInfoHeader() {
  uint8_t* h = display.buffer.infoHeader;
  std::memset(h, 0, INFO_HEADER_SIZE);
  writeU32(h, INFO_HEADER_SIZE);
  writeU32(h + 4, SCREEN_WIDTH);
  writeU32(h + 8, SCREEN_HEIGHT);  // positive: rows bottom-up
  h[12] = 1;                       // planes
  h[14] = 8;                       // bits per pixel; compression, sizes and counts stay 0
}

}  // namespace

void buildBackBuffer() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  for (int s = 0; s < SHEET_COUNT; ++s) {
    size_t size = 0;
    const uint8_t* bytes =
        displayPlatform ? displayPlatform->resourceBytes(SHEET_NAMES[s], &size) : nullptr;
    locateSheet(bytes, size, display.sheets[s]);
  }
  writeInfoHeader();
  buildColourTable();
  for (int s = 0; s < SHEET_COUNT; ++s) {
    if (display.sheets[s].header) mapSheetColours(display.sheets[s], s);
  }
  display.whiteIndex = nearestEntry(255, 255, 255, 256);
  display.blackIndex = nearestEntry(0, 0, 0, 256);
  display.focusIndex = nearestEntry(FOCUS_FRAME_COLOUR >> 16, (FOCUS_FRAME_COLOUR >> 8) & 0xFF,
                                    FOCUS_FRAME_COLOUR & 0xFF, PALETTE_SIZE);
  display.focus.x = 0;  // the buffer is cleared below, and any frame with it
  display.focus.y = 0;
  display.ready = true;
  selectBrush(BRUSH_WHITE);
  fillRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void initDisplay() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  buildBackBuffer();
  drawStaticFrame();
}

void releaseDisplay() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  display.ready = false;
  for (SheetInfo& sheet : display.sheets) {
    sheet.header = nullptr;
    sheet.pixels = nullptr;
  }
}

const PaletteEntry* displayPalette() {
  return display.palette;
}
