// The engine writes each image under a temporary name beside it
// (".qr-PID-N.tmp") and renames it into place; a process killed mid-write
// (SIGKILL, a power cut) leaves the temporary behind for good. These are
// removed when a batch starts, but only those of processes that no longer
// exist: a live one may be writing its own at this very moment.
#pragma once

#include <string>
#include <string_view>

namespace qrplatform {

// The process id in `name` when it is exactly ".qr-PID-N.tmp" with PID and
// N as the engine prints them (decimal, no sign, no leading zero, PID not
// 0); else 0.
unsigned long long TemporaryFileOwner(std::string_view name);

// Removes from `folder` itself (not its sub-folders) the regular files so
// named whose process has ended; returns how many. Whatever cannot be read
// or removed is left as it is.
int RemoveStaleTemporaries(const std::string &folder);

}  // namespace qrplatform
