// The platform without a window: the game's events are fed by the caller's thread, which
// plays the window's thread; the clock ticks when told to; every check mark, sound, timer
// change and shown rectangle is recorded. Thinking threads are real threads.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "shell/platform.h"
#include "shell/thread_reaper.h"

struct ShownRect {
  int x, y, width, height;
  bool operator==(const ShownRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

class HeadlessShell final : public Platform {
 public:
  HeadlessShell();
  // Withdraws the computer and joins every thread it started.
  ~HeadlessShell() override;

  // Connects the shell to the game without building the program: the platform, the menu's
  // initial check marks and the settings' defaults. For tests of the rules and commands.
  void attach();
  // The whole start-up of the window (onCreate), and its destruction (onDestroy).
  // Defined apart (headless_window.cpp), so that tests of the rules alone need no display.
  void create();
  void destroy();

  // Window events, handled on the calling thread.
  void command(int id);
  void click(int px, int py);
  void clickSquare(int x, int y);  // at the square's centre pixel
  // A key pressed on the board, one of BoardKey; whether the game took it.
  bool key(unsigned boardKey);
  // A clock tick, if the clock timer runs; false if it does not.
  bool tick();

  // Handles the computer's moves as they arrive, until no thread is thinking and none is
  // waiting to deliver, or until the timeout; false on timeout.
  bool runUntilIdle(std::chrono::milliseconds timeout = std::chrono::seconds(60));
  // Waits until a message is queued, without handling it; false on timeout.
  bool waitForQueuedMessage(std::chrono::milliseconds timeout);
  // Waits for one message and handles it; false on timeout.
  bool handleNextMessage(std::chrono::milliseconds timeout);

  // What was recorded.
  bool isChecked(int id) const;
  bool timerRunning() const { return timerRunning_; }
  int timerStarts() const { return timerStarts_; }
  int timerStops() const { return timerStops_; }
  int clicksPlayed() const;
  int closeRequests() const { return closeRequests_; }
  int threadsStarted() const;
  int lastThreadPriority() const;
  std::vector<ShownRect> shownRects() const;
  void clearShownRects();
  // Every check-mark change in order, as "id on" or "id off".
  const std::vector<std::string>& checkLog() const { return checkLog_; }
  // Everything announced to a screen reader, in order.
  const std::vector<std::string>& announcements() const { return announcements_; }

  // The tick count advances by one on every read, so a busy wait on it always ends.
  void setTickCount(uint32_t ms) { ticks_ = ms; }

  // Platform
  bool startThread(void (*entry)(), int priority) override;
  void deliverMove() override;
  void showRect(int x, int y, int width, int height) override;
  uint32_t tickCount() override { return ticks_++; }
  const uint8_t* resourceBytes(const char* name, size_t* size) override;
  void startClockTimer() override;
  void stopClockTimer() override;
  bool checkMenuItem(int id, bool checked) override;
  void playClickSound() override;
  void closeWindow() override { ++closeRequests_; }
  void announce(const char* text) override { announcements_.emplace_back(text); }

 private:
  struct Message {
    unsigned message;
    uint64_t serial;  // to let the sender know when it has been handled
  };

  void handle(const Message& m);

  mutable std::mutex mutex_;  // guards everything the thinking thread reaches
  std::condition_variable queueChanged_;
  std::deque<Message> queue_;
  uint64_t nextSerial_ = 1;
  uint64_t handledUpTo_ = 0;
  bool closing_ = false;
  ThreadReaper threads_;  // the thinking threads until they have ended
  int threadsStarted_ = 0;
  int lastPriority_ = 0;
  int clicks_ = 0;
  std::vector<ShownRect> shown_;

  std::map<int, bool> checks_;  // window's thread only
  std::vector<std::string> checkLog_;
  std::vector<std::string> announcements_;  // window's thread only
  bool timerRunning_ = false;
  int timerStarts_ = 0;
  int timerStops_ = 0;
  int closeRequests_ = 0;
  std::atomic<uint32_t> ticks_{0};
  void (*destroyWindow_)() = nullptr;  // set while the window exists
};
