#include "shell/headless/headless_shell.h"

#include "rules/board_geometry.h"
#include "rules/game.h"
#include "shell/commands.h"
#include "shell/menu.h"
#include "shell/resources.h"

HeadlessShell::HeadlessShell() {
  // The menu as the window gets it, before any start-up code runs.
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    if (e.kind == MenuEntryKind::Item) checks_[e.id] = e.checkedAtStart;
  }
}

HeadlessShell::~HeadlessShell() {
  if (destroyWindow_) destroyWindow_();
  thinkingFlag = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  queueChanged_.notify_all();
  threads_.waitForAll([] {});
}

void HeadlessShell::attach() {
  installPlatform(this);
  installThinkingPlatform(this);
  installDisplayPlatform(this);
  initSettings();
}

void HeadlessShell::command(int id) {
  dispatchGameMessage(MSG_COMMAND, static_cast<uintptr_t>(id), 0);
}

void HeadlessShell::click(int px, int py) {
  const auto lParam = static_cast<intptr_t>((static_cast<uint32_t>(py) << 16) |
                                            (static_cast<uint32_t>(px) & 0xFFFF));
  dispatchGameMessage(MSG_LBUTTONDOWN, 0, lParam);
}

void HeadlessShell::clickSquare(int x, int y) {
  click(squareCentre(x), squareCentre(y));
}

bool HeadlessShell::key(unsigned boardKey) {
  return dispatchGameMessage(MSG_KEYDOWN, boardKey, 0);
}

bool HeadlessShell::tick() {
  if (!timerRunning_) return false;
  dispatchGameMessage(MSG_TIMER, TIMER_CLOCK, 0);
  return true;
}

bool HeadlessShell::waitForQueuedMessage(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return queueChanged_.wait_for(lock, timeout, [this] { return !queue_.empty(); });
}

bool HeadlessShell::handleNextMessage(std::chrono::milliseconds timeout) {
  Message m{};
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!queueChanged_.wait_for(lock, timeout, [this] { return !queue_.empty(); })) return false;
    m = queue_.front();
    queue_.pop_front();
  }
  handle(m);
  return true;
}

bool HeadlessShell::runUntilIdle(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    Message m{};
    {
      std::unique_lock<std::mutex> lock(mutex_);
      // A thinking thread keeps the flag set until its move has been handled here.
      const bool arrived = queueChanged_.wait_until(
          lock, deadline, [this] { return !queue_.empty() || !thinkingFlag; });
      if (!arrived) return false;
      if (queue_.empty()) return true;
      m = queue_.front();
      queue_.pop_front();
    }
    handle(m);
  }
}

void HeadlessShell::handle(const Message& m) {
  dispatchGameMessage(m.message, 0, 0);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handledUpTo_ = m.serial;
  }
  queueChanged_.notify_all();
}

bool HeadlessShell::isChecked(int id) const {
  auto it = checks_.find(id);
  return it != checks_.end() && it->second;
}

int HeadlessShell::clicksPlayed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return clicks_;
}

int HeadlessShell::threadsStarted() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return threadsStarted_;
}

int HeadlessShell::lastThreadPriority() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastPriority_;
}

std::vector<ShownRect> HeadlessShell::shownRects() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

void HeadlessShell::clearShownRects() {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.clear();
}

bool HeadlessShell::startThread(void (*entry)(), int priority) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closing_) return false;
  lastPriority_ = priority;
  ++threadsStarted_;
  return threads_.start(entry);
}

void HeadlessShell::deliverMove() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (closing_) return;
  const uint64_t serial = nextSerial_++;
  queue_.push_back({MSG_MOVE_READY, serial});
  queueChanged_.notify_all();
  queueChanged_.wait(lock, [&] { return handledUpTo_ >= serial || closing_; });
}

void HeadlessShell::showRect(int x, int y, int width, int height) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.push_back({x, y, width, height});
}

const uint8_t* HeadlessShell::resourceBytes(const char* name, size_t* size) {
  return findEmbeddedResource(name, size);
}

void HeadlessShell::startClockTimer() {
  timerRunning_ = true;
  ++timerStarts_;
}

void HeadlessShell::stopClockTimer() {
  timerRunning_ = false;
  ++timerStops_;
}

bool HeadlessShell::checkMenuItem(int id, bool checked) {
  bool& mark = checks_[id];
  const bool previous = mark;
  mark = checked;
  checkLog_.push_back(std::to_string(id) + (checked ? " on" : " off"));
  return previous;
}

void HeadlessShell::playClickSound() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++clicks_;
}
