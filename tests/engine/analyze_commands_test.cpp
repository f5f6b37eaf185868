// The engine's subcommands of velnor-analyze, run as a separate program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ToolRun {
  int status;
  std::string out;  // standard output and standard error together
};

ToolRun analyze(const std::string& args) {
  const std::string command = std::string(VELNOR_ANALYZE) + " " + args + " 2>&1";
  ToolRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// A refusal is one line on standard error and exit status 2.
void expectRefused(const std::string& args, const std::string& mention) {
  const ToolRun run = analyze(args);
  EXPECT_EQ(run.status, 2) << args;
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
  EXPECT_NE(run.out.find(mention), std::string::npos) << run.out;
}

const std::string AFTER_F5 =
    "'........ ........ ........ ...21... ...111.. ........ ........ ........'";

TEST(AnalyzeCommands, EvalPrintsEveryTerm) {
  const ToolRun run = analyze("eval --position " + AFTER_F5 + " --side 1 --rng zero");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "square -3\nmobility 0\nedge 0\nstable 0\nfrontier -14\nrandom 0\ntotal -31\n");
}

TEST(AnalyzeCommands, EvalOfASideWithoutDiscsPrintsOnlyTheTotal) {
  const ToolRun run = analyze("eval --position '2" + std::string(63, '.') + "' --side 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "total -1073741824\n");
}

TEST(AnalyzeCommands, ChooseReportsHowTheMoveWasMade) {
  EXPECT_EQ(analyze("choose --moves f5 --level 5 --rng zero").out, "move f6\nsource book\n");
  EXPECT_EQ(analyze("choose --position start --side 1 --level 3 --rng zero").out,
            "move c4\nsource first\n");
  // Known positions give no book move.
  const ToolRun searched =
      analyze("choose --position " + AFTER_F5 + " --side 2 --level 4 --rng zero");
  EXPECT_EQ(searched.status, 0);
  EXPECT_NE(searched.out.find("source search\nscore "), std::string::npos) << searched.out;
  const ToolRun novice = analyze("choose --moves 'f5 d6' --level 2 --rng 7");
  EXPECT_NE(novice.out.find("source novice\n"), std::string::npos) << novice.out;
}

TEST(AnalyzeCommands, SolveGivesTheExactDiscCount) {
  // Side 1 fills every square while side 2 passes.
  const ToolRun run = analyze(
      "solve --position '1.2.2.21 12111111 1.2.2.2. 11111112 1.2.2.2. 12111111 2.2.2.2. "
      ".1111111' --side 1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "discs 64\nmove a8\n");
}

TEST(AnalyzeCommands, BookListsCandidatesInOrder) {
  const ToolRun run = analyze("book --moves 'f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3'");
  EXPECT_EQ(run.out, "g4\n");
  EXPECT_EQ(analyze("book --moves 'f5 d6 c3 d3 c4 f4 e6'").out, "none\n");
}

TEST(AnalyzeCommands, NovicePrintsTheGridByRows) {
  const ToolRun run = analyze("novice --position start --side 1 --level 1 --index 0");
  EXPECT_EQ(run.out,
            "0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 67 0 0 0 0\n0 0 67 0 0 0 0 0\n"
            "0 0 0 0 0 67 0 0\n0 0 0 0 67 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n");
}

TEST(AnalyzeCommands, BenchTimesTheWholeSuiteAndSignsIt) {
  const ToolRun run = analyze("bench --level 4 --reference");
  EXPECT_EQ(run.status, 0) << run.out;
  size_t rows = 0;
  for (size_t at = run.out.find("\nmid"); at != std::string::npos;
       at = run.out.find('\n', at + 1)) {
    const std::string line = run.out.substr(at + 1, run.out.find('\n', at + 1) - at - 1);
    if (line.rfind("mid", 0) == 0 || line.rfind("late", 0) == 0 || line.rfind("end", 0) == 0) {
      ++rows;
    }
  }
  EXPECT_EQ(rows, 30u) << run.out;
  EXPECT_NE(run.out.find("engine    worst "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("decisions that differ: 0\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("signature nodes "), std::string::npos) << run.out;
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
