// The platform boundary: everything the game needs from a desktop, in one interface that each
// front-end (Qt, Win32, the web) and the headless test shell implement.
#pragma once

#include "display/display_platform.h"
#include "engine/thinking.h"

// Window messages the game handles, numbered as on Win32.
constexpr unsigned MSG_MOVE_READY = 100;  // the computer's move; both parameters 0
constexpr unsigned MSG_KEYDOWN = 0x0100;  // a board key, one of BoardKey, in wParam
constexpr unsigned MSG_COMMAND = 0x0111;  // menu command id in the low 16 bits of wParam
constexpr unsigned MSG_TIMER = 0x0113;
constexpr unsigned MSG_LBUTTONDOWN = 0x0201;  // x in the low, y in the high 16 bits of lParam

// The keys that play the board, whatever the toolkit calls them. Each front-end turns its own
// key codes into these, so that the game sees the same key on every desktop.
enum BoardKey : unsigned {
  KEY_LEFT = 1,
  KEY_RIGHT = 2,
  KEY_UP = 3,
  KEY_DOWN = 4,
  KEY_PLAY = 5,  // Enter or Space: plays the focused square as a click on it would
  KEY_HOME = 6,  // to a1
  KEY_END = 7,   // to h8
};

constexpr int TIMER_CLOCK = 200;  // the one-second clock, the only timer
constexpr int TIMER_CLOCK_PERIOD_MS = 1000;

struct Platform : ThinkingPlatform, DisplayPlatform {
  // Starts (or restarts from zero) and stops the one-second clock timer.
  virtual void startClockTimer() = 0;
  virtual void stopClockTimer() = 0;
  // Sets or clears the check mark of a menu item; returns whether it was checked before.
  virtual bool checkMenuItem(int id, bool checked) = 0;
  // Plays the click sound in the background, replacing one still playing; never blocks.
  virtual void playClickSound() = 0;
  // Asks the window to close and returns once it has been handled.
  virtual void closeWindow() = 0;
  // Says a UTF-8 text to a screen reader once, as the toolkit announces; the moves, passes
  // and results of one window message arrive as one text. Nothing where there is no reader.
  virtual void announce(const char* text) { (void)text; }
};
