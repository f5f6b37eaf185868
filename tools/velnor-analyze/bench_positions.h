// The fixed positions of the engine's benchmarks: from one game of the computer against
// itself, an opening position just past the book, a midgame position one disc short of the
// deepest exact search, and the first position that level 8 solves exactly.
#pragma once

struct BenchPosition {
  const char* name;
  const char* squares;  // as velnor-analyze reads a position: row 1 first
  int side;             // to move
};

constexpr BenchPosition BENCH_POSITIONS[3] = {
    {"opening", "...................122....1121....2221....2211.....2............", 1},  // 16 discs
    {"midgame", "..11111....2212..2221221..21222211111221.1211211..1221...111111.", 2},  // 47 discs
    {"endgame", "..11111....2212..2221221.221222211211221.1221211..1221...111111.", 1},  // 48 discs
};
