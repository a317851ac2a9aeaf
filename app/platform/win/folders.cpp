#include "folders.h"

#include <windows.h>

#include "system_error.h"
#include "text_codec.h"
#include "wide_path.h"

namespace qrplatform {

namespace {

bool IsFolder(const std::wstring &path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder after its parents, through the wide functions: any
// name, under any code page.
bool CreateFolders(const std::wstring &path) {
  if (IsFolder(path)) return true;
  const size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash > 0) {
    const std::wstring parent = path.substr(0, slash);
    // A root ("C:", "\\?\C:", a share) is never created.
    if (parent.size() > 2 && parent.back() != L':' && !CreateFolders(parent) &&
        GetLastError() != ERROR_ACCESS_DENIED)
      return false;
  }
  return CreateDirectoryW(path.c_str(), nullptr) ||
         (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path));
}

}  // namespace

char PathSeparator() { return '\\'; }

// `path` is UTF-8.
Outcome EnsureFolder(const std::string &path) {
  std::wstring folder = qrplatform::SystemPath(qrtext::WideFromUtf8(path));
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  if (folder.empty()) return Outcome::Failed(LastErrorText());
  if (IsFolder(folder)) return Outcome::Done();
  SetLastError(0);
  if (CreateFolders(folder)) return Outcome::Done();
  return Outcome::Failed(GetLastError() == ERROR_ALREADY_EXISTS
                             ? "a file of that name is in the way"
                             : LastErrorText());
}

}  // namespace qrplatform
