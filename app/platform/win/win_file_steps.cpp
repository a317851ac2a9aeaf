#include "win_file_steps.h"

#include <windows.h>

namespace qrplatform {

bool WriteAll(void *handle, const void *data, size_t size) {
  const char *bytes = static_cast<const char *>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(static_cast<HANDLE>(handle), bytes, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes += written;
    size -= written;
  }
  return true;
}

bool MoveIntoPlace(const std::wstring &temporary, const std::wstring &target) {
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  const DWORD reason = GetLastError();
  DeleteFileW(temporary.c_str());
  SetLastError(reason);
  return false;
}

}  // namespace qrplatform
