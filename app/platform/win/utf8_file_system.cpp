#include "utf8_file_system.h"

#include <windows.h>

#include <algorithm>

#include "stale_temporaries.h"
#include "text_codec.h"
#include "wide_path.h"
#include "win_file_steps.h"

namespace qrplatform {
namespace {

using qrplatform::FullPath;
using qrplatform::SystemPath;
using qrtext::WideFromUtf8;

std::wstring Wide(const std::string &path) { return SystemPath(WideFromUtf8(path)); }

bool IsFolder(const std::wstring &path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool Utf8FileSystem::Exists(const std::string &path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Utf8FileSystem::IsDirectory(const std::string &path) { return IsFolder(Wide(path)); }

// Each missing folder from the root down; one that cannot be made leaves
// the reason in GetLastError.
bool Utf8FileSystem::CreateDirectories(const std::string &path) {
  std::wstring full = FullPath(WideFromUtf8(path));
  if (full.empty()) return false;
  if (full.back() != L'\\') full += L'\\';
  // Past the root: "X:\" or "\\server\share\".
  size_t at = full.rfind(L"\\\\", 0) == 0 ? full.find(L'\\', full.find(L'\\', 2) + 1) : 2;
  for (; at != std::wstring::npos; at = full.find(L'\\', at + 1)) {
    if (at < 3) continue;
    const std::wstring folder = SystemPath(full.substr(0, at));
    if (!IsFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
  }
  return IsDirectory(path);
}

bool Utf8FileSystem::ReadFile(const std::string &path, std::string &bytes) {
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
// reader, or whatever is left after a crash, sees the old file or the
// whole new one.
bool Utf8FileSystem::WriteFile(const std::string &path, std::string_view bytes) {
  const FilePart part = {bytes.data(), bytes.size()};
  return WriteWholeFile(Wide(path), {part});
}

bool Utf8FileSystem::SetHidden(const std::string &path) {
  return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

bool Utf8FileSystem::Remove(const std::string &path) {
  return DeleteFileW(Wide(path).c_str()) != FALSE;
}

int Utf8FileSystem::RemoveStaleTemporaries(const std::string &folder) {
  return qrplatform::RemoveStaleTemporaries(folder);
}

}  // namespace qrplatform
