// Ending a batch early on Ctrl+C, SIGTERM (Windows: Ctrl+C, Ctrl+Break,
// closing the console): the handlers only note the request and wake a
// reader waiting for input; the batch stops between lines.
#pragma once

namespace qrbatch {

// Installs the handlers; also ignores SIGPIPE (a closed standard error must
// not end the batch) and SIGXFSZ (a file-size limit fails the line with
// EFBIG instead of killing the process).
void InstallStopHandlers();
bool StopRequested();
// POSIX: a descriptor that becomes readable on a stop request (-1 before
// InstallStopHandlers and on Windows).
int StopWakeDescriptor();
// Windows: the batch is over; a console-close handler waiting for it may
// return (and the system ends the process).
void BatchOver();

}  // namespace qrbatch
