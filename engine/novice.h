// Computer levels 1 and 2: a one-move rule without search.
#pragma once

#include <cstdint>

extern const int16_t NOVICE_PRIORITY[64];  // stored by column, x = 1 first
constexpr int CONTESTED_SQUARE_BONUS = 24;

// The score grid that chooseNoviceMove fills: index x * 10 + y, playing squares only.
struct NoviceScores {
  int32_t score[100];
  int32_t maximum;
};
void scoreNoviceMoves(NoviceScores& out);

// Chooses a move for the side to move on ply 0 and leaves it in the chosen move.
void chooseNoviceMove();
