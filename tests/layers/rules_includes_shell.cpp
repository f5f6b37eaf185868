// Compiled as a file of the rules layer: the shell is above it, so this must not build.
#include "rules/board.h"
#include "shell/app.h"
