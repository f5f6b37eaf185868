// The game's own thread in the browser: a message queue fed from any thread (the page's input
// from the browser's main thread, the computer's move from a thinking thread) and handled one
// message at a time on the thread that runs the loop, with the one-second clock timer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

class MessageLoop {
 public:
  struct Message {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
  };
  using Handler = void (*)(const Message& m);

  // Queues a message and returns at once; false once the loop has quit (it is dropped).
  bool post(unsigned message, uintptr_t wParam, intptr_t lParam);
  // Queues a message and returns once the loop has handled it, or once the loop has quit.
  // On the loop's own thread, inside a handler, the handler is called at once instead, as a
  // window's own thread sending to itself does: waiting there would wait for itself.
  void send(unsigned message, uintptr_t wParam, intptr_t lParam);

  // Starts the clock timer, or restarts it from zero: a timer message (MSG_TIMER with
  // TIMER_CLOCK) every period while nothing else is queued. Ticks missed meanwhile are not
  // made up: at most one is due at a time.
  void startTimer(std::chrono::milliseconds period);
  void stopTimer();

  // Handles the messages in turn until quit. Nothing else may run the loop at the same time.
  void run(Handler handle);
  // Ends run once the message being handled returns; senders waiting are released and later
  // messages dropped.
  void quit();

 private:
  using Clock = std::chrono::steady_clock;
  struct Queued {
    Message m;
    uint64_t serial;  // lets a sender know when it has been handled
  };

  std::mutex mutex_;
  std::condition_variable changed_;  // a message queued, the timer changed, or one handled
  std::deque<Queued> queue_;
  uint64_t nextSerial_ = 1;
  uint64_t handledUpTo_ = 0;  // messages are handled in the order of their serials
  bool quit_ = false;
  Handler handler_ = nullptr;  // while run() runs
  std::thread::id runner_;     // the thread in run()
  bool timerOn_ = false;
  Clock::duration period_{};
  Clock::time_point due_{};
};
