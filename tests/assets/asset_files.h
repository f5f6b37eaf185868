// Reading the committed asset files for the format tests: whole-file loads, little-endian
// fields, and a 4-bit bitmap sheet decoded into colour indices addressed top-down.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assets_test {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool isWhite() const { return r == 255 && g == 255 && b == 255; }
};

inline std::vector<uint8_t> readAsset(const std::string& name) {
  std::ifstream in(std::string(VELNOR_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t u16(const std::vector<uint8_t>& d, size_t at) {
  return d.at(at) | (d.at(at + 1) << 8);
}
inline uint32_t u32(const std::vector<uint8_t>& d, size_t at) {
  return u16(d, at) | (u16(d, at + 2) << 16);
}
inline int32_t s32(const std::vector<uint8_t>& d, size_t at) {
  return static_cast<int32_t>(u32(d, at));
}

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr size_t kPixelOffset = kFileHeader + kInfoHeader + 16 * 4;  // 118

inline size_t rowStride(int width) {
  return ((width * 4 + 31) / 32) * 4;
}

// A 4-bit sheet as the display uses it: colour table behind the info header, pixels 104
// bytes after the info header, rows bottom-up.
class Sheet {
 public:
  explicit Sheet(const std::string& name) : data_(readAsset(name + ".bmp")) {}

  const std::vector<uint8_t>& bytes() const { return data_; }
  int width() const { return s32(data_, kFileHeader + 4); }
  int height() const { return s32(data_, kFileHeader + 8); }

  Rgb colour(int entry) const {
    size_t at = kFileHeader + kInfoHeader + 4 * entry;
    return {data_.at(at + 2), data_.at(at + 1), data_.at(at)};
  }
  int index(int x, int y) const {  // y counted from the top row
    size_t row = kPixelOffset + rowStride(width()) * (height() - 1 - y);
    uint8_t pair = data_.at(row + x / 2);
    return x % 2 == 0 ? pair >> 4 : pair & 15;
  }
  Rgb pixel(int x, int y) const { return colour(index(x, y)); }

  // True if every pixel of the rectangle is white.
  bool allWhite(int x0, int y0, int w, int h) const {
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x)
        if (!pixel(x, y).isWhite()) return false;
    return true;
  }
  // Number of non-white pixels in the rectangle.
  int inkCount(int x0, int y0, int w, int h) const {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) n += !pixel(x, y).isWhite();
    return n;
  }
  // The darkest pixel of the rectangle (lowest r + g + b).
  Rgb darkest(int x0, int y0, int w, int h) const {
    Rgb best{255, 255, 255};
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        Rgb c = pixel(x, y);
        if (c.r + c.g + c.b < best.r + best.g + best.b) best = c;
      }
    return best;
  }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace assets_test
