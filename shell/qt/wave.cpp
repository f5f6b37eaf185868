#include "shell/qt/wave.h"

#include <cstring>

namespace {

uint32_t little32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t little16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

constexpr uint16_t FORMAT_PCM = 1;

}  // namespace

bool readWave(const uint8_t* bytes, size_t size, WaveSound* sound) {
  if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
      std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false;
  size_t at = 12;
  // Each chunk: a four-letter id, its length, its bytes and a pad byte when the length is odd.
  while (size - at >= 8) {
    const uint8_t* chunk = bytes + at;
    const uint32_t length = little32(chunk + 4);
    if (length > size - at - 8) return false;
    const uint8_t* body = chunk + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || little16(body) != FORMAT_PCM) return false;
      sound->channels = little16(body + 2);
      sound->sampleRate = static_cast<int>(little32(body + 4));
      sound->bitsPerSample = little16(body + 14);
      if (sound->channels < 1 || sound->channels > 2 || sound->sampleRate <= 0 ||
          (sound->bitsPerSample != 8 && sound->bitsPerSample != 16)) {
        return false;
      }
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return false;  // the format comes first
      const size_t frame = static_cast<size_t>(sound->channels * sound->bitsPerSample / 8);
      sound->samples = body;
      sound->size = length / frame * frame;
      return sound->size > 0;
    }
    at += 8 + static_cast<size_t>(length);
    if ((length & 1) != 0 && at < size) ++at;
  }
  return false;
}
