#include "shell/win32/win32_platform.h"

#include <mmsystem.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <mutex>

#include "display/sheets.h"

namespace {

// Resource types by number, in their ANSI form whatever the UNICODE setting.
const LPCSTR BITMAP_RESOURCE = MAKEINTRESOURCEA(2);  // RT_BITMAP
const LPCSTR WAVE_RESOURCE = "WAVE";

// The back buffer's own description: a bitmap information header and its 256 colours,
// copied from the display's bytes into a properly aligned structure.
struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(BackBuffer::infoHeader),
              "the back buffer begins with a BITMAPINFOHEADER");
static_assert(offsetof(BackBuffer, colourTable) == sizeof(BITMAPINFOHEADER) &&
                  sizeof(BitmapInfo256) == offsetof(BackBuffer, pixels),
              "the back buffer's header and colours are laid out as a BITMAPINFO");

// The thread's entry as the platform calls it: the parameter is the game's entry routine.
DWORD WINAPI thinkingTrampoline(LPVOID parameter) {
  reinterpret_cast<void (*)()>(parameter)();
  return 0;
}

int threadPriority(int priority) {
  switch (priority) {
    case 1:
      return THREAD_PRIORITY_HIGHEST;
    case 2:
      return THREAD_PRIORITY_NORMAL;
    case 3:
      return THREAD_PRIORITY_LOWEST;
    default:
      return THREAD_PRIORITY_ERROR_RETURN;  // leave the priority alone
  }
}

}  // namespace

void Win32Platform::attach(HWND window) {
  instance_ = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  menu_ = GetMenu(window);
  window_ = window;
}

void Win32Platform::createPalette() {
  struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[PALETTE_SIZE];
  } description{};
  description.palVersion = 0x300;
  description.palNumEntries = PALETTE_SIZE;
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  const PaletteEntry* entries = displayPalette();
  for (int i = 0; i < PALETTE_SIZE; ++i) {
    description.palPalEntry[i] = PALETTEENTRY{entries[i].red, entries[i].green, entries[i].blue, 0};
  }
  palette_ = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&description));
}

void Win32Platform::detach() {
  {
    std::lock_guard<std::recursive_mutex> lock(drawingLock());
    window_ = nullptr;
    menu_ = nullptr;
    if (palette_) DeleteObject(palette_);
    palette_ = nullptr;
  }
  // A thread waiting for its turn goes on: no turn comes from a window that has gone.
  { std::lock_guard<std::mutex> lock(turnLock_); }
  turnChanged_.notify_all();
}

// Under the drawing lock: StretchDIBits reads the back buffer's rows in place and enlarges
// each pixel to a block of scale x scale, by repeating it (no blending at any scale). A sheet's
// rows are stored bottom-up, so the rectangle's lowest row is counted from the bottom.
void Win32Platform::copyBackBuffer(HDC dc, int x, int y, int width, int height) {
  const BackBuffer& buffer = backBuffer();
  BitmapInfo256 info;
  std::memcpy(&info, &buffer, sizeof info);
  const int s = scale_.load();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x * s, y * s, width * s, height * s, x, SCREEN_HEIGHT - y - height, width,
                height, buffer.pixels, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                SRCCOPY);
}

void Win32Platform::setScale(int scale) {
  // Under the drawing lock, so that no copy to the window is made half at each scale.
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  scale_ = scale;
}

void Win32Platform::paintWindow(HDC dc) {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  HPALETTE previous = nullptr;
  if (palette_) {
    previous = SelectPalette(dc, palette_, FALSE);
    RealizePalette(dc);
  }
  // The whole picture, whatever the update region: the back buffer is the only picture.
  copyBackBuffer(dc, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  if (previous) SelectPalette(dc, previous, FALSE);
}

void Win32Platform::showRect(int x, int y, int width, int height) {
  // The caller holds the drawing lock, so the window and the palette stay as they are.
  HWND window = window_;
  if (!window) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  // Selected, not realised: the latest paint's realisation holds.
  HPALETTE previous = palette_ ? SelectPalette(dc, palette_, FALSE) : nullptr;
  copyBackBuffer(dc, x, y, width, height);
  if (previous) SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
}

bool Win32Platform::startThread(void (*entry)(), int priority) {
  DWORD threadId = 0;
  // Suspended until its priority is set, so that the whole decision runs at that priority.
  HANDLE thread = CreateThread(nullptr, 0, thinkingTrampoline, reinterpret_cast<LPVOID>(entry),
                               CREATE_SUSPENDED, &threadId);
  if (!thread) return false;
  const int level = threadPriority(priority);
  if (level != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(thread, level);
  threads_.keep([thread] { return WaitForSingleObject(thread, 0) != WAIT_TIMEOUT; },
                [thread] { CloseHandle(thread); });
  ResumeThread(thread);
  return true;
}

void Win32Platform::waitForThreads() {
  // A thread still inside its send is released once this thread takes its sent messages,
  // which the destroyed window answers with nothing. The wait is bounded all the same.
  threads_.waitForAll(
      [] {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
      },
      std::chrono::milliseconds(5000));
}

// A sent message is taken before anything queued, so a move sent as soon as it is chosen (a
// novice level, the book: within milliseconds) would keep the window's input, paint and clock
// out for as long as the computers play each other. The send waits for its turn instead: a
// timer message, which the window's thread takes only once no input or paint is waiting. The
// thread is past its last use of the game here, so nothing on the window's thread waits for
// it meanwhile; a window that goes away ends the wait.
void Win32Platform::deliverMove() {
  HWND window = window_;
  if (!window) return;
  {
    std::unique_lock<std::mutex> lock(turnLock_);
    const uint32_t asked = turns_;
    if (PostMessageA(window, MSG_DELIVER_TURN, 0, 0)) {
      while (turns_ == asked && window_.load() == window) {
        turnChanged_.wait_for(lock, std::chrono::milliseconds(50));
      }
    }
  }
  SendMessageA(window, MSG_MOVE_READY, 0, 0);
}

void Win32Platform::turnAsked() {
  // The shortest timer there is; asked again before it comes, it is only started anew.
  if (HWND window = window_) SetTimer(window, TIMER_DELIVER_TURN, USER_TIMER_MINIMUM, nullptr);
}

void Win32Platform::turnCome() {
  if (HWND window = window_) KillTimer(window, TIMER_DELIVER_TURN);
  {
    std::lock_guard<std::mutex> lock(turnLock_);
    ++turns_;
  }
  turnChanged_.notify_all();
}

uint32_t Win32Platform::tickCount() {
  return GetTickCount();
}

const uint8_t* Win32Platform::resourceBytes(const char* name, size_t* size) {
  HRSRC found = FindResourceA(instance_, name, BITMAP_RESOURCE);
  if (!found) found = FindResourceA(instance_, name, WAVE_RESOURCE);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(instance_, found);
  if (!loaded) return nullptr;
  if (size) *size = SizeofResource(instance_, found);
  return static_cast<const uint8_t*>(LockResource(loaded));
}

void Win32Platform::startClockTimer() {
  if (HWND window = window_) SetTimer(window, TIMER_CLOCK, TIMER_CLOCK_PERIOD_MS, nullptr);
}

void Win32Platform::stopClockTimer() {
  if (HWND window = window_) KillTimer(window, TIMER_CLOCK);
}

bool Win32Platform::checkMenuItem(int id, bool checked) {
  const DWORD previous = CheckMenuItem(menu_, static_cast<UINT>(id),
                                       MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  return previous != static_cast<DWORD>(-1) && (previous & MF_CHECKED) != 0;
}

void Win32Platform::playClickSound() {
  // Asynchronous, from either thread; a new click cuts off the one still playing.
  PlaySoundA("CLICK", instance_, SND_RESOURCE | SND_ASYNC);
}

void Win32Platform::closeWindow() {
  if (HWND window = window_) SendMessageA(window, WM_CLOSE, 0, 0);
}
