// Clock: where the program reads "now", so that tests and the command line can fix it.
#pragma once

#include "navigation/time_value.h"

namespace keelmark {

class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual TimeValue Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  [[nodiscard]] TimeValue Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(TimeValue now) : now_(now) {}
  [[nodiscard]] TimeValue Now() const override { return now_; }
  void Set(TimeValue now) { now_ = now; }
  void Advance(TimeValue seconds) { now_ += seconds; }

 private:
  TimeValue now_;
};

// The clock that records and navigation use when none is handed to them: the system clock
// unless a ScopedProcessClock is alive. The program runs on one thread, so this is plain state.
[[nodiscard]] const Clock& ProcessClock();

// Makes a clock the process clock for its lifetime (tests, the command line's --now).
class ScopedProcessClock {
 public:
  explicit ScopedProcessClock(const Clock& clock);
  ~ScopedProcessClock();
  ScopedProcessClock(const ScopedProcessClock&) = delete;
  ScopedProcessClock& operator=(const ScopedProcessClock&) = delete;

 private:
  const Clock* previous_;
};

}  // namespace keelmark
