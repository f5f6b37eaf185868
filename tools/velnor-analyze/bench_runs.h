// The parts of velnor-analyze bench that run the computer on its own threads.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Clears the thinking flag once the limit has passed, as the Stop command would, unless
// destroyed first.
class StopTimer {
 public:
  explicit StopTimer(double seconds);
  ~StopTimer();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool cancelled_ = false;
  std::thread thread_;
};

// A whole game of the level against itself through the headless program (every move made and
// drawn by the turn flow, thinking threads started as in play, animation delay 0), with the
// thinking time of every decision and their total.
void runBenchGame(int level, const std::string& rng);

// A position of the suite and how long its own decision took.
struct StopCase {
  std::string squares;
  int side;
  double decisionMs;
};

// Starts decisions of the level on a thinking thread, each on a position of cases in turn,
// clears the thinking flag after a random part of the decision's time and measures how long
// the thread takes to give up.
void measureStopLatency(int level, int trials, const std::vector<StopCase>& cases);
