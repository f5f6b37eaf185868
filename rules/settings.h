// The players and the settings. The menu commands change them (shell/commands); the turn
// flow, the computer and the display read them, some from the thinking thread.
#pragma once

#include <atomic>

constexpr int PLAYER_PERSON = 0;  // a PlayerType: 0 a person, 1..8 a computer level
constexpr int MAX_COMPUTER_LEVEL = 8;

struct Settings {
  std::atomic<int> playerType[3];   // by side (1, 2): 0 a person, 1..8 a computer level
  std::atomic<bool> guide;          // mark the legal squares of the side to move
  std::atomic<bool> showThinking;   // mark the square the computer is examining
  std::atomic<bool> sound;          // play the click sound
  std::atomic<int> animationDelay;  // milliseconds per flip-animation step: 10, 30 or 50
  std::atomic<int> priority;        // of the next thinking thread: 1 high, 2 normal, 3 low
};

extern Settings settings;

// The settings when the program starts. The menu's check marks at start are checked against
// them when the program is compiled.
constexpr int DEFAULT_PLAYER_TYPE[3] = {PLAYER_PERSON, PLAYER_PERSON, 3};  // by side (1, 2)
constexpr bool DEFAULT_GUIDE = false;
constexpr bool DEFAULT_SHOW_THINKING = false;
constexpr bool DEFAULT_SOUND = true;
constexpr int DEFAULT_SPEED_CHOICE = 2;  // animation speed: 1 fast, 2 normal, 3 slow
constexpr int DEFAULT_PRIORITY = 2;      // 1 high, 2 normal, 3 low

// Milliseconds per flip-animation step, by animation speed choice 1..3.
constexpr int ANIMATION_DELAYS[4] = {0, 10, 30, 50};

inline bool isComputer(int side) {
  return settings.playerType[side] != PLAYER_PERSON;
}
