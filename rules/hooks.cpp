#include "rules/hooks.h"

void ForwardingHooks::drawSquare(int x, int y, int tile) {
  observe("drawSquare", {x, y, tile});
  if (inner_) inner_->drawSquare(x, y, tile);
}
void ForwardingHooks::redrawGuides() {
  observe("redrawGuides", {});
  if (inner_) inner_->redrawGuides();
}
void ForwardingHooks::animateFlips() {
  observe("animateFlips", {});
  if (inner_) inner_->animateFlips();
}
void ForwardingHooks::drawPlayerLabels() {
  observe("drawPlayerLabels", {});
  if (inner_) inner_->drawPlayerLabels();
}
void ForwardingHooks::drawDiscCounts() {
  observe("drawDiscCounts", {});
  if (inner_) inner_->drawDiscCounts();
}
void ForwardingHooks::drawLastMove(int mode) {
  observe("drawLastMove", {mode});
  if (inner_) inner_->drawLastMove(mode);
}
void ForwardingHooks::drawSideToMove(int side) {
  observe("drawSideToMove", {side});
  if (inner_) inner_->drawSideToMove(side);
}
void ForwardingHooks::drawClock(int side) {
  observe("drawClock", {side});
  if (inner_) inner_->drawClock(side);
}
void ForwardingHooks::drawMessage(int kind) {
  observe("drawMessage", {kind});
  if (inner_) inner_->drawMessage(kind);
}
void ForwardingHooks::playClick() {
  observe("playClick", {});
  if (inner_) inner_->playClick();
}
void ForwardingHooks::startClockTimer() {
  observe("startClockTimer", {});
  if (inner_) inner_->startClockTimer();
}
void ForwardingHooks::stopClockTimer() {
  observe("stopClockTimer", {});
  if (inner_) inner_->stopClockTimer();
}
void ForwardingHooks::startThinking() {
  observe("startThinking", {});
  if (inner_) inner_->startThinking();
}

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
