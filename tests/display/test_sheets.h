// Test image sheets built in memory, a display platform that serves them and records what it
// shows, and pixel comparisons of the back buffer with sheet rectangles.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "display/display_platform.h"
#include "display/sheets.h"

namespace testsheets {

constexpr int SHEET_SIZES[SHEET_COUNT][2] = {{140, 45}, {128, 32}, {400, 40}, {400, 40},
                                             {351, 70}, {70, 281}, {180, 40}, {40, 80}};

// A 4-bit bitmap read straight from its bytes (with or without the 14-byte file header).
struct SheetImage {
  std::vector<uint8_t> bytes;  // as served to the display
  int width = 0, height = 0;

  const uint8_t* info() const {
    return bytes.data() + (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M' ? 14 : 0);
  }
  int entryAt(int x, int y) const {  // top-down coordinates
    const int stride = (width + 7) / 8 * 4;
    const uint8_t pair = info()[104 + (height - 1 - y) * stride + x / 2];
    return x % 2 == 0 ? pair >> 4 : pair & 15;
  }
  uint32_t colourOf(int entry) const {
    const uint8_t* c = info() + 40 + 4 * entry;
    return (uint32_t{c[2]} << 16) | (uint32_t{c[1]} << 8) | c[0];
  }
  uint32_t colourAt(int x, int y) const { return colourOf(entryAt(x, y)); }
};

inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The colour table of sheet s: white at 0, black at 15, colours of its own between; FRAME2 to
// FRAME4 share FRAME1's.
inline uint32_t testColour(int s, int e) {
  if (e == 0) return 0xFFFFFF;
  if (e == 15) return 0x000000;
  const int t = s > SHEET_FRAME1 ? SHEET_FRAME1 : s;
  return (uint32_t(16 * e + 3) << 16) | (uint32_t(40 * t + 7) << 8) | uint32_t(250 - 11 * e - t);
}

// A pattern in which neighbouring pixels, rows and sheets differ, so that a copy from a wrong
// place or a flipped row shows.
inline int testEntry(int s, int x, int y) {
  return (x * 7 + y * 13 + (x * y) % 5 + 3 * s) % 16;
}

inline SheetImage makeSheet(int s, bool withFileHeader = true) {
  SheetImage img;
  img.width = SHEET_SIZES[s][0];
  img.height = SHEET_SIZES[s][1];
  const int stride = (img.width + 7) / 8 * 4;
  const size_t fileHeader = withFileHeader ? 14 : 0;
  std::vector<uint8_t>& b = img.bytes;
  b.assign(fileHeader + 104 + stride * img.height, 0);
  if (withFileHeader) {
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, 14 + 104);
  }
  const size_t h = fileHeader;
  put32(b, h, 40);
  put32(b, h + 4, img.width);
  put32(b, h + 8, img.height);
  b[h + 12] = 1;
  b[h + 14] = 4;
  for (int e = 0; e < 16; ++e) {
    const uint32_t c = testColour(s, e);
    b[h + 40 + 4 * e] = c & 0xFF;
    b[h + 41 + 4 * e] = (c >> 8) & 0xFF;
    b[h + 42 + 4 * e] = (c >> 16) & 0xFF;
  }
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      uint8_t& pair = b[h + 104 + (img.height - 1 - y) * stride + x / 2];
      pair |= static_cast<uint8_t>(x % 2 == 0 ? testEntry(s, x, y) << 4 : testEntry(s, x, y));
    }
  }
  return img;
}

struct Shown {
  int x, y, width, height;
  bool operator==(const Shown& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

inline std::ostream& operator<<(std::ostream& os, const Shown& r) {
  return os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

// Serves the test sheets; records every shown rectangle. The tick count advances by one on
// every read unless onTick says otherwise.
class TestPlatform : public DisplayPlatform {
 public:
  SheetImage sheets[SHEET_COUNT];
  std::function<uint32_t()> onTick;
  std::function<void(const Shown&)> onShow;

  explicit TestPlatform(bool withFileHeader = true) {
    for (int s = 0; s < SHEET_COUNT; ++s) sheets[s] = makeSheet(s, withFileHeader);
  }

  void showRect(int x, int y, int width, int height) override {
    const Shown r{x, y, width, height};
    if (onShow) onShow(r);
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back(r);
  }
  uint32_t tickCount() override { return onTick ? onTick() : ticks_++; }
  const uint8_t* resourceBytes(const char* name, size_t* size) override {
    for (int s = 0; s < SHEET_COUNT; ++s) {
      if (std::strcmp(name, SHEET_NAMES[s]) == 0 && !sheets[s].bytes.empty()) {
        *size = sheets[s].bytes.size();
        return sheets[s].bytes.data();
      }
    }
    *size = 0;
    return nullptr;
  }

  std::vector<Shown> shown() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }
  void clearShown() {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.clear();
  }
  uint32_t ticksRead() const { return ticks_; }

 private:
  mutable std::mutex mutex_;
  std::vector<Shown> shown_;
  uint32_t ticks_ = 0;
};

// Installs a TestPlatform and builds the display from it; releases it afterwards.
class DisplayTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  void SetUp() override { installDisplayPlatform(&platform); }
  void TearDown() override {
    releaseDisplay();
    installDisplayPlatform(nullptr);
  }
  const SheetImage& sheet(int s) const { return platform.sheets[s]; }
};

// The back buffer's rectangle (destX, destY, width, height) holds, pixel for pixel, the colours
// of the sheet's rectangle at (srcX, srcY).
inline ::testing::AssertionResult rectFromSheet(const SheetImage& sheet, int destX, int destY,
                                                int width, int height, int srcX, int srcY) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t want = sheet.colourAt(srcX + x, srcY + y);
      const uint32_t got = pixelColour(destX + x, destY + y);
      if (want != got) {
        return ::testing::AssertionFailure()
               << "pixel (" << destX + x << ", " << destY + y << ") is " << std::hex << got
               << ", the sheet's (" << std::dec << srcX + x << ", " << srcY + y << ") is "
               << std::hex << want;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Every pixel of the rectangle has the colour.
inline ::testing::AssertionResult rectIs(uint32_t colour, int x0, int y0, int width, int height) {
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      if (pixelColour(x, y) != colour) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                             << pixelColour(x, y) << ", not " << colour;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult rectWhite(int x, int y, int width, int height) {
  return rectIs(0xFFFFFF, x, y, width, height);
}

// A copy of the back buffer's pixels, to tell later what an operation left untouched.
inline std::vector<uint32_t> snapshot() {
  std::vector<uint32_t> pixels(SCREEN_WIDTH * SCREEN_HEIGHT);
  copyBackBufferRgb32(pixels.data());
  return pixels;
}

// Every pixel outside the listed rectangles is as in before.
inline ::testing::AssertionResult unchangedOutside(const std::vector<uint32_t>& before,
                                                   const std::vector<Shown>& allowed) {
  const std::vector<uint32_t> now = snapshot();
  for (int y = 0; y < SCREEN_HEIGHT; ++y) {
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
      bool inside = false;
      for (const Shown& r : allowed) {
        inside = inside || (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
      }
      if (!inside && now[y * SCREEN_WIDTH + x] != before[y * SCREEN_WIDTH + x]) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace testsheets
