// The platform boundary in Win32 terms: the clock timer, check marks, the click sound, the
// thinking threads, the synchronous hand-over of the computer's move, and showing parts of the
// back buffer on the window.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "shell/platform.h"
#include "shell/thread_reaper.h"

// A thinking thread asks for its turn to hand over its move (posted); the window's thread
// answers with a one-shot timer, whose message comes only once nothing else is queued.
constexpr UINT MSG_DELIVER_TURN = WM_APP + 1;
constexpr UINT_PTR TIMER_DELIVER_TURN = 201;

class Win32Platform final : public Platform {
 public:
  // Window creation, before the game starts: keeps the window, its menu and the module.
  void attach(HWND window);
  // After the display is built: the display palette as a platform palette.
  void createPalette();
  // Window destruction, after the game has let go of the display: forgets the window and
  // deletes the palette. No drawing and no game message reaches the window afterwards.
  void detach();
  bool attached() const { return window_.load() != nullptr; }

  // The paint message's work: the whole back buffer to the paint context, palette realised.
  void paintWindow(HDC dc);
  // The whole-number scale at which the back buffer is shown (1 at 96 dpi); every copy to the
  // window enlarges each back-buffer pixel to a scale x scale block.
  void setScale(int scale);
  int scale() const { return scale_.load(); }
  // At the end of the program: waits for the thinking threads still running (at most a
  // thread finishing its send to the window that has gone) and closes their handles.
  void waitForThreads();
  // On the window's thread: a thread has asked for its turn to send its move; the turn's timer
  // has come, so the threads that asked before it may send.
  void turnAsked();
  void turnCome();

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
  void copyBackBuffer(HDC dc, int x, int y, int width, int height);

  std::atomic<HWND> window_{nullptr};  // read by the thinking thread when it delivers
  HMENU menu_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HPALETTE palette_ = nullptr;  // used under the drawing lock only
  std::atomic<int> scale_{1};   // set on the window's thread, read by both
  ThreadReaper threads_;        // window's thread only
  std::mutex turnLock_;         // guards turns_
  std::condition_variable turnChanged_;
  uint32_t turns_ = 0;  // counts the turns given; a delivering thread waits for the next one
};
