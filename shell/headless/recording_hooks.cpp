#include "shell/headless/recording_hooks.h"

RecordingHooks::RecordingHooks(GameHooks* inner) : inner_(inner) {}

std::vector<std::string> RecordingHooks::calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

void RecordingHooks::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

std::vector<std::string> RecordingHooks::callsStartingWith(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& call : calls()) {
    if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
  }
  return out;
}

void RecordingHooks::record(std::string call) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(std::move(call));
}

void RecordingHooks::drawSquare(int x, int y, int tile) {
  record("drawSquare " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(tile));
  if (inner_) inner_->drawSquare(x, y, tile);
}

void RecordingHooks::redrawGuides() {
  record("redrawGuides");
  if (inner_) inner_->redrawGuides();
}

void RecordingHooks::animateFlips() {
  record("animateFlips");
  if (inner_) inner_->animateFlips();
}

void RecordingHooks::drawPlayerLabels() {
  record("drawPlayerLabels");
  if (inner_) inner_->drawPlayerLabels();
}

void RecordingHooks::drawDiscCounts() {
  record("drawDiscCounts");
  if (inner_) inner_->drawDiscCounts();
}

void RecordingHooks::drawLastMove(int mode) {
  record("drawLastMove " + std::to_string(mode));
  if (inner_) inner_->drawLastMove(mode);
}

void RecordingHooks::drawSideToMove(int side) {
  record("drawSideToMove " + std::to_string(side));
  if (inner_) inner_->drawSideToMove(side);
}

void RecordingHooks::drawClock(int side) {
  record("drawClock " + std::to_string(side));
  if (inner_) inner_->drawClock(side);
}

void RecordingHooks::drawMessage(int kind) {
  record("drawMessage " + std::to_string(kind));
  if (inner_) inner_->drawMessage(kind);
}

void RecordingHooks::playClick() {
  record("playClick");
  if (inner_) inner_->playClick();
}

void RecordingHooks::startClockTimer() {
  record("startClockTimer");
  if (inner_) inner_->startClockTimer();
}

void RecordingHooks::stopClockTimer() {
  record("stopClockTimer");
  if (inner_) inner_->stopClockTimer();
}

void RecordingHooks::startThinking() {
  record("startThinking");
  if (inner_) inner_->startThinking();
}
