// Threads, a mutex and a condition for worker threads: pthreads on POSIX,
// the Win32 calls in the Windows build (whose compiler has no std::thread).
#pragma once

#ifdef _WIN32
#include "win_threads.h"
#else
#include "posix_threads.h"
#endif

namespace qrplatform {

class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex &) = delete;
  Mutex &operator=(const Mutex &) = delete;
  void Lock();
  void Unlock();

 private:
  friend class Condition;
  native::MutexObject object_;
};

class MutexLock {
 public:
  explicit MutexLock(Mutex &mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~MutexLock() { mutex_.Unlock(); }
  MutexLock(const MutexLock &) = delete;
  MutexLock &operator=(const MutexLock &) = delete;

 private:
  Mutex &mutex_;
};

class Condition {
 public:
  Condition();
  ~Condition();
  Condition(const Condition &) = delete;
  Condition &operator=(const Condition &) = delete;
  void Wait(Mutex &mutex);  // `mutex` locked by the caller
  void WakeAll();

 private:
  native::ConditionObject object_;
};

class Thread {
 public:
  Thread() = default;
  ~Thread();
  Thread(const Thread &) = delete;
  Thread &operator=(const Thread &) = delete;
  // Runs body(argument) on a new thread; false when none could be made.
  bool Start(void (*body)(void *), void *argument);
  void Join();

 private:
  friend struct ThreadEntry;  // the platform's thread function runs the body

  void (*body_)(void *) = nullptr;
  void *argument_ = nullptr;
  bool running_ = false;
  native::ThreadObject object_{};
};

// Processors online now (at least 1).
int OnlineCores();

}  // namespace qrplatform
