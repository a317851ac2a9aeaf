// The id of a process that has ended (and been reaped), for tests of what
// is left behind by processes that no longer exist.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace qrtest {

inline pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

}  // namespace qrtest
