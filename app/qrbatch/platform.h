// The few operating-system calls qrbatch makes itself.
#pragma once

#include <cstdio>
#include <string>

namespace qrbatch {

// Separator between the folder and a line's name.
char PathSeparator();
// Creates the folder (and missing parents); true when it is a folder after,
// else false with the system's reason.
bool EnsureFolder(const std::string &path, std::string &reason);
bool IsTerminal(std::FILE *stream);

}  // namespace qrbatch
