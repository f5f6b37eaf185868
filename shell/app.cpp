#include "shell/app.h"

#include "display/board_view.h"
#include "display/panel.h"
#include "display/sheets.h"
#include "engine/book.h"
#include "engine/thinking.h"
#include "rules/game.h"
#include "shell/commands.h"
#include "shell/speech.h"

namespace {

// The clock's hooks go to the platform; every other hook has a function of the same name in
// the display, the engine or the shell.
void startClockTimer() {
  platform().startClockTimer();
}
void stopClockTimer() {
  platform().stopClockTimer();
}

struct ProgramHooks : GameHooks {
#define GAME_HOOK(name, parameters, arguments) \
  void name parameters override {              \
    ::name arguments;                          \
  }
#include "rules/hook_table.def"
#undef GAME_HOOK
};

// The panel's last move and message fields are where the turn flow says what happened: a move,
// a pass, the result. What they show is also gathered to be said to a screen reader.
struct SpeakingHooks final : ProgramHooks {
  void drawLastMove(int mode) override {
    ProgramHooks::drawLastMove(mode);
    noteLastMove(mode);
  }
  void drawMessage(int kind) override {
    ProgramHooks::drawMessage(kind);
    noteMessage(kind);
  }
};

SpeakingHooks program;

}  // namespace

GameHooks& programHooks() {
  return program;
}

void onCreate(Platform& p) {
  installPlatform(&p);
  installThinkingPlatform(&p);
  installDisplayPlatform(&p);
  installGameHooks(&program);
  expandBook();
  initSettings();
  initDisplay();
  setPlayerType(0, 0);  // the player check marks and labels
  resetKeyFocus();
  newGame();
}

void onDestroy() {
  abandonThinking();
  releaseDisplay();
  installGameHooks(nullptr);
}
