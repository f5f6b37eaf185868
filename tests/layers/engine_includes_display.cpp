// Compiled as a file of the engine layer: the display is beside it, not below, so this must
// not build.
#include "engine/bitboard.h"
#include "display/sheets.h"
