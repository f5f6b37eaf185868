#include "bench_runs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>

#include "engine/endgame.h"
#include "engine/thinking.h"
#include "engine_setup.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"
#include "shell/app.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The program's own hooks, with the start of every decision and its delivery (the click that
// precedes the move-ready message) timed on the way.
class TimingHooks final : public ForwardingHooks {
 public:
  explicit TimingHooks(GameHooks& program) : ForwardingHooks(&program) {}
  void playClick() override {
    // On the thinking thread, just before it hands its move over.
    thinking.push_back(msSince(started_));
    ForwardingHooks::playClick();
  }
  void startThinking() override {
    started_ = Clock::now();
    ForwardingHooks::startThinking();
  }

  std::vector<double> thinking;  // ms per decision, in order

 private:
  Clock::time_point started_;
};

}  // namespace

StopTimer::StopTimer(double seconds) {
  if (seconds <= 0) return;
  thread_ = std::thread([this, seconds] {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto limit = std::chrono::duration<double>(seconds);
    if (!changed_.wait_for(lock, limit, [this] { return cancelled_; })) thinkingFlag = false;
  });
}

StopTimer::~StopTimer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void runBenchGame(int level, const std::string& rng) {
  HeadlessShell shell;
  shell.create();
  applyRandomOption(rng);  // after the program seeded the generator at start-up
  TimingHooks hooks(programHooks());
  installGameHooks(&hooks);
  settings.animationDelay = 0;
  settings.sound = false;
  shell.command(playerItemId(1, level));
  shell.command(playerItemId(2, level));
  const auto start = Clock::now();
  shell.command(IDM_NEW_GAME);
  const bool ended = shell.runUntilIdle(std::chrono::minutes(10));
  const double wall = msSince(start);

  double total = 0;
  double worst = 0;
  for (size_t i = 0; i < hooks.thinking.size(); ++i) {
    total += hooks.thinking[i];
    worst = std::max(worst, hooks.thinking[i]);
    std::printf("move %2zu %9.1f ms\n", i + 1, hooks.thinking[i]);
  }
  std::printf("level %d against level %d, rng %s: %s %d to %d after %d moves\n", level, level,
              rng.c_str(), ended && isGameOver(0) ? "ended" : "NOT ENDED", discCounts[1],
              discCounts[2], gameRecord.currentIndex);
  std::printf("thinking %.1f ms in total, worst decision %.1f ms; the whole game %.1f ms\n", total,
              worst, wall);
  shell.destroy();
  installGameHooks(nullptr);
}

void measureStopLatency(int level, int trials, const std::vector<StopCase>& cases) {
  std::mt19937 random(12345);
  std::vector<double> latencies;
  int finishedFirst = 0;
  for (int t = 0; t < trials; ++t) {
    const StopCase& c = cases[static_cast<size_t>(t) % cases.size()];
    if (c.decisionMs < 2) continue;  // too quick to be stopped in the middle
    loadPosition(c.squares, c.side);
    clearEndgameTable();  // as long as the suite's own decision
    std::uniform_real_distribution<double> part(0.05, 0.95);
    const auto delay = std::chrono::duration<double, std::milli>(part(random) * c.decisionMs);

    thinkingFlag = true;
    std::atomic<bool> done{false};
    Clock::time_point ended;
    std::thread thinker([&] {
      runDecisionUnderFlag(level);
      ended = Clock::now();
      done = true;
    });
    std::this_thread::sleep_for(delay);
    const bool early = done;
    const auto stopped = Clock::now();
    thinkingFlag = false;
    thinker.join();
    if (early || ended < stopped) {
      ++finishedFirst;
      continue;
    }
    latencies.push_back(std::chrono::duration<double, std::milli>(ended - stopped).count());
  }
  if (latencies.empty()) {
    std::printf("stop: no decision was stopped in the middle\n");
    return;
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf("stop: %zu decisions stopped (%d ended first): worst %.3f ms, median %.3f ms\n",
              latencies.size(), finishedFirst, latencies.back(), latencies[latencies.size() / 2]);
}
