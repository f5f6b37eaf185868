// The thinking threads a front-end has started, kept until each has ended and been let go of.
// A thread that has delivered its move may still be inside its synchronous hand-over while the
// next one starts, so no thread is ever waited for at a start: the ended ones are let go of
// then, and the window's end waits for the rest while the window's thread keeps serving the
// hand-over. The window's thread alone uses a reaper.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

class ThreadReaper {
 public:
  ThreadReaper() = default;
  ThreadReaper(const ThreadReaper&) = delete;
  ThreadReaper& operator=(const ThreadReaper&) = delete;
  // Lets go of the threads still kept, as waitForAll does when its time is up.
  ~ThreadReaper();

  // Runs body on a new std::thread; false if none could be started.
  bool start(std::function<void()> body);
  // Keeps a thread started some other way (CreateThread): ended() tells without waiting whether
  // it has returned; release() lets go of it (closes its handle), also of one still running
  // that the window's end has given up on.
  void keep(std::function<bool()> ended, std::function<void()> release);

  // Lets go of every thread that has ended.
  void releaseEnded();
  // Lets go of every thread as it ends, calling serve() between looks so that a thread inside
  // its hand-over to the window can return. A thread still running after limit is let go of
  // as it is (detached, its handle closed); returns whether all ended.
  bool waitForAll(const std::function<void()>& serve,
                  std::chrono::milliseconds limit = std::chrono::milliseconds::max());

  bool empty() const { return threads_.empty(); }

 private:
  struct Kept {
    std::function<bool()> ended;
    std::function<void()> release;
  };
  std::vector<Kept> threads_;
};
