// qrbatch's work: the window's batch over the lines of a file or stdin.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace qrbatch {

// Runs the command line; returns the exit status (0 all written, 1 some
// line produced no file, 2 unusable command line, input or folder, 130
// stopped by a signal or the console).
int RunCommand(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err);

}  // namespace qrbatch
