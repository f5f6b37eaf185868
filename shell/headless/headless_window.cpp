#include "shell/app.h"
#include "shell/headless/headless_shell.h"

void HeadlessShell::create() {
  onCreate(*this);
  destroyWindow_ = &onDestroy;
}

void HeadlessShell::destroy() {
  if (!destroyWindow_) return;
  destroyWindow_ = nullptr;
  onDestroy();
}
