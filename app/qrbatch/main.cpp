// qrbatch: the batch generator's main job on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_command.h"
#include "stop_request.h"

int main(int argc, char **argv) {
  // Before anything else: a stop request that came earlier would end the
  // process by the signal, leaving temporary files behind.
  qrplatform::InstallStopHandlers();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = qrbatch::RunCommand(args, stdin, stdout, stderr);
  qrplatform::BatchOver();
  return status;
}
