// The menu commands, the settings and the routing of the game's window messages.
#pragma once

#include <cstdint>

#include "rules/board.h"
#include "shell/platform.h"

void installPlatform(Platform* platform);
Platform& platform();

// Seeds the random generator from the tick count, then sets every setting's default.
void initSettings();
// Stores a side's PlayerType (side 0 stores nothing), refreshes the player check marks and
// labels. Does nothing while the computer thinks.
void setPlayerType(int side, int type);
void setAnimationSpeed(int choice);  // 1 fast, 2 normal, 3 slow
void setPriorityChoice(int choice);  // 1 high, 2 normal, 3 low
// Plays the click sound when the sound setting is on.
void playClick();

void runCommand(int id);

// Puts the keyboard's focus back on its first square, with no frame drawn.
void resetKeyFocus();
// The square the board's keys stand on, framed or not yet.
Square keyFocusSquare();

// Routes the game's messages (command, timer, move ready, left button, board key); false for
// others, and for a key that is not a board key.
bool dispatchGameMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
