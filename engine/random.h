// The program's one pseudo-random generator. It is seeded once at start-up and drawn from
// only on the thinking thread: the evaluation's noise, the opening-book choice and the novice
// levels' choice.
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);

// A number from 0 to 2^31 - 1.
int drawRandom();

// Replaces the generator, for tests and for reproducing a decision (every draw 0, say);
// nullptr puts the seeded generator back.
using RandomSource = int (*)();
void setRandomSource(RandomSource source);
