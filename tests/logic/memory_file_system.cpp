#include "memory_file_system.h"

namespace qrapp::testing {

namespace {
std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}
}  // namespace

std::string MemoryFileSystem::Parent(const std::string &path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string()
                                    : WithoutTrailingSeparator(path.substr(0, slash));
}

bool MemoryFileSystem::Exists(const std::string &path) {
  return files.count(path) > 0 || IsDirectory(path);
}

bool MemoryFileSystem::IsDirectory(const std::string &path) {
  return folders.count(WithoutTrailingSeparator(path)) > 0;
}

bool MemoryFileSystem::CreateDirectories(const std::string &path) {
  const std::string folder = WithoutTrailingSeparator(path);
  for (size_t slash = folder.find('\\'); slash != std::string::npos;
       slash = folder.find('\\', slash + 1)) {
    if (slash > 2) folders.insert(folder.substr(0, slash));
  }
  folders.insert(folder);
  return true;
}

bool MemoryFileSystem::ReadFile(const std::string &path, std::string &bytes) {
  auto it = files.find(path);
  bytes = it == files.end() ? std::string() : it->second;
  return it != files.end();
}

bool MemoryFileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  ++writes;
  if (unwritable.count(path) || !IsDirectory(Parent(path)) || IsDirectory(path)) return false;
  files[path] = std::string(bytes);
  hidden.erase(path);
  return true;
}

bool MemoryFileSystem::SetHidden(const std::string &path) {
  if (!files.count(path)) return false;
  hidden.insert(path);
  return true;
}

bool MemoryFileSystem::Remove(const std::string &path) {
  hidden.erase(path);
  return files.erase(path) > 0;
}

int MemoryFileSystem::RemoveStaleTemporaries(const std::string &folder) {
  swept.push_back(folder);
  return 0;
}

}  // namespace qrapp::testing
