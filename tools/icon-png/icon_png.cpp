// icon-png: one image of the program's icon file as a PNG, enlarged by a whole number with
// every pixel repeated (so the art stays crisp), on a transparent square canvas.
//
//   icon-png ICON.ico SIZE SCALE CANVAS OUT.png [fill]
//
// SIZE picks the icon's image of that width (16 or 32), SCALE enlarges it, and CANVAS is the
// output's width and height (at least SIZE * SCALE), the picture centred on it. With "fill"
// the canvas around the picture takes the colour of the picture's top left pixel (its own
// background) instead of being transparent, as icons that a launcher cuts to a shape need.
// The icon's images are 4-bit bitmaps with a transparency mask, as icon files hold them.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& message) {
  std::fprintf(stderr, "icon-png: %s\n", message.c_str());
  std::exit(2);
}

uint32_t readLe(const std::vector<uint8_t>& bytes, size_t at, int count) {
  if (at + count > bytes.size()) fail("the icon file is cut short");
  uint32_t v = 0;
  for (int i = count - 1; i >= 0; --i) v = v << 8 | bytes[at + i];
  return v;
}

// The image of the given width as RGBA rows, top row first.
std::vector<uint32_t> iconImage(const std::vector<uint8_t>& ico, int size) {
  if (readLe(ico, 0, 2) != 0 || readLe(ico, 2, 2) != 1) fail("not an icon file");
  const int count = static_cast<int>(readLe(ico, 4, 2));
  for (int i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    const int width = ico.at(entry) == 0 ? 256 : ico.at(entry);
    if (width != size) continue;
    const size_t header = readLe(ico, entry + 12, 4);
    if (readLe(ico, header, 4) != 40 || readLe(ico, header + 14, 2) != 4) {
      fail("the " + std::to_string(size) + "-pixel image is not a 4-bit bitmap");
    }
    const size_t palette = header + 40;
    const size_t colours = palette + 16 * 4;
    const size_t colourStride = (size * 4 + 31) / 32 * 4;
    const size_t mask = colours + colourStride * size;
    const size_t maskStride = (size + 31) / 32 * 4;
    std::vector<uint32_t> out(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
      const size_t row = static_cast<size_t>(size - 1 - y);  // rows are stored bottom-up
      for (int x = 0; x < size; ++x) {
        const uint8_t pair =
            static_cast<uint8_t>(readLe(ico, colours + row * colourStride + x / 2, 1));
        const int index = x % 2 == 0 ? pair >> 4 : pair & 15;
        const bool clear = readLe(ico, mask + row * maskStride + x / 8, 1) >> (7 - x % 8) & 1;
        const uint32_t bgr = readLe(ico, palette + 4 * index, 3);
        const uint32_t r = bgr >> 16 & 255, g = bgr >> 8 & 255, b = bgr & 255;
        out[static_cast<size_t>(y) * size + x] = clear ? 0 : (r | g << 8 | b << 16 | 0xFFu << 24);
      }
    }
    return out;
  }
  fail("the icon has no " + std::to_string(size) + "-pixel image");
}

}  // namespace

int main(int argc, char** argv) {
  const bool fill = argc == 7 && std::string(argv[6]) == "fill";
  if (argc != 6 && !fill) fail("usage: icon-png ICON.ico SIZE SCALE CANVAS OUT.png [fill]");
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) fail(std::string("cannot read ") + argv[1]);
  const std::vector<uint8_t> ico{std::istreambuf_iterator<char>(in), {}};
  const int size = std::atoi(argv[2]);
  const int scale = std::atoi(argv[3]);
  const int canvas = std::atoi(argv[4]);
  if (size <= 0 || scale <= 0 || canvas < size * scale) fail("SIZE * SCALE must fit CANVAS");

  const std::vector<uint32_t> image = iconImage(ico, size);
  std::vector<uint32_t> pixels(static_cast<size_t>(canvas) * canvas, fill ? image[0] : 0);
  const int margin = (canvas - size * scale) / 2;
  for (int y = 0; y < size * scale; ++y) {
    for (int x = 0; x < size * scale; ++x) {
      pixels[static_cast<size_t>(y + margin) * canvas + x + margin] =
          image[static_cast<size_t>(y / scale) * size + x / scale];
    }
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(canvas);
  png.height = static_cast<png_uint_32>(canvas);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, argv[5], 0, pixels.data(), 0, nullptr)) {
    fail(std::string("cannot write ") + argv[5] + ": " + png.message);
  }
  return 0;
}
