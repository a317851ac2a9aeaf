#include "stop_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "stop_wake.h"

namespace qrplatform {

namespace {

volatile std::sig_atomic_t stopRequested = 0;
int wakePipe[2] = {-1, -1};

void OnStopSignal(int) {
  stopRequested = 1;
  if (wakePipe[1] >= 0) {
    const char byte = 1;
    const ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
  }
}

}  // namespace

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

bool StopRequested() { return stopRequested != 0; }

void BatchOver() {}

int StopWakeDescriptor() { return wakePipe[0]; }

}  // namespace qrplatform
