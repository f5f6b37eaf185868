// Where the main window goes: sized so that its client area is exactly the back buffer, and
// centred on the desktop. Plain arithmetic, kept apart from the window code so that it can be
// checked anywhere.
#pragma once

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
