// Data derived once per symbol version (or per other small index) and
// shared by every encoder, on any thread: an entry is built on first use and
// never changes after.
#pragma once

#include <atomic>
#include <memory>

#include "version_tables.h"

namespace qr {

// Two threads that meet an empty entry may both build it; one copy is
// published (release/acquire) and the other discarded, so no lock is
// needed. Entries live until the process ends.
template <class T, int kEntries>
class BuiltOnceTable {
 public:
  // The entry of `index` (0 .. kEntries - 1); `build(index)` returns a new
  // std::unique_ptr<T> when it is missing.
  template <class Build>
  const T &Get(int index, Build build) {
    std::atomic<const T *> &slot = slots_[index];
    const T *entry = slot.load(std::memory_order_acquire);
    if (entry != nullptr) return *entry;
    std::unique_ptr<T> fresh = build(index);
    const T *expected = nullptr;
    if (slot.compare_exchange_strong(expected, fresh.get(), std::memory_order_acq_rel,
                                     std::memory_order_acquire))
      return *fresh.release();
    return *expected;
  }

 private:
  std::atomic<const T *> slots_[kEntries] = {};
};

// One entry per version, indexed 1..40.
template <class T>
using VersionCache = BuiltOnceTable<T, kMaxVersion + 1>;

}  // namespace qr
