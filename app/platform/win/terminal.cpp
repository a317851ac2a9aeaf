#include "terminal.h"

#include <io.h>
#include <windows.h>

#include "utf8_text.h"

namespace qrplatform {

bool IsTerminal(std::FILE *stream) { return _isatty(_fileno(stream)) != 0; }

void PutText(std::FILE *stream, const std::string &utf8) {
  const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  std::u16string wide;
  if (console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode) &&
      qrtext::Utf16FromUtf8(utf8, wide)) {
    std::fflush(stream);  // keep the order of what went out through the stream
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

}  // namespace qrplatform
