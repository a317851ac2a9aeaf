#include "folders.h"

#include <cerrno>

#include "posix_file_system.h"
#include "system_error.h"

namespace qrplatform {

char PathSeparator() { return '/'; }

Outcome EnsureFolder(const std::string &path) {
  PosixFileSystem files;
  if (files.IsDirectory(path)) return Outcome::Done();
  errno = 0;
  if (files.CreateDirectories(path)) return Outcome::Done();
  return Outcome::Failed(errno == EEXIST ? "a file of that name is in the way" : LastErrorText());
}

}  // namespace qrplatform
