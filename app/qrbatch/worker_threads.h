// Threads, a mutex and a condition for qrbatch's workers: pthreads here,
// the Win32 calls in the Windows build (whose compiler has no std::thread).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace qrbatch {

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
#ifdef _WIN32
  SRWLOCK lock_;
#else
  pthread_mutex_t mutex_;
#endif
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
#ifdef _WIN32
  CONDITION_VARIABLE condition_;
#else
  pthread_cond_t condition_;
#endif
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
  void (*body_)(void *) = nullptr;
  void *argument_ = nullptr;
  bool running_ = false;
#ifdef _WIN32
  HANDLE handle_ = nullptr;
  static unsigned __stdcall Entry(void *self);
#else
  pthread_t thread_{};
  static void *Entry(void *self);
#endif
};

// Processors online now (at least 1).
int OnlineCores();

}  // namespace qrbatch
