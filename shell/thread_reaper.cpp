#include "shell/thread_reaper.h"

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

bool ThreadReaper::start(std::function<void()> body) {
  releaseEnded();
  auto ended = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::thread> thread;
  try {
    thread = std::make_shared<std::thread>([body = std::move(body), ended] {
      body();
      *ended = true;  // its last touch of anything shared
    });
  } catch (const std::system_error&) {
    return false;
  }
  keep([ended] { return ended->load(); },
       [thread, ended] {
         if (*ended) {
           thread->join();
         } else {
           thread->detach();
         }
       });
  return true;
}

void ThreadReaper::keep(std::function<bool()> ended, std::function<void()> release) {
  releaseEnded();
  threads_.push_back({std::move(ended), std::move(release)});
}

ThreadReaper::~ThreadReaper() {
  for (Kept& kept : threads_) kept.release();
}

void ThreadReaper::releaseEnded() {
  for (auto it = threads_.begin(); it != threads_.end();) {
    if (it->ended()) {
      it->release();
      it = threads_.erase(it);
    } else {
      ++it;
    }
  }
}

bool ThreadReaper::waitForAll(const std::function<void()>& serve, std::chrono::milliseconds limit) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    releaseEnded();
    if (threads_.empty()) return true;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    if (waited >= limit) break;
    serve();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (Kept& kept : threads_) kept.release();
  threads_.clear();
  return false;
}
