#include "random_positions.h"

#include <random>

#include "rules/game.h"

std::vector<TestPosition> randomGamePositions(uint32_t seed, int games) {
  std::mt19937 random(seed);
  std::vector<TestPosition> out;
  const int scratch = BOARD_STACK_SIZE - 1;
  Board& b = BoardStack[scratch];
  for (int g = 0; g < games; ++g) {
    setStartPosition(b);
    int side = 1;
    for (int discs = 4;; ++discs) {
      SquareList moves;
      side = sideToPlay(scratch, side, moves);
      if (side == 0) break;  // the end of the game
      out.push_back(TestPosition{b, side, discs});
      const Square s = moves.square[random() % static_cast<uint32_t>(moves.count)];
      playMove(scratch, side, s.x, s.y);
      side = opponent(side);
    }
  }
  return out;
}

std::vector<TestPosition> withDiscs(const std::vector<TestPosition>& all, int discs) {
  std::vector<TestPosition> out;
  for (const TestPosition& p : all) {
    if (p.discs == discs) out.push_back(p);
  }
  return out;
}

void showPosition(const TestPosition& p) {
  BoardStack[0] = p.board;
  BoardStack[1] = p.board;
  sideToMove = p.side;
  gameRecord = GameRecord{};
  gameRecord.currentIndex = p.discs - 4;
  gameRecord.lastIndex = gameRecord.currentIndex;
  bookEnabledFlag = false;
}
