// Writing the programs' output files whole or not at all: the bytes go to a
// temporary (temporary_file.h) beside the file, which then takes the file's
// name in one step. A reader sees the old file or the new one, never a part
// of the new one; after a power cut the disk has the old file or the whole
// new one (the data reaches the disk before the rename, the rename before
// success is told).
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

#include "temporary_file.h"

namespace qrplatform {

// One piece of a file's content.
struct FilePart {
  const void *data;
  size_t size;
};

// Writes the parts, in order, as the file `path` (UTF-8; on Windows through
// the wide file functions), replacing any file of that name, and flushes it
// to the disk (data, then its name). False with errno (GetLastError on
// Windows) telling why; the old file is then untouched, nothing is left
// behind, and a folder of that name is never replaced.
bool WriteWholeFile(const char *path, std::initializer_list<FilePart> parts);

// The same in two steps, for a program writing many files: the disk is
// flushed once for a group of files instead of once per file. A pending
// file is written whole under a temporary name beside its path, not yet
// under its name and not yet sure to be on the disk; PublishFiles gives it
// its name. Destroying it unpublished removes the temporary file.
class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();
  PendingFile(PendingFile &&other) noexcept;
  PendingFile &operator=(PendingFile &&other) noexcept;

  // Writes the parts for `path` as WriteWholeFile does, short of the name
  // and (except on Windows) the flush. False with errno (GetLastError)
  // telling why; nothing is left behind then.
  bool Write(const char *path, std::initializer_list<FilePart> parts);

 private:
  void Discard();
  friend void PublishFiles(std::vector<PendingFile> &files,
                           const std::function<void(size_t index, bool published)> &told);

  NativePath temporary_;  // empty: nothing written, or published
  NativePath target_;
};

// Flushes the data of all `files` to the disk, gives each its name in
// order (a later file of the same path wins), flushes their folders, then
// tells `told` about every file in order: published (whole on the disk
// under its name) or not, with errno (GetLastError) set to the reason. The
// list is empty afterwards; no temporary file is left.
void PublishFiles(std::vector<PendingFile> &files,
                  const std::function<void(size_t index, bool published)> &told);

}  // namespace qrplatform
