// The platform boundary in Qt terms: timer, check marks, sound, threads, the synchronous
// hand-over of the computer's move, and showing parts of the back buffer.
#pragma once

#include <QAction>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "shell/platform.h"
#include "shell/qt/click_sound.h"
#include "shell/thread_reaper.h"

class QWidget;

class QtPlatform final : public QObject, public Platform {
  Q_OBJECT

 public:
  QtPlatform();
  ~QtPlatform() override;

  // The widget that shows the back buffer, and the menu's actions by command id.
  void setView(QWidget* view) { view_ = view; }
  void setWindow(QWidget* window) { window_ = window; }
  void addMenuAction(int id, QAction* action, bool checked);

  // Routes a game message to the game unless the window has gone.
  void dispatch(unsigned message, uintptr_t wParam, intptr_t lParam);
  // After the window's destruction: no message reaches the game any more.
  void markClosed() { closed_ = true; }
  bool closed() const { return closed_; }
  // Waits for every thinking thread to return, releasing any that still waits to deliver.
  void joinThreads();

  bool isChecked(int id) const;
  QAction* action(int id) const;

  // Platform
  bool startThread(void (*entry)(), int priority) override;
  void deliverMove() override;
  void showRect(int x, int y, int width, int height) override;
  uint32_t tickCount() override;
  const uint8_t* resourceBytes(const char* name, size_t* size) override;
  void startClockTimer() override;
  void stopClockTimer() override;
  bool checkMenuItem(int id, bool checked) override;
  void playClickSound() override;
  void closeWindow() override;
  void announce(const char* text) override;

 private:
  bool onWindowThread() const;

  QWidget* view_ = nullptr;
  QWidget* window_ = nullptr;
  QTimer clock_;
  std::unique_ptr<ClickSound> click_;
  std::map<int, QAction*> actions_;
  std::map<int, bool> checks_;  // the game's check marks; the actions only show them
  ThreadReaper threads_;        // window's thread only
  bool closed_ = false;
  QString announcement_;  // said after the message that brought it has been handled
};
