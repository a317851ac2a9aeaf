#include "streamed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "posix_file_steps.h"
#include "system_error.h"

namespace qrplatform {

StreamedFile::~StreamedFile() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool StreamedFile::Fail() {
  if (errorText_.empty()) errorText_ = LastErrorText();
  return false;
}

bool StreamedFile::Create(const std::string &path) {
  path_ = path;
  TemporaryFile created = CreateTemporaryBeside(path);
  if (created.path.empty()) return Fail();
  fd_ = created.file;
  temporary_ = std::move(created.path);
  return true;
}

bool StreamedFile::Write(const void *data, size_t size) {
  const FilePart part = {data, size};
  return WriteAllParts(fd_, &part, 1) || Fail();
}

bool StreamedFile::Publish() {
  if (fd_ < 0) return Fail();
  const bool flushed = fsync(fd_) == 0;
  if (!flushed) Fail();
  const bool closed = close(fd_) == 0;
  if (!closed) Fail();
  fd_ = -1;
  if (!flushed || !closed) return false;
  const bool moved = MoveIntoPlace(temporary_, path_);
  temporary_.clear();  // renamed, or removed
  if (!moved) return Fail();
  // The new name on the disk too: the folder's entry.
  FlushFolder(FolderOf(path_));
  return true;
}

}  // namespace qrplatform
