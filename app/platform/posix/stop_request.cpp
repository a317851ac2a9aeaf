#include "stop_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

// A closed standard stream's descriptor would be the next one opened: the
// wake-up pipe would become standard input, a file standard output. Each
// closed one is opened on /dev/null first (open takes the lowest free
// descriptor), so a closed standard input reads as empty input.
void OccupyClosedStandardDescriptors() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
      if (open("/dev/null", O_RDWR) < 0) return;
    }
  }
}

}  // namespace

void InstallStopHandlers() {
  OccupyClosedStandardDescriptors();
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
