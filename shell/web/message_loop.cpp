#include "shell/web/message_loop.h"

#include "shell/platform.h"

bool MessageLoop::post(unsigned message, uintptr_t wParam, intptr_t lParam) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (quit_) return false;
    queue_.push_back({{message, wParam, lParam}, nextSerial_++});
  }
  changed_.notify_all();
  return true;
}

void MessageLoop::send(unsigned message, uintptr_t wParam, intptr_t lParam) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (quit_) return;
  if (handler_ && std::this_thread::get_id() == runner_) {
    const Handler handle = handler_;
    lock.unlock();
    handle({message, wParam, lParam});
    return;
  }
  const uint64_t serial = nextSerial_++;
  queue_.push_back({{message, wParam, lParam}, serial});
  changed_.notify_all();
  changed_.wait(lock, [&] { return handledUpTo_ >= serial || quit_; });
}

void MessageLoop::startTimer(std::chrono::milliseconds period) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    timerOn_ = true;
    period_ = period;
    due_ = Clock::now() + period_;
  }
  changed_.notify_all();
}

void MessageLoop::stopTimer() {
  std::lock_guard<std::mutex> lock(mutex_);
  timerOn_ = false;
}

void MessageLoop::run(Handler handle) {
  std::unique_lock<std::mutex> lock(mutex_);
  handler_ = handle;
  runner_ = std::this_thread::get_id();
  while (!quit_) {
    Queued next{};
    if (!queue_.empty()) {
      next = queue_.front();
      queue_.pop_front();
    } else if (timerOn_ && Clock::now() >= due_) {
      // Like a window's timer: a tick is made only when the queue is empty.
      const Clock::time_point now = Clock::now();
      due_ += period_;
      if (due_ <= now) due_ = now + period_;
      next = {{MSG_TIMER, TIMER_CLOCK, 0}, 0};
    } else {
      if (timerOn_) {
        changed_.wait_until(lock, due_);
      } else {
        changed_.wait(lock);
      }
      continue;
    }
    lock.unlock();
    handle(next.m);
    lock.lock();
    if (next.serial != 0) {
      handledUpTo_ = next.serial;
      changed_.notify_all();
    }
  }
  handler_ = nullptr;
}

void MessageLoop::quit() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    queue_.clear();
  }
  changed_.notify_all();
}
