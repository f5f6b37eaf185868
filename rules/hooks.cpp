#include "rules/hooks.h"

// A hook's arguments, "(x, y, tile)", as the list observe() takes, {x, y, tile}.
#define HOOK_ARGUMENT_LIST(...) \
  { __VA_ARGS__ }

#define GAME_HOOK(name, parameters, arguments)    \
  void ForwardingHooks::name parameters {         \
    observe(#name, HOOK_ARGUMENT_LIST arguments); \
    if (inner_) inner_->name arguments;           \
  }
#include "rules/hook_table.def"
#undef GAME_HOOK

void ForwardingHooks::observe(const char*, std::initializer_list<int>) {}

namespace {

// Until the shell installs its own, the game runs without a screen, a sound or a computer.
ForwardingHooks silentHooks;
GameHooks* installed = &silentHooks;

}  // namespace

void installGameHooks(GameHooks* hooks) {
  installed = hooks ? hooks : &silentHooks;
}

GameHooks& gameHooks() {
  return *installed;
}
