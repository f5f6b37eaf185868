// The engine's subcommands of velnor-analyze, run as a separate program.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tool.h"

namespace {

// A refusal is one line on standard error and exit status 2.
void expectRefused(const std::string& args, const std::string& mention) {
  const ToolResult run = runTool(args);
  EXPECT_EQ(run.status, 2) << args;
  EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;
  EXPECT_NE(run.output.find(mention), std::string::npos) << run.output;
}

const std::string AFTER_F5 =
    "'........ ........ ........ ...21... ...111.. ........ ........ ........'";

TEST(AnalyzeCommands, EvalPrintsEveryTerm) {
  const ToolResult run = runTool("eval --position " + AFTER_F5 + " --side 1 --rng zero");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "square -3\nmobility 0\nedge 0\nstable 0\nfrontier -14\nrandom 0\ntotal -31\n");
}

TEST(AnalyzeCommands, EvalOfASideWithoutDiscsPrintsOnlyTheTotal) {
  const ToolResult run = runTool("eval --position '2" + std::string(63, '.') + "' --side 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "total -1073741824\n");
}

TEST(AnalyzeCommands, ChooseReportsHowTheMoveWasMade) {
  EXPECT_EQ(runTool("choose --moves f5 --level 5 --rng zero").output, "move f6\nsource book\n");
  EXPECT_EQ(runTool("choose --position start --side 1 --level 3 --rng zero").output,
            "move c4\nsource first\n");
  // Known positions give no book move.
  const ToolResult searched =
      runTool("choose --position " + AFTER_F5 + " --side 2 --level 4 --rng zero");
  EXPECT_EQ(searched.status, 0);
  EXPECT_NE(searched.output.find("source search\nscore "), std::string::npos) << searched.output;
  const ToolResult novice = runTool("choose --moves 'f5 d6' --level 2 --rng 7");
  EXPECT_NE(novice.output.find("source novice\n"), std::string::npos) << novice.output;
}

TEST(AnalyzeCommands, SolveGivesTheExactDiscCount) {
  // Side 1 fills every square while side 2 passes.
  const ToolResult run = runTool(
      "solve --position '1.2.2.21 12111111 1.2.2.2. 11111112 1.2.2.2. 12111111 2.2.2.2. "
      ".1111111' --side 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "discs 64\nmove a8\n");
}

TEST(AnalyzeCommands, BookListsCandidatesInOrder) {
  const ToolResult run = runTool("book --moves 'f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3'");
  EXPECT_EQ(run.output, "g4\n");
  EXPECT_EQ(runTool("book --moves 'f5 d6 c3 d3 c4 f4 e6'").output, "none\n");
}

TEST(AnalyzeCommands, NovicePrintsTheGridByRows) {
  const ToolResult run = runTool("novice --position start --side 1 --level 1 --index 0");
  EXPECT_EQ(run.output,
            "0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 67 0 0 0 0\n0 0 67 0 0 0 0 0\n"
            "0 0 0 0 0 67 0 0\n0 0 0 0 67 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n");
}

TEST(AnalyzeCommands, BenchTimesTheWholeSuiteAndSignsIt) {
  const ToolResult run = runTool("bench --level 4 --reference");
  EXPECT_EQ(run.status, 0) << run.output;
  size_t rows = 0;
  for (size_t at = run.output.find("\nmid"); at != std::string::npos;
       at = run.output.find('\n', at + 1)) {
    const std::string line = run.output.substr(at + 1, run.output.find('\n', at + 1) - at - 1);
    if (line.rfind("mid", 0) == 0 || line.rfind("late", 0) == 0 || line.rfind("end", 0) == 0) {
      ++rows;
    }
  }
  EXPECT_EQ(rows, 30u) << run.output;
  EXPECT_NE(run.output.find("engine    worst "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("decisions that differ: 0\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("signature nodes "), std::string::npos) << run.output;
  expectRefused("bench --level 9", "level");
}

TEST(AnalyzeCommands, BadQuestionsAreRefused) {
  expectRefused("eval --position '12.' --side 1", "position");
  expectRefused("choose --position start --side 1 --level 1 --rng zero", "rng");
  expectRefused("choose --position start --side 1 --level 9", "level");
  expectRefused("choose --moves 'f5 f5' --level 3", "f5");
  // Side 2 has no move: it has no disc.
  expectRefused("choose --position '1111" + std::string(60, '.') + "' --side 2 --level 3 --rng 1",
                "no legal move");
  expectRefused("solve --position start --side 1", "empty squares");
  expectRefused("novice --position start --side 1 --level 3 --index 0", "level");
  expectRefused("book --moves ''", "1 to 16");
}

}  // namespace
