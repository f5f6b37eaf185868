// bench: the time of one decision per level on fixed positions, with every draw 0, and the
// node counts as a signature that a change meant only for speed must keep.
#include <CLI/CLI.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "bench_positions.h"
#include "command.h"
#include "engine/book.h"
#include "engine/counters.h"
#include "engine_setup.h"
#include "position_text.h"
#include "rules/game.h"

namespace {

// Clears the thinking flag once the limit has passed, as the Stop command would, unless
// cancelled first.
class StopTimer {
 public:
  explicit StopTimer(double seconds) {
    if (seconds <= 0) return;
    thread_ = std::thread([this, seconds] {
      std::unique_lock<std::mutex> lock(mutex_);
      const auto limit = std::chrono::duration<double>(seconds);
      if (!changed_.wait_for(lock, limit, [this] { return cancelled_; })) thinkingFlag = false;
    });
  }
  ~StopTimer() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      cancelled_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool cancelled_ = false;
  std::thread thread_;
};

struct BenchOptions {
  double limit = 0;
  int fromLevel = 3;
  int toLevel = 8;
};

void setupBench(CLI::App& app) {
  auto o = std::make_shared<BenchOptions>();
  CLI::App* cmd = app.add_subcommand("bench", "time one decision per level on fixed positions");
  cmd->add_option("--limit", o->limit, "seconds per decision before it is stopped; 0: none");
  cmd->add_option("--from", o->fromLevel, "the first level, 3 by default");
  cmd->add_option("--to", o->toLevel, "the last level, 8 by default");
  cmd->callback([o] {
    if (o->fromLevel < 3 || o->toLevel > 8 || o->fromLevel > o->toLevel) {
      throw UsageError("levels: --from and --to must satisfy 3 <= from <= to <= 8");
    }
    applyRandomOption("zero");
    expandBook();
    uint64_t totalNodes = 0;
    uint64_t totalEvaluations = 0;
    bool complete = true;
    for (int level = o->fromLevel; level <= o->toLevel; ++level) {
      for (const BenchPosition& p : BENCH_POSITIONS) {
        loadPosition(p.squares, p.side);
        clearEngineCounters();
        DecisionOutcome outcome{};
        std::chrono::duration<double, std::milli> took{};
        {
          StopTimer timer(o->limit);  // started before the clock, stopped after it
          const auto start = std::chrono::steady_clock::now();
          outcome = runDecision(level);
          took = std::chrono::steady_clock::now() - start;
        }
        totalNodes += engineCounters.nodes;
        totalEvaluations += engineCounters.evaluations;
        if (!outcome.decided) {
          complete = false;
          std::printf("level %d %-8s > %g s  (stopped after %llu nodes)\n", level, p.name, o->limit,
                      static_cast<unsigned long long>(engineCounters.nodes));
          continue;
        }
        std::printf("level %d %-8s %10.1f ms  nodes %llu  evaluations %llu  move %s\n", level,
                    p.name, took.count(), static_cast<unsigned long long>(engineCounters.nodes),
                    static_cast<unsigned long long>(engineCounters.evaluations),
                    squareName(squareCode(outcome.x, outcome.y)).c_str());
      }
    }
    std::printf("signature nodes %llu evaluations %llu%s\n",
                static_cast<unsigned long long>(totalNodes),
                static_cast<unsigned long long>(totalEvaluations),
                complete ? "" : " (incomplete: a decision was stopped)");
  });
}

const CommandRegistration benchCommand(setupBench);

}  // namespace
