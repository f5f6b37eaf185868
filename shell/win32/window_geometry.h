// Where the main window goes and how large its picture is: a client area of exactly the back
// buffer times a whole-number scale, centred on the desktop or monitor. Plain arithmetic, kept
// apart from the window code so that it can be checked anywhere.
#pragma once

#include <cstdint>

struct WindowPlacement {
  int x, y;           // the outer rectangle's top-left corner on the desktop
  int width, height;  // the outer size: the frame, caption and menu bar plus the client area
};

// outerWidth/outerHeight and clientWidth/clientHeight are the window's present sizes; the
// frame the platform adds is their difference and stays as it is. The position is the
// desktop's right and bottom edge less the outer size, halved by integer division, which
// rounds toward zero (-41 / 2 is -20), so a window wider than the desktop lands as the
// desktop's own arithmetic puts it. The desktop's left and top are not used.
constexpr WindowPlacement centredPlacement(int desktopRight, int desktopBottom, int outerWidth,
                                           int outerHeight, int clientWidth, int clientHeight,
                                           int wantedClientWidth, int wantedClientHeight) {
  const int width = outerWidth - clientWidth + wantedClientWidth;
  const int height = outerHeight - clientHeight + wantedClientHeight;
  return WindowPlacement{(desktopRight - width) / 2, (desktopBottom - height) / 2, width, height};
}

// The picture's scale on a monitor of `dpi` dots per inch: the whole number nearest to
// dpi / 96 (96 is 100 %), a half rounded up, so 150 % shows at 2 and 125 % at 1; never below 1.
// Only whole numbers keep every back-buffer pixel a square block of equal screen pixels.
constexpr int pictureScale(int dpi) {
  const int scale = (dpi + 48) / 96;
  return scale < 1 ? 1 : scale;
}

// A click's window pixel as the back-buffer pixel shown there: each coordinate divided by the
// scale, rounded down, so that a pixel left of or above the client area stays outside the
// back buffer. Both take and give the 16-bit x (low) and y (high) halves of a mouse message.
constexpr int bufferCoordinate(int windowCoordinate, int scale) {
  return windowCoordinate >= 0 ? windowCoordinate / scale
                               : -((-windowCoordinate + scale - 1) / scale);
}
constexpr uint32_t bufferClick(uint32_t windowClick, int scale) {
  const int x = static_cast<int16_t>(windowClick & 0xFFFF);
  const int y = static_cast<int16_t>(windowClick >> 16);
  return (static_cast<uint32_t>(bufferCoordinate(x, scale)) & 0xFFFF) |
         (static_cast<uint32_t>(bufferCoordinate(y, scale)) & 0xFFFF) << 16;
}
