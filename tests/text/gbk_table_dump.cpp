// Prints what the strict GBK conversions make of every BMP character and
// of every byte pair, one line each, so the native build (iconv) and the
// Windows build (code page 936 of the system) can be compared line by line.
// With the argument "acp" (Windows), prints the ANSI code page instead.
#include <cstdio>
#include <cstring>
#include <string>

#include "strict_gbk.h"
#include "utf8_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Hex(const std::string &bytes) {
  std::string text;
  char digits[4];
  for (const char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    text += digits;
  }
  return text;
}

}  // namespace

int main(int argc, char **argv) {
#ifdef _WIN32
  if (argc > 1 && std::strcmp(argv[1], "acp") == 0) {
    std::printf("%u\n", GetACP());
    return 0;
  }
#else
  (void)argc;
  (void)argv;
#endif
  std::string utf8, gbk;
  for (char32_t code = 0x80; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    utf8.clear();
    qrtext::AppendUtf8(utf8, code);
    const bool ok = qrtext::GbkFromUtf8(utf8, gbk);
    std::printf("U+%04X %s\n", static_cast<unsigned>(code), ok ? Hex(gbk).c_str() : "-");
  }
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0; trail <= 0x100; ++trail) {
      // trail 0x100: the lead byte alone.
      std::string bytes(1, static_cast<char>(lead));
      if (trail < 0x100) bytes += static_cast<char>(trail);
      const bool ok = qrtext::Utf8FromGbk(bytes, utf8);
      std::printf("%s %s\n", Hex(bytes).c_str(), ok ? Hex(utf8).c_str() : "-");
    }
  }
  return 0;
}
