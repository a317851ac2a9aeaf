#include "temporary_file.h"

#include <windows.h>

#include "wide_path.h"

namespace qrplatform {

TemporaryFile CreateTemporaryBeside(const std::wstring &target) {
  const size_t slash = target.find_last_of(L"\\/:");
  const std::wstring folder =
      slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = NextTemporaryName();  // ASCII: any code page holds it
    const std::wstring path =
        qrplatform::SystemPath(folder + std::wstring(name.begin(), name.end()));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return {path, file};
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return {std::wstring(), INVALID_HANDLE_VALUE};
}

}  // namespace qrplatform
