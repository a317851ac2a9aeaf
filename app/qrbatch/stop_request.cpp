#include "stop_request.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qrbatch {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

#ifdef _WIN32

HANDLE readingThread = nullptr;
HANDLE batchOver = nullptr;

// CancelSynchronousIo ends a ReadFile blocked on the console or a pipe;
// bound by name as it is missing before Vista.
void CancelReading() {
  using CancelIo = BOOL(WINAPI *)(HANDLE);
  static const CancelIo cancel = reinterpret_cast<CancelIo>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo")));
  if (cancel && readingThread) cancel(readingThread);
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  stopRequested = 1;
  CancelReading();
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // The process ends when this returns: give the current lines time to
    // finish (the system allows about five seconds).
    if (batchOver) WaitForSingleObject(batchOver, 4500);
  }
  return TRUE;
}

#else

int wakePipe[2] = {-1, -1};

void OnStopSignal(int) {
  stopRequested = 1;
  if (wakePipe[1] >= 0) {
    const char byte = 1;
    const ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
  }
}

#endif

}  // namespace

#ifdef _WIN32

void InstallStopHandlers() {
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &readingThread, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  batchOver = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

int StopWakeDescriptor() { return -1; }

void BatchOver() {
  if (batchOver) SetEvent(batchOver);
}

#else

void InstallStopHandlers() {
  if (wakePipe[0] < 0 && pipe(wakePipe) == 0) {
    for (int end : wakePipe) {
      fcntl(end, F_SETFD, FD_CLOEXEC);
      fcntl(end, F_SETFL, O_NONBLOCK);
    }
  }
  struct sigaction action = {};
  action.sa_handler = &OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocked read returns
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

int StopWakeDescriptor() { return wakePipe[0]; }

void BatchOver() {}

#endif

bool StopRequested() { return stopRequested != 0; }

}  // namespace qrbatch
