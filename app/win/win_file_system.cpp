#include "win_file_system.h"

#include <windows.h>

#include <algorithm>

namespace qrwin {

WinFileSystem::WinFileSystem()
    : shellPaths_("", "shlwapi.dll", LateBoundLibrary::Origin::kSystem),
      debugHelp_("", "dbghelp.dll", LateBoundLibrary::Origin::kSystem) {}

bool WinFileSystem::Exists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WinFileSystem::IsDirectory(const std::string &path) {
  // FILE_ATTRIBUTE_DIRECTORY (16) for a folder.
  return shellPaths_.Bind(pathIsDirectory_, "PathIsDirectoryA")(path.c_str()) != FALSE;
}

bool WinFileSystem::CreateDirectories(const std::string &path) {
  // Every folder up to the last backslash is created.
  const std::string folderPath = (!path.empty() && path.back() == '\\') ? path : path + "\\";
  debugHelp_.Bind(makeSureDirectoryPathExists_, "MakeSureDirectoryPathExists")(folderPath.c_str());
  return IsDirectory(path);
}

bool WinFileSystem::ReadFile(const std::string &path, std::string &bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  char buffer[65536];
  DWORD got = 0;
  while ((ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  if (!ok) bytes.clear();
  return ok;
}

bool WinFileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  // Opened for exclusive writing and truncated, rather than CREATE_ALWAYS,
  // which refuses to replace a hidden file.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = SetEndOfFile(file) != FALSE;
  size_t offset = 0;
  while (ok && offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
    DWORD written = 0;
    ok = ::WriteFile(file, bytes.data() + offset, chunk, &written, nullptr) != FALSE && written == chunk;
    offset += written;
  }
  ok = CloseHandle(file) != FALSE && ok;
  return ok;
}

bool WinFileSystem::SetHidden(const std::string &path) {
  return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

bool WinFileSystem::Remove(const std::string &path) { return DeleteFileA(path.c_str()) != FALSE; }

}  // namespace qrwin
