#include "stale_temporaries.h"

#include <windows.h>

#include "text_codec.h"
#include "wide_path.h"

namespace qrplatform {

namespace {

// Only a process id the system does not know is an ended process; one it
// refuses to open (another user's) is taken as live.
bool ProcessHasEnded(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  CloseHandle(process);
  return ended;
}

// The name as bytes when it is plain ASCII, as the temporaries' names are.
bool AsciiName(const wchar_t *wide, std::string &name) {
  name.clear();
  for (; *wide; ++wide) {
    if (*wide >= 0x80) return false;
    name += static_cast<char>(*wide);
  }
  return true;
}

}  // namespace

int RemoveStaleTemporaries(const std::string &folder) {
  const std::wstring base = qrplatform::SystemPath(qrtext::WideFromUtf8(folder));
  if (base.empty()) return 0;
  const std::wstring prefix = base.back() == L'\\' ? base : base + L"\\";
  WIN32_FIND_DATAW found;
  // The wildcard only narrows the listing (it matches short names too); the
  // long name is checked exactly below.
  HANDLE listing = FindFirstFileExW((prefix + L".qr*.tmp").c_str(), FindExInfoBasic, &found,
                                    FindExSearchNameMatch, nullptr, 0);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  std::string name;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (!AsciiName(found.cFileName, name)) continue;
    const unsigned long long owner = TemporaryFileOwner(name);
    if (owner == 0 || owner > 0xFFFFFFFFull || !ProcessHasEnded(static_cast<DWORD>(owner)))
      continue;
    if (DeleteFileW((prefix + found.cFileName).c_str())) ++removed;
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  return removed;
}

}  // namespace qrplatform
