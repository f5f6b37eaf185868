// velnor-analyze render: the picture after a line of moves, or a clear refusal.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_tool.h"

namespace {

std::vector<unsigned char> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t bigEndian(const std::vector<unsigned char>& b, size_t at) {
  return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

TEST(RenderCommand, WritesTheWholeWindowAsAPng) {
  const std::string out = ::testing::TempDir() + "render_test.png";
  std::remove(out.c_str());
  ASSERT_EQ(
      runTool("render --moves 'f5 d6 c3' --guide --show-thinking c4 --players 0,3 --out " + out)
          .status,
      0);
  const std::vector<unsigned char> png = readFile(out);
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  EXPECT_EQ(bigEndian(png, 16), 531u);  // IHDR width and height
  EXPECT_EQ(bigEndian(png, 20), 351u);
  std::remove(out.c_str());
}

TEST(RenderCommand, RefusesIllegalMovesAndBadOptionsWithStatusTwo) {
  const std::string out = ::testing::TempDir() + "render_refused.png";
  EXPECT_EQ(runTool("render --moves 'f5 f5' --out " + out).status, 2);  // occupied
  EXPECT_EQ(runTool("render --moves 'f5 a1' --out " + out).status, 2);  // brackets nothing
  EXPECT_EQ(runTool("render --moves 'f5 j9' --out " + out).status, 2);
  EXPECT_EQ(runTool("render --players 0,9 --out " + out).status, 2);
  EXPECT_EQ(runTool("render --show-thinking i1 --out " + out).status, 2);
  EXPECT_TRUE(readFile(out).empty());  // nothing written for a refused line
}

}  // namespace
