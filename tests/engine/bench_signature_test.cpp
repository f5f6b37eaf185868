// The bench suite's signature: what the search does on the 30 fixed positions, level by level,
// with every random draw 0. A change meant only for speed keeps these counts exactly; a change
// that alters the search on purpose records the new counts here, in the same commit, with why.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tool.h"

namespace {

struct Signature {
  int level;
  const char* line;  // as velnor-analyze bench prints it
};

constexpr Signature RECORDED[] = {
    {3, "signature nodes 0 evaluations 640 orderings 0"},
    {4, "signature nodes 320 evaluations 1168 orderings 0"},
    {5, "signature nodes 1021 evaluations 4488 orderings 3318"},
    {6, "signature nodes 4996 evaluations 9497 orderings 11123"},
    {7, "signature nodes 602532 evaluations 42401 orderings 50912"},
    {8, "signature nodes 3607524 evaluations 81485 orderings 126407"},
};

TEST(BenchSignature, SearchCountsOnTheSuiteAreTheRecordedOnes) {
  for (const Signature& s : RECORDED) {
    const ToolResult run = runTool("bench --level " + std::to_string(s.level));
    ASSERT_EQ(run.status, 0) << run.output;
    const size_t at = run.output.find("signature ");
    ASSERT_NE(at, std::string::npos) << run.output;
    EXPECT_EQ(run.output.substr(at, run.output.find('\n', at) - at), s.line)
        << "level " << s.level;
  }
}

}  // namespace
