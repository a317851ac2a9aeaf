#pragma once
// Tiny checking helpers for the notice's Windows test programs: each failed
// check prints itself, and the exit code is the number of failures.
#include <windows.h>

#include <cstdio>
#include <string>

namespace notice_check {

inline int failures = 0;

inline void Check(bool ok, const char *what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

// GBK bytes of a UTF-16 text, converted by the system (code page 936).
inline std::string Gbk(const wchar_t *text) {
  const int size = WideCharToMultiByte(936, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(936, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

inline std::string Hex(const std::string &bytes) {
  std::string hex;
  char two[4];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

inline void CheckBytes(const std::string &actual, const std::string &expected, const char *what) {
  Check(actual == expected, what);
  if (actual != expected)
    std::printf("  actual   %s\n  expected %s\n", Hex(actual).c_str(), Hex(expected).c_str());
}

}  // namespace notice_check
