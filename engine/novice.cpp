#include "engine/novice.h"

#include "engine/evaluation.h"
#include "engine/random.h"
#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"

// One column per line: the line for x holds rows y = 1..8. Symmetric under swapping x and y.
const int16_t NOVICE_PRIORITY[64] = {
    9, 2, 6, 4, 4, 6, 2, 9,  //
    2, 1, 5, 5, 5, 5, 1, 2,  //
    6, 5, 7, 8, 8, 7, 5, 6,  //
    4, 5, 8, 0, 0, 8, 5, 4,  //
    4, 5, 8, 0, 0, 8, 5, 4,  //
    6, 5, 7, 8, 8, 7, 5, 6,  //
    2, 1, 5, 5, 5, 5, 1, 2,  //
    9, 2, 6, 4, 4, 6, 2, 9,  //
};

void scoreNoviceMoves(NoviceScores& out) {
  const Board& shown = BoardStack[0];
  const int me = sideToMove;
  const int other = opponent(me);
  const int level = settings.playerType[me];
  // Level 2 weighs the flips more as the board fills: 0 below 16 discs up to 3 from 48.
  const int flipFactor = level == 1 ? 3 : (gameRecord.currentIndex + 4) / 16;

  for (int32_t& s : out.score) s = 0;
  out.maximum = 0;
  for (const auto [x, y] : legalSquares(0, me)) {
    int flips = 0;
    for (int d = 0; d < 8; ++d) flips += bracketedRun(shown, me, x, y, d);
    int score = 8 * NOVICE_PRIORITY[(x - 1) * 8 + (y - 1)] + flipFactor * flips;
    // Level 2 takes a square the opponent could use too, unless it gives away a corner.
    if (level != 1 && isLegalMove(0, other, x, y) && !isCornerAdjacent(x, y)) {
      score += CONTESTED_SQUARE_BONUS;
    }
    out.score[squareCode(x, y)] = score;
    if (score > out.maximum) out.maximum = score;  // a tie keeps the maximum
  }
}

void chooseNoviceMove() {
  NoviceScores scores;
  scoreNoviceMoves(scores);
  // Every legal square scores at least 8, so only a legal square can hold the maximum; random
  // squares are tried until one of the best comes up, each of them equally likely.
  for (;;) {
    const int x = drawRandom() % 8 + 1;
    const int y = drawRandom() % 8 + 1;
    if (scores.score[squareCode(x, y)] == scores.maximum) {
      chosenX = x;
      chosenY = y;
      return;
    }
  }
}
