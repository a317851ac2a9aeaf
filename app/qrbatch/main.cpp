// qrbatch: the batch generator's main job on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_command.h"
#include "linked_engine.h"

int main(int argc, char **argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  qrapp::LinkedEngine engine;
  return qrbatch::RunCommand(args, engine, stdin, stdout, stderr);
}
