// The POSIX objects behind worker_threads.h.
#pragma once

#include <pthread.h>

namespace qrplatform::native {

using MutexObject = pthread_mutex_t;
using ConditionObject = pthread_cond_t;
using ThreadObject = pthread_t;

}  // namespace qrplatform::native
