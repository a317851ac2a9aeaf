// A command-line program's arguments as UTF-8 text: on Windows read as
// wide characters from the system (any character, under any code page),
// elsewhere as given.
#pragma once

#include <string>
#include <vector>

namespace qrplatform {

// The arguments after the program's name.
std::vector<std::string> CommandLineArguments(int argc, char **argv);

}  // namespace qrplatform
