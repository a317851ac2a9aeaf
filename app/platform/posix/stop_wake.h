// The POSIX stop request's wake-up: a descriptor that becomes readable on a
// stop request, for a poll that waits for input too.
#pragma once

namespace qrplatform {

// -1 before InstallStopHandlers (stop_request.h).
int StopWakeDescriptor();

}  // namespace qrplatform
