#include "worker_threads.h"

#include <process.h>

namespace qrplatform {

Mutex::Mutex() { InitializeSRWLock(&object_); }
Mutex::~Mutex() = default;
void Mutex::Lock() { AcquireSRWLockExclusive(&object_); }
void Mutex::Unlock() { ReleaseSRWLockExclusive(&object_); }

Condition::Condition() { InitializeConditionVariable(&object_); }
Condition::~Condition() = default;
void Condition::Wait(Mutex &mutex) {
  SleepConditionVariableSRW(&object_, &mutex.object_, INFINITE, 0);
}
void Condition::WakeAll() { WakeAllConditionVariable(&object_); }

struct ThreadEntry {
  static unsigned __stdcall Run(void *self) {
    Thread *thread = static_cast<Thread *>(self);
    thread->body_(thread->argument_);
    return 0;
  }
};

bool Thread::Start(void (*body)(void *), void *argument) {
  body_ = body;
  argument_ = argument;
  object_ =
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadEntry::Run, this, 0, nullptr));
  running_ = object_ != nullptr;
  return running_;
}

void Thread::Join() {
  if (!running_) return;
  WaitForSingleObject(object_, INFINITE);
  CloseHandle(object_);
  running_ = false;
}

Thread::~Thread() { Join(); }

int OnlineCores() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

}  // namespace qrplatform
