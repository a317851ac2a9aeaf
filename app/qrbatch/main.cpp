// qrbatch: the batch generator's main job on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_command.h"
#include "stop_request.h"

int main(int argc, char **argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  qrplatform::InstallStopHandlers();
  const int status = qrbatch::RunCommand(args, stdin, stdout, stderr);
  qrplatform::BatchOver();
  return status;
}
