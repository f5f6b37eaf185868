#include "shell/web/web_platform.h"

#include <emscripten/em_asm.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "display/sheets.h"
#include "shell/menu.h"
#include "shell/resources.h"

WebPlatform::WebPlatform(MessageLoop& loop) : loop_(loop) {
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    if (e.kind == MenuEntryKind::Item) checks_[e.id] = e.checkedAtStart;
  }
  const auto wall = std::chrono::system_clock::now().time_since_epoch();
  const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
  epoch_ = std::chrono::duration_cast<std::chrono::steady_clock::duration>(wall) - monotonic;
}

void WebPlatform::showWholePicture() {
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  showRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

bool WebPlatform::startThread(void (*entry)(), int /*priority*/) {
  // A browser runs every worker alike: the priority setting keeps its check marks and is
  // stored, but no thread can be given a priority here.
  return threads_.start(entry);
}

void WebPlatform::waitForThreads() {
  // The loop has quit, which released any thread waiting to deliver.
  threads_.waitForAll([] {});
}

void WebPlatform::deliverMove() {
  loop_.send(MSG_MOVE_READY, 0, 0);
}

void WebPlatform::showRect(int x, int y, int width, int height) {
  // Called under the drawing lock. The rectangle's pixels are copied at once, as RGBA, and the
  // copy goes to the page, so each step of the flip animation reaches the canvas even though
  // the game's thread waits without a break until the animation ends.
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + width, SCREEN_WIDTH);
  const int bottom = std::min(y + height, SCREEN_HEIGHT);
  if (left >= right || top >= bottom) return;
  const int w = right - left;
  const int h = bottom - top;
  auto* rgba = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * 4));
  if (!rgba) return;
  copyBackBufferRgba(left, top, w, h, rgba);
  // The page takes the pixels out of the shared memory and frees the copy.
  MAIN_THREAD_ASYNC_EM_ASM(
      {
        const pixels = HEAPU8.slice($0, $0 + $3 * $4 * 4);
        _free($0);
        Module.velnorShowRect(pixels, $1, $2, $3, $4);
      },
      rgba, left, top, w, h);
}

uint32_t WebPlatform::tickCount() {
  // The monotonic clock counted from the wall time it started at: steady for the animation's
  // wait, and different on every visit, so that the random seed is too.
  const auto now = std::chrono::steady_clock::now().time_since_epoch() + epoch_;
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

const uint8_t* WebPlatform::resourceBytes(const char* name, size_t* size) {
  return findEmbeddedResource(name, size);
}

void WebPlatform::startClockTimer() {
  loop_.startTimer(std::chrono::milliseconds(TIMER_CLOCK_PERIOD_MS));
}

void WebPlatform::stopClockTimer() {
  loop_.stopTimer();
}

bool WebPlatform::checkMenuItem(int id, bool checked) {
  auto found = checks_.find(id);
  if (found == checks_.end()) return false;  // not an item of the menu
  const bool previous = found->second;
  found->second = checked;
  MAIN_THREAD_ASYNC_EM_ASM({ Module.velnorCheckMenuItem($0, $1); }, id, checked ? 1 : 0);
  return previous;
}

void WebPlatform::playClickSound() {
  MAIN_THREAD_ASYNC_EM_ASM({ Module.velnorPlayClick(); });
}

void WebPlatform::closeWindow() {
  // The game's thread leaves its loop once this command returns; main then lets the game go.
  loop_.stopTimer();
  loop_.quit();
}
