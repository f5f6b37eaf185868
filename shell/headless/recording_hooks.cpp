#include "shell/headless/recording_hooks.h"

RecordingHooks::RecordingHooks(GameHooks* inner) : ForwardingHooks(inner) {}

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
  ForwardingHooks::drawSquare(x, y, tile);
}

void RecordingHooks::redrawGuides() {
  record("redrawGuides");
  ForwardingHooks::redrawGuides();
}

void RecordingHooks::animateFlips() {
  record("animateFlips");
  ForwardingHooks::animateFlips();
}

void RecordingHooks::drawPlayerLabels() {
  record("drawPlayerLabels");
  ForwardingHooks::drawPlayerLabels();
}

void RecordingHooks::drawDiscCounts() {
  record("drawDiscCounts");
  ForwardingHooks::drawDiscCounts();
}

void RecordingHooks::drawLastMove(int mode) {
  record("drawLastMove " + std::to_string(mode));
  ForwardingHooks::drawLastMove(mode);
}

void RecordingHooks::drawSideToMove(int side) {
  record("drawSideToMove " + std::to_string(side));
  ForwardingHooks::drawSideToMove(side);
}

void RecordingHooks::drawClock(int side) {
  record("drawClock " + std::to_string(side));
  ForwardingHooks::drawClock(side);
}

void RecordingHooks::drawMessage(int kind) {
  record("drawMessage " + std::to_string(kind));
  ForwardingHooks::drawMessage(kind);
}

void RecordingHooks::playClick() {
  record("playClick");
  ForwardingHooks::playClick();
}

void RecordingHooks::startClockTimer() {
  record("startClockTimer");
  ForwardingHooks::startClockTimer();
}

void RecordingHooks::stopClockTimer() {
  record("stopClockTimer");
  ForwardingHooks::stopClockTimer();
}

void RecordingHooks::startThinking() {
  record("startThinking");
  ForwardingHooks::startThinking();
}
