#include "random_positions.h"

#include <random>

#include "rules/game.h"

namespace {

int legalCount(const Board& b, int side) {
  BoardStack[BOARD_STACK_SIZE - 1] = b;
  int n = 0;
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) n += isLegalMove(BOARD_STACK_SIZE - 1, side, x, y);
  }
  return n;
}

}  // namespace

std::vector<TestPosition> randomGamePositions(uint32_t seed, int games) {
  std::mt19937 random(seed);
  std::vector<TestPosition> out;
  const int scratch = BOARD_STACK_SIZE - 1;
  for (int g = 0; g < games; ++g) {
    Board b{};
    b.at(4, 4) = 2;
    b.at(5, 5) = 2;
    b.at(4, 5) = 1;
    b.at(5, 4) = 1;
    int side = 1;
    for (int discs = 4;; ++discs) {
      if (legalCount(b, side) == 0) side = opponent(side);  // a pass
      const int n = legalCount(b, side);
      if (n == 0) break;  // the end of the game
      out.push_back(TestPosition{b, side, discs});
      int choice = static_cast<int>(random() % static_cast<uint32_t>(n));
      BoardStack[scratch] = b;
      for (int x = 1; x <= 8 && choice >= 0; ++x) {
        for (int y = 1; y <= 8 && choice >= 0; ++y) {
          if (isLegalMove(scratch, side, x, y) && choice-- == 0) playMove(scratch, side, x, y);
        }
      }
      b = BoardStack[scratch];
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
