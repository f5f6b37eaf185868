// Drawing into the back buffer and showing it: sheet copies, fills, lines, the copy to the
// window, and reading the picture back for a paint.
#include <algorithm>
#include <cstdint>

#include "display/display_state.h"

namespace {

// A rectangle clipped to the back buffer, top-down; empty when right <= left or bottom <= top.
struct Span {
  int left, top, right, bottom;
  bool empty() const { return right <= left || bottom <= top; }
};

// 64-bit sums, so that no rectangle given in 32-bit values can overflow.
Span clipToScreen(int x, int y, int width, int height) {
  const auto clamp = [](int64_t v, int limit) {
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, 0), limit));
  };
  return Span{clamp(x, SCREEN_WIDTH), clamp(y, SCREEN_HEIGHT),
              clamp(static_cast<int64_t>(x) + std::max(width, 0), SCREEN_WIDTH),
              clamp(static_cast<int64_t>(y) + std::max(height, 0), SCREEN_HEIGHT)};
}

uint8_t* row(int y) {
  return display.buffer.pixels[SCREEN_HEIGHT - 1 - y];
}

void showOnWindow(int x, int y, int width, int height) {
  const Span s = clipToScreen(x, y, width, height);
  if (s.empty() || !displayPlatform) return;
  displayPlatform->showRect(s.left, s.top, s.right - s.left, s.bottom - s.top);
}

// The destination rectangle is clipped to the buffer and then to where the source rectangle
// lies inside the sheet. Source row srcY + r, counted from the top, is stored bottom-up as
// row H - 1 - (srcY + r), which is the platform's H - height - srcY for the rectangle's first
// stored row; sheet pixels hold two colours a byte, the left one in the high half.
void copyFromSheet(const SheetInfo& sheet, int destX, int destY, int width, int height, int srcX,
                   int srcY) {
  const Span clipped = clipToScreen(destX, destY, width, height);
  const int64_t dx = static_cast<int64_t>(srcX) - destX;  // source x = destination x + dx
  const int64_t dy = static_cast<int64_t>(srcY) - destY;
  const int64_t left = std::max<int64_t>(clipped.left, -dx);
  const int64_t top = std::max<int64_t>(clipped.top, -dy);
  const int64_t right = std::min<int64_t>(clipped.right, sheet.width - dx);
  const int64_t bottom = std::min<int64_t>(clipped.bottom, sheet.height - dy);
  if (right <= left || bottom <= top) return;
  // Now within the buffer and the sheet, so every value fits an int.
  const Span d{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
               static_cast<int>(bottom)};
  for (int y = d.top; y < d.bottom; ++y) {
    const int sy = static_cast<int>(y + dy);
    const uint8_t* source =
        sheet.pixels + static_cast<size_t>(sheet.height - 1 - sy) * sheet.stride;
    uint8_t* target = row(y);
    for (int x = d.left; x < d.right; ++x) {
      const int sx = static_cast<int>(x + dx);
      const uint8_t pair = source[sx / 2];
      target[x] = sheet.entry[(sx % 2 == 0) ? pair >> 4 : pair & 15];
    }
  }
}

}  // namespace

std::recursive_mutex& drawingLock() {
  static std::recursive_mutex lock;
  return lock;
}

void blitRect(int destX, int destY, int width, int height, int srcX, int srcY, int sheet) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  if (!display.ready) return;
  if (sheet == SHEET_WINDOW) {
    showOnWindow(destX, destY, width, height);
    return;
  }
  if (sheet < 0 || sheet >= SHEET_COUNT || !display.sheets[sheet].header) return;
  copyFromSheet(display.sheets[sheet], destX, destY, width, height, srcX, srcY);
}

void selectBrush(Brush brush) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  display.brush = brush;
}

void fillRect(int x, int y, int width, int height) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  if (!display.ready) return;
  const Span s = clipToScreen(x, y, width, height);
  const uint8_t colour = display.brush == BRUSH_BLACK ? display.blackIndex : display.whiteIndex;
  for (int yy = s.top; yy < s.bottom; ++yy) std::fill(row(yy) + s.left, row(yy) + s.right, colour);
}

void drawLine(int x0, int y0, int x1, int y1) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  if (!display.ready) return;
  Span s{};
  if (y0 == y1) {
    // The end point is left out: from x0 toward x1, stopping one short of it.
    s = x1 >= x0 ? clipToScreen(x0, y0, x1 - x0, 1) : clipToScreen(x1 + 1, y0, x0 - x1, 1);
  } else if (x0 == x1) {
    s = y1 >= y0 ? clipToScreen(x0, y0, 1, y1 - y0) : clipToScreen(x0, y1 + 1, 1, y0 - y1);
  } else {
    return;  // only the grid's straight lines are drawn
  }
  for (int y = s.top; y < s.bottom; ++y) {
    std::fill(row(y) + s.left, row(y) + s.right, display.blackIndex);
  }
}

void fillEntries(int x, int y, int width, int height, uint8_t entry) {
  for (int r = y; r < y + height; ++r) std::fill(row(r) + x, row(r) + x + width, entry);
}

void readEntries(int x, int y, int width, int height, uint8_t* out, int outStride) {
  for (int r = 0; r < height; ++r) std::copy_n(row(y + r) + x, width, out + r * outStride);
}

void writeEntries(int x, int y, int width, int height, const uint8_t* in, int inStride) {
  for (int r = 0; r < height; ++r) std::copy_n(in + r * inStride, width, row(y + r) + x);
}

const BackBuffer& backBuffer() {
  return display.buffer;
}

int pixelIndex(int x, int y) {
  if (x < 0 || x >= SCREEN_WIDTH || y < 0 || y >= SCREEN_HEIGHT) return -1;
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  return row(y)[x];
}

uint32_t pixelColour(int x, int y) {
  const int i = pixelIndex(x, y);
  if (i < 0) return 0;
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  const uint8_t* c = display.buffer.colourTable[i];
  return (static_cast<uint32_t>(c[2]) << 16) | (c[1] << 8) | c[0];
}

void copyBackBufferRgb32(uint32_t* out) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  uint32_t colours[256];
  for (int i = 0; i < 256; ++i) {
    const uint8_t* c = display.buffer.colourTable[i];
    colours[i] = 0xFF000000u | (static_cast<uint32_t>(c[2]) << 16) | (c[1] << 8) | c[0];
  }
  for (int y = 0; y < SCREEN_HEIGHT; ++y) {
    const uint8_t* source = row(y);
    for (int x = 0; x < SCREEN_WIDTH; ++x) *out++ = colours[source[x]];
  }
}

void copyBackBufferRgba(int x, int y, int width, int height, uint8_t* out) {
  for (int r = y; r < y + height; ++r) {
    const uint8_t* source = row(r);
    for (int c = x; c < x + width; ++c) {
      const uint8_t* colour = display.buffer.colourTable[source[c]];  // blue, green, red
      *out++ = colour[2];
      *out++ = colour[1];
      *out++ = colour[0];
      *out++ = 255;
    }
  }
}
