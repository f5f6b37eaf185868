#include <gtest/gtest.h>

#include <string>

#include "support/run_tool.h"

namespace {

TEST(AnalyzeRules, PerftFromTheStartCountsTheKnownLineNumbers) {
  const long long expected[] = {4, 12, 56, 244, 1396, 8200, 55092, 390216};
  for (int depth = 1; depth <= 8; ++depth) {
    ToolResult r = runTool("perft --position start --side 1 --depth " + std::to_string(depth));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, std::to_string(expected[depth - 1]) + "\n") << "depth " << depth;
  }
}

TEST(AnalyzeRules, PerftCountsAPassAsAPlyAndAFinishedGameOnce) {
  // Side 2 cannot move; side 1 then has exactly one move (c1), after which the game is over.
  const std::string position = "12.....1" + std::string(56, '.');
  EXPECT_EQ(runTool("moves --position " + position + " --side 2").output, "\n");
  EXPECT_EQ(runTool("perft --position " + position + " --side 2 --depth 1").output, "1\n");
  EXPECT_EQ(runTool("perft --position " + position + " --side 2 --depth 5").output, "1\n");
}

TEST(AnalyzeRules, MovesAndPlayFollowTheRules) {
  EXPECT_EQ(runTool("moves --position start --side 1").output, "c4 d3 e6 f5\n");
  EXPECT_EQ(runTool("moves --position start --side 2").output, "c5 d6 e3 f4\n");
  EXPECT_EQ(runTool("play --position start --side 1 --square f5").output,
            std::string(27, '.') + "21......111" + std::string(26, '.') + "\n");
  // Spaces and slashes in a position are ignored.
  EXPECT_EQ(runTool("moves --position '......../......../......../...21.../...12.../......../"
                    "......../........' --side 1")
                .output,
            "c4 d3 e6 f5\n");
}

TEST(AnalyzeRules, BadInputIsRefusedWithOneLineAndStatusTwo) {
  const char* bad[] = {
      "moves --position start --side 3",
      "moves --position start",
      "moves --position ...x --side 1",
      "moves --position ........ --side 1",
      "play --position start --side 1 --square a1",
      "play --position start --side 1 --square z9",
      "play --position start --side 1 --square f55",
      "perft --position start --side 1 --depth -1",
      "perft --position start --side 1 --depth 40",
      "perft --position start --side 1 --depth many",
      "nonsense",
  };
  for (const char* arguments : bad) {
    ToolResult r = runTool(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    ASSERT_FALSE(r.output.empty()) << arguments;
    EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << arguments << ": " << r.output;
  }
}

}  // namespace
