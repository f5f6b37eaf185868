// Records every call of the turn flow and the thinking thread to the rest of the program, as
// one line each ("drawSquare 4 5 1"), and passes it on.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "rules/hooks.h"

class RecordingHooks final : public ForwardingHooks {
 public:
  // inner receives every call after it is recorded; by default nothing does.
  explicit RecordingHooks(GameHooks* inner = nullptr);

  std::vector<std::string> calls() const;
  void clear();
  // The recorded calls whose line starts with prefix.
  std::vector<std::string> callsStartingWith(const std::string& prefix) const;

 protected:
  void observe(const char* call, std::initializer_list<int> arguments) override;

 private:
  mutable std::mutex mutex_;  // the thinking thread records too
  std::vector<std::string> calls_;
};
