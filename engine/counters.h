// What the computer player has done since the counters were last cleared: a signature of a
// decision for the bench (a change meant only for speed must keep it), and the proof in the
// tests that a line of the search stays within the BoardStack. Written on the thinking thread.
#pragma once

#include <cstdint>

struct EngineCounters {
  uint64_t nodes;        // calls of either search
  uint64_t evaluations;  // calls of evaluatePosition, the root ordering's included
  int deepestPly;        // the highest Board the searches built a position on
};
extern EngineCounters engineCounters;

void clearEngineCounters();
