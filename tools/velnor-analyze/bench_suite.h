// The positions of velnor-analyze bench: a fixed suite of 30, and the endgame suite made anew
// from seeded random games at every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BenchPosition {
  const char* name;
  const char* squares;  // as velnor-analyze reads a position: row 1 first
  int side;             // to move; it has a legal move
};

constexpr int BENCH_POSITION_COUNT = 30;
extern const BenchPosition BENCH_POSITIONS[BENCH_POSITION_COUNT];

// The seed the stored positions were generated from.
constexpr uint32_t BENCH_SUITE_SEED = 2024;

// Plays random games from the start and prints, as C++ source, ten positions with 20 to 40
// discs, ten with 44 to 47 and ten with 48 to 50, each with a side to move that can move.
// Uses BoardStack ply 0.
void printBenchSuite(uint32_t seed);

// The endgame suite: the first decision that level 8 solves exactly, 48 discs on the board,
// taken from random games of one fixed seed, so that its slow tail is the one players meet
// rather than a hand-picked few.
constexpr int ENDGAME_SUITE_DISCS = 48;
constexpr int ENDGAME_SUITE_SIZE = 251;
constexpr uint32_t ENDGAME_SUITE_SEED = 48;

struct SuitePosition {
  std::string name;
  std::string squares;
  int side;
};

// A game per position, played at random from the start until so many discs are on the board;
// a game that ends first is dropped. Other seeds and disc counts make other suites of the kind.
// Uses BoardStack ply 0.
std::vector<SuitePosition> endgameSuite(uint32_t seed = ENDGAME_SUITE_SEED,
                                        int discs = ENDGAME_SUITE_DISCS);
