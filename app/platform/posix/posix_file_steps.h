// The steps every POSIX writer of whole files takes (pending_file.h,
// streamed_file.h): write all, flush, rename into place, flush the folder.
// Each failure leaves its reason in errno.
#pragma once

#include <cstddef>
#include <string>

#include "pending_file.h"

namespace qrplatform {

// A flush the file system cannot do (EINVAL: it keeps nothing to flush, as
// some network and special file systems) is no failure.
bool Flushed(int result);

// All parts with as few writev calls as the system allows (one, normally).
bool WriteAllParts(int fd, const FilePart *parts, size_t count);

// The temporary takes the target's name; on failure it is removed. rename
// never replaces a folder (EISDIR), not even an empty one.
bool MoveIntoPlace(const std::string &temporary, const std::string &target);

// The folder of `path` to open ("." for a bare name).
std::string FolderOf(const std::string &path);

// A folder's entries (a rename into it) reach the disk.
bool FlushFolder(const std::string &folder);

}  // namespace qrplatform
