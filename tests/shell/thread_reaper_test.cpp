// The front-ends' list of thinking threads: ended threads are let go of at the next start and
// never waited for there; the window's end serves the hand-over while it waits for the rest.
#include "shell/thread_reaper.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>

namespace {

using namespace std::chrono_literals;

TEST(ThreadReaper, LetsGoOfEndedThreadsAtTheNextStartAndGivesUpOnTheRestAtTheLimit) {
  ThreadReaper reaper;
  std::string released;
  bool firstEnded = false;
  reaper.keep([&] { return firstEnded; }, [&] { released += "1"; });
  reaper.keep([] { return true; }, [&] { released += "2"; });
  // The second has ended, but only the next start looks.
  EXPECT_EQ(released, "");
  reaper.keep([] { return false; }, [&] { released += "3"; });
  EXPECT_EQ(released, "2");

  int served = 0;
  EXPECT_FALSE(reaper.waitForAll(
      [&] {
        if (++served == 3) firstEnded = true;
      },
      50ms));
  // The first ended while the window's end served; the third never did and is let go of as
  // it is, once.
  EXPECT_GE(served, 3);
  EXPECT_EQ(released, "213");
  EXPECT_TRUE(reaper.empty());
}

TEST(ThreadReaper, WaitsForAThreadThatNeedsTheWindowToServeItsHandOver) {
  ThreadReaper reaper;
  std::promise<void> handedOver;
  std::shared_future<void> served = handedOver.get_future().share();
  std::atomic<bool> finished{false};
  ASSERT_TRUE(reaper.start([served, &finished] {
    served.wait();  // as a thread inside its synchronous send
    finished = true;
  }));
  bool once = false;
  EXPECT_TRUE(reaper.waitForAll([&] {
    if (!once) handedOver.set_value();
    once = true;
  }));
  EXPECT_TRUE(finished);
  EXPECT_TRUE(reaper.empty());
}

}  // namespace
