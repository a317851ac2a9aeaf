#include "streamed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "system_error.h"

namespace qrplatform {

namespace {

// The folder part of `path` with its slash ("" for a bare name: the
// working folder).
std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

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
  const char *bytes = static_cast<const char *>(data);
  while (size > 0) {
    const ssize_t written = write(fd_, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return Fail();
    }
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool StreamedFile::Publish() {
  if (fd_ < 0) return Fail();
  const bool flushed = fsync(fd_) == 0;
  if (!flushed) Fail();
  const bool closed = close(fd_) == 0;
  if (!closed) Fail();
  fd_ = -1;
  if (!flushed || !closed) return false;
  if (rename(temporary_.c_str(), path_.c_str()) != 0) return Fail();
  temporary_.clear();
  // The new name on the disk too: the folder's entry.
  const std::string folder = FolderOf(path_);
  const int entry = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (entry >= 0) {
    fsync(entry);
    close(entry);
  }
  return true;
}

}  // namespace qrplatform
