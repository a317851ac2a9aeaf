// The system's own words for a failure, for qrbatch's messages.
#pragma once

#include <string>

namespace qrbatch {

// strerror(error).
std::string ErrnoText(int error);
// The last failure of a system call on this thread: GetLastError's message
// on Windows, errno elsewhere.
std::string LastErrorText();

}  // namespace qrbatch
