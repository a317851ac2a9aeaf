#include "win_file_system.h"

#include <windows.h>

#include <algorithm>

#include "text_codec.h"
#include "wide_path.h"

namespace qrwin {
namespace {

// The wide path of an ANSI path, in the form the file functions take at
// any length.
std::wstring Wide(const std::string &path) { return SystemPath(WideFromAnsi(path)); }

// A file beside `target` (absolute) under a name no batch line can give
// (batch files end in .jpg, .png or .svg), created exclusively so nothing
// existing is touched.
HANDLE CreateTemporaryBeside(const std::wstring &target, std::wstring &temporary) {
  static LONG counter = 0;
  const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = SystemPath(folder + L".qrwrite-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(InterlockedIncrement(&counter)) + L".tmp");
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  size_t offset = 0;
  while (offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + offset, chunk, &written, nullptr) || written != chunk)
      return false;
    offset += written;
  }
  return true;
}

}  // namespace

WinFileSystem::WinFileSystem()
    : shellPaths_("", "shlwapi.dll", LateBoundLibrary::Origin::kSystem),
      debugHelp_("", "dbghelp.dll", LateBoundLibrary::Origin::kSystem) {}

bool WinFileSystem::Exists(const std::string &path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
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
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

// Written under a temporary name and moved over the target in one step: a
// reader, or whatever is left after a crash or power cut, sees the old file
// or the whole new one. Other hard links to the old file keep its bytes. A
// hidden target is replaced like any other.
bool WinFileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  const std::wstring target = Wide(path);
  if (target.empty()) return false;
  std::wstring temporary;
  HANDLE file = CreateTemporaryBeside(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, bytes) && FlushFileBuffers(file) != FALSE;
  ok = CloseHandle(file) != FALSE && ok;
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) {
    const DWORD reason = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(reason);
  }
  return ok;
}

bool WinFileSystem::SetHidden(const std::string &path) {
  return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

bool WinFileSystem::Remove(const std::string &path) {
  return DeleteFileW(Wide(path).c_str()) != FALSE;
}

}  // namespace qrwin
