// The Windows objects behind worker_threads.h: slim reader-writer locks and
// condition variables (Vista and later), threads of the C runtime.
#pragma once

#include <windows.h>

namespace qrplatform::native {

using MutexObject = SRWLOCK;
using ConditionObject = CONDITION_VARIABLE;
using ThreadObject = HANDLE;

}  // namespace qrplatform::native
