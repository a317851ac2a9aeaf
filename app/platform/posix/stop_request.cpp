#include "stop_request.h"

#include <fcntl.h>
#include <unistd.h>

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
