// Velnor Part1 in a web browser. main runs on a thread of its own (the build proxies it off
// the browser's main thread), which plays the desktop's window thread: start-up, the message
// loop, shut-down. The page calls the exported functions below from the browser's main thread.
#include <emscripten/em_asm.h>
#include <emscripten/emscripten.h>

#include <cstdint>

#include "shell/app.h"
#include "shell/commands.h"
#include "shell/resources.h"
#include "shell/web/menu_json.h"
#include "shell/web/message_loop.h"
#include "shell/web/web_platform.h"

namespace {

MessageLoop loop;
WebPlatform webPlatform(loop);

void handle(const MessageLoop::Message& m) {
  dispatchGameMessage(m.message, m.wParam, m.lParam);
}

}  // namespace

int main() {
  onCreate(webPlatform);
  webPlatform.showWholePicture();
  loop.run(handle);  // until the Exit command
  onDestroy();
  webPlatform.waitForThreads();
  MAIN_THREAD_ASYNC_EM_ASM({ Module.velnorEnded(); });
  return 0;
}

// The page's input: only commands and clicks, as the window's menu and mouse would give them.
extern "C" {

EMSCRIPTEN_KEEPALIVE void velnor_command(int id) {
  loop.post(MSG_COMMAND, static_cast<uint16_t>(id), 0);
}

// A left button press at (x, y) of the 531 x 351 picture.
EMSCRIPTEN_KEEPALIVE void velnor_click(int x, int y) {
  if (x < 0 || y < 0 || x > 0xFFFF || y > 0xFFFF) return;
  loop.post(MSG_LBUTTONDOWN, 0, static_cast<intptr_t>((static_cast<uint32_t>(y) << 16) | x));
}

// The menu table as JSON, for the page's menu bar.
EMSCRIPTEN_KEEPALIVE const char* velnor_menu_json() {
  return menuJson();
}

// The click sound's WAV file, which the page decodes once.
EMSCRIPTEN_KEEPALIVE const unsigned char* velnor_click_wav() {
  return findEmbeddedResource("CLICK", nullptr);
}

EMSCRIPTEN_KEEPALIVE uint32_t velnor_click_wav_size() {
  size_t size = 0;
  findEmbeddedResource("CLICK", &size);
  return static_cast<uint32_t>(size);
}

}  // extern "C"
