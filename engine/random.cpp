#include "engine/random.h"

namespace {

// xorshift64*: small, fast, and the same sequence on every platform for a given seed.
uint64_t state = 0x9E3779B97F4A7C15ull;
RandomSource replacement = nullptr;

}  // namespace

void seedRandom(uint32_t seed) {
  // Spread the 32-bit seed over the 64-bit state; the state must never be 0.
  uint64_t z = seed + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  state = (z ^ (z >> 31)) | 1;
}

int drawRandom() {
  if (replacement) return replacement();
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return static_cast<int>((state * 0x2545F4914F6CDD1Dull) >> 33);
}

void setRandomSource(RandomSource source) { replacement = source; }
