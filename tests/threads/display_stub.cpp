// The headless shell connects the display's platform when it is attached. These tests run
// the game without a display; until the display is part of the build, this stands in for it.
// Being weak, it gives way to the display's own definition wherever that is linked.
#include "display/display_platform.h"

__attribute__((weak)) void installDisplayPlatform(DisplayPlatform*) {}
