// The web build's message loop, natively: the hand-over that the computer's move and the end of
// the game rely on, and the clock timer's ticks.
#include "shell/web/message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "shell/platform.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

MessageLoop* loop = nullptr;
std::atomic<int> handled{0};
std::atomic<int> ticks{0};
std::promise<void>* blocked = nullptr;  // set while the handler waits in the first message
std::shared_future<void> release;

void handleAndQuitOnSecond(const MessageLoop::Message& m) {
  if (m.message == MSG_TIMER) return;
  if (++handled == 1 && blocked) {
    blocked->set_value();
    release.wait();
  }
  if (handled == 2) loop->quit();
}

TEST(MessageLoop, SendReturnsOnceHandledAndWhenTheLoopQuitsBeforeHandlingIt) {
  MessageLoop l;
  loop = &l;
  handled = 0;
  std::promise<void> inFirst;
  std::promise<void> go;
  blocked = &inFirst;
  release = go.get_future().share();
  ASSERT_TRUE(l.post(MSG_COMMAND, 1, 0));
  std::thread runner([&] { l.run(handleAndQuitOnSecond); });
  inFirst.get_future().wait();

  // The second message quits the loop, so the third is never handled: its sender must still
  // come back, as a thinking thread's must when the game ends under it.
  auto second = std::async(std::launch::async, [&] { l.send(MSG_COMMAND, 2, 0); });
  std::this_thread::sleep_for(50ms);
  auto third = std::async(std::launch::async, [&] { l.send(MSG_MOVE_READY, 0, 0); });
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(second.wait_for(0ms), std::future_status::timeout);  // not handled yet
  go.set_value();
  EXPECT_EQ(second.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(third.wait_for(5s), std::future_status::ready);
  runner.join();
  EXPECT_EQ(handled, 2);
  EXPECT_FALSE(l.post(MSG_COMMAND, 4, 0));  // dropped once the loop has quit
  blocked = nullptr;
}

std::vector<uintptr_t> order;  // the commands in the order their handling ended

void sendSecondFromFirst(const MessageLoop::Message& m) {
  if (m.message != MSG_COMMAND) return;
  if (m.wParam == 1) loop->send(MSG_COMMAND, 2, 0);
  order.push_back(m.wParam);
  if (m.wParam == 1) loop->quit();
}

TEST(MessageLoop, SendFromAHandlerIsHandledAtOnceOnTheLoopsThread) {
  MessageLoop l;
  loop = &l;
  order.clear();
  l.post(MSG_COMMAND, 1, 0);
  auto runner = std::async(std::launch::async, [&] { l.run(sendSecondFromFirst); });
  const bool ended = runner.wait_for(5s) == std::future_status::ready;
  if (!ended) l.quit();  // releases the send that waits for its own thread
  EXPECT_TRUE(ended);
  EXPECT_EQ(order, (std::vector<uintptr_t>{2, 1}));
}

void countTicks(const MessageLoop::Message& m) {
  if (m.message == MSG_TIMER && m.wParam == static_cast<uintptr_t>(TIMER_CLOCK)) ++ticks;
  if (m.message == MSG_COMMAND) loop->quit();
}

TEST(MessageLoop, TheTimerTicksFromItsLastStartAndNotAfterItsStop) {
  MessageLoop l;
  loop = &l;
  ticks = 0;
  std::thread runner([&] { l.run(countTicks); });
  l.startTimer(200ms);
  std::this_thread::sleep_for(150ms);
  const Clock::time_point restarted = Clock::now();
  l.startTimer(200ms);  // from zero again: no tick 200 ms after the first start
  while (ticks == 0 && Clock::now() - restarted < 5s) std::this_thread::sleep_for(1ms);
  EXPECT_GE(Clock::now() - restarted, 200ms);
  l.stopTimer();
  const int stoppedAt = ticks;
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(ticks, stoppedAt);
  l.post(MSG_COMMAND, 0, 0);
  runner.join();
}

}  // namespace
