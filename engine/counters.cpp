#include "engine/counters.h"

EngineCounters engineCounters{};

void clearEngineCounters() {
  engineCounters = EngineCounters{};
}
