// Compiled as a file of the display layer: the engine is beside it, not below, so this must
// not build.
#include "display/sheets.h"
#include "engine/thinking.h"
