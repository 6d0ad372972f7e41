#include "navigation/clock.h"

#include <chrono>

namespace keelmark {
namespace {

const Clock* g_processClock = nullptr;

}  // namespace

TimeValue SystemClock::Now() const {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

const Clock& ProcessClock() {
  static const SystemClock systemClock;
  return g_processClock ? *g_processClock : systemClock;
}

ScopedProcessClock::ScopedProcessClock(const Clock& clock) : previous_(g_processClock) {
  g_processClock = &clock;
}

ScopedProcessClock::~ScopedProcessClock() { g_processClock = previous_; }

}  // namespace keelmark
