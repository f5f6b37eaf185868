// bench: the time of one decision on each of a fixed suite of positions, for the engine and,
// on request, for the straightforward reference engine in the same run; the node and
// evaluation counts as a signature that a change meant only for speed must keep. Also a whole
// game of the computer against itself, and how fast a decision gives up on Stop.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_runs.h"
#include "bench_suite.h"
#include "command.h"
#include "engine/book.h"
#include "engine/counters.h"
#include "engine/endgame.h"
#include "engine_setup.h"
#include "position_text.h"
#include "reference/reference.h"
#include "rules/game.h"

namespace {

struct BenchOptions {
  int level = 8;
  bool reference = false;
  double limit = 60;
  std::string rng = "zero";
  bool game = false;
  int stops = 0;
  int64_t generate = -1;
};

struct Run {
  bool decided = false;
  double ms = 0;
  uint64_t nodes = 0;
  uint64_t evaluations = 0;
  uint64_t orderings = 0;
  int move = 0;
};

// One decision on the calling thread, stopped after limit seconds like the Stop command.
template <typename Decide>
Run timedRun(double limit, Decide decide) {
  clearEngineCounters();
  Run run;
  {
    StopTimer timer(limit);  // started before the clock, stopped after it
    const auto start = std::chrono::steady_clock::now();
    run.move = decide();
    run.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  run.decided = run.move != 0;
  run.nodes = engineCounters.nodes;
  run.evaluations = engineCounters.evaluations;
  run.orderings = engineCounters.orderings;
  return run;
}

std::string timeText(const Run& r, double limit) {
  char text[32];
  if (!r.decided) {
    std::snprintf(text, sizeof text, "> %g s", limit);
  } else {
    std::snprintf(text, sizeof text, "%.1f ms", r.ms);
  }
  return text;
}

// Evaluations made only to order moves count with the others.
std::string runText(const Run& r, double limit) {
  char text[96];
  std::snprintf(text, sizeof text, "%10s %10llu %9llu %3s", timeText(r, limit).c_str(),
                static_cast<unsigned long long>(r.nodes),
                static_cast<unsigned long long>(r.evaluations + r.orderings),
                r.decided ? squareName(r.move).c_str() : "-");
  return text;
}

// The worst and the median time; a stopped decision counts as longer than any other.
void printSummary(const char* engine, const std::vector<Run>& runs, double limit) {
  std::vector<Run> sorted = runs;
  std::sort(sorted.begin(), sorted.end(), [](const Run& a, const Run& b) {
    if (a.decided != b.decided) return a.decided;
    return a.ms < b.ms;
  });
  const Run& worst = sorted.back();
  const size_t n = sorted.size();
  const Run& low = sorted[(n - 1) / 2];
  const Run& high = sorted[n / 2];
  std::string median;
  if (low.decided && high.decided) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", (low.ms + high.ms) / 2);
    median = text;
  } else {
    median = timeText(high, limit);
  }
  std::printf("%-9s worst %s, median %s\n", engine, timeText(worst, limit).c_str(), median.c_str());
}

void runSuite(const BenchOptions& o) {
  expandBook();
  std::printf("level %d, rng %s\n", o.level, o.rng.c_str());
  std::printf("%-7s %5s | %10s %10s %9s %4s%s\n", "", "discs", "engine", "nodes", "evals", "move",
              o.reference ? " | reference     nodes     evals move" : "");
  std::vector<Run> fast, plain;
  uint64_t totalNodes = 0;
  uint64_t totalEvaluations = 0;
  uint64_t totalOrderings = 0;
  int differences = 0;
  bool complete = true;
  for (const BenchPosition& p : BENCH_POSITIONS) {
    applyRandomOption(o.rng);
    loadPosition(p.squares, p.side);
    clearEndgameTable();  // every decision starts cold, whatever ran before it
    const int discs = gameRecord.currentIndex + 4;
    const Run f = timedRun(o.limit, [&] {
      const DecisionOutcome outcome = runDecision(o.level);
      return outcome.decided ? squareCode(outcome.x, outcome.y) : 0;
    });
    fast.push_back(f);
    totalNodes += f.nodes;
    totalEvaluations += f.evaluations;
    totalOrderings += f.orderings;
    complete = complete && f.decided;
    std::string line = runText(f, o.limit);
    if (o.reference) {
      applyRandomOption(o.rng);
      loadPosition(p.squares, p.side);
      const Run r = timedRun(o.limit, [&] {
        thinkingFlag = true;
        const reference::Decision d = reference::decide(o.level);
        thinkingFlag = false;
        return d.decided ? squareCode(d.x, d.y) : 0;
      });
      plain.push_back(r);
      line += " | " + runText(r, o.limit);
      if (r.decided && f.decided && r.move != f.move) {
        line += "  DIFFERENT";
        ++differences;
      }
    }
    std::printf("%-7s %5d | %s\n", p.name, discs, line.c_str());
    std::fflush(stdout);
  }
  printSummary("engine", fast, o.limit);
  if (o.reference) {
    printSummary("reference", plain, o.limit);
    if (o.rng == "zero") {
      std::printf("decisions that differ: %d\n", differences);
    } else {
      // The engine orders moves inside its tree, so with a seed its draws fall to other
      // positions: the same moves are only equally likely, not certain.
      std::printf("decisions that differ: %d (with a seed they may)\n", differences);
    }
  }
  std::printf("signature nodes %llu evaluations %llu orderings %llu%s\n",
              static_cast<unsigned long long>(totalNodes),
              static_cast<unsigned long long>(totalEvaluations),
              static_cast<unsigned long long>(totalOrderings),
              complete ? "" : " (incomplete: a decision was stopped)");

  if (o.stops > 0) {
    std::vector<double> times;
    for (const Run& f : fast) times.push_back(f.ms);
    measureStopLatency(o.level, o.stops, times);
  }
}

void setupBench(CLI::App& app) {
  auto o = std::make_shared<BenchOptions>();
  CLI::App* cmd = app.add_subcommand(
      "bench", "time the computer's decisions on a fixed suite of positions, or a whole game");
  cmd->add_option("--level", o->level, "the computer level, 3 to 8; 8 by default");
  cmd->add_flag("--reference", o->reference,
                "also time the straightforward reference engine, and compare the moves");
  cmd->add_option("--limit", o->limit, "seconds before a decision is stopped; 60 by default");
  cmd->add_option("--rng", o->rng, "'zero' (every draw 0, the default) or a seed");
  cmd->add_flag("--game", o->game, "time a whole game of the level against itself instead");
  cmd->add_option("--stops", o->stops,
                  "after the suite, stop this many decisions after a random delay and time how "
                  "long each takes to give up");
  cmd->add_option("--generate", o->generate,
                  "print a new suite from random games with this seed, as C++ source");
  cmd->callback([o] {
    if (o->level < 3 || o->level > 8) {
      throw UsageError("level: " + std::to_string(o->level) + " is not a searching level 3..8");
    }
    if (!(o->limit > 0)) throw UsageError("limit: must be a positive number of seconds");
    if (o->stops < 0) throw UsageError("stops: must not be negative");
    if (o->generate > 0xFFFFFFFFll) throw UsageError("generate: a seed is 0..4294967295");
    applyRandomOption(o->rng);  // refuses a malformed --rng before anything runs
    if (o->generate >= 0) {
      printBenchSuite(static_cast<uint32_t>(o->generate));
    } else if (o->game) {
      runBenchGame(o->level, o->rng);
    } else {
      runSuite(*o);
    }
  });
}

const CommandRegistration benchCommand(setupBench);

}  // namespace
