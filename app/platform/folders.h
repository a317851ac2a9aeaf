// Output folders of a command-line program.
#pragma once

#include <string>

namespace qrplatform {

// Separator between a folder and the names in it.
char PathSeparator();
// Creates the folder (and missing parents); true when it is a folder after,
// else false with the system's reason.
bool EnsureFolder(const std::string &path, std::string &reason);

}  // namespace qrplatform
