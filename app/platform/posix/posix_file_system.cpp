#include "posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "posix_file_steps.h"
#include "stale_temporaries.h"

namespace qrplatform {

bool PosixFileSystem::Exists(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::CreateDirectories(const std::string &path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsDirectory(path);
}

bool PosixFileSystem::ReadFile(const std::string &path, std::string &bytes) {
  bytes.clear();
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) bytes.clear();
  return ok;
}

// Written under a temporary name and renamed over the target in one step:
// a reader, or whatever is left after a crash, sees the old file or the
// whole new one. Other hard links to the old file keep its bytes.
bool PosixFileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  const FilePart part = {bytes.data(), bytes.size()};
  return WriteWholeFile(path.c_str(), {part});
}

bool PosixFileSystem::SetHidden(const std::string &path) { return Exists(path); }

// unlink, not std::remove: a folder under the name must survive.
bool PosixFileSystem::Remove(const std::string &path) { return unlink(path.c_str()) == 0; }

int PosixFileSystem::RemoveStaleTemporaries(const std::string &folder) {
  return qrplatform::RemoveStaleTemporaries(folder);
}

}  // namespace qrplatform
