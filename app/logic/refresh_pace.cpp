#include "refresh_pace.h"

namespace qrapp {

bool RefreshPace::Due() {
  const std::chrono::steady_clock::time_point now = clock_.Now();
  if (now - last_ < kInterval) return false;
  last_ = now;
  return true;
}

}  // namespace qrapp
