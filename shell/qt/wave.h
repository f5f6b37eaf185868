// The samples of a RIFF WAVE file held in memory, read in place: the click is one, embedded at
// build time.
#pragma once

#include <cstddef>
#include <cstdint>

struct WaveSound {
  int sampleRate;          // frames per second
  int channels;            // 1 or 2, interleaved
  int bitsPerSample;       // 8 (unsigned) or 16 (signed, little-endian)
  const uint8_t* samples;  // the data chunk, inside the file's bytes
  size_t size;             // the data chunk's bytes: whole frames only
};

// Reads uncompressed PCM of 8 or 16 bits, mono or stereo; false for anything else, and for a
// file whose chunks run past its end.
bool readWave(const uint8_t* bytes, size_t size, WaveSound* sound);
