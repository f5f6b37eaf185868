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

void RecordingHooks::observe(const char* call, std::initializer_list<int> arguments) {
  std::string line = call;
  for (const int a : arguments) line += " " + std::to_string(a);
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(std::move(line));
}
