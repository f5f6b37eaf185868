// The fixed positions of velnor-analyze bench, and the generator they were made with.
#pragma once

#include <cstdint>

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
