// The thinking thread's root loop over the straightforward searches.
#include <climits>
#include <utility>

#include "engine/thinking.h"
#include "engine/reference/reference.h"
#include "rules/board.h"
#include "rules/game.h"

namespace reference {

namespace {

struct RootList {
  int x[64];
  int y[64];
  int score[64];
  int count = 0;
};

// Descending, by pairwise exchanges, as the thinking thread sorts.
void exchangeSort(RootList& list) {
  for (int i = 0; i < list.count - 1; ++i) {
    for (int j = i + 1; j < list.count; ++j) {
      if (list.score[i] < list.score[j]) {
        std::swap(list.x[i], list.x[j]);
        std::swap(list.y[i], list.y[j]);
        std::swap(list.score[i], list.score[j]);
      }
    }
  }
}

int scoreRootMove(int level, int alpha) {
  const int other = opponent(sideToMove);
  depthLimit = level - 3;
  if (gameRecord.currentIndex + 4 >= ENDGAME_THRESHOLD[level - 3]) {
    return endgameSearch(1, other, alpha, INT_MAX);
  }
  if (level == 3) return evaluatePosition(1);
  return midgameSearch(1, other, alpha, INT_MAX);
}

}  // namespace

Decision decide(int level) {
  const int me = sideToMove;
  RootList list;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (!isLegalMove(0, me, x, y)) continue;
      copyPly(1);
      playMove(1, me, x, y);
      list.x[list.count] = x;
      list.y[list.count] = y;
      list.score[list.count] = evaluatePosition(1);
      ++list.count;
    }
  }
  if (list.count > 1) exchangeSort(list);
  if (gameRecord.currentIndex == 0) return Decision{true, list.x[0], list.y[0], list.score[0]};

  Decision best{true, 0, 0, INT_MIN};
  for (int i = 0; i < list.count; ++i) {
    copyPly(1);
    playMove(1, me, list.x[i], list.y[i]);
    const int v = scoreRootMove(level, best.score);
    if (v > best.score) best = Decision{true, list.x[i], list.y[i], v};
    if (!thinkingFlag) return Decision{false, 0, 0, 0};
  }
  return best;
}

}  // namespace reference
