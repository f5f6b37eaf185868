// The platform boundary in the browser. The game runs on its own thread (the window's thread
// of the desktop builds) around a MessageLoop; the page, on the browser's main thread, owns the
// canvas, the menu and the sound, and learns of every change through calls posted to it.
#pragma once

#include <chrono>
#include <map>

#include "shell/platform.h"
#include "shell/thread_reaper.h"
#include "shell/web/message_loop.h"

class WebPlatform final : public Platform {
 public:
  explicit WebPlatform(MessageLoop& loop);

  // The whole back buffer to the page: the first paint after start-up.
  void showWholePicture();
  // At the end, after the game has withdrawn the computer: the thinking threads still
  // finishing are joined.
  void waitForThreads();

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

 private:
  MessageLoop& loop_;
  ThreadReaper threads_;        // game thread only
  std::map<int, bool> checks_;  // the game's check marks, game thread only; the page shows them
  std::chrono::steady_clock::duration epoch_;  // the monotonic clock's start as wall time
};
