#include "posix_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qrapp {

bool PosixFileSystem::Exists(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::CreateDirectories(const std::string &path) {
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
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

bool PosixFileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool PosixFileSystem::SetHidden(const std::string &path) { return Exists(path); }

bool PosixFileSystem::Remove(const std::string &path) { return std::remove(path.c_str()) == 0; }

}  // namespace qrapp
