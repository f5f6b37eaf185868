// Compiled as a file of the shell layer: every layer below it is in reach.
#include "display/sheets.h"
#include "engine/thinking.h"
#include "rules/game.h"
#include "shell/app.h"
