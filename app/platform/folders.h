// Output folders of a command-line program.
#pragma once

#include <string>

#include "outcome.h"

namespace qrplatform {

// Separator between a folder and the names in it.
char PathSeparator();
// Creates the folder (and missing parents); done when it is a folder after,
// else failed with the system's reason.
Outcome EnsureFolder(const std::string &path);

}  // namespace qrplatform
