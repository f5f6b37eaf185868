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

inline bool isComputer(int side) {
  return settings.playerType[side] != PLAYER_PERSON;
}
