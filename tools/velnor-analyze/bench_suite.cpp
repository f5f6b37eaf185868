#include "bench_suite.h"

#include <cstdio>

#include "position_text.h"
#include "rules/board.h"

namespace {

// splitmix64: the suite must not depend on the game's generator.
struct SuiteRandom {
  uint64_t state;
  uint32_t below(uint32_t n) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) % n);
  }
};

// Plays random moves on ply 0 from the start until target discs are on the board. Returns the
// side to move there, after any pass, or 0 if the game ended first.
int randomGameTo(SuiteRandom& random, int target) {
  Board& b = BoardStack[0];
  setStartPosition(b);
  int side = 1;
  for (int discs = 4;; ++discs) {
    SquareList moves;
    side = sideToPlay(0, side, moves);
    if (side == 0) return 0;  // the end of the game
    if (discs == target) return side;
    const Square s = moves.square[random.below(static_cast<uint32_t>(moves.count))];
    playMove(0, side, s.x, s.y);
    side = opponent(side);
  }
}

}  // namespace

void printBenchSuite(uint32_t seed) {
  SuiteRandom random{seed};
  const struct {
    const char* name;
    int low, high;
  } groups[3] = {{"mid", 20, 40}, {"late", 44, 47}, {"end", 48, 50}};
  for (const auto& g : groups) {
    for (int made = 0; made < 10;) {
      const int target = g.low + static_cast<int>(random.below(g.high - g.low + 1));
      const int side = randomGameTo(random, target);
      if (side == 0) continue;
      ++made;
      std::printf("    {\"%s%02d\", \"%s\", %d},  // %d discs\n", g.name, made,
                  boardText(BoardStack[0]).c_str(), side, target);
    }
  }
}

std::vector<SuitePosition> endgameSuite(uint32_t seed, int discs) {
  SuiteRandom random{seed};
  std::vector<SuitePosition> out;
  while (out.size() < ENDGAME_SUITE_SIZE) {
    const int side = randomGameTo(random, discs);
    if (side == 0) continue;
    char name[16];
    std::snprintf(name, sizeof name, "tail%03zu", out.size() + 1);
    out.push_back({name, boardText(BoardStack[0]), side});
  }
  return out;
}
