// Data derived once per symbol version and shared by every encoder, on any
// thread: a version's entry is built on first use and never changes after.
#pragma once

#include <atomic>
#include <memory>

#include "version_tables.h"

namespace qr {

// Two threads that meet an empty entry may both build it; one copy is
// published (release/acquire) and the other discarded, so no lock is
// needed. Entries live until the process ends.
template <class T>
class VersionCache {
 public:
  // The entry of `version` (1..40); `build(version)` returns a new
  // std::unique_ptr<T> when it is missing.
  template <class Build>
  const T &Get(int version, Build build) {
    std::atomic<const T *> &slot = slots_[version];
    const T *entry = slot.load(std::memory_order_acquire);
    if (entry != nullptr) return *entry;
    std::unique_ptr<T> fresh = build(version);
    const T *expected = nullptr;
    if (slot.compare_exchange_strong(expected, fresh.get(), std::memory_order_acq_rel, std::memory_order_acquire))
      return *fresh.release();
    return *expected;
  }

 private:
  std::atomic<const T *> slots_[kMaxVersion + 1] = {};
};

}  // namespace qr
