// How often a long handler shows its progress: the window is repainted at
// most about ten times a second, whatever the speed of the lines.
#pragma once

#include <chrono>

namespace qrapp {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::steady_clock::time_point Now() = 0;
};

class SteadyClock : public Clock {
 public:
  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
};

class RefreshPace {
 public:
  static constexpr std::chrono::milliseconds kInterval{100};

  // Counts from now: the first refresh is due an interval later.
  explicit RefreshPace(Clock &clock) : clock_(clock), last_(clock.Now()) {}

  // True when an interval has passed since the last time it was true (or
  // since the start); the interval then starts anew.
  bool Due();

 private:
  Clock &clock_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace qrapp
