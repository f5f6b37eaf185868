#include "shell/qt/qt_platform.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>
#include <chrono>

#include "shell/commands.h"
#include "shell/qt/board_accessible.h"
#include "shell/resources.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <sched.h>
#endif

namespace {

// Sets the calling thread's priority: 1 highest, 2 normal, 3 lowest. Where the system refuses
// a raise (an ordinary user on Linux may not lower the nice value), the thread stays normal.
void applyThreadPriority(int priority) {
#if defined(__linux__)
  int nice = 0;
  if (priority == 1)
    nice = -5;
  else if (priority == 3)
    nice = 10;
  else if (priority != 2)
    return;
  const auto tid = static_cast<id_t>(syscall(SYS_gettid));
  setpriority(PRIO_PROCESS, tid, nice);
#elif defined(__unix__) || defined(__APPLE__)
  int policy = 0;
  sched_param param{};
  pthread_t self = pthread_self();
  if (pthread_getschedparam(self, &policy, &param) != 0) return;
  const int low = sched_get_priority_min(policy);
  const int high = sched_get_priority_max(policy);
  if (priority == 1)
    param.sched_priority = high;
  else if (priority == 2)
    param.sched_priority = (low + high) / 2;
  else if (priority == 3)
    param.sched_priority = low;
  else
    return;
  pthread_setschedparam(self, policy, &param);
#else
  (void)priority;
#endif
}

}  // namespace

QtPlatform::QtPlatform() {
  size_t size = 0;
  const uint8_t* wav = findEmbeddedResource("CLICK", &size);
  click_ = std::make_unique<ClickSound>(wav, size);
  clock_.setInterval(TIMER_CLOCK_PERIOD_MS);
  connect(&clock_, &QTimer::timeout, this, [this] { dispatch(MSG_TIMER, TIMER_CLOCK, 0); });
}

QtPlatform::~QtPlatform() {
  joinThreads();
}

void QtPlatform::addMenuAction(int id, QAction* action, bool checked) {
  actions_[id] = action;
  checks_[id] = checked;
  action->setCheckable(checked);
  action->setChecked(checked);
  connect(action, &QAction::triggered, this, [this, id, action] {
    // Qt flips a checkable action's mark by itself; the game decides the marks, so put the
    // game's mark back before the command runs.
    action->setChecked(checks_[id]);
    dispatch(MSG_COMMAND, static_cast<uintptr_t>(id), 0);
  });
}

void QtPlatform::dispatch(unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (closed_) return;
  dispatchGameMessage(message, wParam, lParam);
  QString said;
  said.swap(announcement_);
  if (!closed_) updateBoardAccessible(view_, said);
}

bool QtPlatform::isChecked(int id) const {
  auto it = checks_.find(id);
  return it != checks_.end() && it->second;
}

QAction* QtPlatform::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool QtPlatform::onWindowThread() const {
  return QThread::currentThread() == thread();
}

bool QtPlatform::startThread(void (*entry)(), int priority) {
  return threads_.start([entry, priority] {
    applyThreadPriority(priority);
    entry();
  });
}

void QtPlatform::joinThreads() {
  // A thread may still wait in its synchronous hand-over; handling the pending messages (which
  // the closed window ignores) lets it return.
  markClosed();
  threads_.waitForAll([this] { QCoreApplication::sendPostedEvents(this); });
}

void QtPlatform::deliverMove() {
  QMetaObject::invokeMethod(
      this, [this] { dispatch(MSG_MOVE_READY, 0, 0); }, Qt::BlockingQueuedConnection);
}

void QtPlatform::showRect(int x, int y, int width, int height) {
  if (!view_) return;
  const QRect rect(x, y, width, height);
  if (onWindowThread()) {
    view_->repaint(rect);
  } else {
    // From the thinking thread: the window's thread paints it at its next turn.
    QWidget* view = view_;
    QMetaObject::invokeMethod(
        view, [view, rect] { view->update(rect); }, Qt::QueuedConnection);
  }
}

uint32_t QtPlatform::tickCount() {
  // Milliseconds of the system's monotonic clock (from boot on Linux), not of this program's
  // life: it also seeds the random generator, which must differ from run to run.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

const uint8_t* QtPlatform::resourceBytes(const char* name, size_t* size) {
  return findEmbeddedResource(name, size);
}

void QtPlatform::startClockTimer() {
  clock_.start();
}

void QtPlatform::stopClockTimer() {
  clock_.stop();
}

bool QtPlatform::checkMenuItem(int id, bool checked) {
  bool& mark = checks_[id];
  const bool previous = mark;
  mark = checked;
  if (QAction* a = action(id)) {
    // Unchecked items show no box at all, as on Windows.
    a->setCheckable(checked);
    a->setChecked(checked);
  }
  return previous;
}

void QtPlatform::playClickSound() {
  click_->play();
}

void QtPlatform::announce(const char* text) {
  announcement_ = QString::fromUtf8(text);
}

void QtPlatform::closeWindow() {
  if (window_) window_->close();
}
