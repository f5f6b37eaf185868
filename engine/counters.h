// What the computer player has done since the counters were last cleared: a signature of a
// decision for the bench (a change meant only for speed must keep it), and the proof in the
// tests that a line of the search stays within the BoardStack. Written on the thinking thread.
#pragma once

#include <cstdint>

struct EngineCounters {
  uint64_t nodes;        // positions either search visited
  uint64_t evaluations;  // positions scored with their random term, the root ordering's included
  uint64_t orderings;    // positions scored without it, only to order the moves of a node
  int deepestPly;        // the highest ply a search built a position on
};
extern EngineCounters engineCounters;

void clearEngineCounters();
