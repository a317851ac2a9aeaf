#include "worker_threads.h"

#include <signal.h>
#include <unistd.h>

namespace qrplatform {

Mutex::Mutex() { pthread_mutex_init(&object_, nullptr); }
Mutex::~Mutex() { pthread_mutex_destroy(&object_); }
void Mutex::Lock() { pthread_mutex_lock(&object_); }
void Mutex::Unlock() { pthread_mutex_unlock(&object_); }

Condition::Condition() { pthread_cond_init(&object_, nullptr); }
Condition::~Condition() { pthread_cond_destroy(&object_); }
void Condition::Wait(Mutex &mutex) { pthread_cond_wait(&object_, &mutex.object_); }
void Condition::WakeAll() { pthread_cond_broadcast(&object_); }

struct ThreadEntry {
  static void *Run(void *self) {
    Thread *thread = static_cast<Thread *>(self);
    thread->body_(thread->argument_);
    return nullptr;
  }
};

bool Thread::Start(void (*body)(void *), void *argument) {
  body_ = body;
  argument_ = argument;
  // The new thread inherits a mask blocking every asynchronous signal, so
  // Ctrl+C and the like reach the reading thread, whose waits they end.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  running_ = pthread_create(&object_, nullptr, &ThreadEntry::Run, this) == 0;
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return running_;
}

void Thread::Join() {
  if (!running_) return;
  pthread_join(object_, nullptr);
  running_ = false;
}

Thread::~Thread() { Join(); }

int OnlineCores() {
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<int>(cores) : 1;
}

}  // namespace qrplatform
