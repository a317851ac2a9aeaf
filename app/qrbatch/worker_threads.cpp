#include "worker_threads.h"

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace qrbatch {

#ifdef _WIN32

Mutex::Mutex() { InitializeSRWLock(&lock_); }
Mutex::~Mutex() = default;
void Mutex::Lock() { AcquireSRWLockExclusive(&lock_); }
void Mutex::Unlock() { ReleaseSRWLockExclusive(&lock_); }

Condition::Condition() { InitializeConditionVariable(&condition_); }
Condition::~Condition() = default;
void Condition::Wait(Mutex &mutex) { SleepConditionVariableSRW(&condition_, &mutex.lock_, INFINITE, 0); }
void Condition::WakeAll() { WakeAllConditionVariable(&condition_); }

unsigned __stdcall Thread::Entry(void *self) {
  Thread *thread = static_cast<Thread *>(self);
  thread->body_(thread->argument_);
  return 0;
}

bool Thread::Start(void (*body)(void *), void *argument) {
  body_ = body;
  argument_ = argument;
  handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Thread::Entry, this, 0, nullptr));
  running_ = handle_ != nullptr;
  return running_;
}

void Thread::Join() {
  if (!running_) return;
  WaitForSingleObject(handle_, INFINITE);
  CloseHandle(handle_);
  running_ = false;
}

int OnlineCores() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

#else

Mutex::Mutex() { pthread_mutex_init(&mutex_, nullptr); }
Mutex::~Mutex() { pthread_mutex_destroy(&mutex_); }
void Mutex::Lock() { pthread_mutex_lock(&mutex_); }
void Mutex::Unlock() { pthread_mutex_unlock(&mutex_); }

Condition::Condition() { pthread_cond_init(&condition_, nullptr); }
Condition::~Condition() { pthread_cond_destroy(&condition_); }
void Condition::Wait(Mutex &mutex) { pthread_cond_wait(&condition_, &mutex.mutex_); }
void Condition::WakeAll() { pthread_cond_broadcast(&condition_); }

void *Thread::Entry(void *self) {
  Thread *thread = static_cast<Thread *>(self);
  thread->body_(thread->argument_);
  return nullptr;
}

bool Thread::Start(void (*body)(void *), void *argument) {
  body_ = body;
  argument_ = argument;
  // The new thread inherits a mask blocking every asynchronous signal, so
  // Ctrl+C and the like reach the reading thread, whose waits they end.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  running_ = pthread_create(&thread_, nullptr, &Thread::Entry, this) == 0;
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return running_;
}

void Thread::Join() {
  if (!running_) return;
  pthread_join(thread_, nullptr);
  running_ = false;
}

int OnlineCores() {
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<int>(cores) : 1;
}

#endif

Thread::~Thread() { Join(); }

}  // namespace qrbatch
