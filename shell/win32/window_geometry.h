// Where the main window goes and how large its picture is: a client area of exactly the back
// buffer times a whole-number scale, the whole window inside its monitor's work area (the
// screen less the taskbar). Plain arithmetic, kept apart from the window code so that it can
// be checked anywhere.
#pragma once

#include <cstdint>

#include "rules/board_geometry.h"

// A rectangle of the desktop: left and top inside, right and bottom just outside. A monitor
// left of or above the primary one has negative coordinates.
struct ScreenArea {
  int left, top, right, bottom;
};

struct WindowPlacement {
  int x, y;           // the outer rectangle's top-left corner on the desktop
  int width, height;  // the outer size: the frame, caption and menu bar plus the client area
  int scale;          // the picture's scale: the client area is the back buffer times this
};

// The picture's scale on a monitor of `dpi` dots per inch: the whole number nearest to
// dpi / 96 (96 is 100 %), a half rounded up, so 150 % shows at 2 and 125 % at 1; never below 1.
// Only whole numbers keep every back-buffer pixel a square block of equal screen pixels.
constexpr int pictureScale(int dpi) {
  const int scale = (dpi + 48) / 96;
  return scale < 1 ? 1 : scale;
}

// The largest scale, from `wanted` down, at which the whole window fits the area: the picture
// at that scale plus the frame (the window's outer size less its client area, which the
// platform adds at the monitor's dpi). Never below 1, even where 1 does not fit.
constexpr int fittingScale(int wanted, const ScreenArea& area, int frameWidth, int frameHeight) {
  int scale = wanted;
  while (scale > 1 && (frameWidth + SCREEN_WIDTH * scale > area.right - area.left ||
                       frameHeight + SCREEN_HEIGHT * scale > area.bottom - area.top)) {
    --scale;
  }
  return scale < 1 ? 1 : scale;
}

// A window edge at `start`, of `size`, moved just far enough to lie within [low, high). A
// window larger than that lies from `low`, so that its caption and menu stay reachable.
constexpr int keptWithin(int start, int size, int low, int high) {
  if (start + size > high) start = high - size;
  return start < low ? low : start;
}

// The window moved to a monitor of another dpi: its top-left where the system suggests (the
// corner it has under the mouse that drags it), the scale of the new dpi or less so that it
// fits the new monitor's work area, and moved only as far as it takes to lie inside that area.
constexpr WindowPlacement movedPlacement(const ScreenArea& work, int suggestedX, int suggestedY,
                                         int frameWidth, int frameHeight, int wantedScale) {
  const int scale = fittingScale(wantedScale, work, frameWidth, frameHeight);
  const int width = frameWidth + SCREEN_WIDTH * scale;
  const int height = frameHeight + SCREEN_HEIGHT * scale;
  return WindowPlacement{keptWithin(suggestedX, width, work.left, work.right),
                         keptWithin(suggestedY, height, work.top, work.bottom), width, height,
                         scale};
}

// The window at its first showing: the scale the monitor's dpi asks for, or less so that the
// window fits, centred in the monitor's work area (halves rounded toward the top-left).
constexpr WindowPlacement startPlacement(const ScreenArea& work, int frameWidth, int frameHeight,
                                         int wantedScale) {
  const int scale = fittingScale(wantedScale, work, frameWidth, frameHeight);
  const int width = frameWidth + SCREEN_WIDTH * scale;
  const int height = frameHeight + SCREEN_HEIGHT * scale;
  return movedPlacement(work, work.left + (work.right - work.left - width) / 2,
                        work.top + (work.bottom - work.top - height) / 2, frameWidth, frameHeight,
                        wantedScale);
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
