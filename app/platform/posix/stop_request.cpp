#include "stop_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

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

// The pipe a stop request writes to, so that a reader waiting in poll
// wakes up (stop_wake.h).
void CreateWakePipe() {
  if (wakePipe[0] >= 0 || pipe(wakePipe) != 0) return;
  for (int end : wakePipe) {
    fcntl(end, F_SETFD, FD_CLOEXEC);
    fcntl(end, F_SETFL, O_NONBLOCK);
  }
}

}  // namespace

void InstallStopHandlers() {
  OccupyClosedStandardDescriptors();
  CreateWakePipe();
  struct sigaction action = {};
  action.sa_handler = &OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocked read returns
  // SIGHUP and SIGQUIT: a closed terminal or a dropped session stops the
  // batch as cleanly as Ctrl+C. A SIGHUP its parent ignores (nohup) stays
  // ignored: such a batch is meant to outlive its terminal.
  struct sigaction hangUp = {};
  sigaction(SIGHUP, nullptr, &hangUp);
  if (hangUp.sa_handler != SIG_IGN) sigaction(SIGHUP, &action, nullptr);
  for (int stop : {SIGINT, SIGTERM, SIGQUIT}) sigaction(stop, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

bool StopRequested() { return stopRequested != 0; }

void BatchOver() {}

int StopWakeDescriptor() { return wakePipe[0]; }

}  // namespace qrplatform
