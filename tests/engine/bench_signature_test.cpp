// The bench suites' signatures: what the search does on the 30 fixed positions, level by level,
// and on the endgame suite at level 8, with every random draw 0. The decisions (every move and
// score) never change without a change of the rules of play; a change meant only for speed also
// keeps the counts exactly, and a change that alters the search on purpose records the new
// counts here, in the same commit, with why.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tool.h"

namespace {

struct Signature {
  const char* options;
  const char* decisions;  // the digest of every move and score, as velnor-analyze bench prints it
  const char* counts;
};

constexpr Signature RECORDED[] = {
    {"--level 3", "83d0550a", "nodes 0 evaluations 640 orderings 0"},
    {"--level 4", "5a9882c2", "nodes 320 evaluations 1168 orderings 0"},
    {"--level 5", "198e1035", "nodes 1021 evaluations 4488 orderings 3318"},
    {"--level 6", "b819e91b", "nodes 4996 evaluations 9497 orderings 11123"},
    {"--level 7", "3245928c", "nodes 357261 evaluations 42401 orderings 50912"},
    {"--level 8", "29b1548b", "nodes 1958304 evaluations 81485 orderings 126407"},
    {"--level 8 --suite endgame", "bd5fba44", "nodes 130702129 evaluations 2384 orderings 0"},
};

std::string lineAfter(const std::string& output, const std::string& head) {
  const size_t at = output.find("\n" + head);
  if (at == std::string::npos) return "(no line '" + head + "')";
  const size_t from = at + 1 + head.size();
  return output.substr(from, output.find('\n', from) - from);
}

TEST(BenchSignature, DecisionsAndSearchCountsOnTheSuitesAreTheRecordedOnes) {
  for (const Signature& s : RECORDED) {
    const ToolResult run = runTool(std::string("bench ") + s.options);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(lineAfter(run.output, "decisions "), s.decisions)
        << s.options << ": a move or a score changed";
    EXPECT_EQ(lineAfter(run.output, "signature "), s.counts) << s.options;
  }
}

}  // namespace
