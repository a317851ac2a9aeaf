// A clock for the logic tests: every reading moves it on by `step`.
#pragma once

#include <chrono>

#include "refresh_pace.h"

namespace qrapp::testing {

class SteppingClock : public Clock {
 public:
  std::chrono::steady_clock::time_point Now() override { return now_ += step; }

  std::chrono::milliseconds step{0};

 private:
  std::chrono::steady_clock::time_point now_;
};

}  // namespace qrapp::testing
