// Reading the click's WAVE file in place: its format and samples, and files whose chunks lie
// about their length, which must be refused rather than read past their end.
#include "shell/qt/wave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shell/resources.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void putId(std::vector<uint8_t>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

// A file of 16-bit mono PCM with an odd-length chunk before the data, and the data chunk's
// length as given (which may claim more than follows).
std::vector<uint8_t> waveFile(uint32_t dataLength, size_t dataBytes) {
  std::vector<uint8_t> f;
  putId(f, "RIFF");
  put32(f, 0);  // the RIFF length is not relied on
  putId(f, "WAVE");
  putId(f, "fmt ");
  put32(f, 16);
  put16(f, 1);
  put16(f, 1);
  put32(f, 8000);
  put32(f, 16000);
  put16(f, 2);
  put16(f, 16);
  putId(f, "LIST");
  put32(f, 3);
  f.insert(f.end(), {'a', 'b', 'c', 0});  // three bytes and the pad byte
  putId(f, "data");
  put32(f, dataLength);
  f.insert(f.end(), dataBytes, 0x11);
  return f;
}

TEST(Wave, ReadsTheClickAsEmbedded) {
  size_t size = 0;
  const uint8_t* bytes = findEmbeddedResource("CLICK", &size);
  ASSERT_NE(bytes, nullptr);
  WaveSound sound{};
  ASSERT_TRUE(readWave(bytes, size, &sound));
  EXPECT_EQ(sound.sampleRate, 22050);
  EXPECT_EQ(sound.channels, 1);
  EXPECT_EQ(sound.bitsPerSample, 16);
  EXPECT_EQ(sound.size, 679u * 2);  // 30 ms
  EXPECT_EQ(sound.samples + sound.size, bytes + size);
}

TEST(Wave, SkipsOtherChunksWithTheirPadByte) {
  const std::vector<uint8_t> f = waveFile(6, 6);
  WaveSound sound{};
  ASSERT_TRUE(readWave(f.data(), f.size(), &sound));
  EXPECT_EQ(sound.sampleRate, 8000);
  EXPECT_EQ(sound.size, 6u);
  EXPECT_EQ(sound.samples, f.data() + f.size() - 6);
}

TEST(Wave, RefusesChunksThatRunPastTheEnd) {
  WaveSound sound{};
  const std::vector<uint8_t> longData = waveFile(1000, 6);
  EXPECT_FALSE(readWave(longData.data(), longData.size(), &sound));
  const std::vector<uint8_t> hugeData = waveFile(0xFFFFFFF0u, 6);
  EXPECT_FALSE(readWave(hugeData.data(), hugeData.size(), &sound));
  std::vector<uint8_t> longOther = waveFile(6, 6);
  longOther[36 + 4] = 0xFF;  // the LIST chunk's length
  EXPECT_FALSE(readWave(longOther.data(), longOther.size(), &sound));
  const std::vector<uint8_t> whole = waveFile(6, 6);
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    EXPECT_FALSE(readWave(whole.data(), cut, &sound)) << cut;
  }
}

}  // namespace
