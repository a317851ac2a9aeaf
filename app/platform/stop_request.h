// Ending a batch early on Ctrl+C, SIGTERM, SIGHUP, SIGQUIT (Windows: Ctrl+C, Ctrl+Break,
// closing the console): the handlers only note the request and wake a
// reader waiting for input (descriptor_io.h); the batch stops between lines.
#pragma once

namespace qrplatform {

// Installs the handlers, first thing in main: a stop request before them
// would end the process outright. SIGHUP stays ignored when the parent
// ignored it (nohup). On POSIX also ignores SIGPIPE (a closed standard
// error must not end the batch) and SIGXFSZ (a file-size limit fails the
// line with EFBIG instead of killing the process). Windows: the calling
// thread is the one whose blocked reads a request cancels.
void InstallStopHandlers();
bool StopRequested();
// Windows: the batch is over; a console-close handler waiting for it may
// return (and the system ends the process). Nothing to do elsewhere.
void BatchOver();

}  // namespace qrplatform
