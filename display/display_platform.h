// What the display needs from the desktop.
#pragma once

#include <cstddef>
#include <cstdint>

struct DisplayPlatform {
  virtual ~DisplayPlatform() = default;
  // Shows the rectangle (x, y, width, height) of the back buffer at the same place in the
  // window. Called from either thread, always under the drawing lock: it must not wait for
  // another thread that may itself take the lock (from the thinking thread, queue the update).
  virtual void showRect(int x, int y, int width, int height) = 0;
  // Milliseconds from a fixed moment, wrapping at 2^32.
  virtual uint32_t tickCount() = 0;
  // The bytes of a resource of the program by name ("TITLE", "PIECE", ..., "CLICK"), valid
  // for the program's life; nullptr if there is none. An image may be given either as a whole
  // .bmp file (starting with "BM" and its 14-byte file header, as embedded at build time) or
  // from its 40-byte information header on (as a Win32 bitmap resource is); the display
  // recognises the file header and skips it.
  virtual const uint8_t* resourceBytes(const char* name, size_t* size) = 0;
};

void installDisplayPlatform(DisplayPlatform* platform);
