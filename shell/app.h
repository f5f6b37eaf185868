// The program's start-up and shut-down, the same on every platform: the front-end calls these
// from its window's creation and destruction.
#pragma once

#include "rules/hooks.h"
#include "shell/platform.h"

// Window creation: keep the platform, expand the opening book, set the settings, build the
// display, start a new game (which starts the computer at once if side 1 is one).
void onCreate(Platform& platform);

// Window destruction: withdraw the computer and wait until its thread can touch nothing more,
// then release the display.
void onDestroy();

// The turn flow's calls as the program makes them: the real display, sound, clock and
// computer. Tests wrap it to record the calls.
GameHooks& programHooks();
