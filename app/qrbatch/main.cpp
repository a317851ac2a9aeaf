// qrbatch: the batch generator's main job on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_command.h"
#include "command_line.h"
#include "stop_request.h"

int main(int argc, char **argv) {
  // Before anything else: a stop request that came earlier would end the
  // process by the signal, leaving temporary files behind.
  qrplatform::InstallStopHandlers();
  // UTF-8 text on every system (read as wide characters on Windows).
  const std::vector<std::string> args = qrplatform::CommandLineArguments(argc, argv);
  const int status = qrbatch::RunCommand(args, stdin, stdout, stderr);
  qrplatform::BatchOver();
  return status;
}
