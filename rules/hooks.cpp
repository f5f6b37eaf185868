#include "rules/hooks.h"

void ForwardingHooks::drawSquare(int x, int y, int tile) {
  if (inner_) inner_->drawSquare(x, y, tile);
}
void ForwardingHooks::redrawGuides() {
  if (inner_) inner_->redrawGuides();
}
void ForwardingHooks::animateFlips() {
  if (inner_) inner_->animateFlips();
}
void ForwardingHooks::drawPlayerLabels() {
  if (inner_) inner_->drawPlayerLabels();
}
void ForwardingHooks::drawDiscCounts() {
  if (inner_) inner_->drawDiscCounts();
}
void ForwardingHooks::drawLastMove(int mode) {
  if (inner_) inner_->drawLastMove(mode);
}
void ForwardingHooks::drawSideToMove(int side) {
  if (inner_) inner_->drawSideToMove(side);
}
void ForwardingHooks::drawClock(int side) {
  if (inner_) inner_->drawClock(side);
}
void ForwardingHooks::drawMessage(int kind) {
  if (inner_) inner_->drawMessage(kind);
}
void ForwardingHooks::playClick() {
  if (inner_) inner_->playClick();
}
void ForwardingHooks::startClockTimer() {
  if (inner_) inner_->startClockTimer();
}
void ForwardingHooks::stopClockTimer() {
  if (inner_) inner_->stopClockTimer();
}
void ForwardingHooks::startThinking() {
  if (inner_) inner_->startThinking();
}

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
