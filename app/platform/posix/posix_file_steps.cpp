#include "posix_file_steps.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qrplatform {

bool Flushed(int result) { return result == 0 || errno == EINVAL; }

bool WriteAllParts(int fd, const FilePart *parts, size_t count) {
  constexpr size_t kMostParts = 8;
  if (count > kMostParts) {
    for (size_t i = 0; i < count; ++i)
      if (!WriteAllParts(fd, parts + i, 1)) return false;
    return true;
  }
  iovec vectors[kMostParts];
  int left = 0;
  for (size_t i = 0; i < count; ++i)
    if (parts[i].size > 0) vectors[left++] = {const_cast<void *>(parts[i].data), parts[i].size};
  iovec *next = vectors;
  while (left > 0) {
    const ssize_t written = writev(fd, next, left);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    // Skip what went out; a short write leaves the rest for the next call.
    size_t done = static_cast<size_t>(written);
    while (left > 0 && done >= next->iov_len) done -= next->iov_len, ++next, --left;
    if (left > 0) {
      next->iov_base = static_cast<char *>(next->iov_base) + done;
      next->iov_len -= done;
    }
  }
  return true;
}

bool MoveIntoPlace(const std::string &temporary, const std::string &target) {
  if (rename(temporary.c_str(), target.c_str()) == 0) return true;
  const int reason = errno;
  unlink(temporary.c_str());
  errno = reason;
  return false;
}

std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool FlushFolder(const std::string &folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = Flushed(fsync(fd));
  const int reason = errno;
  close(fd);
  errno = reason;
  return ok;
}

}  // namespace qrplatform
