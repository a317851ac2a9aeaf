// The system's own words for a failure, for a command-line program's
// messages (in the console's code page on Windows: the ANSI one).
#pragma once

#include <string>

namespace qrplatform {

// strerror(error).
std::string ErrnoText(int error);
// The last failure of a system call on this thread: GetLastError's text
// on Windows, errno's elsewhere.
std::string LastErrorText();

}  // namespace qrplatform
