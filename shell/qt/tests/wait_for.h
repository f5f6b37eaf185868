// Waiting in a Qt test or probe without blocking the window's thread.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Processes events until the condition holds or the time is up; whether it held.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}
