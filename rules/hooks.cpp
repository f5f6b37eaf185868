#include "rules/hooks.h"

namespace {

// Until the shell installs its own, the game runs without a screen, a sound or a computer.
struct SilentHooks final : GameHooks {
  void drawSquare(int, int, int) override {}
  void redrawGuides() override {}
  void animateFlips() override {}
  void drawPlayerLabels() override {}
  void drawDiscCounts() override {}
  void drawLastMove(int) override {}
  void drawSideToMove(int) override {}
  void drawClock(int) override {}
  void drawMessage(int) override {}
  void playClick() override {}
  void startClockTimer() override {}
  void stopClockTimer() override {}
  void startThinking() override {}
};

SilentHooks silentHooks;
GameHooks* installed = &silentHooks;

}  // namespace

void installGameHooks(GameHooks* hooks) {
  installed = hooks ? hooks : &silentHooks;
}

GameHooks& gameHooks() {
  return *installed;
}
