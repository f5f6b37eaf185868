#include "shell/app.h"

#include "display/board_view.h"
#include "display/panel.h"
#include "display/sheets.h"
#include "engine/book.h"
#include "engine/thinking.h"
#include "rules/game.h"
#include "shell/commands.h"

namespace {

struct ProgramHooks final : GameHooks {
  void drawSquare(int x, int y, int tile) override { ::drawSquare(x, y, tile); }
  void redrawGuides() override { ::redrawGuides(); }
  void animateFlips() override { ::animateFlips(); }
  void drawPlayerLabels() override { ::drawPlayerLabels(); }
  void drawDiscCounts() override { ::drawDiscCounts(); }
  void drawLastMove(int mode) override { ::drawLastMove(mode); }
  void drawSideToMove(int side) override { ::drawSideToMove(side); }
  void drawClock(int side) override { ::drawClock(side); }
  void drawMessage(int kind) override { ::drawMessage(kind); }
  void playClick() override { ::playClick(); }
  void startClockTimer() override { platform().startClockTimer(); }
  void stopClockTimer() override { platform().stopClockTimer(); }
  void startThinking() override { ::startThinking(); }
};

ProgramHooks program;

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
  newGame();
}

void onDestroy() {
  abandonThinking();
  releaseDisplay();
  installGameHooks(nullptr);
}
