#include "wide_path.h"

#include <windows.h>

namespace qrplatform {
namespace {

constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";
constexpr wchar_t kExtendedUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring &text, const wchar_t *prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring FullPath(const std::wstring &path) {
  if (path.empty()) return std::wstring();
  if (StartsWith(path, kExtendedPrefix)) return path;
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length == 0) return std::wstring();
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length + 1);
  }
}

std::wstring SystemPath(const std::wstring &path) {
  const std::wstring full = FullPath(path);
  if (full.size() < MAX_PATH || StartsWith(full, kExtendedPrefix)) return full;
  if (StartsWith(full, L"\\\\.\\")) return full;  // a device
  if (StartsWith(full, L"\\\\")) return kExtendedUncPrefix + full.substr(2);
  return kExtendedPrefix + full;
}

std::wstring PlainPath(const std::wstring &path) {
  if (StartsWith(path, kExtendedUncPrefix))
    return L"\\\\" + path.substr(wcslen(kExtendedUncPrefix));
  if (StartsWith(path, kExtendedPrefix)) return path.substr(wcslen(kExtendedPrefix));
  return path;
}

bool IsAbsolutePath(const std::wstring &path) {
  const std::wstring plain = PlainPath(path);
  if (plain.size() >= 3 && iswalpha(plain[0]) && plain[1] == L':' && plain[2] == L'\\') return true;
  return plain.size() > 2 && plain[0] == L'\\' && plain[1] == L'\\' && plain[2] != L'\\';
}

}  // namespace qrplatform
