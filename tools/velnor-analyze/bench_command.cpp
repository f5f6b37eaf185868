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
#include "engine/reference/reference.h"
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
  std::string suite = "fixed";
  bool list = false;
  uint32_t seed = ENDGAME_SUITE_SEED;
  int discs = ENDGAME_SUITE_DISCS;
  bool portable = false;
};

struct Run {
  bool decided = false;
  double ms = 0;
  uint64_t nodes = 0;
  uint64_t evaluations = 0;
  uint64_t orderings = 0;
  int move = 0;
  int score = 0;  // the decision's best root score
};

// One decision on the calling thread, stopped after limit seconds like the Stop command.
template <typename Decide>
Run timedRun(double limit, Decide decide) {
  clearEngineCounters();
  Run run;
  {
    StopTimer timer(limit);  // started before the clock, stopped after it
    const auto start = std::chrono::steady_clock::now();
    run.move = decide(run.score);
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

// Every move and score of the suite in one number: a change meant to keep the decisions (any
// change of the search's speed) keeps it, whatever it does to the node counts. FNV-1a.
struct Digest {
  uint32_t value = 2166136261u;
  void add(int n) {
    for (int i = 0; i < 4; ++i) {
      value = (value ^ (static_cast<uint32_t>(n) >> (8 * i) & 0xFF)) * 16777619u;
    }
  }
};

// The time below which a share of the decisions lie, by the nearest rank: of 251 decisions, p99
// is the third slowest. A stopped decision counts as longer than any other.
const Run& rankOf(const std::vector<Run>& sorted, double share) {
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[rank == 0 ? 0 : rank - 1];
}

std::vector<Run> byTime(const std::vector<Run>& runs) {
  std::vector<Run> sorted = runs;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Run& a, const Run& b) {
    if (a.decided != b.decided) return a.decided;
    return a.ms < b.ms;
  });
  return sorted;
}

// The worst, the median, p90 and p99.
void printSummary(const char* engine, const std::vector<Run>& runs, double limit) {
  const std::vector<Run> sorted = byTime(runs);
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
  std::printf("%-9s worst %s, median %s, p90 %s, p99 %s\n", engine,
              timeText(sorted.back(), limit).c_str(), median.c_str(),
              timeText(rankOf(sorted, 0.90), limit).c_str(),
              timeText(rankOf(sorted, 0.99), limit).c_str());
}

std::vector<SuitePosition> suitePositions(const BenchOptions& o) {
  if (o.suite == "endgame") return endgameSuite(o.seed, o.discs);
  std::vector<SuitePosition> out;
  for (const BenchPosition& p : BENCH_POSITIONS) out.push_back({p.name, p.squares, p.side});
  return out;
}

// The endgame suite is long: only its slowest decisions are listed, with their positions, so
// that each can be looked at again with choose.
constexpr size_t SLOWEST_LISTED = 10;

void runSuite(const BenchOptions& o) {
  expandBook();
  const std::vector<SuitePosition> positions = suitePositions(o);
  const bool every = positions.size() <= BENCH_POSITION_COUNT;
  std::printf("level %d, rng %s, suite %s of %zu positions, exact search counting bits %s\n",
              o.level, o.rng.c_str(), o.suite.c_str(), positions.size(),
              endgameCode() == EndgameCode::Popcount ? "with POPCNT" : "portably");
  std::printf("%-7s %5s | %10s %10s %9s %4s%s\n", "", "discs", "engine", "nodes", "evals", "move",
              o.reference ? " | reference     nodes     evals move" : "");
  std::vector<Run> fast, plain;
  std::vector<std::string> lines;
  uint64_t totalNodes = 0;
  uint64_t totalEvaluations = 0;
  uint64_t totalOrderings = 0;
  Digest digest;
  int differences = 0;
  bool complete = true;
  for (const SuitePosition& p : positions) {
    applyRandomOption(o.rng);
    loadPosition(p.squares, p.side);
    clearEndgameTable();  // every decision starts cold, whatever ran before it
    const int discs = gameRecord.currentIndex + 4;
    const Run f = timedRun(o.limit, [&](int& score) {
      const DecisionOutcome outcome = runDecision(o.level);
      score = outcome.report.score;
      return outcome.decided ? squareCode(outcome.x, outcome.y) : 0;
    });
    digest.add(f.move);
    digest.add(f.score);
    fast.push_back(f);
    totalNodes += f.nodes;
    totalEvaluations += f.evaluations;
    totalOrderings += f.orderings;
    complete = complete && f.decided;
    std::string line = runText(f, o.limit);
    if (o.reference) {
      applyRandomOption(o.rng);
      loadPosition(p.squares, p.side);
      const Run r = timedRun(o.limit, [&](int& score) {
        thinkingFlag = true;
        const reference::Decision d = reference::decide(o.level);
        thinkingFlag = false;
        score = d.score;
        return d.decided ? squareCode(d.x, d.y) : 0;
      });
      plain.push_back(r);
      line += " | " + runText(r, o.limit);
      if (r.decided && f.decided && (r.move != f.move || r.score != f.score)) {
        line += "  DIFFERENT";
        ++differences;
      }
    }
    char head[32];
    std::snprintf(head, sizeof head, "%-7s %5d | ", p.name.c_str(), discs);
    lines.push_back(head + line);
    if (every) {
      std::printf("%s\n", lines.back().c_str());
      std::fflush(stdout);
    }
  }
  if (!every) {
    std::vector<size_t> order(positions.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      if (fast[a].decided != fast[b].decided) return !fast[a].decided;
      return fast[a].ms > fast[b].ms;
    });
    std::printf("the %zu slowest:\n", std::min(SLOWEST_LISTED, order.size()));
    for (size_t i = 0; i < order.size() && i < SLOWEST_LISTED; ++i) {
      const SuitePosition& p = positions[order[i]];
      std::printf("%s  %s %d\n", lines[order[i]].c_str(), p.squares.c_str(), p.side);
    }
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
  std::printf("decisions %08x\n", digest.value);
  std::printf("signature nodes %llu evaluations %llu orderings %llu%s\n",
              static_cast<unsigned long long>(totalNodes),
              static_cast<unsigned long long>(totalEvaluations),
              static_cast<unsigned long long>(totalOrderings),
              complete ? "" : " (incomplete: a decision was stopped)");

  if (o.stops > 0) {
    std::vector<StopCase> cases;
    for (size_t i = 0; i < positions.size(); ++i) {
      cases.push_back({positions[i].squares, positions[i].side, fast[i].ms});
    }
    measureStopLatency(o.level, o.stops, cases);
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
  cmd->add_option("--suite", o->suite,
                  "'fixed' (30 positions of 20 to 50 discs, the default) or 'endgame' (251 of 48 "
                  "discs from seeded random games, where level 8 first solves exactly)")
      ->check(CLI::IsMember({"fixed", "endgame"}));
  cmd->add_option("--seed", o->seed,
                  "with --suite endgame: the random games' seed (" +
                      std::to_string(ENDGAME_SUITE_SEED) + " by default)");
  cmd->add_option("--discs", o->discs,
                  "with --suite endgame: the discs on the board, 20 to 60 (" +
                      std::to_string(ENDGAME_SUITE_DISCS) + " by default)")
      ->check(CLI::Range(20, 60));
  cmd->add_flag("--portable", o->portable,
                "run the exact search's code for every processor, also where the processor has "
                "POPCNT (the same search, only slower)");
  cmd->add_flag("--list", o->list,
                "print the suite's positions, one a line (name, position, side to move), instead");
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
    if (o->portable) useEndgameCode(EndgameCode::Portable);
    if (o->list) {
      for (const SuitePosition& p : suitePositions(*o)) {
        std::printf("%s %s %d\n", p.name.c_str(), p.squares.c_str(), p.side);
      }
    } else if (o->generate >= 0) {
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
