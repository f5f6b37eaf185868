// Micro-benchmarks of the engine: the evaluation, the move rules, a level-5 decision and a
// small exact solve, on fixed positions with every draw 0. velnor-analyze bench times whole
// decisions.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "engine/evaluation.h"
#include "engine/random.h"
#include "engine/search.h"
#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/board_text.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

// From a game of the computer against itself: 47 discs, side 2 to move.
constexpr const char* MIDGAME = "..11111....2212..2221221..21222211111221.1211211..1221...111111.";

// The sample game's position after 50 moves: 10 empty squares, side 1 to move.
constexpr const char* TEN_EMPTIES =
    "..111111..12222221121122222112222221122122221211..1221...111111.";

int zeroDraw() {
  return 0;
}

struct InlinePlatform final : ThinkingPlatform {
  bool startThread(void (*)(), int) override { return false; }
  void deliverMove() override {}
};
InlinePlatform inlinePlatform;

void load(const char* squares, int side) {
  std::string error;
  if (!parseBoardText(squares, BoardStack[0], error)) std::abort();
  sideToMove = side;
  gameRecord = GameRecord{};
  gameRecord.currentIndex = countDiscs(0, 1) + countDiscs(0, 2) - 4;
  bookEnabledFlag = false;
  setRandomSource(zeroDraw);
}

void BM_EvaluatePosition(benchmark::State& state) {
  load(MIDGAME, 2);
  copyPly(1);
  for (auto _ : state) benchmark::DoNotOptimize(evaluatePosition(1));
}
BENCHMARK(BM_EvaluatePosition);

// The legality test on all 64 squares for both sides.
void BM_IsLegalMoveAllSquares(benchmark::State& state) {
  load(MIDGAME, 2);
  for (auto _ : state) {
    int legal = 0;
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) legal += isLegalMove(0, 1, x, y) + isLegalMove(0, 2, x, y);
    }
    benchmark::DoNotOptimize(legal);
  }
}
BENCHMARK(BM_IsLegalMoveAllSquares);

// A child as the search makes it: copy the position a ply down and play the move there.
void BM_CopyAndPlayMove(benchmark::State& state) {
  load(MIDGAME, 2);
  const Square first = legalSquares(0, sideToMove).square[0];
  for (auto _ : state) {
    playChild(0, sideToMove, first.x, first.y);
    benchmark::DoNotOptimize(BoardStack[1].cell[first.code()]);
  }
}
BENCHMARK(BM_CopyAndPlayMove);

void BM_Level5MidgameDecision(benchmark::State& state) {
  installThinkingPlatform(&inlinePlatform);
  load(MIDGAME, 2);
  settings.playerType[sideToMove] = 5;
  for (auto _ : state) {
    thinkingFlag = true;
    thinkingThread();
  }
  thinkingFlag = false;
  installThinkingPlatform(nullptr);
}
BENCHMARK(BM_Level5MidgameDecision)->Unit(benchmark::kMillisecond);

void BM_SolveTenEmpties(benchmark::State& state) {
  load(TEN_EMPTIES, 1);
  for (auto _ : state) {
    clearEndgameTable();  // a cold solve each time
    thinkingFlag = true;
    benchmark::DoNotOptimize(solveExactly());
  }
  thinkingFlag = false;
}
BENCHMARK(BM_SolveTenEmpties)->Unit(benchmark::kMillisecond);

}  // namespace
