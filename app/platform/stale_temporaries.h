// A process killed mid-write (SIGKILL, a power cut) leaves its temporary
// (temporary_file.h) behind for good. These are removed when a batch
// starts, but only those of processes that no longer exist: a live one may
// be writing its own at this very moment.
#pragma once

#include <string>

#include "temporary_file.h"

namespace qrplatform {

// Removes from `folder` itself (not its sub-folders) the regular files
// named as temporaries (TemporaryFileOwner) whose process has ended;
// returns how many. Whatever cannot be read or removed is left as it is.
int RemoveStaleTemporaries(const std::string &folder);

}  // namespace qrplatform
