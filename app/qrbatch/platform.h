// The few operating-system calls qrbatch makes itself.
#pragma once

#include <cstdio>
#include <string>

namespace qrbatch {

// Separator between the folder and a line's name.
char PathSeparator();
// Creates the folder (and missing parents); true when it is a folder after.
bool EnsureFolder(const std::string &path);
// Whole stream in binary mode; false on a read error.
bool ReadAll(std::FILE *stream, std::string &bytes);
bool IsTerminal(std::FILE *stream);

}  // namespace qrbatch
