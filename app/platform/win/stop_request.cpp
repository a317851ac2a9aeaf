#include "stop_request.h"

#include <windows.h>

#include <csignal>

namespace qrplatform {

namespace {

volatile std::sig_atomic_t stopRequested = 0;
HANDLE readingThread = nullptr;
HANDLE batchOver = nullptr;

// CancelSynchronousIo ends a ReadFile blocked on the console or a pipe;
// bound by name as it is missing before Vista.
void CancelReading() {
  using CancelIo = BOOL(WINAPI *)(HANDLE);
  static const CancelIo cancel = reinterpret_cast<CancelIo>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo")));
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

}  // namespace

void InstallStopHandlers() {
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &readingThread, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  batchOver = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

bool StopRequested() { return stopRequested != 0; }

void BatchOver() {
  if (batchOver) SetEvent(batchOver);
}

}  // namespace qrplatform
